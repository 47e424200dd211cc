#include "sys/IniDokument.h"
#include "sys/Dateien.h"
#include "sys/Unicodedatei.h"
#include "toolkit/SysUtils.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <string>

namespace {
// What another program holds open is given back within moments; a load of the window is the
// longest hold we wait for.
constexpr ULONGLONG kGeduldMs = 2000;
constexpr DWORD kSchrittMs = 20;
// The profile functions answer a value into a buffer of this size, the end marker included.
constexpr size_t kWertPuffer = 2048;

// The blanks the profile functions cut around lines, names and values.
bool Leer(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f' || c == 0x1A;
}

String Getrimmt(const String& s) {
    size_t a = 0, e = s.size();
    while (a < e && Leer(s[a]))
        ++a;
    while (e > a && Leer(s[e - 1]))
        --e;
    return s.substr(a, e - a);
}

// Names are the same whatever the letter case: they are looked up in capitals.
String Grossgeschrieben(const String& name) {
    String gross = name;
    if (!gross.empty())
        LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.c_str(), static_cast<int>(name.size()),
                      gross.data(), static_cast<int>(gross.size()), nullptr, nullptr, 0);
    return gross;
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

// False with GetLastError when the file cannot be opened or read.
bool DateiLesen(const String& datei, std::string& inhalt) {
    HANDLE h = INVALID_HANDLE_VALUE;
    // No sharing for deletion: a replace waits until the whole file is read.
    if (!Geduldig(datei, [&] {
            h = CreateFileW(datei.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            return h != INVALID_HANDLE_VALUE;
        }))
        return false;
    LARGE_INTEGER groesse{};
    if (GetFileSizeEx(h, &groesse)) inhalt.reserve(static_cast<size_t>(groesse.QuadPart));
    char puffer[65536];
    DWORD n = 0;
    bool ok;
    while ((ok = ReadFile(h, puffer, sizeof puffer, &n, nullptr) != 0) && n > 0)
        inhalt.append(puffer, n);
    const DWORD fehler = GetLastError();
    CloseHandle(h);
    SetLastError(fehler);
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

// Some systems report success for a write that a full medium cut short; a write that leaves the
// medium without a free byte counts as refused.
bool MediumVoll(const String& datei) {
    ULARGE_INTEGER frei{};
    return GetDiskFreeSpaceExW(OrdnerTeil(datei).c_str(), &frei, nullptr, nullptr) && frei.QuadPart == 0;
}

String AusCodeseite(UINT seite, const char* bytes, size_t laenge) {
    if (laenge == 0) return String();
    const int n = MultiByteToWideChar(seite, 0, bytes, static_cast<int>(laenge), nullptr, 0);
    String text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(seite, 0, bytes, static_cast<int>(laenge), text.data(), n);
    return text;
}

std::string InCodeseite(UINT seite, const String& text) {
    if (text.empty()) return std::string();
    const int n =
        WideCharToMultiByte(seite, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(seite, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}

// Where the profile functions look for a file named without a full path.
String ImWindowsOrdner(const String& datei) {
    wchar_t windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryW(windows, MAX_PATH);
    return String(windows, n < MAX_PATH ? n : 0) + L"\\" + datei;
}
} // namespace

void IniSchreibfehler(const String& datei) {
    throw Exception(Format(L"In %s kann nicht geschrieben werden", datei.c_str()));
}

TIniDokument::TIniDokument(const String& datei) : datei_(datei), nurAnsi_(!VollerPfad(datei)) {
    const String pfad = nurAnsi_ ? ImWindowsOrdner(datei) : datei;
    std::string bytes;
    if (DateiLesen(pfad, bytes)) {
        Einlesen(bytes);
    } else {
        const DWORD fehler = GetLastError();
        verweigert_ = fehler != ERROR_FILE_NOT_FOUND && fehler != ERROR_PATH_NOT_FOUND;
        // A file this creates is UTF-16LE, so that it keeps every character; one the profile
        // functions place themselves is 8-bit.
        kodierung_ = nurAnsi_ ? TKodierung::Ansi : TKodierung::Utf16;
    }
}

TIniDokument::~TIniDokument() {
    Verwerfen();
}

void TIniDokument::Einlesen(const std::string& bytes) {
    String text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        kodierung_ = TKodierung::Utf16;
        // A last odd byte counts as a character of its own, as the profile functions read it.
        text.resize((bytes.size() - 1) / 2);
        memcpy(text.data(), bytes.data() + 2, bytes.size() - 2);
    } else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        kodierung_ = TKodierung::Utf8;
        text = AusCodeseite(CP_UTF8, bytes.data() + 3, bytes.size() - 3);
    } else {
        kodierung_ = TKodierung::Ansi;
        text = AusCodeseite(CP_ACP, bytes.data(), bytes.size());
    }

    TSektion sektion;
    sektion.kopf = false; // the lines before the first section
    for (size_t anfang = 0; anfang < text.size();) {
        size_t ende = text.find_first_of(L"\r\n", anfang);
        if (ende == String::npos) ende = text.size();
        const String zeile = Getrimmt(text.substr(anfang, ende - anfang));
        // One line break is "\r\n", "\n" or "\r".
        anfang = ende;
        if (anfang < text.size() && text[anfang] == L'\r') ++anfang;
        if (anfang < text.size() && text[anfang] == L'\n') ++anfang;

        if (zeile.empty()) continue;
        if (zeile[0] == L'[') {
            const size_t zu = zeile.rfind(L']');
            if (zu != String::npos) {
                Anhaengen(std::move(sektion));
                sektion = TSektion();
                sektion.name = zeile.substr(1, zu - 1);
                continue;
            }
        }
        TZeile z;
        const size_t gleich = zeile.find(L'=');
        if (gleich == String::npos) {
            z.name = zeile;
        } else {
            z.name = Getrimmt(zeile.substr(0, gleich));
            z.wert = Getrimmt(zeile.substr(gleich + 1));
        }
        sektion.zeilen.push_back(std::move(z));
    }
    Anhaengen(std::move(sektion));
    Verzeichnen();
}

void TIniDokument::Anhaengen(TSektion sektion) {
    if (!sektion.kopf && sektion.zeilen.empty()) return;
    for (size_t i = 0; i < sektion.zeilen.size(); ++i)
        if (sektion.zeilen[i].wert) sektion.keys.emplace(Grossgeschrieben(sektion.zeilen[i].name), i);
    sektionen_.push_back(std::move(sektion));
}

void TIniDokument::Verzeichnen() {
    sektionsIndex_.clear();
    for (size_t i = 0; i < sektionen_.size(); ++i)
        if (sektionen_[i].kopf) sektionsIndex_.emplace(Grossgeschrieben(sektionen_[i].name), i);
}

const TIniDokument::TSektion* TIniDokument::Finden(const String& sektion) const {
    auto ort = sektionsIndex_.find(Grossgeschrieben(Getrimmt(sektion)));
    return ort == sektionsIndex_.end() ? nullptr : &sektionen_[ort->second];
}

namespace {
// The value as a read of the profile functions answers it.
String Gelesen(const String& gespeichert) {
    String wert = Getrimmt(gespeichert);
    if (wert.size() >= 2 && (wert[0] == L'"' || wert[0] == L'\'') && wert.back() == wert[0])
        wert = wert.substr(1, wert.size() - 2);
    if (wert.size() > kWertPuffer - 1) wert.resize(kWertPuffer - 1);
    return wert;
}

bool Kommentar(const String& name) {
    return !name.empty() && name[0] == L';';
}
} // namespace

std::optional<String> TIniDokument::Wert(const String& sektion, const String& key) const {
    const TSektion* s = Finden(sektion);
    if (!s) return std::nullopt;
    auto ort = s->keys.find(Grossgeschrieben(Getrimmt(key)));
    if (ort == s->keys.end()) return std::nullopt;
    return Gelesen(*s->zeilen[ort->second].wert);
}

std::vector<std::pair<String, String>> TIniDokument::Werte(const String& sektion) const {
    std::vector<std::pair<String, String>> werte;
    if (const TSektion* s = Finden(sektion)) {
        werte.reserve(s->zeilen.size());
        for (const TZeile& z : s->zeilen)
            if (z.wert && !Kommentar(z.name)) werte.emplace_back(z.name, Gelesen(*z.wert));
    }
    return werte;
}

void TIniDokument::Schreiben(const String& sektion, const String& key, const String& wert) {
    const String name = Getrimmt(sektion);
    auto ort = sektionsIndex_.find(Grossgeschrieben(name));
    if (ort == sektionsIndex_.end()) {
        TSektion neu;
        neu.name = name;
        sektionen_.push_back(std::move(neu));
        ort = sektionsIndex_.emplace(Grossgeschrieben(name), sektionen_.size() - 1).first;
    }
    TSektion& s = sektionen_[ort->second];
    size_t a = 0;
    while (a < wert.size() && Leer(wert[a]))
        ++a;
    String neuerWert = wert.substr(a);
    const String keyName = Getrimmt(key);
    auto [stelle, neu] = s.keys.emplace(Grossgeschrieben(keyName), s.zeilen.size());
    if (neu) {
        s.zeilen.push_back(TZeile{keyName, std::move(neuerWert)});
    } else {
        TZeile& z = s.zeilen[stelle->second];
        if (z.wert == neuerWert) return;
        z.wert = std::move(neuerWert);
    }
    geaendert_ = true;
}

void TIniDokument::SektionLoeschen(const String& sektion) {
    auto ort = sektionsIndex_.find(Grossgeschrieben(Getrimmt(sektion)));
    if (ort == sektionsIndex_.end()) return;
    sektionen_.erase(sektionen_.begin() + static_cast<std::ptrdiff_t>(ort->second));
    Verzeichnen();
    geaendert_ = true;
}

String TIniDokument::Text() const {
    String text;
    for (const TSektion& s : sektionen_) {
        if (s.kopf) text += L"[" + s.name + L"]\r\n";
        for (const TZeile& z : s.zeilen) {
            text += z.name;
            if (z.wert) text += L"=" + *z.wert;
            text += L"\r\n";
        }
    }
    return text;
}

void TIniDokument::Vorbereiten() {
    if (neu_) return;
    const String pfad = nurAnsi_ ? ImWindowsOrdner(datei_) : datei_;
    attribute_ = GetFileAttributesW(pfad.c_str());
    // A read-only file refuses a save, whatever the medium lets a rename do.
    if (verweigert_ || (attribute_ != INVALID_FILE_ATTRIBUTES && (attribute_ & FILE_ATTRIBUTE_READONLY)))
        IniSchreibfehler(datei_);
    // Beside the file, so that putting it in place is a rename on the same medium. The name
    // carries the process, for two programs saving at once; a file a crash left behind is
    // stepped over.
    wchar_t prozess[16];
    swprintf(prozess, 16, L"%lx", GetCurrentProcessId());
    HANDLE h = NeueDateiAnlegen(pfad + L"~" + prozess + L"-", L".tmp", 1, 999, neuName_);
    if (h == INVALID_HANDLE_VALUE) IniSchreibfehler(datei_);
    neu_ = h;
}

void TIniDokument::Verwerfen() {
    if (!neu_) return;
    CloseHandle(neu_);
    neu_ = nullptr;
    DeleteFileW(neuName_.c_str());
    neuName_.clear();
}

void TIniDokument::Speichern() {
    if (!geaendert_) {
        Verwerfen();
        return;
    }
    const String text = Text();
    // A file that cannot hold a value as it stands becomes UTF-16LE with all it holds; one named
    // without a full path is the profile functions' and refuses.
    TKodierung kodierung = kodierung_;
    if (kodierung == TKodierung::Ansi && !AnsiDarstellbar(text)) {
        if (nurAnsi_) IniSchreibfehler(datei_);
        kodierung = TKodierung::Utf16;
    }
    std::string bytes;
    if (kodierung == TKodierung::Utf16) {
        bytes.assign(kUtf16Marke, 2);
        bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    } else if (kodierung == TKodierung::Utf8) {
        bytes = "\xEF\xBB\xBF" + InCodeseite(CP_UTF8, text);
    } else {
        bytes = InCodeseite(CP_ACP, text);
    }
    Vorbereiten();
    try {
        // On the medium before it takes the file's place: a stick pulled right after a save must
        // not hold a renamed file whose content never arrived.
        const bool geschrieben = AllesSchreiben(neu_, bytes) && FlushFileBuffers(neu_);
        CloseHandle(neu_);
        neu_ = nullptr;
        const String pfad = nurAnsi_ ? ImWindowsOrdner(datei_) : datei_;
        if (!geschrieben || MediumVoll(neuName_)) IniSchreibfehler(datei_);
        if (attribute_ != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(neuName_.c_str(), attribute_);
        if (!Geduldig(pfad, [&] {
                return MoveFileExW(neuName_.c_str(), pfad.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
            }))
            IniSchreibfehler(datei_);
    } catch (...) {
        if (neu_) CloseHandle(neu_);
        neu_ = nullptr;
        DeleteFileW(neuName_.c_str());
        neuName_.clear();
        throw;
    }
    neuName_.clear();
    kodierung_ = kodierung;
    geaendert_ = false;
}
