#include "TestDateien.h"

#include "sys/Dateien.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
String Lang(const String& p) {
    return LangerPfad(p);
}
} // namespace

TestOrdner::TestOrdner() {
    static unsigned zaehler = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    pfad_ = String(temp) + L"sictest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(++zaehler) + L"\\";
    OrdnerAnlegen(pfad_);
}

TestOrdner::~TestOrdner() {
    OrdnerLoeschen(pfad_);
}

void OrdnerAnlegen(const String& pfad) {
    String lang = Lang(pfad);
    for (size_t pos = lang.find(L'\\', 4); pos != String::npos; pos = lang.find(L'\\', pos + 1))
        CreateDirectoryW(lang.substr(0, pos).c_str(), nullptr);
    CreateDirectoryW(lang.c_str(), nullptr);
}

void GrosseDatei(const String& pfad, long long laenge, const std::string& ende) {
    Schreiben(pfad, "");
    HANDLE h = CreateFileW(Lang(pfad).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER l;
    l.QuadPart = laenge - static_cast<long long>(ende.size());
    SetFilePointerEx(h, l, nullptr, FILE_BEGIN);
    DWORD n = 0;
    if (!ende.empty()) WriteFile(h, ende.data(), static_cast<DWORD>(ende.size()), &n, nullptr);
    SetEndOfFile(h);
    CloseHandle(h);
}

void OrdnerLoeschen(const String& pfad) {
    String d = pfad.back() == L'\\' ? pfad : pfad + L"\\";
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW(Lang(d + L"*").c_str(), &f);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            String name = f.cFileName;
            if (name == L"." || name == L"..") continue;
            SetFileAttributesW(Lang(d + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                OrdnerLoeschen(d + name);
            else
                DeleteFileW(Lang(d + name).c_str());
        } while (FindNextFileW(h, &f));
        FindClose(h);
    }
    RemoveDirectoryW(Lang(d).c_str());
}

void Schreiben(const String& pfad, const std::string& inhalt) {
    size_t slash = pfad.rfind(L'\\');
    if (slash != String::npos) OrdnerAnlegen(pfad.substr(0, slash));
    HANDLE h = CreateFileW(Lang(pfad).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &n, nullptr);
    CloseHandle(h);
}

std::string Lesen(const String& pfad) {
    HANDLE h = CreateFileW(Lang(pfad).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<fehlt>";
    std::string out;
    char buf[65536];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n)
        out.append(buf, n);
    CloseHandle(h);
    return out;
}

bool Existiert(const String& pfad) {
    return GetFileAttributesW(Lang(pfad).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<String> Dateinamen(const String& ordner) {
    std::vector<String> namen;
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW(Lang(ordner + L"*").c_str(), &f);
    if (h == INVALID_HANDLE_VALUE) return namen;
    do {
        String name = f.cFileName;
        if (name != L"." && name != L"..") namen.push_back(name);
    } while (FindNextFileW(h, &f));
    FindClose(h);
    std::sort(namen.begin(), namen.end());
    return namen;
}

void ZeitSetzen(const String& pfad, int jahr, int monat, int tag, int stunde, int minute, int sekunde,
                int milli) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(jahr);
    st.wMonth = static_cast<WORD>(monat);
    st.wDay = static_cast<WORD>(tag);
    st.wHour = static_cast<WORD>(stunde);
    st.wMinute = static_cast<WORD>(minute);
    st.wSecond = static_cast<WORD>(sekunde);
    st.wMilliseconds = static_cast<WORD>(milli);
    FILETIME lokal, utc;
    SystemTimeToFileTime(&st, &lokal);
    LocalFileTimeToFileTime(&lokal, &utc);
    HANDLE h = CreateFileW(Lang(pfad).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &utc);
    CloseHandle(h);
}

void AttributeSetzen(const String& pfad, DWORD attribute) {
    SetFileAttributesW(Lang(pfad).c_str(), attribute);
}

String Medium(const char* variable) {
    const char* wert = std::getenv(variable);
    if (!wert || !*wert) return L"";
    std::string s = wert;
    return String(s.begin(), s.end()) + L"\\";
}

std::string NachUtf8Ansi(const String& text) {
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}
