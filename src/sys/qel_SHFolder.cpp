#include "sys/qel_SHFolder.h"

#include "sys/Dateien.h"
#include "sys/Ordner.h"

#include <windows.h>
#include <shlobj.h>

namespace {

unsigned long Hauptversion() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    return GetVersionExW(&info) ? info.dwMajorVersion : 0;
}

} // namespace

int AnwendungsdatenCsidl(bool gemeinsam, unsigned long hauptversion, bool roaming) {
    if (gemeinsam) return CSIDL_COMMON_APPDATA;
    if (hauptversion <= 5 || roaming) return CSIDL_APPDATA;
    return CSIDL_LOCAL_APPDATA;
}

String AnwendungsdatenOrdner(bool gemeinsam, const String& zweiteEbene, const String& ersteEbene) {
    String ordner;
    if (!SonderordnerPfad(AnwendungsdatenCsidl(gemeinsam, Hauptversion(), RoamingAktiv()), ordner) ||
        ordner.empty())
        return ProgrammVerzeichnis();
    ordner += L"\\";
    if (ersteEbene.empty()) return ordner;
    ordner += ersteEbene + L"\\";
    if (!zweiteEbene.empty()) ordner += zweiteEbene + L"\\";
    VerzeichnisErstellen(ordner, false);
    return ordner;
}

String ProgrammdatenOrdner() {
    return AnwendungsdatenOrdner(false, L"", L"VennkorbDaten");
}
