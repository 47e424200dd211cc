#include "SysTestHilfen.h"

#include <windows.h>
#include <winioctl.h>
#include <cstring>
#include <vector>

TestOrdner::TestOrdner() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    static unsigned zaehler = 0;
    for (;;) {
        pfad_ = String(temp) + L"sic_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
                std::to_wstring(++zaehler) + L"\\";
        if (CreateDirectoryW(pfad_.c_str(), nullptr)) break;
    }
}

TestOrdner::~TestOrdner() {
    OrdnerLoeschen(pfad_);
}

void OrdnerLoeschen(const String& ordner) {
    String basis = ordner;
    if (!basis.empty() && basis.back() != L'\\') basis += L'\\';
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((basis + L"*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            String name = fd.cFileName;
            if (name == L"." || name == L"..") continue;
            String voll = basis + name;
            SetFileAttributesW(voll.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                OrdnerLoeschen(voll);
            else
                DeleteFileW(voll.c_str());
        } while (FindNextFileW(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryW(basis.c_str());
}

bool DateiDa(const String& datei) {
    DWORD a = GetFileAttributesW(datei.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool OrdnerDa(const String& ordner) {
    DWORD a = GetFileAttributesW(ordner.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void DateiSchreiben(const String& datei, const std::string& inhalt) {
    HANDLE h = CreateFileW(datei.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &n, nullptr);
    CloseHandle(h);
}

std::string DateiLesen(const String& datei) {
    std::string inhalt;
    HANDLE h = CreateFileW(datei.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return inhalt;
    char puffer[4096];
    DWORD n = 0;
    while (ReadFile(h, puffer, sizeof puffer, &n, nullptr) && n > 0)
        inhalt.append(puffer, n);
    CloseHandle(h);
    return inhalt;
}

TestDatei::TestDatei(String datei, const std::string& inhalt) : datei_(std::move(datei)) {
    DateiSchreiben(datei_, inhalt);
}

TestDatei::~TestDatei() {
    DeleteFileW(datei_.c_str());
}

namespace {
// Wine's own extension of the mount manager (include/ddk/mountmgr.h of Wine 8).
struct WineLaufwerk {
    ULONG size;
    ULONG type;
    ULONG fs_type;
    DWORD serial;
    ULONGLONG unix_dev;
    WCHAR letter;
    USHORT mount_point_offset;
    USHORT device_offset;
    USHORT label_offset;
};
constexpr DWORD WineLaufwerkFestlegen =
    CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

using UnixName = char*(CDECL*)(LPCWSTR);
} // namespace

TestLaufwerk::TestLaufwerk(wchar_t buchstabe, const String& ordner) : buchstabe_(buchstabe), ordner_(ordner) {
    if (Da()) return; // a drive of the machine: leave it alone
    String name = String(1, buchstabe_) + L":";
    if (DefineDosDeviceW(0, name.c_str(), ordner_.c_str())) {
        art_ = Art::dos;
        if (Da()) return;
        DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, name.c_str(), ordner_.c_str());
        art_ = Art::keine;
    }
    auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixName) return;
    char* unix = unixName(ordner_.c_str());
    if (!unix) return;
    if (Wine(unix)) art_ = Art::wine;
    HeapFree(GetProcessHeap(), 0, unix);
}

TestLaufwerk::~TestLaufwerk() {
    if (art_ == Art::dos) {
        String name = String(1, buchstabe_) + L":";
        DefineDosDeviceW(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, name.c_str(), ordner_.c_str());
    } else if (art_ == Art::wine) {
        Wine(nullptr);
    }
}

bool TestLaufwerk::Da() const {
    String wurzel = String(1, buchstabe_) + L":\\";
    return OrdnerDa(wurzel);
}

// With a Unix path the letter is made to point there; without one it is taken away again.
bool TestLaufwerk::Wine(const char* unixPfad) {
    HANDLE mm = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (mm == INVALID_HANDLE_VALUE) return false;
    size_t laenge = unixPfad ? std::strlen(unixPfad) + 1 : 0;
    std::vector<char> puffer(sizeof(WineLaufwerk) + laenge);
    auto* d = reinterpret_cast<WineLaufwerk*>(puffer.data());
    d->size = static_cast<ULONG>(puffer.size());
    d->type = unixPfad ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
    d->letter = static_cast<WCHAR>(towlower(buchstabe_));
    if (unixPfad) {
        d->mount_point_offset = sizeof(WineLaufwerk);
        std::memcpy(puffer.data() + sizeof(WineLaufwerk), unixPfad, laenge);
    }
    DWORD n = 0;
    BOOL ok = DeviceIoControl(mm, WineLaufwerkFestlegen, puffer.data(), static_cast<DWORD>(puffer.size()),
                              nullptr, 0, &n, nullptr);
    CloseHandle(mm);
    return ok && (!unixPfad || Da());
}
