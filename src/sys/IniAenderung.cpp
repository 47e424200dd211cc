#include "sys/IniAenderung.h"
#include "sys/Dateien.h"
#include "sys/Unicodedatei.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <windows.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct TIniKopie {
    String datei;
    String kopie;                              // empty once it took the file's place
    DWORD attribute = INVALID_FILE_ATTRIBUTES; // the file's; none when there was no file
    bool geschrieben = false;
    bool kaputt = false; // a write into it failed: it must not take the file's place
    TIniKopie* naechste = nullptr;
    // A section this change erased is gathered here and written in one go: under some systems
    // every single value write rewrites the whole file, which makes a long list cost the square
    // of its lines. `werte` is the section's whole content; `offen` says the copy lags behind it.
    bool sammeln = false;
    String sektion;
    std::vector<std::pair<String, String>> werte;
    std::unordered_map<String, size_t> stelle; // key in capitals -> its place in werte
    bool offen = false;
};

namespace {
// The open changes of this thread. Another thread's change is another program's to it.
thread_local TIniKopie* t_offen = nullptr;

// What another program holds open is given back within moments; a load of the window is the
// longest hold we wait for.
constexpr ULONGLONG kGeduldMs = 2000;
constexpr DWORD kSchrittMs = 20;

// File and section names are the same whatever the letter case.
bool GleicherName(const String& a, const String& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

TIniKopie* Offen(const String& datei) {
    for (TIniKopie* k = t_offen; k; k = k->naechste)
        if (GleicherName(k->datei, datei)) return k;
    return nullptr;
}

void Austragen(TIniKopie* kopie) {
    for (TIniKopie** p = &t_offen; *p; p = &(*p)->naechste)
        if (*p == kopie) {
            *p = kopie->naechste;
            return;
        }
}

// The profile functions may keep a file's content: they read it anew after this.
void CacheLeeren(const String& datei) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, datei.c_str());
}

// Refusals that pass: another program has the file open, or it is being replaced just now. A
// read-only file or a folder refuses for good.
bool Voruebergehend(DWORD fehler, const String& datei) {
    if (fehler == ERROR_SHARING_VIOLATION || fehler == ERROR_LOCK_VIOLATION) return true;
    if (fehler != ERROR_ACCESS_DENIED) return false;
    DWORD attribute = GetFileAttributesW(datei.c_str());
    return attribute == INVALID_FILE_ATTRIBUTES ||
           !(attribute & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY));
}

// Tries again while the refusal passes; GetLastError tells the last reason.
bool Geduldig(const String& datei, const std::function<bool()>& versuch) {
    const ULONGLONG anfang = GetTickCount64();
    for (;;) {
        if (versuch()) return true;
        const DWORD fehler = GetLastError();
        if (!Voruebergehend(fehler, datei) || GetTickCount64() - anfang >= kGeduldMs) {
            SetLastError(fehler);
            return false;
        }
        Sleep(kSchrittMs);
    }
}

HANDLE ZumLesen(const String& datei) {
    HANDLE h = INVALID_HANDLE_VALUE;
    Geduldig(datei, [&] {
        h = CreateFileW(datei.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return h != INVALID_HANDLE_VALUE;
    });
    return h;
}

// The file's bytes; a missing file gives the mark of an empty UTF-16LE file, so that a file the
// change creates starts as UTF-16LE.
bool InhaltLesen(const String& datei, std::string& inhalt) {
    HANDLE h = ZumLesen(datei);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD fehler = GetLastError();
        inhalt = kUtf16Marke;
        return fehler == ERROR_FILE_NOT_FOUND || fehler == ERROR_PATH_NOT_FOUND;
    }
    char puffer[16384];
    DWORD n = 0;
    bool ok;
    while ((ok = ReadFile(h, puffer, sizeof puffer, &n, nullptr) != 0) && n > 0)
        inhalt.append(puffer, n);
    CloseHandle(h);
    return ok;
}

bool AllesSchreiben(HANDLE h, const std::string& daten) {
    for (size_t fertig = 0; fertig < daten.size();) {
        DWORD n = 0;
        const size_t rest = daten.size() - fertig;
        if (!WriteFile(h, daten.data() + fertig, rest > 65536 ? 65536 : static_cast<DWORD>(rest), &n,
                       nullptr) ||
            n == 0)
            return false;
        fertig += n;
    }
    return true;
}

