#include "util/kv7_date.h"

#include "util/QEL_Str.h"
#include "util/kv7_str.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<TDateTime> programmDatum;

// The Kita year begins on this month and day (of 1 August 1999; the year is not used).
constexpr int KitaMonat = 8;
constexpr int KitaTag = 1;

struct Tag {
    int jahr, monat, tag;
};

Tag Teile(TDateTime d) {
    Tag t;
    DecodeDate(d, t.jahr, t.monat, t.tag);
    return t;
}

// Calendar days outside the years 1 to 9999 have no date value; the rules below never ask for
// one from a date inside that range except at its very ends, where the nearest day serves. So
// every period end is computed as a day of its own, never as the next start less one day, which
// at the right end would be the day before 31 December 9999.
TDateTime Datum(int jahr, int monat, int tag) {
    if (jahr < 1) return EncodeDate(1, 1, 1);
    if (jahr > 9999) return EncodeDate(9999, 12, 31);
    return EncodeDate(jahr, monat, tag);
}

TDateTime Monatsletzter(int jahr, int monat) {
    return Datum(jahr, monat, DaysInMonth(jahr, monat));
}

} // namespace

TDateTime ProgrammDatumErmitteln() {
    TDateTime datum = Heute();
    const String wert = SchalterWert(L"/Systemdatum=");
    TDateTime simuliert;
    if (!wert.empty() && TextZuDatum(wert, simuliert)) datum = simuliert;
    return datum;
}

void ProgrammDatumFestlegen() {
    if (!programmDatum) programmDatum = ProgrammDatumErmitteln();
}

TDateTime ProgramDate() {
    ProgrammDatumFestlegen();
    return *programmDatum;
}

// A run past midnight keeps its date and takes the new time of day.
TDateTime ProgramNow() {
    return DatumUndZeit(ProgramDate(), Uhrzeit());
}

TDateTime CalendarStart() {
    return EncodeDate(1, 1, 1);
}

TDateTime CalendarEnd() {
    return EncodeDate(9999, 12, 31);
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    default:
        return 30;
    }
}

TDateTime AddMonths(TDateTime date, int months) {
    const Tag t = Teile(date);
    int jahr = t.jahr + months / 12;
    int monat = t.monat + months % 12;
    if (monat > 12) {
        monat -= 12;
        ++jahr;
    } else if (monat < 1) {
        monat += 12;
        --jahr;
    }
    const int tag = Minimum(t.tag, DaysInMonth(jahr, monat));
    return DatumUndZeit(Datum(jahr, monat, tag), date);
}

TDateTime WeekStart(TDateTime date) {
    return DateOf(date) - (IsoWochentag(date) - 1);
}
// The last week of the calendar ends with its last day, a Friday.
TDateTime WeekEnd(TDateTime date) {
    return std::min(WeekStart(date) + 6, CalendarEnd());
}

int WeekOfYear(TDateTime date) {
    const TDateTime donnerstag = WeekStart(date) + 3;
    return static_cast<int>(donnerstag - YearStart(donnerstag)) / 7 + 1;
}

TDateTime MonthStart(TDateTime date) {
    const Tag t = Teile(date);
    return Datum(t.jahr, t.monat, 1);
}

TDateTime MonthEnd(TDateTime date) {
    const Tag t = Teile(date);
    return Monatsletzter(t.jahr, t.monat);
}

TDateTime MonthWindowEnd(TDateTime date, int months) {
    return MonthEnd(AddMonths(MonthStart(date), months - 1));
}

int QuarterOf(TDateTime date) {
    return (Teile(date).monat - 1) / 3 + 1;
}

TDateTime QuarterStart(TDateTime date) {
    return Datum(Teile(date).jahr, QuarterOf(date) * 3 - 2, 1);
}
TDateTime QuarterEnd(TDateTime date) {
    return Monatsletzter(Teile(date).jahr, QuarterOf(date) * 3);
}

int HalfYearOf(TDateTime date) {
    return Teile(date).monat <= 6 ? 1 : 2;
}

TDateTime HalfYearStart(TDateTime date) {
    return Datum(Teile(date).jahr, HalfYearOf(date) * 6 - 5, 1);
}
TDateTime HalfYearEnd(TDateTime date) {
    return Monatsletzter(Teile(date).jahr, HalfYearOf(date) * 6);
}

