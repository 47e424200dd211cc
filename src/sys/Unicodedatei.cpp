#include "sys/Unicodedatei.h"

#include <windows.h>

#include <string>

namespace {
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

bool AllesSchreiben(HANDLE h, const std::string& daten) {
    if (SetFilePointer(h, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
    for (size_t fertig = 0; fertig < daten.size();) {
        DWORD n = 0;
        const size_t rest = daten.size() - fertig;
        DWORD stueck = rest > 65536 ? 65536 : static_cast<DWORD>(rest);
        if (!WriteFile(h, daten.data() + fertig, stueck, &n, nullptr) || n == 0) return false;
        fertig += n;
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

// Rewrites the file in place, as the profile functions do, so that it keeps its attributes.
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
        ok = AllesSchreiben(h, neu);
    }
    CloseHandle(h);
    return ok;
}
} // namespace

bool AnsiDarstellbar(const String& text) {
    if (text.empty()) return true;
    BOOL ersetzt = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, &ersetzt);
    return n > 0 && !ersetzt;
}

bool VollerPfad(const String& datei) {
    if (datei.size() >= 3 && datei[1] == L':' && datei[2] == L'\\') return true;
    return datei.size() >= 2 && datei[0] == L'\\' && datei[1] == L'\\';
}

bool UnicodeSicherstellen(const String& datei, const String& text) {
    if (AnsiDarstellbar(text) || IstUtf16(Anfang(datei))) return true;
    CacheLeeren(datei);
    bool ok = NachUtf16(datei);
    CacheLeeren(datei);
    return ok;
}
