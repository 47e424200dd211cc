// The unattended runs of the real program: a copy of the executable in a scratch folder, started
// with "/SICHERN" or "/PRUEFEN" and its output and exit code read.
#include "sys/Dateien.h"
#include "sys/Ordner.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <thread>

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

struct Suche {
    DWORD prozess;
    HWND fenster = nullptr;
};

BOOL CALLBACK FensterDesProzesses(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Suche*>(p);
    DWORD von = 0;
    GetWindowThreadProcessId(w, &von);
    wchar_t klasse[32] = {};
    GetClassNameW(w, klasse, 32);
    if (von != s->prozess || String(klasse) != L"SicForm") return TRUE;
    s->fenster = w;
    return FALSE;
}

// The top-level window of a process (the unattended run's is hidden).
HWND Fenster(DWORD prozess) {
    Suche suche{prozess};
    EnumWindows(FensterDesProzesses, reinterpret_cast<LPARAM>(&suche));
    return suche.fenster;
}

// Runs the program copied into `ordner` with the given arguments; waits at most 60 s. `waehrend`
// runs once the program has started.
Ergebnis Ausfuehren(const String& ordner, const String& argumente,
                    const std::function<void(DWORD prozess)>& waehrend = {}) {
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
    std::thread fehlerLeser([&] { e.fehler = Lies(errR); });
    if (waehrend) waehrend(pi.dwProcessId);
    e.ausgabe = Lies(outR);
    fehlerLeser.join();
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

// The backup folder the program makes beside itself in `stick`.
String Sicherungsordner(const String& stick) {
    return stick + L"Datensicherung_" + ComputerName() + L"\\";
}

// The last bytes of a file.
std::string Ende(const String& pfad, DWORD anzahl) {
    HANDLE h = CreateFileW(pfad.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER zurueck;
    zurueck.QuadPart = -static_cast<long long>(anzahl);
    SetFilePointerEx(h, zurueck, nullptr, FILE_END);
    std::string s(anzahl, '\0');
    DWORD n = 0;
    ReadFile(h, s.data(), anzahl, &n, nullptr);
    CloseHandle(h);
    s.resize(n);
    return s;
}

// How often a text occurs.
size_t Anzahl(const std::string& text, const std::string& teil) {
    size_t n = 0;
    for (size_t p = text.find(teil); p != std::string::npos; p = text.find(teil, p + teil.size()))
        ++n;
    return n;
}

// The lines of an output, sorted: the order of a folder's files is the file system's.
std::vector<std::string> Zeilen(const std::string& ausgabe) {
    std::vector<std::string> zeilen;
    std::istringstream in(ausgabe);
    for (std::string z; std::getline(in, z);)
        zeilen.push_back(z.ends_with('\r') ? z.substr(0, z.size() - 1) : z);
    std::sort(zeilen.begin(), zeilen.end());
    return zeilen;
}

} // namespace

TEST(Unbeaufsichtigt, RunCompletesWithExitCodeZeroAndReportsOnTheConsole) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "a");
    // The blank line would be the program's own folder, Sicherung.exe and its settings with it.
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=\r\nme_Dir_1=" + NachUtf8Ansi(t / L"Daten") + "\r\n");
    const std::string einstellungen = Lesen(t / L"Stick\\Sicherung.ini");
    Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(e.code, 0u) << e.fehler;
    EXPECT_EQ(Lesen(t / L"Stick\\Sicherung.ini"), einstellungen) << "the run has nothing to save";
    EXPECT_NE(e.ausgabe.find("a.txt"), std::string::npos) << e.ausgabe;
    EXPECT_NE(e.ausgabe.find("1 Datei wurde gesichert."), std::string::npos) << e.ausgabe;
    EXPECT_TRUE(Existiert(t / L"Stick\\Sicherung.log"));
    String ziel = Sicherungsordner(t / L"Stick\\");
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