TDateTime YearStart(TDateTime date) {
    return Datum(Teile(date).jahr, 1, 1);
}
TDateTime YearEnd(TDateTime date) {
    return Datum(Teile(date).jahr, 12, 31);
}

TDateTime KitaYearStart(TDateTime date) {
    const Tag t = Teile(date);
    return Datum(t.monat >= KitaMonat ? t.jahr : t.jahr - 1, KitaMonat, KitaTag);
}

// The month before the anchor's, the anchor being the first of its month.
TDateTime KitaYearEnd(TDateTime date) {
    const Tag t = Teile(date);
    return Monatsletzter(t.monat >= KitaMonat ? t.jahr + 1 : t.jahr, KitaMonat - 1);
}

TDateTime KitaHalfYearStart(TDateTime date) {
    const Tag t = Teile(date);
    return t.monat >= KitaMonat ? Datum(t.jahr, KitaMonat, KitaTag) : Datum(t.jahr, 1, 1);
}

TDateTime KitaHalfYearEnd(TDateTime date) {
    const Tag t = Teile(date);
    return t.monat >= KitaMonat ? Datum(t.jahr, 12, 31) : Datum(t.jahr, KitaMonat, KitaTag) - 1;
}

TDateTime KitaHalfYearStep(int count, TDateTime date) {
    const int rest = count % 2;
    const Tag t = Teile(date);
    const bool zweiteHaelfte = t.monat >= KitaMonat;
    TDateTime d = date;
    if (rest == 1) d = zweiteHaelfte ? Datum(t.jahr + 1, 1, 1) : Datum(t.jahr, KitaMonat, KitaTag);
    if (rest == -1) d = zweiteHaelfte ? Datum(t.jahr, 1, 1) : Datum(t.jahr - 1, KitaMonat, KitaTag);
    return AddMonths(d, 12 * (count / 2));
}

bool IsValidPeriod(TDateTime from, TDateTime to) {
    return from > 0 && from < to;
}

// 0 and the null date of an empty field are no date; a day before 1900 is one.
String MonthLabel(TDateTime date) {
    if (date == 0 || date < CalendarStart()) return String();
    const Tag t = Teile(date);
    return ZweiStellen(t.monat) + L"/" + VierStellen(t.jahr);
}

String QuarterLabel(const String& separator, TDateTime date) {
    static const wchar_t* const roemisch[] = {L"I", L"II", L"III", L"IV"};
    return roemisch[QuarterOf(date) - 1] + separator + VierStellen(Teile(date).jahr);
}

String HalfYearLabel(const String& separator, TDateTime date) {
    return std::to_wstring(HalfYearOf(date)) + separator + VierStellen(Teile(date).jahr);
}

// The year is the calendar year of the day, not the week-based one.
String WeekLabel(const String& separator, TDateTime date) {
    return ZweiStellen(WeekOfYear(date)) + separator + VierStellen(Teile(date).jahr);
}

String YearLabel(TDateTime date) {
    return std::to_wstring(Teile(date).jahr);
}

String KitaYearLabel(TDateTime date) {
    const Tag t = Teile(date);
    const int jahr = t.monat < KitaMonat ? t.jahr - 1 : t.jahr;
    return std::to_wstring(jahr) + L"/" + std::to_wstring(jahr + 1);
}

String KitaHalfYearLabel(TDateTime date) {
    const Tag t = Teile(date);
    const String jahr = std::to_wstring(t.jahr);
    if (t.monat >= KitaMonat) return L"08/" + jahr + L" - 12/" + jahr;
    return L"01/" + jahr + L" - 07/" + jahr;
}

static String MonateLabel(TDateTime date, int monate) {
    return MonthLabel(MonthStart(date)) + L"-" + MonthLabel(MonthWindowEnd(date, monate));
}

String TwelveMonthLabel(TDateTime date) {
    return MonateLabel(date, 12);
}
String ThirteenMonthLabel(TDateTime date) {
    return MonateLabel(date, 13);
}

// Negative counts keep one sign in front ("-01:30") rather than one per part.
String MinutesToHHMM(int minutes) {
    const long long v = minutes;
    if (v < 0) return L"-" + ZweiStellen(-v / 60) + L":" + ZweiStellen(-v % 60);
    return ZweiStellen(v / 60) + L":" + ZweiStellen(v % 60);
}