// Beside the file, so that putting it in place is a rename on the same medium. The name carries
// the process, for two programs saving at once; a copy a crash left behind is stepped over.
String KopieAnlegen(const String& datei, const std::string& inhalt) {
    wchar_t prozess[16];
    swprintf(prozess, 16, L"%lx", GetCurrentProcessId());
    String kopie;
    HANDLE h = NeueDateiAnlegen(datei + L"~" + prozess + L"-", L".tmp", 1, 999, kopie);
    if (h == INVALID_HANDLE_VALUE) return String();
    const bool ok = AllesSchreiben(h, inhalt);
    CloseHandle(h);
    if (ok) return kopie;
    DeleteFileW(kopie.c_str());
    return String();
}

// The profile functions of some systems report success for a write that a full medium cut short;
// a write that leaves the medium without a free byte counts as refused.
bool MediumVoll(const String& datei) {
    const String ordner = datei.substr(0, datei.find_last_of(L'\\') + 1);
    ULARGE_INTEGER frei{};
    return GetDiskFreeSpaceExW(ordner.c_str(), &frei, nullptr, nullptr) && frei.QuadPart == 0;
}

// On the medium before it takes the file's place: a stick pulled right after a save must not
// hold a renamed file whose content never arrived.
bool Festschreiben(const String& datei) {
    HANDLE h = CreateFileW(datei.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = FlushFileBuffers(h);
    CloseHandle(h);
    return ok;
}

bool SchreibenGeprueft(TIniKopie& k, const String& text, const std::function<bool()>& schreiben) {
    if (UnicodeSicherstellen(k.kopie, text) && schreiben() && !MediumVoll(k.kopie)) return true;
    k.kaputt = true;
    return false;
}

// Brings the gathered section into the copy: the section write replaces the section's lines with
// the same lines the single writes would have left, in the order the keys came first.
bool Nachtragen(TIniKopie& k) {
    if (!k.offen) return !k.kaputt;
    k.offen = false;
    String text = k.sektion, block;
    for (const auto& [key, wert] : k.werte) {
        block += key + L"=" + wert;
        block.push_back(L'\0');
        text += key + wert;
    }
    block.push_back(L'\0');
    return SchreibenGeprueft(k, text, [&] {
        return WritePrivateProfileSectionW(k.sektion.c_str(), block.c_str(), k.kopie.c_str()) != 0;
    });
}

// A key the profile functions would trim or split cannot be gathered as it stands.
bool Sammelbar(const String& key) {
    return !key.empty() && key.find(L'=') == String::npos && key.front() != L' ' && key.front() != L'\t' &&
           key.back() != L' ' && key.back() != L'\t' && key.front() != L'[' && key.front() != L';';
}

// One write through the profile functions `schreiben` (given the file to write): into the copy
// of this thread's open change, else as a change of its own. `text` is everything the write
// brings, `wert` whether it adds a value (an erase alone does not create a missing file).
// `sammeln`, when given, may take the write into what the change gathers and says whether it did.
void IniSchreiben(const String& datei, const String& text, bool wert,
                  const std::function<bool(const String& ziel)>& schreiben,
                  const std::function<bool(TIniKopie&)>& sammeln = nullptr) {
    // Where the profile functions put a name without a full path is theirs to know; such a file
    // gets only what its code page can hold.
    if (!VollerPfad(datei)) {
        if (!AnsiDarstellbar(text) || !schreiben(datei)) IniSchreibfehler(datei);
        return;
    }
    TqelIniAenderung eigene(datei);
    TIniKopie& k = *Offen(datei);
    if (sammeln && sammeln(k)) {
        if (wert) k.geschrieben = true;
    } else if (!Nachtragen(k) || !SchreibenGeprueft(k, text, [&] { return schreiben(k.kopie); })) {
        IniSchreibfehler(datei);
    } else if (wert) {
        k.geschrieben = true;
    }
    eigene.Uebernehmen();
}
} // namespace

void IniSchreibfehler(const String& datei) {
    throw Exception(Format(L"In %s kann nicht geschrieben werden", datei.c_str()));
}

