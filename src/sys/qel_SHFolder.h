#pragma once
// The per-vendor application-data folder and the program's own data folder in it.
#include "util/Basis.h"

// The shell folder the vendor folder lies in: the common one when asked for; the roaming one on
// systems before Vista or with the Roaming marker; else the local one.
int AnwendungsdatenCsidl(bool gemeinsam, unsigned long hauptversion, bool roaming);

// <application data>\<ersteEbene>\<zweiteEbene>\, created; the executable's folder when the system
// reports no application-data folder.
String AnwendungsdatenOrdner(bool gemeinsam, const String& zweiteEbene, const String& ersteEbene);
String ProgrammdatenOrdner(); // the vendor folder "VennkorbDaten" below the user's application data
