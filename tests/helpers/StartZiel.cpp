// A program for the launch tests: writes its process id, working folder and further arguments (one
// per line, UTF-16) to the file named by its first argument, then ends. No window, no console.
#include <windows.h>
#include <shellapi.h>
#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    int anzahl = 0;
    LPWSTR* argumente = CommandLineToArgvW(GetCommandLineW(), &anzahl);
    if (!argumente || anzahl < 2) return 1;
    wchar_t ordner[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, ordner);
    std::wstring text = std::to_wstring(GetCurrentProcessId()) + L"\n" + ordner + L"\n";
    for (int i = 2; i < anzahl; ++i)
        text += std::wstring(argumente[i]) + L"\n";
    // Written aside and renamed, so that the test never reads half a file.
    std::wstring ziel = argumente[1], neben = ziel + L".neu";
    HANDLE h = CreateFileW(neben.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return 2;
    DWORD n = 0;
    WriteFile(h, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &n, nullptr);
    CloseHandle(h);
    MoveFileExW(neben.c_str(), ziel.c_str(), MOVEFILE_REPLACE_EXISTING);
    LocalFree(argumente);
    return 0;
}
