// The unattended run of the real program: a copy of the executable in a scratch folder, started
// with "/SICHERN" and its output and exit code read.
#include "sys/Ordner.h"
#include "util/kv7_str.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {

struct Ergebnis {
    DWORD code = 999;
    std::string ausgabe, fehler;
};

std::string Lies(HANDLE h) {
    std::string s;
    char buf[4096];
    DWORD n;
    while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n)
        s.append(buf, n);
    return s;
}

// Runs the program copied into `ordner` with the given arguments; waits at most 60 s.
Ergebnis Ausfuehren(const String& ordner, const String& argumente) {
    String exe = ordner + L"Sicherung.exe";
    CopyFileW(SICHERUNG_EXE, exe.c_str(), FALSE);
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE outR, outW, errR, errW;
    CreatePipe(&outR, &outW, &sa, 0);
    CreatePipe(&errR, &errW, &sa, 0);
    SetHandleInformation(outR, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errR, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = outW;
    si.hStdError = errW;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    String befehl = L"\"" + exe + L"\" " + argumente;
    Ergebnis e;
    if (!CreateProcessW(exe.c_str(), befehl.data(), nullptr, nullptr, TRUE, 0, nullptr, ordner.c_str(), &si,
                        &pi)) {
        ADD_FAILURE() << "cannot start the program";
        return e;
    }
    CloseHandle(outW);
    CloseHandle(errW);
    e.ausgabe = Lies(outR);
    e.fehler = Lies(errR);
    if (WaitForSingleObject(pi.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(pi.hProcess, 99);
        ADD_FAILURE() << "the program did not end";
    }
    GetExitCodeProcess(pi.hProcess, &e.code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    CloseHandle(outR);
    CloseHandle(errR);
    return e;
}

void Ini(const String& ordner, const std::string& inhalt) {
    Schreiben(ordner + L"Sicherung.ini", inhalt);
}

} // namespace

TEST(Unbeaufsichtigt, RunCompletesWithExitCodeZeroAndReportsOnTheConsole) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "a");
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") + "\r\n");
    Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(e.code, 0u) << e.fehler;
    EXPECT_NE(e.ausgabe.find("a.txt"), std::string::npos) << e.ausgabe;
    EXPECT_NE(e.ausgabe.find("1 Datei wurde gesichert."), std::string::npos) << e.ausgabe;
    EXPECT_TRUE(Existiert(t / L"Stick\\Sicherung.log"));
    String ziel = t / (L"Stick\\Datensicherung_" + ComputerName() + L"\\");
    EXPECT_EQ(Lesen(ziel + OhneLaufwerk(t / L"Daten\\a.txt")), "a");
}

TEST(Unbeaufsichtigt, FailedCheckGivesTwoAndTheMessageOnStandardError) {
    TestOrdner t;
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Ext_0=.tmp\r\n");
    Ergebnis e = Ausfuehren(t / L"Stick\\", L"/sichern");
    EXPECT_EQ(e.code, 2u);
    EXPECT_NE(e.fehler.find("Bitte tragen Sie mindestens"), std::string::npos) << e.fehler;
    EXPECT_FALSE(Existiert(t / L"Stick\\Sicherung.log"));
}

TEST(Unbeaufsichtigt, CopyErrorGivesOne) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "a");
    String ziel = t / (L"Stick\\Datensicherung_" + ComputerName() + L"\\");
    OrdnerAnlegen(ziel + OhneLaufwerk(t / L"Daten\\a.txt")); // a folder where the copy must go
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") + "\r\n");
    Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(e.code, 1u);
    EXPECT_NE(e.fehler.find("kann nicht erstellt werden"), std::string::npos) << e.fehler;
}
