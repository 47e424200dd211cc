// Loading and saving long lists through the settings file: four lists of n lines each, read
// as the window's set-up does and written into the erased section as a save does, each from one
// document. Prints figures.
// Usage: bench_einstellungen.exe <work folder> [lines per list]
#include "settings/Listenregeln.h"
#include "settings/kv7_Parameter.h"
#include "sys/IniDokument.h"
#include "toolkit/Classes.h"

#include <windows.h>
#include <shellapi.h>
#include <chrono>
#include <cstdio>
#include <string>

namespace {
const wchar_t* const kListen[] = {L"me_Ext", L"me_Dir", L"me_Einzel", L"me_Blacklist"};

double Sekunden(std::chrono::steady_clock::time_point seit) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - seit).count();
}
} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_einstellungen.exe <work folder> [lines per list]\n");
        return 2;
    }
    const String datei = String(argv[1]) + L"\\Liste.ini";
    const int n = argc > 2 ? _wtoi(argv[2]) : 1000;
    DeleteFileW(datei.c_str());
    TComponent owner(nullptr);
    auto* parameter = new TkivParameter(&owner);
    TStringList zeilen;
    for (int i = 0; i < n; ++i)
        zeilen.Add(L"\\z" + std::to_wstring(100000 + i) + L"\\");

    auto start = std::chrono::steady_clock::now();
    {
        TIniDokument dokument(datei);
        dokument.Vorbereiten();
        dokument.SektionLoeschen(L"Tam_Main"); // as the store's save starts
        TEinstellungsZugriff z(*parameter, dokument, L"Tam_Main");
        for (const wchar_t* liste : kListen)
            ListeSpeichern(z, liste, zeilen);
        dokument.Speichern();
    }
    double speichern = Sekunden(start);

    start = std::chrono::steady_clock::now();
    int gelesen = 0;
    {
        TIniDokument dokument(datei);
        TEinstellungsZugriff z(*parameter, dokument, L"Tam_Main");
        for (const wchar_t* liste : kListen) {
            ListeLaden(z, liste, zeilen);
            gelesen += zeilen.Count();
        }
    }
    double laden = Sekunden(start);
    std::printf("4 lists of %d lines: saved in one change %.3f s, loaded %.3f s (%d lines read)\n", n,
                speichern, laden, gelesen);
    DeleteFileW(datei.c_str());
    return 0;
}
