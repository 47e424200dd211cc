// Times the backup engine against xcopy /D /E /Y on the same trees: a first run (everything is
// copied) and a run over the unchanged tree (nothing is). Prints figures only.
#include "backup/Sicherung.h"
#include "sys/Dateien.h"
#include "toolkit/Classes.h"

#include <windows.h>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

double Sekunden(const std::chrono::steady_clock::time_point& start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void Schreiben(const String& pfad, const std::vector<char>& inhalt, size_t mal) {
    HANDLE h = CreateFileW(pfad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    for (size_t i = 0; i < mal; ++i)
        WriteFile(h, inhalt.data(), static_cast<DWORD>(inhalt.size()), &n, nullptr);
    CloseHandle(h);
}

void Loeschen(const String& ordner) {
    String befehl = L"cmd.exe /c rmdir /s /q \"" + ordner + L"\"";
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(nullptr, befehl.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

double Xcopy(const String& quelle, const String& ziel) {
    String befehl = L"xcopy.exe \"" + quelle + L"\" \"" + ziel + L"\" /D /E /Y /Q";
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    HANDLE nul = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    si.hStdOutput = si.hStdError = nul;
    PROCESS_INFORMATION pi{};
    auto start = std::chrono::steady_clock::now();
    if (!CreateProcessW(nullptr, befehl.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    WaitForSingleObject(pi.hProcess, INFINITE);
    double s = Sekunden(start);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(nul);
    return s;
}

struct Ergebnis {
    double sekunden;
    int dateien;
};

Ergebnis Engine(const String& quelle, const String& ziel) {
    TStringList einzel, ordner{quelle}, ext, black, holder;
    TSicherung s({ziel, &einzel, &ordner, &ext, &black}, &holder);
    auto start = std::chrono::steady_clock::now();
    s.SicherungAusfuehren();
    return {Sekunden(start), s.Anzahl()};
}

void Zeile(const char* was, double sekunden, int dateien, double mb) {
    std::printf("%-34s %9.2f s %11.0f files/s %9.1f MB/s\n", was, sekunden, dateien / sekunden,
                mb / sekunden);
}

void Vergleich(const char* name, const String& basis, int dateien, double mb) {
    String quelle = basis + L"quelle", zielE = basis + L"ziel_engine\\", zielX = basis + L"ziel_xcopy\\";
    Ergebnis e1 = Engine(quelle, zielE);
    double x1 = Xcopy(quelle, zielX);
    Ergebnis e2 = Engine(quelle, zielE);
    double x2 = Xcopy(quelle, zielX);
    std::printf("\n%s (%d files, %.0f MB)\n", name, dateien, mb);
    Zeile("engine, first run", e1.sekunden, dateien, mb);
    Zeile("xcopy /D /E /Y, first run", x1, dateien, mb);
    Zeile("engine, unchanged tree", e2.sekunden, dateien, 0);
    Zeile("xcopy /D /E /Y, unchanged tree", x2, dateien, 0);
    std::printf("ratio engine/xcopy: first run %.2f, unchanged tree %.2f (below 1: engine faster)\n",
                e1.sekunden / x1, e2.sekunden / x2);
    std::printf("copied by the engine: first run %d, unchanged tree %d\n", e1.dateien, e2.dateien);
    Loeschen(zielE);
    Loeschen(zielX);
}

} // namespace

int main(int argc, char** argv) {
    int klein = argc > 1 ? std::atoi(argv[1]) : 20000;
    int gross = argc > 2 ? std::atoi(argv[2]) : 4;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    String basis = String(temp) + L"sicherung_bench\\";
    Loeschen(basis);
    CreateDirectoryW(basis.c_str(), nullptr);

    String kleinBasis = basis + L"klein\\";
    CreateDirectoryW(kleinBasis.c_str(), nullptr);
    CreateDirectoryW((kleinBasis + L"quelle").c_str(), nullptr);
    std::vector<char> kleinInhalt(1024, 'k');
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < klein; ++i) {
        String ordner = kleinBasis + L"quelle\\o" + std::to_wstring(i / 100);
        if (i % 100 == 0) CreateDirectoryW(ordner.c_str(), nullptr);
        Schreiben(ordner + L"\\d" + std::to_wstring(i) + L".txt", kleinInhalt, 1);
    }
    std::printf("generated %d files of 1 KiB in folders of 100 in %.1f s\n", klein, Sekunden(start));
    Vergleich("small files", kleinBasis, klein, klein / 1024.0);

    String grossBasis = basis + L"gross\\";
    CreateDirectoryW(grossBasis.c_str(), nullptr);
    CreateDirectoryW((grossBasis + L"quelle").c_str(), nullptr);
    std::vector<char> mb(1 << 20, 'g');
    for (int i = 0; i < gross; ++i)
        Schreiben(grossBasis + L"quelle\\g" + std::to_wstring(i) + L".bin", mb, 256);
    Vergleich("large files", grossBasis, gross, gross * 256.0);
    Loeschen(basis);
    return 0;
}
