#pragma once
// The program's one notion of the current day and its calendar period rules.
#include "util/DatumZeit.h"

// Fixes the program date once, from the clock or "/Systemdatum="; ProgramDate calls it when the
// entry point has not.
void ProgrammDatumFestlegen();
// What ProgrammDatumFestlegen would fix now, without fixing it.
TDateTime ProgrammDatumErmitteln();
TDateTime ProgramDate();
TDateTime ProgramNow();

// The first and the last day the date rules work on: 1 January 1 and 31 December 9999.
TDateTime CalendarStart();
TDateTime CalendarEnd();

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
TDateTime AddMonths(TDateTime date, int months);

int WeekOfYear(TDateTime date);
TDateTime WeekStart(TDateTime date);
TDateTime WeekEnd(TDateTime date);
TDateTime MonthStart(TDateTime date);
TDateTime MonthEnd(TDateTime date);
int QuarterOf(TDateTime date);
TDateTime QuarterStart(TDateTime date);
TDateTime QuarterEnd(TDateTime date);
int HalfYearOf(TDateTime date);
TDateTime HalfYearStart(TDateTime date);
TDateTime HalfYearEnd(TDateTime date);
TDateTime YearStart(TDateTime date);
TDateTime YearEnd(TDateTime date);
TDateTime KitaYearStart(TDateTime date);
TDateTime KitaYearEnd(TDateTime date);
TDateTime KitaHalfYearStart(TDateTime date);
TDateTime KitaHalfYearEnd(TDateTime date);
TDateTime KitaHalfYearStep(int count, TDateTime date);
// The last day of a window of that many months that begins with the date's month.
TDateTime MonthWindowEnd(TDateTime date, int months);
bool IsValidPeriod(TDateTime from, TDateTime to);

String MonthLabel(TDateTime date);
String QuarterLabel(const String& separator, TDateTime date);
String HalfYearLabel(const String& separator, TDateTime date);
String WeekLabel(const String& separator, TDateTime date);
String YearLabel(TDateTime date);
String KitaYearLabel(TDateTime date);
String KitaHalfYearLabel(TDateTime date);
String TwelveMonthLabel(TDateTime date);
String ThirteenMonthLabel(TDateTime date);
String MinutesToHHMM(int minutes);
