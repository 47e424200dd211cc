// The recursive listing of the file operations.
#include "sys/DateiAufrufe.h"
#include "sys/Dateien.h"

#include "sys/Meldungen.h"
#include "toolkit/Classes.h"
#include "util/kv7_str.h"

#include <vector>

namespace {

bool Verborgen(const WIN32_FIND_DATAW& f) {
    return (f.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool IstOrdner(const WIN32_FIND_DATAW& f) {
    return (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A folder's identity: the same folder reached by another path (a substituted or mapped drive, a
// short name, a junction) has the same volume serial number and file index.
struct Kennung {
    DWORD volume = 0;
    ULONGLONG index = 0;
    bool operator==(const Kennung&) const = default;
};

// False when the folder cannot be opened or its file system gives no index.
bool KennungLesen(const String& ordner, Kennung& k) {
    HANDLE h = CreateFileW(LangerPfad(ordner).c_str(), FILE_READ_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool ok = GetFileInformationByHandle(h, &info) != 0;
    CloseHandle(h);
    k = {info.dwVolumeSerialNumber, (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    return ok && k.index != 0;
}

// The folder the walk never enters, by its full path and, where the file system tells it, by
// its identity.
struct Ausnahme {
    String pfad; // long form with trailing backslash; empty: nothing is left out
    String name; // its last part
    Kennung kennung;
    bool kennungBekannt = false;
};

Ausnahme AusnahmeVon(const String& ordner) {
    Ausnahme a;
    if (ordner.empty()) return a;
    a.pfad = MitBackslash(LangerPfad(MitBackslash(ordner)));
    String ohne = a.pfad.substr(0, a.pfad.size() - 1);
    a.name = ohne.substr(ohne.find_last_of(L'\\') + 1);
    a.kennungBekannt = KennungLesen(a.pfad, a.kennung);
    return a;
}

// Compares full folder paths; the excluded folder itself and everything below it count.
bool LiegtIn(const String& langerOrdner, const String& langerAusgenommen) {
    if (langerAusgenommen.empty()) return false;
    String a = MitBackslash(langerOrdner), b = MitBackslash(langerAusgenommen);
    return a.size() >= b.size() && CompareStringOrdinal(a.c_str(), static_cast<int>(b.size()), b.c_str(),
                                                        static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// The text decides for every folder. The identity costs an open, so it is asked only where
// another path can lead to the excluded folder: the folder the walk starts from, a junction or
// link, and a folder bearing the excluded folder's name (below a substituted or mapped drive).
bool Ausgenommen(const String& d, const String& name, bool umleitung, const Ausnahme& a) {
    if (a.pfad.empty()) return false;
    if (LiegtIn(LangerPfad(d), a.pfad)) return true;
    if (!a.kennungBekannt || !(name.empty() || umleitung || TextGleich(name, a.name))) return false;
    Kennung k;
    return KennungLesen(d, k) && k == a.kennung;
}

struct Walk {
    const DateiGefunden& datei;
    const Ausnahme& ausnahme;
    const Weitermachen& weiter;
    const OrdnerUnlesbar& unlesbar;
};

// Every entry of a search; the search asks for names only, since a hint to list folders alone
// may be honoured or not, and the callers tell folders from files themselves. A search that
// cannot start or breaks off is reported: the files it did not yield are not backed up.
template <typename F> bool Durchsuchen(const String& ordner, const String& muster, const Walk& w, F&& f) {
    WIN32_FIND_DATAW data;
    HANDLE h = Aufrufe().sucheBeginnen(LangerPfad(ordner + muster).c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD fehler = GetLastError();
        if (!NichtDa(fehler) && w.unlesbar) w.unlesbar(ordner, fehler);
        return true;
    }
    bool weitermachen = true;
    do {
        if (!Verborgen(data) && !f(data)) weitermachen = false;
        if (weitermachen && w.weiter && !w.weiter()) weitermachen = false;
    } while (weitermachen && Aufrufe().sucheWeiter(h, &data));
    const DWORD fehler = weitermachen ? GetLastError() : ERROR_NO_MORE_FILES;
    FindClose(h);
    if (fehler != ERROR_NO_MORE_FILES && w.unlesbar) w.unlesbar(ordner, fehler);
    return weitermachen;
}

bool Rekursiv(const String& d, const String& maske, const Walk& w) {
    bool alles = maske == L"*.*" || maske == L"*";
    struct Fund {
        String pfad;
        FILETIME geschrieben;
        DWORD attribute;
    };
    std::vector<Fund> dateien;
    // One search serves both when the mask takes every file; folders are entered as they come,
    // the folder's own files follow once all sub-folders are done.
    bool ok = Durchsuchen(d, L"*.*", w, [&](const WIN32_FIND_DATAW& f) {
        String name = f.cFileName;
        if (!IstOrdner(f)) {
            if (alles) dateien.push_back({d + name, f.ftLastWriteTime, f.dwFileAttributes});
            return true;
        }
        if (name == L"." || name == L".." || TextGleich(name, L".svn")) return true;
        String unter = d + name + L"\\";
        if (Ausgenommen(unter, name, f.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT, w.ausnahme))
            return true;
        return Rekursiv(unter, maske, w);
    });
    if (ok && !alles)
        ok = Durchsuchen(d, maske, w, [&](const WIN32_FIND_DATAW& f) {
            if (!IstOrdner(f)) dateien.push_back({d + f.cFileName, f.ftLastWriteTime, f.dwFileAttributes});
            return true;
        });
    if (!ok) return false;
    for (const Fund& f : dateien)
        w.datei(f.pfad, f.geschrieben, f.attribute);
    return true;
}

} // namespace

bool DateienRekursiv(const String& verzeichnis, const String& maske, const DateiGefunden& datei,
                     const String& ausgenommen, const Weitermachen& weiter, const OrdnerUnlesbar& unlesbar) {
    String d = MitBackslash(verzeichnis);
    Ausnahme ausnahme = AusnahmeVon(ausgenommen);
    if (Ausgenommen(d, L"", false, ausnahme)) return true;
    return Rekursiv(d, maske, Walk{datei, ausnahme, weiter, unlesbar});
}

void DateienRekursivToItems(const String& verzeichnis, const String& maske, TStrings* liste, bool leeren,
                            const String& ausgenommen) {
    if (!liste) InternerFehler(L"kiv_sys", L"DateienRekursivToItems SL nicht zugewiesen.");
    if (leeren) liste->Clear();
    DateienRekursiv(
        verzeichnis, maske, [&](const String& pfad, const FILETIME&, DWORD) { liste->Add(pfad); },
        ausgenommen);
}
