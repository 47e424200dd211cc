#pragma once
// The places of the machine the program works with: its own file, the shell folders, the temporary
// and Windows folders, the computer name. Every folder comes back with a trailing backslash.
#include "util/Basis.h"

String ProgrammDatei();       // full path of the running executable
String ProgrammVerzeichnis(); // its folder
// The executable's full path with its extension replaced (".ini" gives the settings file beside it).
String ProgrammDateiMitEndung(const String& endung);

// The shell's current path of a CSIDL, without trailing backslash; empty and false on failure.
bool SonderordnerPfad(int csidl, String& pfad);

String DokumenteOrdner();    // CSIDL 5
String BilderOrdner();       // CSIDL 39
String MusikOrdner();        // CSIDL 13
String VideosOrdner();       // CSIDL 14
String AppDatenOrdner();     // CSIDL 26, the roaming application data
String VirtualStoreOrdner(); // below the local application data (CSIDL 28)
String WindowsOrdner();
// On the developer machine with a drive T: its folder for this program, else the system's; created
// when missing.
String TempOrdner();
String TempLogDateiName();
// The NetBIOS name; "UNBEKANNT" when the system cannot tell.
String ComputerName();

// Whether "Roaming.qel" lies beside the executable; fixed by RoamingFestlegen at start-up.
bool RoamingAktiv();
void RoamingFestlegen();

// Whether the program runs on its developer's machine; the start-up settings decide.
bool EntwicklerRechner();
void EntwicklerRechnerSetzen(bool wert);
