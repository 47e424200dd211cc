#pragma once
// How the settings file writes dates and numbers, and how it reads them back. A reader returns
// false for a text it cannot read; the caller then keeps its default. (Integers and yes/no values
// are the settings file object's own.)
#include "util/Basis.h"

// The date part only, in the program's short date format.
String DatumWert(TDateTime datum);
bool WertZuDatum(const String& wert, TDateTime& datum);

// Up to 15 significant digits with the user's decimal separator and no thousands separator.
String ZahlWert(double zahl);
bool WertZuZahl(const String& wert, double& zahl);
