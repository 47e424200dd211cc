// The entry point: process-wide settings before any window, then the window and its message loop,
// or with "/SICHERN" the unattended run, with "/PRUEFEN" the verification, or with "/?" the help.
#include "app/Unbeaufsichtigt.h"
#include "app/da_Main.h"

#include "framework/ProgrammStart.h"
#include "sys/Zeitmarken.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "util/QEL_Str.h"

#include <vector>
#include <windows.h>

namespace {

// Writes to the console of the calling process, or to where its output was redirected.
class Konsole {
public:
    // A program started from a console window without redirection has no standard handles of
    // its own: it writes to the console of the calling process. It joins that console also when
    // its output is redirected, so that Ctrl+C there reaches the run.
    Konsole() {
        bool ohneAusgabe = !Gueltig(GetStdHandle(STD_OUTPUT_HANDLE));
        bool ohneFehler = !Gueltig(GetStdHandle(STD_ERROR_HANDLE));
        if (!AttachConsole(ATTACH_PARENT_PROCESS) || (!ohneAusgabe && !ohneFehler)) return;
        HANDLE konsole = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        if (!Gueltig(konsole)) return;
        if (ohneAusgabe) SetStdHandle(STD_OUTPUT_HANDLE, konsole);
        if (ohneFehler) SetStdHandle(STD_ERROR_HANDLE, konsole);
    }
    static bool Gueltig(HANDLE h) { return h && h != INVALID_HANDLE_VALUE; }
    // Asked once per handle: a line per copied file would otherwise ask the system each time.
    bool IstKonsole(HANDLE h) {
        for (const Art& a : arten_)
            if (a.handle == h) return a.konsole;
        DWORD modus;
        Art neu{h, GetConsoleMode(h, &modus) != 0};
        if (arten_.size() < 2) arten_.push_back(neu);
        return neu.konsole;
    }
    void Zeile(DWORD welcher, const String& text) {
        HANDLE h = GetStdHandle(welcher);
        if (!Gueltig(h)) return;
        String zeile; // the boxes break lines with a carriage return alone
        for (wchar_t c : text)
            zeile += c == L'\r' ? String(L"\r\n") : String(1, c);
        zeile += L"\r\n";
        DWORD n;
        if (IstKonsole(h)) {
            WriteConsoleW(h, zeile.c_str(), static_cast<DWORD>(zeile.size()), &n, nullptr);
            return;
        }
        int laenge = WideCharToMultiByte(CP_UTF8, 0, zeile.c_str(), static_cast<int>(zeile.size()), nullptr,
                                         0, nullptr, nullptr);
        std::string bytes(static_cast<size_t>(laenge), '\0');
        WideCharToMultiByte(CP_UTF8, 0, zeile.c_str(), static_cast<int>(zeile.size()), bytes.data(), laenge,
                            nullptr, nullptr);
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    }

private:
    struct Art {
        HANDLE handle;
        bool konsole;
    };
    std::vector<Art> arten_; // standard output and standard error
};

Konsolenausgabe Ausgabe(Konsole& konsole) {
    return {[&konsole](const String& zeile) { konsole.Zeile(STD_OUTPUT_HANDLE, zeile); },
            [&konsole](const String& zeile) { konsole.Zeile(STD_ERROR_HANDLE, zeile); }};
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    Zeitmarke("wwinmain"); // the start-up benchmark sets the loader's share apart
    ProgrammStarten();
    if (SchalterVorhanden(L"/?")) {
        Konsole konsole;
        konsole.Zeile(STD_OUTPUT_HANDLE, HilfeText());
        return 0;
    }
    // Given together with "/SICHERN", only the verification runs: it changes nothing.
    if (SchalterVorhanden(L"/PRUEFEN")) {
        Konsole konsole;
        return Unbeaufsichtigt(Ausgabe(konsole), UnbeaufsichtigterLauf::pruefen);
    }
    if (SchalterVorhanden(L"/SICHERN")) {
        Konsole konsole;
        return Unbeaufsichtigt(Ausgabe(konsole));
    }
    Application()->CreateForm<Tam_Main>();
    Application()->Run();
    return 0;
}
