// Appending to the status list: 100 000 lines, the cost of the first and the last thousand, in
// batches as the window appends during a run (one redraw per batch). For comparison, lines
// appended one by one with a redraw each, and the working set the lines take. Prints figures only.
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"

#include <windows.h>
#include <psapi.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
double ArbeitsspeicherMiB() {
    PROCESS_MEMORY_COUNTERS zaehler{};
    zaehler.cb = sizeof zaehler;
    GetProcessMemoryInfo(GetCurrentProcess(), &zaehler, sizeof zaehler);
    return static_cast<double>(zaehler.WorkingSetSize) / 1048576;
}

double Millisekunden(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv) {
    const int gesamt = argc > 1 ? std::atoi(argv[1]) : 100000;
    Application()->Initialize();
    TForm form(nullptr);
    form.SetBounds(0, 0, 545, 757);
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    memo->SetAlign(alClient);
    memo->SetScrollBars(ssVertical);
    memo->SetWordWrap(false);
    form.Show();
    const String zeile = L"E:\\Sicherung\\Datensicherung_PC01\\\\Users\\Anna\\Dokumente\\Brief.docx";

    const double speicherVorher = ArbeitsspeicherMiB();
    double erste = 0, letzte = 0;
    auto beginn = std::chrono::steady_clock::now();
    for (int block = 0; block < gesamt / 1000; ++block) {
        auto start = std::chrono::steady_clock::now();
        memo->Lines().BeginUpdate();
        for (int i = 0; i < 1000; ++i)
            memo->Lines().Add(zeile);
        memo->Lines().EndUpdate();
        Application()->ProcessMessages();
        double ms = Millisekunden(start);
        if (block == 0) erste = ms;
        letzte = ms;
    }
    std::printf(
        "status list, batches of 1000: %d lines in %.2f s; first thousand %.1f ms, last thousand %.1f ms "
        "(last/first %.2f)\n",
        memo->Lines().Count(), Millisekunden(beginn) / 1000, erste, letzte, letzte / erste);
    // What the text box holds for its lines decides the memory of a long unattended run.
    std::printf("status list, working set: %.1f MiB before the lines, %.1f MiB with them\n", speicherVorher,
                ArbeitsspeicherMiB());

    memo->Lines().Clear();
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 200; ++i)
        memo->Lines().Add(zeile);
    std::printf("status list, one line at a time with a redraw each: %.1f ms per line\n",
                Millisekunden(start) / 200);
    return 0;
}
