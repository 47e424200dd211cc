// The recursive listing of the file operations.
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

// Compares full folder paths; the excluded folder itself and everything below it count.
bool LiegtIn(const String& langerOrdner, const String& langerAusgenommen) {
    if (langerAusgenommen.empty()) return false;
    String a = MitBackslash(langerOrdner), b = MitBackslash(langerAusgenommen);
    return a.size() >= b.size() && CompareStringOrdinal(a.c_str(), static_cast<int>(b.size()), b.c_str(),
                                                        static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

template <typename F> void Durchsuchen(const String& muster, bool nurDateien, F&& f) {
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileExW(LangerPfad(muster).c_str(), FindExInfoBasic, &data,
                                nurDateien ? FindExSearchNameMatch : FindExSearchLimitToDirectories, nullptr,
                                FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) return;
    do {
        if (!Verborgen(data)) f(data);
    } while (FindNextFileW(h, &data));
    FindClose(h);
}

void Rekursiv(const String& d, const String& maske, const DateiGefunden& datei, const String& ausgenommen) {
    if (LiegtIn(LangerPfad(d), ausgenommen)) return;
    bool alles = maske == L"*.*" || maske == L"*";
    std::vector<std::pair<String, FILETIME>> dateien;
    // One search serves both when the mask takes every file; folders are entered as they come,
    // the folder's own files follow once all sub-folders are done.
    Durchsuchen(d + L"*.*", false, [&](const WIN32_FIND_DATAW& f) {
        String name = f.cFileName;
        if (IstOrdner(f)) {
            if (name != L"." && name != L".." && !TextGleich(name, L".svn"))
                Rekursiv(d + name + L"\\", maske, datei, ausgenommen);
        } else if (alles) {
            dateien.emplace_back(d + name, f.ftLastWriteTime);
        }
    });
    if (!alles)
        Durchsuchen(d + maske, true, [&](const WIN32_FIND_DATAW& f) {
            if (!IstOrdner(f)) dateien.emplace_back(d + f.cFileName, f.ftLastWriteTime);
        });
    for (auto& [pfad, zeit] : dateien)
        datei(pfad, zeit);
}

} // namespace

void DateienRekursiv(const String& verzeichnis, const String& maske, const DateiGefunden& datei,
                     const String& ausgenommen) {
    String lang = ausgenommen.empty() ? String() : LangerPfad(MitBackslash(ausgenommen));
    Rekursiv(MitBackslash(verzeichnis), maske, datei, lang);
}

void DateienRekursivToItems(const String& verzeichnis, const String& maske, TStrings* liste, bool leeren,
                            const String& ausgenommen) {
    if (!liste) InternerFehler(L"kiv_sys", L"DateienRekursivToItems SL nicht zugewiesen.");
    if (leeren) liste->Clear();
    DateienRekursiv(
        verzeichnis, maske, [&](const String& pfad, const FILETIME&) { liste->Add(pfad); }, ausgenommen);
}
