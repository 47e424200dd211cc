#include "DateiHaken.h"

#include "sys/DateiAufrufe.h"
#include "sys/Dateizeit.h"

#include <map>
#include <set>

namespace {
DateiHaken* g_haken = nullptr;
int g_lesungen = 0;
std::set<HANDLE> g_nurOrdner; // searches that asked for folders only
struct Suche {
    std::wstring muster;
    int eintrag = 0;
};
std::map<HANDLE, Suche> g_suchen;

bool Fehlschlag(const Suche& s) {
    DWORD fehler = g_haken->suchfehler ? g_haken->suchfehler(s.muster, s.eintrag) : 0;
    if (fehler) SetLastError(fehler);
    return fehler != 0;
}

// Runs the entry through the test; false when it is to be skipped.
bool Zeigen(HANDLE suche, WIN32_FIND_DATAW* f) {
    if (g_nurOrdner.count(suche) && !(f->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    return !g_haken->eintrag || g_haken->eintrag(*f);
}

BOOL WINAPI SucheWeiter(HANDLE suche, LPWIN32_FIND_DATAW f) {
    if (auto s = g_suchen.find(suche); s != g_suchen.end()) {
        ++s->second.eintrag;
        if (Fehlschlag(s->second)) return FALSE;
    }
    while (FindNextFileW(suche, f))
        if (Zeigen(suche, f)) return TRUE;
    return FALSE;
}

HANDLE WINAPI SucheBeginnen(LPCWSTR muster, FINDEX_INFO_LEVELS stufe, LPVOID daten, FINDEX_SEARCH_OPS art,
                            LPVOID filter, DWORD flags) {
    if (Fehlschlag({muster})) return INVALID_HANDLE_VALUE;
    HANDLE h = FindFirstFileExW(muster, stufe, daten, art, filter, flags);
    if (h == INVALID_HANDLE_VALUE) return h;
    g_suchen[h] = {muster};
    if (g_haken->nurOrdnerBeachten && art == FindExSearchLimitToDirectories) g_nurOrdner.insert(h);
    auto* f = static_cast<WIN32_FIND_DATAW*>(daten);
    if (Zeigen(h, f) || SucheWeiter(h, f)) return h;
    FindClose(h);
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
}

BOOL WINAPI Lesen(HANDLE h, LPVOID puffer, DWORD n, LPDWORD gelesen, LPOVERLAPPED o) {
    if (g_haken->lesen && !g_haken->lesen(++g_lesungen)) {
        SetLastError(ERROR_CRC);
        return FALSE;
    }
    return ReadFile(h, puffer, n, gelesen, o);
}

BOOL WINAPI ZeitSetzen(HANDLE h, const FILETIME* a, const FILETIME* b, const FILETIME* c) {
    if (!g_haken->zeitSetzenGelingt) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return SetFileTime(h, a, b, c);
}
BOOL WINAPI VolumeLesen(LPCWSTR wurzel, LPWSTR name, DWORD nameGroesse, LPDWORD seriennummer, LPDWORD laenge,
                        LPDWORD merkmale, LPWSTR dateisystem, DWORD dateisystemGroesse) {
    std::wstring vorgegeben = g_haken->dateisystem ? g_haken->dateisystem(wurzel) : std::wstring();
    if (vorgegeben.empty() || !dateisystem || vorgegeben.size() >= dateisystemGroesse)
        return GetVolumeInformationW(wurzel, name, nameGroesse, seriennummer, laenge, merkmale, dateisystem,
                                     dateisystemGroesse);
    vorgegeben.copy(dateisystem, vorgegeben.size());
    dateisystem[vorgegeben.size()] = L'\0';
    return TRUE;
}

BOOL WINAPI Spuelen(HANDLE h) {
    if (g_haken->spuelen) g_haken->spuelen();
    return FlushFileBuffers(h);
}

BOOL WINAPI InfoSetzen(HANDLE h, FILE_INFO_BY_HANDLE_CLASS art, LPVOID info, DWORD groesse) {
    if (art == FileRenameInfo && !g_haken->offenUmbenennen) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    return SetFileInformationByHandle(h, art, info, groesse);
}
} // namespace

DateiHaken::DateiHaken() {
    g_haken = this;
    g_lesungen = 0;
    g_nurOrdner.clear();
    g_suchen.clear();
    DateiAufrufe& a = Aufrufe();
    a.lesen = Lesen;
    a.zeitSetzen = ZeitSetzen;
    a.sucheBeginnen = SucheBeginnen;
    a.sucheWeiter = SucheWeiter;
    a.volumeLesen = VolumeLesen;
    a.spuelen = Spuelen;
    a.infoSetzen = InfoSetzen;
    DateizeitenNeuLesen();
}

DateiHaken::~DateiHaken() {
    Aufrufe() = DateiAufrufe{};
    g_haken = nullptr;
    DateizeitenNeuLesen();
}