// 1: the run ended with an error, or files were skipped because of one.
TEST(Unbeaufsichtigt, ErrorsGiveOne) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "a");
    Schreiben(t / L"Gesperrt\\b.txt", "b");
    Schreiben(t / L"Ohne\\Ordner\\c.txt", "c");
    String ziel = Sicherungsordner(t / L"Stick\\");
    OrdnerAnlegen(ziel + OhneLaufwerk(t / L"Daten\\a.txt")); // a folder where the copy must go
    Schreiben(ziel + OhneLaufwerk(t / L"Ohne\\Ordner"), "a file where the copy's folder must go");
    HANDLE gesperrt =
        CreateFileW((t / L"Gesperrt\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    struct Fall {
        const wchar_t* ordner;
        const char* meldung;
    } faelle[] = {{L"Daten", "kann nicht erstellt werden"},
                  {L"Gesperrt", "kann nicht gelesen werden"},
                  {L"Ohne", "konnte nicht erstellt werden"}};
    for (const Fall& f : faelle) {
        Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / f.ordner) + "\r\n");
        Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN");
        EXPECT_EQ(e.code, 1u) << f.meldung;
        EXPECT_NE(e.fehler.find(f.meldung), std::string::npos) << e.fehler;
    }
    CloseHandle(gesperrt);
}

// 3: the run was cancelled; here its hidden window is asked to close during a large copy, just
// after the user saved a new list in the program's window.
TEST(Unbeaufsichtigt, CancelledRunGivesThreeAndKeepsTheOldCopy) {
    TestOrdner t;
    GrosseDatei(t / L"Daten\\gross.bin", 2LL << 30);
    String ordner = Sicherungsordner(t / L"Stick\\") + OhneLaufwerk(t / L"Daten\\");
    Schreiben(ordner + L"gross.bin", "alte Kopie");
    ZeitSetzen(ordner + L"gross.bin", 2001, 1, 1, 0, 0, 0);
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") + "\r\n");
    Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN", [&](DWORD prozess) {
        // Once the copy's temporary file appears, the program's window is asked to close.
        for (int i = 0; i < 20000; ++i) {
            WIN32_FIND_DATAW d;
            HANDLE suche = FindFirstFileW((ordner + L"~sicherung*").c_str(), &d);
            if (suche != INVALID_HANDLE_VALUE) {
                FindClose(suche);
                Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Einzel_0=C:\\Neu.txt\r\n");
                PostMessageW(Fenster(prozess), WM_CLOSE, 0, 0);
                return;
            }
            Sleep(1);
        }
        ADD_FAILURE() << "the copy did not start";
    });
    EXPECT_EQ(e.code, 3u) << e.fehler;
    EXPECT_NE(e.ausgabe.find("Die Sicherung wurde abgebrochen.\r\n---"), std::string::npos) << e.ausgabe;
    EXPECT_EQ(Lesen(ordner + L"gross.bin"), "alte Kopie");
    TStringList rest;
    DateienRekursivToItems(ordner, L"*.*", &rest, true);
    EXPECT_EQ(rest.ToVector(), std::vector<String>{ordner + L"gross.bin"});
    EXPECT_TRUE(Lesen(t / L"Stick\\Sicherung.log").ends_with(" (abgebrochen)\r\n"));
    EXPECT_EQ(Lesen(t / L"Stick\\Sicherung.ini"), "[Tam_Main]\r\nme_Einzel_0=C:\\Neu.txt\r\n");
}

TEST(Unbeaufsichtigt, HelpListsSwitchesAndExitCodesOnStandardOutput) {
    TestOrdner t;
    Ergebnis e = Ausfuehren(t.Pfad(), L"/?");
    EXPECT_EQ(e.code, 0u);
    for (const char* zeile : {"/SICHERN", "/8X6", "/Systemdatum=", "Rückgabewerte von /SICHERN:",
                              "  0  Alle fälligen Dateien wurden gesichert.\r\n",
                              "  2  Die Prüfung vor der Sicherung ist fehlgeschlagen.\r\n",
                              "  3  Die Sicherung wurde abgebrochen.\r\n", "  /PRUEFEN ", "  fehlt ",
                              "  veraltet ", "  abweichend ", "  unlesbar ",
                              "<N> Dateien geprüft: <a> abweichend, <f> fehlen, <v> veraltet, <u> unlesbar.",
                              "Rückgabewerte von /PRUEFEN:", "  3  Die Prüfung wurde abgebrochen.\r\n"})
        EXPECT_NE(e.ausgabe.find(zeile), std::string::npos) << zeile << "\n" << e.ausgabe;
    EXPECT_FALSE(Existiert(t / L"Sicherung.log"));
    EXPECT_FALSE(Existiert(t / L"Sicherung.ini"));
}