TqelIniAenderung::TqelIniAenderung(const String& datei) {
    if (!VollerPfad(datei) || Offen(datei)) return;
    auto k = std::make_unique<TIniKopie>();
    k->datei = datei;
    k->attribute = GetFileAttributesW(datei.c_str());
    std::string inhalt;
    // A read-only file refuses a save, whatever the medium lets a rename do.
    if ((k->attribute != INVALID_FILE_ATTRIBUTES && (k->attribute & FILE_ATTRIBUTE_READONLY)) ||
        !InhaltLesen(datei, inhalt))
        IniSchreibfehler(datei);
    k->kopie = KopieAnlegen(datei, inhalt);
    if (k->kopie.empty()) IniSchreibfehler(datei);
    kopie_ = k.release();
    kopie_->naechste = t_offen;
    t_offen = kopie_;
}

TqelIniAenderung::~TqelIniAenderung() {
    Schliessen();
}

void TqelIniAenderung::Schliessen() {
    if (!kopie_) return;
    Austragen(kopie_);
    if (!kopie_->kopie.empty()) {
        CacheLeeren(kopie_->kopie);
        DeleteFileW(kopie_->kopie.c_str());
    }
    delete kopie_;
    kopie_ = nullptr;
}

void TqelIniAenderung::Uebernehmen() {
    if (!kopie_) return;
    TIniKopie& k = *kopie_;
    if (!Nachtragen(k)) IniSchreibfehler(k.datei);
    CacheLeeren(k.kopie);
    // A change that wrote nothing into a file that was not there leaves it not there.
    if (k.attribute != INVALID_FILE_ATTRIBUTES || k.geschrieben) {
        if (k.attribute != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(k.kopie.c_str(), k.attribute);
        const bool ok = Festschreiben(k.kopie) && Geduldig(k.datei, [&] {
                            return MoveFileExW(k.kopie.c_str(), k.datei.c_str(),
                                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
                        });
        if (!ok) IniSchreibfehler(k.datei);
        k.kopie.clear();
        CacheLeeren(k.datei);
    }
    Schliessen();
}

TqelIniLesesperre::TqelIniLesesperre(const String& datei) : handle_(INVALID_HANDLE_VALUE) {
    if (!VollerPfad(datei) || Offen(datei)) return;
    handle_ = ZumLesen(datei);
    if (handle_ == INVALID_HANDLE_VALUE) {
        const DWORD fehler = GetLastError();
        verweigert_ = fehler != ERROR_FILE_NOT_FOUND && fehler != ERROR_PATH_NOT_FOUND;
    }
}

TqelIniLesesperre::~TqelIniLesesperre() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

// A read sees what was gathered; a failure to write it shows at the next write or at the end.
String IniLeseziel(const String& datei) {
    TIniKopie* k = Offen(datei);
    if (!k) return datei;
    Nachtragen(*k);
    return k->kopie;
}

void IniNachtragen(const String& datei) {
    TIniKopie* k = Offen(datei);
    if (k && !Nachtragen(*k)) IniSchreibfehler(datei);
}

void IniWertSchreiben(const String& datei, const String& sektion, const String& key, const String& wert) {
    auto sammeln = [&](TIniKopie& k) {
        if (!k.sammeln || !GleicherName(k.sektion, sektion)) return false;
        if (!Sammelbar(key)) {
            k.sammeln = false; // the copy's section goes its own way from here
            return false;
        }
        auto [ort, neu] = k.stelle.emplace(GrossBuchstaben(key), k.werte.size());
        if (neu)
            k.werte.emplace_back(key, wert);
        else
            k.werte[ort->second].second = wert;
        k.offen = true;
        return true;
    };
    IniSchreiben(
        datei, sektion + key + wert, true,
        [&](const String& ziel) {
            return WritePrivateProfileStringW(sektion.c_str(), key.c_str(), wert.c_str(), ziel.c_str()) != 0;
        },
        sammeln);
}

// A file that is not there yet has no section to erase; a missing folder is a failure. The
// erased section is gathered from here on.
void IniSektionLoeschen(const String& datei, const String& sektion) {
    bool erfolg = false;
    IniSchreiben(datei, sektion, false, [&](const String& ziel) {
        erfolg = WritePrivateProfileStringW(sektion.c_str(), nullptr, nullptr, ziel.c_str()) ||
                 (GetFileAttributesW(ziel.c_str()) == INVALID_FILE_ATTRIBUTES &&
                  GetLastError() == ERROR_FILE_NOT_FOUND);
        return erfolg;
    });
    TIniKopie* k = erfolg ? Offen(datei) : nullptr;
    if (!k) return;
    k->sammeln = true;
    k->sektion = sektion;
    k->werte.clear();
    k->stelle.clear();
    k->offen = false;
}
