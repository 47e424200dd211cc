// The entry point: process-wide settings before any window, then the window and its message loop,
// or with "/SICHERN" the unattended run.
#include "app/da_Main.h"

#include "framework/QelForm.h"
#include "sys/Ordner.h"
#include "sys/Startup.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "util/QEL_Str.h"
#include "util/kv7_date.h"

#include <windows.h>

namespace {

// Writes to the console of the calling process, or to where its output was redirected.
class Konsole {
public:
    Konsole() {
        if (GetStdHandle(STD_OUTPUT_HANDLE) == nullptr ||
            GetStdHandle(STD_OUTPUT_HANDLE) == INVALID_HANDLE_VALUE)
            AttachConsole(ATTACH_PARENT_PROCESS);
    }
    void Zeile(DWORD welcher, const String& text) {
        HANDLE h = GetStdHandle(welcher);
        if (!h || h == INVALID_HANDLE_VALUE) return;
        String zeile = text;
        for (wchar_t& c : zeile)
            if (c == L'\r') c = L'\n'; // the boxes break lines with a carriage return alone
        zeile += L"\r\n";
        DWORD modus, n;
        if (GetConsoleMode(h, &modus)) {
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
};

int Unbeaufsichtigt() {
    Konsole konsole;
    // No box ever waits for a user here: its text goes to standard error.
    SetMessageBoxCapture([&konsole](const MessageBoxArgs& box) {
        konsole.Zeile(STD_ERROR_HANDLE, box.caption + L": " + box.text);
        return box.defaultResult > 0 ? box.defaultResult : IDOK;
    });
    auto* fenster = Application()->CreateForm<Tam_Main>();
    fenster->StatusAusgabe = [&konsole](const String& zeile) { konsole.Zeile(STD_OUTPUT_HANDLE, zeile); };
    Application()->ProcessMessages(); // the window's set-up loads the settings
    int code = fenster->UnbeaufsichtigtSichern();
    fenster->Free();
    return code;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    RegisterReturnExemptClasses({ControlClass<TButton>()});
    ProgrammDatumFestlegen();
    RoamingFestlegen();
    StartEinstellungen();

    Application()->Initialize();
    Application()->SetMainFormOnTaskBar(true);
    if (SchalterVorhanden(L"/SICHERN")) return Unbeaufsichtigt();
    Application()->CreateForm<Tam_Main>();
    Application()->Run();
    return 0;
}
