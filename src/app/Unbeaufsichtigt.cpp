#include "app/Unbeaufsichtigt.h"

#include "app/da_Main.h"
#include "toolkit/Application.h"
#include "sys/Ordner.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "util/kv7_str.h"

#include <atomic>

namespace {
// Shared with the console's handler thread: it may only set the flag and post to the window.
std::atomic<bool> g_abbruch{false};
std::atomic<HWND> g_fenster{nullptr};
HANDLE g_ende = nullptr; // set once the run has written its end and the settings are saved
} // namespace

BOOL WINAPI KonsolenAbbruch(DWORD ereignis) {
    return GuardCallback(TRUE, [&] {
        g_abbruch = true;
        if (HWND fenster = g_fenster.load()) PostMessageW(fenster, WM_CLOSE, 0, 0);
        // Closing the console, logging off or shutting down ends the process as soon as this
        // returns: the run gets a few seconds to write its summary and its log line.
        if (ereignis != CTRL_C_EVENT && ereignis != CTRL_BREAK_EVENT && g_ende)
            WaitForSingleObject(g_ende, 4000);
        return TRUE;
    });
}

int Unbeaufsichtigt(const Konsolenausgabe& konsole, UnbeaufsichtigterLauf lauf) {
    // A listed path on an empty card reader, or a crash, must not raise a box nobody answers.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX);
    MessageBoxCapture vorher = SetMessageBoxCapture([&konsole](const MessageBoxArgs& box) {
        if (konsole.fehler) konsole.fehler(box.caption + L": " + box.text);
        return box.defaultResult > 0 ? box.defaultResult : IDOK;
    });
    g_abbruch = false;
    if (g_ende)
        ResetEvent(g_ende);
    else
        g_ende = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    SetConsoleCtrlHandler(KonsolenAbbruch, TRUE);
    int code = 1;
    Tam_Main* fenster = nullptr;
    // Every step inside: an error anywhere is a message on standard error and exit code 1.
    try {
        fenster = Application()->CreateForm<Tam_Main>();
        fenster->StatusAusgabe = konsole.ausgabe;
        fenster->FehlerAusgabe = konsole.fehler;
        g_fenster = fenster->Handle();
        if (g_abbruch) PostMessageW(fenster->Handle(), WM_CLOSE, 0, 0);
        code = lauf == UnbeaufsichtigterLauf::pruefen ? fenster->UnbeaufsichtigtPruefen()
                                                      : fenster->UnbeaufsichtigtSichern();
    } catch (...) {
        Application()->HandleException(std::current_exception());
        code = 1;
    }
    g_fenster = nullptr;
    try {
        if (fenster) fenster->Free();
    } catch (...) {
        Application()->HandleException(std::current_exception());
        code = 1;
    }
    SetEvent(g_ende);
    SetConsoleCtrlHandler(KonsolenAbbruch, FALSE);
    SetMessageBoxCapture(std::move(vorher));
    return code;
}

// Lines stay below 80 characters, the width of a console window.
String HilfeText() {
    String exe = DateiBasisname(ProgrammDatei()) + L".exe";
    return exe +
           L" sichert die eingetragenen Dateien und Verzeichnisse\r"
           L"nach Datensicherung_<Computername>\\ neben dem Programm.\r"
           L"\r"
           L"Aufruf: " +
           exe +
           L" [/SICHERN | /PRUEFEN] [/8X6] [/Systemdatum=TT.MM.JJJJ] [/?]\r"
           L"\r"
           L"  /SICHERN       sichert ohne Fenster mit den gespeicherten Einstellungen,\r"
           L"                 zum Beispiel aus der Aufgabenplanung\r"
           L"  /PRUEFEN       vergleicht ohne Fenster jede Datei, die /SICHERN sichern\r"
           L"                 würde, Byte für Byte mit ihrer Kopie in der Sicherung;\r"
           L"                 schreibt nichts in die Sicherung und nichts in die Quellen\r"
           L"  /8X6           öffnet das Fenster mit 800 x 600 Bildpunkten\r"
           L"                 und speichert seine Lage nicht\r"
           L"  /Systemdatum=  setzt das Datum des Programms (im Datumsformat des Benutzers)\r"
           L"  /?             zeigt diese Hilfe\r"
           L"\r"
           L"Rückgabewerte von /SICHERN:\r"
           L"  0  Alle fälligen Dateien wurden gesichert.\r"
           L"  1  Die Sicherung endete mit einem Fehler, oder Dateien wurden\r"
           L"     wegen eines Fehlers übersprungen.\r"
           L"  2  Die Prüfung vor der Sicherung ist fehlgeschlagen.\r"
           L"  3  Die Sicherung wurde abgebrochen.\r"
           L"\r"
           L"/PRUEFEN schreibt eine Zeile je Befund: das Wort, einen Tabulator, den Pfad\r"
           L"der Kopie (bei \"unlesbar\" danach einen Tabulator und den Grund):\r"
           L"  fehlt       Die Kopie fehlt.\r"
           L"  veraltet    Die Kopie ist älter als ihre Quelle (die nächste Sicherung\r"
           L"              kopiert sie).\r"
           L"  abweichend  Die Kopie hat nicht die Größe oder den Inhalt der Quelle,\r"
           L"              obwohl sie nicht älter ist.\r"
           L"  unlesbar    Die Quelle oder die Kopie kann nicht gelesen werden.\r"
           L"Am Ende steht die Zusammenfassung:\r"
           L"  <N> Dateien geprüft: <a> abweichend, <f> fehlen, <v> veraltet, <u> unlesbar.\r"
           L"\r"
           L"Rückgabewerte von /PRUEFEN:\r"
           L"  0  Jede Kopie ist vorhanden, aktuell und gleich ihrer Quelle.\r"
           L"  1  Mindestens ein Befund, oder ein Verzeichnis konnte nicht gelesen werden.\r"
           L"  2  Die Prüfung vor dem Lauf ist fehlgeschlagen (das Zielverzeichnis\r"
           L"     fehlt, oder nichts ist eingetragen).\r"
           L"  3  Die Prüfung wurde abgebrochen.";
}
