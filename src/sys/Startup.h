#pragma once
// The process-wide settings made once at start-up, before any window exists.
#include "util/Basis.h"

// The file whose presence marks the developer's build machine.
String EntwicklerMarkerDatei();

// Short date format "dd.mm.yyyy" with "."; the developer-machine flag from the marker, which
// "/ISMEINCOMPUTER=" can switch off there; on the developer machine the old temporary log goes.
void StartEinstellungen(const String& markerDatei = EntwicklerMarkerDatei());
