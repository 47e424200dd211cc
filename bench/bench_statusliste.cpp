// Appending to the status list as the window does during a run: in batches (the window hears of
// them once per batch), the cost of the first and the last thousand, the whole time, and the
// working set the lines take, per line. For comparison, lines appended one by one with a redraw
// each, and (argument "textbox") the same lines in a multi-line text box. Prints figures only.
//
//   bench_statusliste [lines, default 1000000] [textbox]
#include "toolkit/Classes.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/ZeilenListe.h"

#include <windows.h>
#include <psapi.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
struct Speicher {
    double jetzt, spitze;
};
Speicher ArbeitsspeicherMiB() {
    PROCESS_MEMORY_COUNTERS zaehler{};
    zaehler.cb = sizeof zaehler;
    GetProcessMemoryInfo(GetCurrentProcess(), &zaehler, sizeof zaehler);
    return {static_cast<double>(zaehler.WorkingSetSize) / 1048576,
            static_cast<double>(zaehler.PeakWorkingSetSize) / 1048576};
}

double Millisekunden(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv) {
    const int gesamt = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const bool textbox = argc > 2 && std::strcmp(argv[2], "textbox") == 0;
    Application()->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 545, 757);
    TStrings* zeilen;
    if (textbox) {
        auto* memo = new TMemo(&form);
        memo->SetParent(&form);
        memo->SetAlign(alClient);
        memo->SetScrollBars(ssVertical);
        memo->SetWordWrap(false);
        zeilen = &memo->Lines();
    } else {
        auto* liste = new TZeilenListe(&form);
        liste->SetParent(&form);
        liste->SetAlign(alClient);
        zeilen = &liste->Lines();
    }
    form.Show();
    Application()->ProcessMessages();
    // The line of a file the window reports, with a running number as the paths of a tree have.
    const String anfang = L"E:\\Sicherung\\Datensicherung_PC01\\\\Users\\Anna\\Dokumente\\Brief";

    const Speicher vorher = ArbeitsspeicherMiB();
    double erste = 0, letzte = 0;
    auto beginn = std::chrono::steady_clock::now();
    for (int block = 0; block < gesamt / 1000; ++block) {
        auto start = std::chrono::steady_clock::now();
        zeilen->BeginUpdate();
        for (int i = 0; i < 1000; ++i)
            zeilen->Add(anfang + std::to_wstring(block * 1000 + i) + L".docx");
        zeilen->EndUpdate();
        Application()->ProcessMessages();
        double ms = Millisekunden(start);
        if (block == 0) erste = ms;
        letzte = ms;
    }
    const double sekunden = Millisekunden(beginn) / 1000;
    const Speicher nachher = ArbeitsspeicherMiB();
    const char* art = textbox ? "text box" : "status list";
    std::printf("%s, batches of 1000: %d lines in %.2f s; first thousand %.1f ms, last thousand %.1f ms "
                "(last/first %.2f)\n",
                art, zeilen->Count(), sekunden, erste, letzte, letzte / erste);
    std::printf("%s, working set: %.1f MiB before the lines, %.1f MiB with them (peak %.1f MiB); "
                "%.0f bytes per line (lines of %zu characters)\n",
                art, vorher.jetzt, nachher.jetzt, nachher.spitze,
                (nachher.spitze - vorher.jetzt) * 1048576 / (zeilen->Count() > 0 ? zeilen->Count() : 1),
                anfang.size() + 12);

    zeilen->Clear();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i)
        zeilen->Add(anfang + L".docx");
    std::printf("%s, one line at a time with a redraw each: %.1f ms per line\n", art, Millisekunden(start) / 200);
    return 0;
}