// A file that cannot be copied (a folder stands where its copy must go) is named on standard
// error and the run goes on, run after run; lines not there on this computer are noted there,
// which alone leaves the exit code at 0.
TEST(Unbeaufsichtigt, OneBadFileNeverStopsTheRestAndMissingLinesAreNoted) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "a");
    Schreiben(t / L"Daten\\b.txt", "b");
    Schreiben(t / L"Weitere\\c.txt", "c");
    String ziel = Sicherungsordner(t / L"Stick\\");
    OrdnerAnlegen(ziel + OhneLaufwerk(t / L"Daten\\a.txt"));
    const std::string fehlt = NachUtf8(t / L"Fehlt"); // as standard error shows it
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") +
                            "\r\nme_Dir_1=" + NachUtf8Ansi(t / L"Weitere") +
                            "\r\nme_Dir_2=" + NachUtf8Ansi(t / L"Fehlt") + "\r\n");
    for (int lauf = 1; lauf <= 2; ++lauf) {
        Schreiben(t / L"Weitere\\c.txt", "c" + std::to_string(lauf));
        ZeitSetzen(t / L"Weitere\\c.txt", 2026, 1, lauf, 10, 0, 0);
        Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN");
        EXPECT_EQ(e.code, 1u) << lauf;
        EXPECT_NE(e.fehler.find("Datei \"" + NachUtf8(ziel + OhneLaufwerk(t / L"Daten\\a.txt")) +
                                "\" kann nicht erstellt werden."),
                  std::string::npos)
            << e.fehler;
        EXPECT_NE(e.fehler.find("Nicht gefunden: " + fehlt + "\r\n"), std::string::npos) << e.fehler;
        EXPECT_EQ(Lesen(ziel + OhneLaufwerk(t / L"Weitere\\c.txt")), "c" + std::to_string(lauf));
        EXPECT_TRUE(Lesen(t / L"Stick\\Sicherung.log").ends_with(" (1 Fehler)\r\n")) << lauf;
    }
    EXPECT_EQ(Lesen(ziel + OhneLaufwerk(t / L"Daten\\b.txt")), "b");
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Einzel_0=" + NachUtf8Ansi(t / L"Fehlt") + "\r\n");
    Ergebnis e = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(e.code, 0u) << e.fehler;
    EXPECT_EQ(e.fehler, "Nicht gefunden: " + fehlt + "\r\n");
}

// Lengths and positions past 4 GiB do not fit the 32-bit build's DWORD and size_t.
TEST(Unbeaufsichtigt, FileBeyondFourGiBIsCopiedWholeWithItsTimeAndOnlyOnce) {
    TestOrdner t;
    String gross = t / L"Daten\\gross.bin";
    GrosseDatei(gross, (4LL << 30) + 4101, "Ende.");
    ZeitSetzen(gross, 2023, 6, 1, 12, 0, 2);
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") + "\r\n");
    String kopie = Sicherungsordner(t / L"Stick\\") + OhneLaufwerk(gross);

    Ergebnis erst = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(erst.code, 0u) << erst.fehler;
    EXPECT_NE(erst.ausgabe.find("1 Datei wurde gesichert."), std::string::npos) << erst.ausgabe;
    WIN32_FILE_ATTRIBUTE_DATA q{}, k{};
    ASSERT_TRUE(GetFileAttributesExW(gross.c_str(), GetFileExInfoStandard, &q));
    ASSERT_TRUE(GetFileAttributesExW(kopie.c_str(), GetFileExInfoStandard, &k));
    EXPECT_EQ(k.nFileSizeHigh, 1u);
    EXPECT_EQ(k.nFileSizeLow, 4101u);
    EXPECT_EQ(CompareFileTime(&k.ftLastWriteTime, &q.ftLastWriteTime), 0);
    EXPECT_EQ(Ende(kopie, 5), "Ende.");

    Ergebnis wieder = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(wieder.code, 0u) << wieder.fehler;
    EXPECT_NE(wieder.ausgabe.find("0 Dateien wurden gesichert."), std::string::npos) << wieder.ausgabe;
    EXPECT_EQ(wieder.ausgabe.find("gross.bin"), std::string::npos) << wieder.ausgabe;
}

