#pragma once
// Date-time values (days since 30.12.1899, the fraction the time of day) and their texts.
#include "util/Basis.h"

bool TryEncodeDate(int jahr, int monat, int tag, TDateTime& datum);
TDateTime EncodeDate(int jahr, int monat, int tag); // throws std::out_of_range for no such day
TDateTime EncodeTime(int stunde, int minute, int sekunde, int millisekunde);
void DecodeDate(TDateTime datum, int& jahr, int& monat, int& tag);
void DecodeTime(TDateTime datum, int& stunde, int& minute, int& sekunde, int& millisekunde);
TDateTime DateOf(TDateTime datum); // the whole day
int IsoWochentag(TDateTime datum); // Monday 1 to Sunday 7

TDateTime Heute();   // the local date
TDateTime Jetzt();   // the local date and time
TDateTime Uhrzeit(); // the local time of day
// The day of the one with the time of day of the other (also right for days before 1899).
TDateTime DatumUndZeit(TDateTime datum, TDateTime zeit);

// The short date format of the whole process, in the usual picture letters (d, m, y; "/" stands for
// the separator). Until it is set, the user's regional format applies.
void KurzesDatumsformatSetzen(const String& format, wchar_t trenner);
void KurzesDatumsformatZuruecksetzen(); // back to the user's format; for tests
String KurzesDatumsformat();
wchar_t Datumstrenner();

String DatumZuText(TDateTime datum);
bool TextZuDatum(const String& text, TDateTime& datum);
String DatumZeitZuText(TDateTime datum);
