#include "sys/Ordner.h"

#include "sys/Dateien.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <windows.h>
#include <shlobj.h>

namespace {

bool g_roaming = false;
bool g_entwickler = false;

String Sonderordner(int csidl) {
    String pfad;
    SonderordnerPfad(csidl, pfad);
    return MitBackslash(pfad);
}

} // namespace

// Grows the buffer until the whole path fits: the executable may lie on a long path.
String ProgrammDatei() {
    String pfad(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, pfad.data(), static_cast<DWORD>(pfad.size()));
        if (n == 0) return String();
        if (n < pfad.size()) {
            pfad.resize(n);
            return pfad;
        }
        pfad.resize(pfad.size() * 2);
    }
}

String ProgrammVerzeichnis() {
    return DateiPfad(ProgrammDatei());
}

bool SonderordnerPfad(int csidl, String& pfad) {
    wchar_t puffer[MAX_PATH] = {};
    auto* SHGetFolderPathW = Systemfunktion<decltype(::SHGetFolderPathW)>(L"shell32.dll", "SHGetFolderPathW");
    bool ok = SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, puffer) == S_OK;
    pfad = ok ? String(puffer) : String();
    return ok;
}

String DokumenteOrdner() {
    return Sonderordner(CSIDL_PERSONAL);
}
String BilderOrdner() {
    return Sonderordner(CSIDL_MYPICTURES);
}
String MusikOrdner() {
    return Sonderordner(CSIDL_MYMUSIC);
}
String VideosOrdner() {
    return Sonderordner(CSIDL_MYVIDEO);
}
String AppDatenOrdner() {
    return Sonderordner(CSIDL_APPDATA);
}
String VirtualStoreOrdner() {
    return Sonderordner(CSIDL_LOCAL_APPDATA) + L"VirtualStore\\";
}

String WindowsOrdner() {
    wchar_t puffer[MAX_PATH] = {};
    UINT n = GetWindowsDirectoryW(puffer, MAX_PATH);
    return n > 0 && n < MAX_PATH ? MitBackslash(puffer) : String();
}

String TempOrdner() {
    String ordner;
    if (EntwicklerRechner() && VerzeichnisExistiert(L"T:\\")) {
        ordner = L"T:\\" + DateiBasisname(ProgrammDatei()) + L"\\";
    } else {
        String puffer(MAX_PATH + 1, L'\0');
        DWORD n = GetTempPathW(static_cast<DWORD>(puffer.size()), puffer.data());
        if (n > puffer.size()) {
            puffer.resize(n);
            n = GetTempPathW(n, puffer.data());
        }
        puffer.resize(n < puffer.size() ? n : 0);
        ordner = MitBackslash(puffer);
    }
    if (!ordner.empty()) VerzeichnisErstellen(ordner, false);
    return ordner;
}

String ProgrammDateiMitEndung(const String& endung) {
    return ProgrammVerzeichnis() + DateiBasisname(ProgrammDatei()) + endung;
}

String TempLogDateiName() {
    return TempOrdner() + DateiBasisname(ProgrammDatei()) + L".log";
}

// The name goes into the backup folder's name; a machine without one still needs a fixed name there.
String ComputerName() {
    wchar_t puffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD laenge = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(puffer, &laenge) || laenge == 0) return L"UNBEKANNT";
    return String(puffer, laenge);
}

bool RoamingAktiv() {
    return g_roaming;
}

void RoamingFestlegen() {
    g_roaming = DateiExistiert(ProgrammVerzeichnis() + L"Roaming.qel", false);
}

bool EntwicklerRechner() {
    return g_entwickler;
}

void EntwicklerRechnerSetzen(bool wert) {
    g_entwickler = wert;
}
