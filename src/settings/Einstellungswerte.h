#pragma once
// How the settings file writes integers, yes/no values, dates and numbers, and how it reads them
// back. A reader returns false for a text it cannot read; the caller then keeps its default.
#include "util/Basis.h"

String IntegerWert(int zahl);
// Decimal; a text of three or more characters starting with "0x" or "0X" is hexadecimal.
bool WertZuInteger(const String& wert, int& zahl);

String JaNeinWert(bool ja);
// By the integer rule: any integer other than 0 is true.
bool WertZuJaNein(const String& wert, bool& ja);

// The date part only, in the program's short date format.
String DatumWert(TDateTime datum);
bool WertZuDatum(const String& wert, TDateTime& datum);

// Up to 15 significant digits with the user's decimal separator and no thousands separator.
String ZahlWert(double zahl);
bool WertZuZahl(const String& wert, double& zahl);
