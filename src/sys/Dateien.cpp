#include "sys/Dateien.h"

#include "sys/DateiAufrufe.h"
#include "sys/Dateizeit.h"
#include "sys/Meldungen.h"
#include "toolkit/Application.h"
#include "toolkit/SysUtils.h"
#include "util/DatumZeit.h"
#include "util/kv7_str.h"

#include <cwchar>
#include <memory>
#include <optional>
#include <vector>

namespace {

Handle Oeffnen(const String& pfad, DWORD zugriff, DWORD teilen, DWORD anlegen) {
    HANDLE h = CreateFileW(LangerPfad(pfad).c_str(), zugriff, teilen, nullptr, anlegen, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    return Handle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

bool Attribute(const String& pfad, WIN32_FILE_ATTRIBUTE_DATA& data) {
    if (Trimmen(pfad).empty()) return false;
    return GetFileAttributesExW(LangerPfad(pfad).c_str(), GetFileExInfoStandard, &data) != 0;
}

bool IstVerzeichnis(const String& pfad) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    return Attribute(pfad, d) && (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IstDatei(const String& pfad) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    return Attribute(pfad, d) && !(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

// From this size on a copy is flushed to the medium before it replaces the old one.
constexpr long long kSpuelenAb = 1 << 20;

// A failure leaves `datei` empty with the system's reason in GetLastError. The handle may
// rename its file (AnDieStelle).
String NeuesTemporaer(const String& ziel, Handle& datei) {
    String name;
    HANDLE h =
        NeueDateiAnlegen(OrdnerTeil(ziel) + L"~sicherung" + std::to_wstring(GetCurrentProcessId()) + L"_",
                         L".tmp", 0, 10000, name, GENERIC_WRITE | DELETE);
    if (h != INVALID_HANDLE_VALUE) datei.reset(h);
    return name;
}

// The rename of an open file takes the native form of the new name: "\??\C:\..." for "\\?\C:\...".
bool OffenUmbenennen(HANDLE datei, const String& ziel) {
    String name = LangerPfad(ziel);
    if (name.rfind(L"\\\\?\\", 0) != 0) return false;
    name[1] = L'?';
    std::vector<char> puffer(sizeof(FILE_RENAME_INFO) + name.size() * sizeof(wchar_t));
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(puffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    name.copy(info->FileName, name.size());
    return Aufrufe().infoSetzen(datei, FileRenameInfo, info, static_cast<DWORD>(puffer.size())) != 0;
}

// The complete temporary copy takes the old copy's place; 0 or the system's reason. Renamed
// through its open handle it needs no second open. Where that fails, for whatever reason (a
// medium or system that cannot, a copy held open elsewhere), the rename by name has the last
// word, and its reason is the one reported.
DWORD AnDieStelle(Handle& temp, const String& tempName, const String& ziel) {
    if (OffenUmbenennen(temp.get(), ziel)) {
        if (CloseHandle(temp.release())) return 0;
        // A copy whose close fails may be incomplete, and with its source's time it would pass
        // for current: it goes, and the next run copies the file again.
        const DWORD fehler = GetLastError();
        DeleteFileW(LangerPfad(ziel).c_str());
        return fehler;
    }
    if (!CloseHandle(temp.release())) return GetLastError();
    if (!MoveFileExW(LangerPfad(tempName).c_str(), LangerPfad(ziel).c_str(), MOVEFILE_REPLACE_EXISTING))
        return GetLastError();
    return 0;
}

// A name holding a colon names a stream of a file.
bool IstStrom(const String& pfad) {
    return pfad.find(L':', OrdnerTeil(pfad).size()) != String::npos;
}

// Writing a stream sets the time of the file it belongs to, and that file's copy would then pass
// for a copy of its source without holding its content, never to be copied again. So the file
// keeps the time it had; one that the stream's copy brings into being gets the oldest time a copy
// can have, and its source is found newer. At worst the stream is copied again on the next run.
class TWirtZeit {
public:
    explicit TWirtZeit(const String& strom)
        : wirt_(strom.substr(0, strom.find(L':', OrdnerTeil(strom).size()))) {
        WIN32_FILE_ATTRIBUTE_DATA d;
        if (Attribute(wirt_, d)) {
            zeit_ = d.ftLastWriteTime;
        } else {
            zeit_ = Ortszeit().ZuSchreiben(FILETIME{}, SpeichertOrtszeit(wirt_));
        }
    }
    ~TWirtZeit() {
        if (Handle h =
                Oeffnen(wirt_, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING))
            SetFileTime(h.get(), nullptr, nullptr, &zeit_);
    }
    TWirtZeit(const TWirtZeit&) = delete;
    TWirtZeit& operator=(const TWirtZeit&) = delete;

private:
    String wirt_;
    FILETIME zeit_{};
};

[[noreturn]] void KannNichtErstellen(const String& ziel, DWORD fehler) {
    throw EKopierfehler(Format(L"Datei \"%s\" kann nicht erstellt werden. %s", ziel.c_str(),
                               SystemFehlerText(fehler).c_str()),
                        fehler, true);
}

// A final dot or blank survives only in the "\\?\" form; GetFullPathNameW would drop it. So
// only the folder a relative path starts from is asked of the system.
String Absolut(const String& pfad) {
    auto trenner = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    if (pfad.size() >= 2 && trenner(pfad[0]) && trenner(pfad[1])) return pfad;
    if (pfad.size() >= 3 && pfad[1] == L':' && trenner(pfad[2])) return pfad;
    String basis, rest;
    if (!pfad.empty() && trenner(pfad[0])) {
        basis = L"\\"; // the root of the current drive
        rest = pfad;
    } else if (pfad.size() >= 2 && pfad[1] == L':') {
        basis = pfad.substr(0, 2); // the current folder of that drive
        rest = pfad.substr(2);
    } else {
        basis = L".";
        rest = pfad;
    }
    DWORD n = GetFullPathNameW(basis.c_str(), 0, nullptr, nullptr);
    if (n == 0) return pfad;
    String voll(n, L'\0');
    voll.resize(GetFullPathNameW(basis.c_str(), n, voll.data(), nullptr));
    return voll + L"\\" + rest;
}

} // namespace

void HandleCloser::operator()(HANDLE h) const {
    if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
}

Handle GeteiltLesen(const String& datei) {
    HANDLE h = CreateFileW(LangerPfad(datei).c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return Handle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

HANDLE NeueDateiAnlegen(const String& vorNummer, const String& nachNummer, unsigned erste, unsigned anzahl,
                        String& name, DWORD zugriff) {
    for (unsigned n = erste; n < erste + anzahl; ++n) {
        name = vorNummer + std::to_wstring(n) + nachNummer;
        if (Handle datei = Oeffnen(name, zugriff, 0, CREATE_NEW)) return datei.release();
        const DWORD fehler = GetLastError();
        if (fehler != ERROR_FILE_EXISTS && fehler != ERROR_ALREADY_EXISTS) break;
    }
    const DWORD fehler = GetLastError();
    name.clear();
    SetLastError(fehler);
    return INVALID_HANDLE_VALUE;
}

String OrdnerTeil(const String& pfad) {
    size_t p = pfad.find_last_of(L"\\/");
    return p == String::npos ? String() : pfad.substr(0, p + 1);
}

bool NichtDa(DWORD fehler) {
    switch (fehler) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NOT_READY:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return true;
    default:
        return false;
    }
}

String LangerPfad(const String& pfad) {
    if (pfad.empty()) return pfad;
    if (pfad.rfind(L"\\\\?\\", 0) == 0 || pfad.rfind(L"\\\\.\\", 0) == 0) return pfad;
    const String voll = Absolut(pfad);
    // "\\?\" paths are taken literally: separators are made single, "." and ".." resolved here.
    const bool unc =
        voll.size() >= 2 && (voll[0] == L'\\' || voll[0] == L'/') && (voll[1] == L'\\' || voll[1] == L'/');
    std::vector<String> teile;
    size_t wurzel = unc ? 2 : 1; // server and share, or the drive
    for (size_t start = 0; start <= voll.size();) {
        size_t ende = voll.find_first_of(L"\\/", start);
        if (ende == String::npos) ende = voll.size();
        String teil = voll.substr(start, ende - start);
        if (teil == L"..") {
            if (teile.size() > wurzel) teile.pop_back();
        } else if (!teil.empty() && teil != L".") {
            teile.push_back(teil);
        }
        start = ende + 1;
    }
    String ergebnis = unc ? L"\\\\?\\UNC" : L"\\\\?";
    for (const String& teil : teile)
        ergebnis += L"\\" + teil;
    if (teile.size() <= wurzel || voll.back() == L'\\' || voll.back() == L'/') ergebnis += L"\\";
    return ergebnis;
}

bool DateiExistiert(const String& datei, bool meldung) {
    bool da = IstDatei(datei);
    if (!da && meldung) FehlerMeldung(L"Datei\r" + datei + L"\r" + L"nicht vorhanden.");
    return da;
}

void VerzeichnisNichtGefunden(const String& verzeichnis) {
    FehlerMeldung(L"Das Verzeichnis\r" + verzeichnis + L"\rwurde nicht gefunden.");
}

bool VerzeichnisExistiert(const String& verzeichnis, bool meldung) {
    bool da = IstVerzeichnis(verzeichnis);
    if (!da && meldung) VerzeichnisNichtGefunden(verzeichnis);
    return da;
}

bool VerzeichnisErstellen(const String& verzeichnis, bool meldung, DWORD* fehler, bool* neu) {
    if (fehler) *fehler = 0;
    if (neu) *neu = false;
    String d = MitBackslash(verzeichnis);
    if (IstVerzeichnis(d)) return true;
    DWORD grund = 0;
    // Parent by parent, so that chains longer than the classic path limit work too.
    String lang = LangerPfad(d);
    size_t start =
        lang.rfind(L"\\\\?\\UNC\\", 0) == 0 ? lang.find(L'\\', lang.find(L'\\', 8) + 1) : lang.find(L'\\', 4);
    for (size_t pos = start; pos != String::npos && pos < lang.size(); pos = lang.find(L'\\', pos + 1)) {
        String teil = lang.substr(0, pos);
        if (teil.size() <= 4 || teil.back() == L':') continue;
        if (CreateDirectoryW(teil.c_str(), nullptr)) {
            if (neu && pos + 1 == lang.size()) *neu = true; // the last part: the folder itself
            continue;
        }
        // The first refusal tells why: a file standing where a folder must go, a full medium.
        if (grund) continue;
        const DWORD fehler = GetLastError();
        if (fehler != ERROR_ALREADY_EXISTS || !IstVerzeichnis(teil)) grund = fehler;
    }
    ProcessMessages();
    bool da = IstVerzeichnis(d);
    if (!da && fehler) *fehler = grund ? grund : ERROR_PATH_NOT_FOUND;
    if (!da && meldung) InfoMeldung(L"Das Verzeichnis\r" + d + L"\rkonnte nicht erstellt werden.");
    return da;
}

String ErweiterungMitPunkt(const String& erweiterung) {
    return (!erweiterung.empty() && erweiterung[0] == L'.') ? erweiterung : L"." + erweiterung;
}

String EindeutigerDateiname(const String& verzeichnis, const String& erweiterung) {
    String d = MitBackslash(verzeichnis), x = ErweiterungMitPunkt(erweiterung);
    String name = RechtsAuffuellen(L"@kiv", L'0', 8);
    for (int i = 0; i <= 9999; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA a;
        if (!Attribute(d + name + x, a)) return name;
        name = ZahlfeldErhoehen(name, 5, 4);
    }
    return L"";
}

bool VerzeichnisBeschreibbar(const String& verzeichnis, bool meldung) {
    String d = MitBackslash(verzeichnis);
    if (!IstVerzeichnis(d)) {
        if (meldung) VerzeichnisNichtGefunden(d);
        return false;
    }
    String name = EindeutigerDateiname(d, L".tmp");
    bool ok = false;
    if (!name.empty()) {
        HANDLE h = CreateFileW(LangerPfad(d + name + L".tmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ok = CloseHandle(h) != 0;
            DeleteFileW(LangerPfad(d + name + L".tmp").c_str());
        }
    }
    if (!ok && meldung) FehlerMeldung(L"Sie haben keine Schreibrechte für das Verzeichnis\r" + d);
    return ok;
}

TDateTime ZeitZuAlter(const FILETIME& geschrieben, bool ortszeit) {
    FILETIME utc = Ortszeit().Gelesen(geschrieben, ortszeit);
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&utc, &st)) return 0;
    return EncodeDate(st.wYear, st.wMonth, st.wDay) + EncodeTime(st.wHour, st.wMinute, st.wSecond, 0);
}

// A file the listing found and that then cannot be opened or queried (a drive that went, a
// share that dropped, no rights, another program holding it) is an error; one that is simply
// gone, or a folder, is not. The file is opened without asking for it first: a folder refuses
// the open, and only then is it asked what it is.
Handle AlterLesen(const String& datei, TDateTime& alter, DWORD* fehler) {
    alter = 0;
    if (fehler) *fehler = 0;
    if (Trimmen(datei).empty()) return {};
    Handle h = Oeffnen(datei, GENERIC_READ, 0, OPEN_EXISTING);
    FILETIME geschrieben;
    if (!h || !GetFileTime(h.get(), nullptr, nullptr, &geschrieben)) {
        const DWORD grund = GetLastError();
        if (fehler && grund != ERROR_FILE_NOT_FOUND && grund != ERROR_PATH_NOT_FOUND &&
            !(grund == ERROR_ACCESS_DENIED && IstVerzeichnis(datei)))
            *fehler = grund;
        return {};
    }
    alter = ZeitZuAlter(geschrieben, SpeichertOrtszeit(datei));
    return h;
}

TDateTime DateiAlter(const String& datei, DWORD* fehler) {
    TDateTime alter;
    AlterLesen(datei, alter, fehler);
    return alter;
}

TDateTime GespeichertesAlter(const String& datei) {
    WIN32_FILE_ATTRIBUTE_DATA d;
    if (!Attribute(datei, d) || (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    return ZeitZuAlter(d.ftLastWriteTime, SpeichertOrtszeit(datei));
}

namespace {

[[noreturn]] void KannNichtOeffnen(const String& quelle, DWORD fehler) {
    throw EKopierfehler(
        Format(L"Datei %s kann nicht geöffnet werden. %s", quelle.c_str(), SystemFehlerText(fehler).c_str()),
        fehler, false);
}

} // namespace

// A source that is not there, or not a file, is not copied; one that is there and cannot be
// opened is an error. It is opened without asking first, and asked only when the open fails.
bool DateiKopieren(const String& quelle, const String& ziel, const Weitermachen& weiter) {
    if (TextGleich(quelle, ziel)) return false;
    Handle q = Oeffnen(quelle, GENERIC_READ, 0, OPEN_EXISTING);
    if (!q) {
        const DWORD fehler = GetLastError();
        if (fehler == ERROR_FILE_NOT_FOUND || fehler == ERROR_PATH_NOT_FOUND || !IstDatei(quelle))
            return false;
        KannNichtOeffnen(quelle, fehler);
    }
    return OffeneDateiKopieren(q.get(), quelle, ziel, weiter);
}

// Copies into a temporary file beside the target and replaces the target only once the copy is
// complete and carries the source's time: a failure leaves the previous copy as it was.
bool OffeneDateiKopieren(HANDLE q, const String& quelle, const String& ziel, const Weitermachen& weiter) {
    if (TextGleich(quelle, ziel)) return false;
    LARGE_INTEGER laenge{};
    FILETIME geschrieben;
    if (!GetFileSizeEx(q, &laenge) || !GetFileTime(q, nullptr, nullptr, &geschrieben))
        KannNichtOeffnen(quelle, GetLastError());

    // A stream cannot be renamed onto another file's stream, so its copy is written in place;
    // one that fails or is abandoned half-way is removed, and the next run copies it again.
    const bool strom = IstStrom(ziel);
    std::optional<TWirtZeit> wirtZeit;
    if (strom) wirtZeit.emplace(ziel);
    Handle z;
    String temp = ziel;
    if (strom)
        z = Oeffnen(ziel, GENERIC_WRITE, 0, CREATE_ALWAYS);
    else
        temp = NeuesTemporaer(ziel, z);
    if (!z) KannNichtErstellen(ziel, GetLastError());
    DWORD lesefehler = 0, schreibfehler = 0;
    bool abgebrochen = false;
    // One buffer for the thread's copies: allocating and clearing it per file costs more than many copies.
    static thread_local std::vector<char> puffer(1 << 20);
    for (long long rest = laenge.QuadPart; rest > 0;) {
        DWORD soll = static_cast<DWORD>(rest < static_cast<long long>(puffer.size()) ? rest : puffer.size());
        DWORD gelesen = 0, geschriebenN = 0;
        if (!Aufrufe().lesen(q, puffer.data(), soll, &gelesen, nullptr)) {
            lesefehler = GetLastError();
        } else if (gelesen != soll) {
            lesefehler = ERROR_HANDLE_EOF;
        } else if (!WriteFile(z.get(), puffer.data(), gelesen, &geschriebenN, nullptr)) {
            schreibfehler = GetLastError();
        } else if (geschriebenN != gelesen) {
            schreibfehler = ERROR_DISK_FULL;
        }
        if (lesefehler || schreibfehler) break;
        rest -= gelesen;
        if (rest > 0 && weiter && !weiter()) {
            abgebrochen = true;
            break;
        }
    }
    if (!lesefehler && !schreibfehler && !abgebrochen) {
        // A medium that refuses the time still holds the right content: the copy stays, and at
        // worst the next run copies it again.
        FILETIME zeit = Ortszeit().ZuSchreiben(Ortszeit().Gelesen(geschrieben, SpeichertOrtszeit(quelle)),
                                               SpeichertOrtszeit(ziel));
        Aufrufe().zeitSetzen(z.get(), nullptr, nullptr, &zeit);
        // The content reaches the medium before the copy takes the old one's place: after a power
        // cut the old copy stays rather than an empty one with the source's time, which would pass
        // for current. Small files are left to the system, where the flush costs more than the copy.
        if (laenge.QuadPart >= kSpuelenAb && !Aufrufe().spuelen(z.get())) schreibfehler = GetLastError();
        if (strom) {
            if (!CloseHandle(z.release()) && !schreibfehler) schreibfehler = GetLastError();
        } else if (!schreibfehler) {
            schreibfehler = AnDieStelle(z, temp, ziel);
        }
    }
    z.reset();
    if (!lesefehler && !schreibfehler && !abgebrochen) return true;
    DeleteFileW(LangerPfad(temp).c_str());
    if (lesefehler)
        throw EKopierfehler(Format(L"Datei \"%s\" kann nicht gelesen werden. %s", quelle.c_str(),
                                   SystemFehlerText(lesefehler).c_str()),
                            lesefehler, false);
    if (schreibfehler) KannNichtErstellen(ziel, schreibfehler);
    return false;
}

bool DateiKopierenWennErlaubt(const String& quelle, const String& ziel, bool ueberschreiben,
                              const Weitermachen& weiter) {
    if (ueberschreiben || !IstDatei(ziel)) return DateiKopieren(quelle, ziel, weiter);
    return false;
}

bool DateiLoeschen(const String& datei) {
    if (!IstDatei(datei)) return true;
    DeleteFileW(LangerPfad(datei).c_str());
    return !IstDatei(datei);
}

void ZeileAnhaengen(const String& datei, const String& zeile) {
    String text = zeile + L"\r\n";
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n, nullptr,
                        nullptr);
    // Another instance may be appending its own line just now; appends do not mix.
    Handle h = Oeffnen(datei, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
    if (!h) return;
    DWORD geschrieben = 0;
    WriteFile(h.get(), ansi.data(), static_cast<DWORD>(ansi.size()), &geschrieben, nullptr);
}
