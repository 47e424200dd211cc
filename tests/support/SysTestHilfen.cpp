#include "SysTestHilfen.h"

#include "TestDateien.h"

#include <windows.h>
#include <winioctl.h>
#include <cstring>
#include <vector>

TestDatei::TestDatei(String datei, const std::string& inhalt) : datei_(std::move(datei)) {
    Schreiben(datei_, inhalt);
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
    DWORD a = GetFileAttributesW((String(1, buchstabe_) + L":\\").c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
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
