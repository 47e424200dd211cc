#include "sys/Starten.h"
#include "sys/Meldungen.h"
#include "sys/Ordner.h"
#include "toolkit/Application.h"
#include "BoxReader.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
int g_gesehen = 0;

LRESULT CALLBACK Zaehler(HWND wnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_APP + 7) ++g_gesehen;
    return DefWindowProcW(wnd, msg, w, l);
}

// A hidden main window for the duration of a test; it counts WM_APP + 7.
struct Hauptfenster {
    HWND wnd;
    Hauptfenster() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Zaehler;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"StartenTestHaupt";
        RegisterClassW(&wc);
        wnd = CreateWindowExW(0, wc.lpszClassName, L"Haupt", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr,
                              nullptr, wc.hInstance, nullptr);
        SetApplicationMainWindow(wnd);
    }
    ~Hauptfenster() {
        SetApplicationMainWindow(nullptr);
        DestroyWindow(wnd);
    }
};

String Ziel() {
    return ProgrammVerzeichnis() + L"start_ziel.exe";
}

// What the started program reported, once its file is there; empty after the time is up.
std::vector<String> Bericht(const String& datei, DWORD ms) {
    for (DWORD t = 0; t < ms && !Existiert(datei); t += 50)
        Sleep(50);
    std::string bytes = Lesen(datei);
    if (!Existiert(datei)) return {};
    String text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    std::vector<String> zeilen;
    for (size_t a = 0, e; (e = text.find(L'\n', a)) != String::npos; a = e + 1)
        zeilen.push_back(text.substr(a, e - a));
    return zeilen;
}

// The started program ends by itself; should it hang, it is stopped here by its id.
void Beenden(DWORD pid) {
    if (HANDLE p = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid)) {
        if (WaitForSingleObject(p, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(p, 1);
            ADD_FAILURE() << "started program did not end";
        }
        CloseHandle(p);
    }
}
} // namespace

TEST(kivDateiStarten, StartsTheProgramWithParametersInTheWorkingFolder) {
    Hauptfenster haupt;
    TestOrdner ort;
    String aus = ort / L"bericht.txt";
    BoxReader reader;
    EXPECT_TRUE(kivDateiStarten(Ziel(), L"\"" + aus + L"\" \"zwei Worte\" drei", ort.Pfad(), true));
    std::vector<String> bericht = Bericht(aus, 10000);
    ASSERT_EQ(bericht.size(), 4u);
    Beenden(static_cast<DWORD>(std::stoul(bericht[0])));
    EXPECT_EQ(bericht[1] + L"\\", ort.Pfad());
    EXPECT_EQ(bericht[2], L"zwei Worte");
    EXPECT_EQ(bericht[3], L"drei");
    EXPECT_TRUE(reader.Boxes().empty());
}

TEST(kivDateiStarten, MissingFileExplainedInAnInformationBoxWhenAsked) {
    Hauptfenster haupt;
    TestOrdner ort;
    String fehlt = ort / L"fehlt.exe";
    BoxReader reader;
    EXPECT_FALSE(kivDateiStarten(fehlt, L"", L"", false));
    EXPECT_TRUE(reader.Boxes().empty());
    EXPECT_FALSE(kivDateiStarten(fehlt));
    ASSERT_EQ(reader.Boxes().size(), 1u);
    EXPECT_EQ(reader.Boxes()[0].caption, L"Informationen");
    EXPECT_EQ(reader.Boxes()[0].text, L"Bei der Ausführung von \r" + fehlt +
                                          L"\rist folgender Fehler aufgetreten :\rDatei nicht gefunden.");
}

TEST(kivDateiStarten, BeforeTheMainWindowReportsAndLaunchesNothing) {
    SetApplicationMainWindow(nullptr);
    TestOrdner ort;
    String aus = ort / L"bericht.txt";
    InZwischenablage(L"vorher");
    BoxReader reader;
    EXPECT_FALSE(kivDateiStarten(Ziel(), L"\"" + aus + L"\"", L"", true));
    ASSERT_EQ(reader.Boxes().size(), 1u);
    EXPECT_EQ(reader.Boxes()[0].caption, L"Informationen");
    EXPECT_EQ(reader.Boxes()[0].text,
              L"Interner Fehler im Modul [kivDateiStarten]\r\rMainform noch nicht erzeugt."
              L"\r\rBenachrichtigen Sie bitte Ihren Systemadministrator.");
    EXPECT_TRUE(Bericht(aus, 1000).empty()) << "the shell was not called";
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_UNICODETEXT);
    EXPECT_STREQ(h ? static_cast<const wchar_t*>(GlobalLock(h)) : L"", L"vorher") << "clipboard untouched";
    if (h) GlobalUnlock(h);
    CloseClipboard();
}

TEST(ShellStarten, HandlesPendingMessagesBeforeTheLaunch) {
    Hauptfenster haupt;
    TestOrdner ort;
    g_gesehen = 0;
    PostMessageW(haupt.wnd, WM_APP + 7, 0, 0);
    EXPECT_FALSE(ShellStarten(haupt.wnd, ort / L"fehlt.exe", L"", false, L""));
    EXPECT_EQ(g_gesehen, 1);
}

TEST(ShellStarten, ResultRuleAndErrorTexts) {
    EXPECT_TRUE(ShellErfolg(0)) << "0 counts as success";
    EXPECT_TRUE(ShellErfolg(33));
    EXPECT_TRUE(ShellErfolg(42));
    EXPECT_FALSE(ShellErfolg(32));
    EXPECT_FALSE(ShellErfolg(2));
    EXPECT_FALSE(ShellErfolg(-1073741512));

    EXPECT_EQ(ShellFehlerText(0), L"");
    EXPECT_EQ(ShellFehlerText(42), L"");
    EXPECT_EQ(ShellFehlerText(3), L"Das angegebene Verzeichnis/Datei existiert nicht.");
    EXPECT_EQ(ShellFehlerText(31), L"There is no application associated with the given filename extension.");
    EXPECT_EQ(ShellFehlerText(-1073741512), L"A older or mismatched version of a DLL in your path.");
    EXPECT_EQ(ShellFehlerText(99), L"Unbekannter Fehler (99)");
    EXPECT_EQ(ShellFehlerText(33), L"Unbekannter Fehler (33)");
    EXPECT_EQ(ShellFehlerText(-5), L"Unbekannter Fehler (4294967291)") << "as an unsigned number";
}
