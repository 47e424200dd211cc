#include "sys/Starten.h"

#include "sys/Meldungen.h"
#include "toolkit/Application.h"
#include "toolkit/SysUtils.h"

#include <shellapi.h>

namespace {
const wchar_t* OderNull(const String& s) {
    return s.empty() ? nullptr : s.c_str();
}
} // namespace

bool kivDateiStarten(const String& datei, const String& parameter, const String& arbeitsverzeichnis,
                     bool fehlerZeigen) {
    HWND haupt = ApplicationMainWindow();
    if (!haupt) {
        // Reported like an internal error, but without clipboard and without stopping the caller.
        InfoMeldung(InternerFehlerText(L"kivDateiStarten", L"Mainform noch nicht erzeugt."));
        return false;
    }
    return ShellStarten(haupt, datei, parameter, fehlerZeigen, arbeitsverzeichnis);
}

bool ShellStarten(HWND owner, const String& datei, const String& parameter, bool fehlerZeigen,
                  const String& arbeitsverzeichnis) {
    ProcessMessages();
    auto* ShellExecuteW = Systemfunktion<decltype(::ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    HINSTANCE h = ShellExecuteW(owner, L"open", datei.c_str(), OderNull(parameter),
                                OderNull(arbeitsverzeichnis), SW_SHOWNORMAL);
    // The result is a number in a handle's clothes; only its low 32 bits carry the code.
    auto ergebnis = static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(h));
    bool ok = ShellErfolg(ergebnis);
    if (!ok && fehlerZeigen)
        InfoMeldungFormat(L"Bei der Ausführung von \r%s\rist folgender Fehler aufgetreten :\r%s",
                          datei.c_str(), ShellFehlerText(ergebnis).c_str());
    return ok;
}

bool ShellErfolg(std::int32_t ergebnis) {
    return ergebnis == 0 || ergebnis > 32;
}

String ShellFehlerText(std::int32_t ergebnis) {
    switch (ergebnis) {
    case 0:
    case 42:
        return L"";
    case 2:
        return L"Datei nicht gefunden.";
    case 3:
        return L"Das angegebene Verzeichnis/Datei existiert nicht.";
    case 5:
        return L"The operating system denied access to the specified file.";
    case 8:
        return L"Windows 95 only: There was not enough memory to complete the operation.";
    case 11:
        return L"The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
    case 26:
        return L"A sharing violation occurred.";
    case 27:
        return L"The filename association is incomplete or invalid.";
    case 28:
        return L"The DDE transaction could not be completed because the request timed out.";
    case 29:
        return L"The DDE transaction failed.";
    case 30:
        return L"The DDE transaction could not be completed because other DDE transactions were being "
               L"processed.";
    case 31:
        return L"There is no application associated with the given filename extension.";
    case 32:
        return L"The specified dynamic-link library was not found.";
    case static_cast<std::int32_t>(0xC0000138):
        return L"A older or mismatched version of a DLL in your path.";
    default:
        return L"Unbekannter Fehler (" + std::to_wstring(static_cast<std::uint32_t>(ergebnis)) + L")";
    }
}
