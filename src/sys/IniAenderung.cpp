#include "sys/IniAenderung.h"
#include "sys/Unicodedatei.h"
#include "toolkit/SysUtils.h"

#include <windows.h>

#include <memory>
#include <string>

struct TIniKopie {
    String datei;
    String kopie;                              // empty once it took the file's place
    DWORD attribute = INVALID_FILE_ATTRIBUTES; // the file's; none when there was no file
    bool geschrieben = false;
    bool kaputt = false; // a write into it failed: it must not take the file's place
    TIniKopie* naechste = nullptr;
};

namespace {
// The open changes of this thread. Another thread's change is another program's to it.
thread_local TIniKopie* t_offen = nullptr;

// What another program holds open is given back within moments; a load of the window is the
// longest hold we wait for.
constexpr ULONGLONG kGeduldMs = 2000;
constexpr DWORD kSchrittMs = 20;

TIniKopie* Offen(const String& datei) {
    for (TIniKopie* k = t_offen; k; k = k->naechste)
        if (CompareStringOrdinal(k->datei.c_str(), -1, datei.c_str(), -1, TRUE) == CSTR_EQUAL) return k;
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
    for (int i = 1; i < 1000; ++i) {
        String kopie = datei + L"~" + prozess + L"-" + std::to_wstring(i) + L".tmp";
        HANDLE h =
            CreateFileW(kopie.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) continue;
            return String();
        }
        const bool ok = AllesSchreiben(h, inhalt);
        CloseHandle(h);
        if (ok) return kopie;
        DeleteFileW(kopie.c_str());
        return String();
    }
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
    if (k.kaputt) IniSchreibfehler(k.datei);
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
    if (VollerPfad(datei) && !Offen(datei)) handle_ = ZumLesen(datei);
}

TqelIniLesesperre::~TqelIniLesesperre() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

String IniLeseziel(const String& datei) {
    TIniKopie* k = Offen(datei);
    return k ? k->kopie : datei;
}

void IniSchreiben(const String& datei, const String& text, bool wert,
                  const std::function<bool(const String& ziel)>& schreiben) {
    // Where the profile functions put a name without a full path is theirs to know; such a file
    // gets only what its code page can hold.
    if (!VollerPfad(datei)) {
        if (!AnsiDarstellbar(text) || !schreiben(datei)) IniSchreibfehler(datei);
        return;
    }
    TqelIniAenderung eigene(datei);
    TIniKopie& k = *Offen(datei);
    if (!UnicodeSicherstellen(k.kopie, text) || !schreiben(k.kopie) || MediumVoll(k.kopie)) {
        k.kaputt = true;
        IniSchreibfehler(datei);
    }
    if (wert) k.geschrieben = true;
    eigene.Uebernehmen();
}
