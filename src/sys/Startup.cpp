#include "sys/Startup.h"

#include "sys/Dateien.h"
#include "sys/Ordner.h"
#include "util/DatumZeit.h"
#include "util/QEL_Str.h"

// The build tree's sources end in ".cpp"; a file of that name never exists on a user's machine.
String EntwicklerMarkerDatei() {
    return L"c:\\KIV\\__PROGBUILD.cpp";
}

void StartEinstellungen(const String& markerDatei) {
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    // Off the developer machine the switch is not even looked at.
    bool entwickler = DateiExistiert(markerDatei, false) && JaNein(SchalterWert(L"/ISMEINCOMPUTER="), true);
    EntwicklerRechnerSetzen(entwickler);
    if (entwickler) DateiLoeschen(TempLogDateiName());
}
