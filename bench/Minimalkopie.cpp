// The fewest calls for a flushed copy under Wine, the floor the benchmark sets the program's copy
// of large files against: every file of one folder read and written through a buffer of 1 MiB
// as the program does, given the source's time and flushed to the medium, then closed. No
// temporary copy, no check, no status: "Minimalkopie <source folder> <target folder>".
#include <windows.h>

#include <string>
#include <vector>

namespace {
bool Kopieren(const std::wstring& quelle, const std::wstring& ziel, std::vector<char>& puffer) {
    HANDLE q =
        CreateFileW(quelle.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (q == INVALID_HANDLE_VALUE) return false;
    HANDLE z =
        CreateFileW(ziel.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool gut = z != INVALID_HANDLE_VALUE;
    DWORD gelesen = 0, geschrieben = 0;
    while (gut && ReadFile(q, puffer.data(), static_cast<DWORD>(puffer.size()), &gelesen, nullptr) &&
           gelesen > 0)
        gut = WriteFile(z, puffer.data(), gelesen, &geschrieben, nullptr) && geschrieben == gelesen;
    FILETIME zeit;
    if (gut && GetFileTime(q, nullptr, nullptr, &zeit)) SetFileTime(z, nullptr, nullptr, &zeit);
    if (gut) gut = FlushFileBuffers(z);
    if (z != INVALID_HANDLE_VALUE) CloseHandle(z);
    CloseHandle(q);
    return gut;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    const std::wstring quelle = std::wstring(argv[1]) + L"\\", ziel = std::wstring(argv[2]) + L"\\";
    CreateDirectoryW(argv[2], nullptr);
    std::vector<char> puffer(1 << 20);
    WIN32_FIND_DATAW fd;
    HANDLE suche = FindFirstFileW((quelle + L"*").c_str(), &fd);
    if (suche == INVALID_HANDLE_VALUE) return 1;
    int fehler = 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            !Kopieren(quelle + fd.cFileName, ziel + fd.cFileName, puffer))
            ++fehler;
    } while (FindNextFileW(suche, &fd));
    FindClose(suche);
    return fehler ? 1 : 0;
}
