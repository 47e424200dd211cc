#include "settings/Unicodedatei.h"
#include "toolkit/SysUtils.h"

#include <windows.h>

#include <string>

namespace {
const char kUtf16Marke[] = "\xFF\xFE";

// The profile functions look for a name without a full path in the Windows folder; such names
// are left to them.
bool VollerPfad(const String& datei) {
    if (datei.size() >= 3 && datei[1] == L':' && datei[2] == L'\\') return true;
    return datei.size() >= 2 && datei[0] == L'\\' && datei[1] == L'\\';
}

void CacheLeeren(const String& datei) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, datei.c_str());
}

bool AllesLesen(HANDLE h, std::string& inhalt) {
    char puffer[16384];
    DWORD n = 0;
    while (ReadFile(h, puffer, sizeof puffer, &n, nullptr)) {
        if (n == 0) return true;
        inhalt.append(puffer, n);
    }
    return false;
}

bool AllesSchreiben(HANDLE h, const char* daten, size_t laenge) {
    if (SetFilePointer(h, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    while (laenge > 0) {
        DWORD n = 0;
        DWORD stueck = laenge > 65536 ? 65536 : static_cast<DWORD>(laenge);
        if (!WriteFile(h, daten, stueck, &n, nullptr) || n == 0) return false;
        daten += n;
        laenge -= n;
    }
    return SetEndOfFile(h) != 0;
}

String Dekodieren(const std::string& bytes) {
    UINT seite = CP_ACP;
    size_t anfang = 0;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        seite = CP_UTF8;
        anfang = 3;
    }
    const int laenge = static_cast<int>(bytes.size() - anfang);
    if (laenge == 0) return String();
    int n = MultiByteToWideChar(seite, 0, bytes.data() + anfang, laenge, nullptr, 0);
    String text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(seite, 0, bytes.data() + anfang, laenge, text.data(), n);
    return text;
}

bool IstUtf16(const std::string& anfang) {
    return anfang.size() >= 2 &&
           ((anfang[0] == '\xFF' && anfang[1] == '\xFE') || (anfang[0] == '\xFE' && anfang[1] == '\xFF'));
}

// Rewrites the file in place, as the profile functions do, so that it keeps its attributes. If
// the longer content does not fit, the old bytes go back.
bool NachUtf16(const String& datei) {
    HANDLE h = CreateFileW(datei.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    std::string alt;
    bool ok = AllesLesen(h, alt);
    if (ok && !IstUtf16(alt)) {
        String text = Dekodieren(alt);
        std::string neu(kUtf16Marke, 2);
        neu.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
        ok = AllesSchreiben(h, neu.data(), neu.size());
        if (!ok) AllesSchreiben(h, alt.data(), alt.size());
    }
    CloseHandle(h);
    return ok;
}

std::string Anfang(const String& datei) {
    HANDLE h = CreateFileW(datei.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::string();
    char puffer[2] = {};
    DWORD n = 0;
    ReadFile(h, puffer, 2, &n, nullptr);
    CloseHandle(h);
    return std::string(puffer, n);
}

// A file that cannot be created here will fail the write that follows, with its own error.
void LeerAnlegen(const String& datei) {
    HANDLE h =
        CreateFileW(datei.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(h, kUtf16Marke, 2, &n, nullptr);
    CloseHandle(h);
}
} // namespace

bool AnsiDarstellbar(const String& text) {
    if (text.empty()) return true;
    BOOL ersetzt = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, &ersetzt);
    return n > 0 && !ersetzt;
}

void UnicodeSicherstellen(const String& datei, const String& text) {
    if (!VollerPfad(datei)) return;
    if (GetFileAttributesW(datei.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetLastError() == ERROR_FILE_NOT_FOUND) LeerAnlegen(datei);
        return;
    }
    if (AnsiDarstellbar(text) || IstUtf16(Anfang(datei))) return;
    CacheLeeren(datei);
    bool ok = NachUtf16(datei);
    CacheLeeren(datei);
    if (!ok) throw Exception(Format(L"In %s kann nicht geschrieben werden", datei.c_str()));
}
