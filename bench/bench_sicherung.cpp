// The backup engine alone, in this process, on the trees scripts/bench.sh made: a first run
// (everything is copied) and a run over the unchanged tree (nothing is). Set beside the figures
// of the real program, it tells the engine's share from the program's. Prints figures only.
// Usage: bench_sicherung.exe <work folder> <source tree>...
#include "backup/Sicherung.h"
#include "toolkit/Classes.h"

#include <windows.h>
#include <shellapi.h>
#include <chrono>
#include <cstdio>

namespace {

struct Ergebnis {
    double sekunden;
    int dateien;
};

Ergebnis Lauf(const String& quelle, const String& ziel) {
    TStringList einzel, ordner{quelle}, ext, black, holder;
    TSicherung s({ziel, &einzel, &ordner, &ext, &black}, &holder);
    auto start = std::chrono::steady_clock::now();
    s.SicherungAusfuehren();
    return {std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), s.Anzahl()};
}

} // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_sicherung.exe <work folder> <source tree>...\n");
        return 2;
    }
    const String arbeit = argv[1];
    for (int i = 2; i < argc; ++i) {
        String quelle = argv[i];
        String ziel = arbeit + L"\\engine" + std::to_wstring(i) + L"\\";
        Ergebnis erst = Lauf(quelle, ziel);
        Ergebnis wieder = Lauf(quelle, ziel);
        std::printf("%ls\n  engine, first run       %8.2f s  %6d files copied  %8.0f files/s\n"
                    "  engine, unchanged tree  %8.2f s  %6d files copied\n",
                    quelle.c_str(), erst.sekunden, erst.dateien, erst.dateien / erst.sekunden,
                    wieder.sekunden, wieder.dateien);
    }
    return 0;
}