// Counters and the status list of a large run, in folders of 100 as users keep their files.
TEST(Unbeaufsichtigt, RunOverTwentyThousandFilesReportsEachFileAndTheRightCount) {
    TestOrdner t;
    for (int i = 0; i < 20000; ++i)
        Schreiben(t / Format(L"Daten\\o%d\\d%d.txt", i / 100, i), "x");
    Ini(t / L"Stick\\", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") + "\r\n");

    Ergebnis erst = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(erst.code, 0u) << erst.fehler;
    EXPECT_EQ(Anzahl(erst.ausgabe, ".txt\r\n"), 20000u);
    EXPECT_NE(erst.ausgabe.find("\\o199\\d19999.txt\r\n"), std::string::npos);
    EXPECT_NE(erst.ausgabe.find("\r\n20.000 Dateien wurden gesichert.\r\n"), std::string::npos)
        << erst.ausgabe.substr(erst.ausgabe.size() > 600 ? erst.ausgabe.size() - 600 : 0);
    EXPECT_TRUE(Lesen(t / L"Stick\\Sicherung.log").ends_with(" | 20.000 Dateien wurden gesichert.\r\n"))
        << Lesen(t / L"Stick\\Sicherung.log");

    Ergebnis wieder = Ausfuehren(t / L"Stick\\", L"/SICHERN");
    EXPECT_EQ(wieder.code, 0u) << wieder.fehler;
    EXPECT_EQ(Anzahl(wieder.ausgabe, ".txt\r\n"), 0u);
    EXPECT_NE(wieder.ausgabe.find("\r\n0 Dateien wurden gesichert.\r\n"), std::string::npos) << wieder.ausgabe;
}

namespace {

// A backup tree beside the program holding one copy of each kind, with the settings that list it.
struct Pruefbaum {
    TestOrdner t;
    String stick = t / L"Stick\\";
    String ziel = Sicherungsordner(stick);

    // The copy of a source below the tree, as the program names it.
    String Kopie(const String& name) const { return ziel + OhneLaufwerk(t / (L"Daten\\" + name)); }
    // Source and copy with the given contents and times (the copy's year 0: no copy).
    void Paar(const String& name, const std::string& quelle, const std::string& kopie, int kopieJahr = 2020) {
        Schreiben(t / (L"Daten\\" + name), quelle);
        ZeitSetzen(t / (L"Daten\\" + name), 2020, 5, 5, 10, 0, 0);
        if (kopieJahr == 0) return;
        Schreiben(Kopie(name), kopie);
        ZeitSetzen(Kopie(name), kopieJahr, 5, 5, 10, 0, 0);
    }
    std::string Zeile(const char* wort, const String& name) const {
        return wort + std::string("\t") + NachUtf8Ansi(Kopie(name));
    }
};

} // namespace

// Every kind of finding in one tree: one line each, the summary, exit code 1; nothing is written
// into the backup or the sources, and a source another program has open for writing is read all
// the same.
TEST(Pruefen, OneTreeWithEveryFindingGivesItsLinesTheSummaryAndOne) {
    Pruefbaum b;
    b.Paar(L"gleich.txt", "gleich", "gleich");
    b.Paar(L"fehlt.txt", "neu", "", 0);
    b.Paar(L"alt.txt", "neu", "alt", 2001);
    b.Paar(L"byte.txt", "Inhalt", "Inhalr");
    b.Paar(L"laenge.txt", "Inhalt", "Inhalt und mehr");
    b.Paar(L"gesperrt.txt", "gesperrt", "gesperrt");
    b.Paar(L"offen.txt", "offen", "offen");
    b.Paar(L"aus.tmp", "ausgelassen", "", 0);
    b.Paar(L"Geheim\\x.txt", "ausgelassen", "", 0);
    Ini(b.stick, "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(b.t / L"Daten") +
                     "\r\nme_Ext_0=.TMP\r\nme_Blacklist_0=Geheim\r\n");
    TStringList vorher, nachher;
    DateienRekursivToItems(b.ziel, L"*.*", &vorher, true);
    HANDLE gesperrt = CreateFileW((b.t / L"Daten\\gesperrt.txt").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
    HANDLE offen = CreateFileW((b.t / L"Daten\\offen.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    Ergebnis e = Ausfuehren(b.stick, L"/PRUEFEN");
    CloseHandle(gesperrt);
    CloseHandle(offen);

    EXPECT_EQ(e.code, 1u) << e.fehler;
    const std::string grund =
        "Datei \"" + NachUtf8Ansi(b.t / L"Daten\\gesperrt.txt") + "\" kann nicht gelesen werden. ";
    std::vector<std::string> zeilen = Zeilen(e.ausgabe);
    ASSERT_EQ(zeilen.size(), 6u) << e.ausgabe;
    EXPECT_EQ(zeilen[0], "7 Dateien geprüft: 2 abweichend, 1 fehlen, 1 veraltet, 1 unlesbar.");
    EXPECT_EQ(zeilen[1], b.Zeile("abweichend", L"byte.txt"));
    EXPECT_EQ(zeilen[2], b.Zeile("abweichend", L"laenge.txt"));
    EXPECT_EQ(zeilen[3], b.Zeile("fehlt", L"fehlt.txt"));
    EXPECT_TRUE(zeilen[4].starts_with(b.Zeile("unlesbar", L"gesperrt.txt") + "\t" + grund)) << zeilen[4];
    EXPECT_GT(zeilen[4].size(), b.Zeile("unlesbar", L"gesperrt.txt").size() + grund.size())
        << "the system's reason";
    EXPECT_EQ(zeilen[5], b.Zeile("veraltet", L"alt.txt"));
    EXPECT_TRUE(
        Lesen(b.stick + L"Sicherung.log")
            .ends_with(NachUtf8Ansi(
                L" | Prüfung: 7 Dateien geprüft: 2 abweichend, 1 fehlen, 1 veraltet, 1 unlesbar.\r\n")));
    DateienRekursivToItems(b.ziel, L"*.*", &nachher, true);
    EXPECT_EQ(nachher.ToVector(), vorher.ToVector()) << "nothing added to the backup";
    EXPECT_EQ(Lesen(b.Kopie(L"byte.txt")), "Inhalr");
    EXPECT_EQ(Lesen(b.t / L"Daten\\offen.txt"), "offen");
}

// 0: every copy there, current and identical, here right after a backup; 2: the check before the
// run failed, and a missing target folder is not created.
TEST(Pruefen, ExitCodesZeroAfterABackupAndTwoWithoutATargetFolder) {
    Pruefbaum b;
    b.Paar(L"a.txt", "a", "", 0);
    b.Paar(L"Unter\\b.txt", "b", "", 0);
    Ini(b.stick, "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(b.t / L"Daten") + "\r\n");
    Ergebnis ohneZiel = Ausfuehren(b.stick, L"/PRUEFEN");
    EXPECT_EQ(ohneZiel.code, 2u);
    EXPECT_NE(ohneZiel.fehler.find("wurde nicht gefunden."), std::string::npos) << ohneZiel.fehler;
    EXPECT_FALSE(Existiert(b.ziel));
    EXPECT_EQ(Ausfuehren(b.stick, L"/SICHERN").code, 0u);
    Ergebnis e = Ausfuehren(b.stick, L"/pruefen");
    EXPECT_EQ(e.code, 0u) << e.ausgabe << e.fehler;
    EXPECT_EQ(e.ausgabe, "2 Dateien geprüft: 0 abweichend, 0 fehlen, 0 veraltet, 0 unlesbar.\r\n");
}

// 3: cancelled in the middle of comparing a large file; the file is not counted.
TEST(Pruefen, CancelDuringALargeCompareGivesThree) {
    Pruefbaum b;
    GrosseDatei(b.t / L"Daten\\gross.bin", 32LL << 30);
    GrosseDatei(b.Kopie(L"gross.bin"), 32LL << 30);
    ZeitSetzen(b.t / L"Daten\\gross.bin", 2020, 5, 5, 10, 0, 0);
    ZeitSetzen(b.Kopie(L"gross.bin"), 2020, 5, 5, 10, 0, 0);
    Ini(b.stick, "[Tam_Main]\r\nme_Einzel_0=" + NachUtf8Ansi(b.t / L"Daten\\gross.bin") + "\r\n");
    Ergebnis e = Ausfuehren(b.stick, L"/PRUEFEN", [](DWORD prozess) {
        // The window exists once the settings are about to load; a second later the comparison,
        // which reads 64 GiB, is under way.
        for (int i = 0; i < 2000 && !Fenster(prozess); ++i)
            Sleep(10);
        Sleep(1000);
        PostMessageW(Fenster(prozess), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(e.code, 3u) << e.ausgabe << e.fehler;
    EXPECT_EQ(e.ausgabe, "Die Prüfung wurde abgebrochen.\r\n0 Dateien geprüft: 0 abweichend, 0 fehlen, 0 "
                         "veraltet, 0 unlesbar.\r\n");
    EXPECT_TRUE(Lesen(b.stick + L"Sicherung.log").ends_with(" (abgebrochen)\r\n"));
}
