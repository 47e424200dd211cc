#include "sys/Zeitmarken.h"

#include <windows.h>
#include <psapi.h>
#include <cstdlib>
#include <string>

namespace {

const std::wstring& MarkenDatei() {
    static const std::wstring datei = [] {
        wchar_t puffer[MAX_PATH];
        DWORD n = GetEnvironmentVariableW(L"SICHERUNG_ZEITMARKEN", puffer, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::wstring(puffer, n) : std::wstring();
    }();
    return datei;
}

void Anhaengen(const std::string& zeile) {
    HANDLE h = CreateFileW(MarkenDatei().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    DWORD geschrieben;
    WriteFile(h, zeile.data(), static_cast<DWORD>(zeile.size()), &geschrieben, nullptr);
    CloseHandle(h);
}

// The precise clock exists from Windows 8 on; before that the ordinary one serves.
unsigned long long Jetzt() {
    using Uhr = void(WINAPI*)(LPFILETIME);
    static const Uhr genau = reinterpret_cast<Uhr>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime"));
    FILETIME ft;
    (genau ? genau : GetSystemTimeAsFileTime)(&ft);
    return (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

void SpeicherSpitze() {
    PROCESS_MEMORY_COUNTERS zaehler{};
    zaehler.cb = sizeof zaehler;
    if (GetProcessMemoryInfo(GetCurrentProcess(), &zaehler, sizeof zaehler))
        Anhaengen("speicher_spitze " + std::to_string(zaehler.PeakWorkingSetSize) + "\n");
}

// The instant the system created the process: what comes before the program's first own
// instruction (loading it and the libraries it imports) is measured from there.
void ProzessBeginn() {
    FILETIME erstellt, ende, kern, benutzer;
    if (!GetProcessTimes(GetCurrentProcess(), &erstellt, &ende, &kern, &benutzer)) return;
    ULARGE_INTEGER t;
    t.LowPart = erstellt.dwLowDateTime;
    t.HighPart = erstellt.dwHighDateTime;
    Anhaengen("prozess_erstellt " + std::to_string(t.QuadPart) + "\n");
}

} // namespace

void Zeitmarke(const char* name) {
    if (MarkenDatei().empty()) return;
    static const bool erste = (ProzessBeginn(), std::atexit(SpeicherSpitze), true);
    (void)erste;
    Anhaengen(std::string(name) + " " + std::to_string(Jetzt()) + "\n");
}
