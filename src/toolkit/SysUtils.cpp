#include "toolkit/SysUtils.h"

#include <windows.h>
#include <cstdarg>
#include <cstring>
#include <cwchar>
#include <vector>

std::string NachUtf8(const String& s) {
    if (s.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

Exception::Exception(String message) : message_(std::move(message)), utf8_(NachUtf8(message_)) {}

void Abort() { throw EAbort(); }

String SystemFehlerText(unsigned long code) {
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    String text;
    if (n && buffer) text.assign(buffer, n);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty()) text = L"Systemfehler " + std::to_wstring(code);
    return text;
}

String Format(const wchar_t* format, ...) {
    std::vector<wchar_t> buffer(256);
    for (;;) {
        va_list args;
        va_start(args, format);
        int n = _vsnwprintf(buffer.data(), buffer.size(), format, args);
        va_end(args);
        if (n >= 0 && static_cast<size_t>(n) < buffer.size()) return String(buffer.data(), static_cast<size_t>(n));
        buffer.resize(buffer.size() * 2);
    }
}

bool InZwischenablage(const String& text) {
    if (!OpenClipboard(nullptr)) return false;
    bool ok = false;
    EmptyClipboard();
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        if (void* p = GlobalLock(mem)) {
            std::memcpy(p, text.c_str(), bytes);
            GlobalUnlock(mem);
            ok = SetClipboardData(CF_UNICODETEXT, mem) != nullptr;
        }
        if (!ok) GlobalFree(mem);
    }
    CloseClipboard();
    return ok;
}

void* SystemfunktionAdresse(const wchar_t* bibliothek, const char* name) {
    HMODULE modul = GetModuleHandleW(bibliothek);
    if (!modul) {
        wchar_t ordner[MAX_PATH];
        UINT n = GetSystemDirectoryW(ordner, MAX_PATH);
        if (n > 0 && n < MAX_PATH) modul = LoadLibraryW((String(ordner, n) + L"\\" + bibliothek).c_str());
    }
    FARPROC funktion = modul ? GetProcAddress(modul, name) : nullptr;
    if (!funktion)
        throw Exception(Format(L"Die Systemfunktion %s aus %s ist nicht verfügbar.",
                               String(name, name + std::strlen(name)).c_str(), bibliothek));
    return reinterpret_cast<void*>(funktion);
}
