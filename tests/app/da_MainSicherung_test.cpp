// The run behind "Sichern" as the window lives it: the keyboard during the run, an error that
// meets a close, the end of the session, and the unattended form that answers while it works.
#include "app/Unbeaufsichtigt.h"
#include "sys/Dateien.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/SysUtils.h"
#include "BoxReader.h"
#include "DateiHaken.h"
#include "Hauptfenster.h"
#include "WinInput.h"

#include <atomic>
#include <thread>

namespace {

const String kAbgebrochen = L"Die Sicherung wurde abgebrochen.";

bool Enthaelt(const std::vector<String>& zeilen, const String& zeile) {
    return std::find(zeilen.begin(), zeilen.end(), zeile) != zeilen.end();
}

// Asks the window every 100 ms whether it answers within a second, as the system does before it
// calls a window hung.
class Nachfrager {
public:
    explicit Nachfrager(HWND fenster)
        : thread_([this, fenster] {
              while (!ende_) {
                  DWORD_PTR r;
                  if (!SendMessageTimeoutW(fenster, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &r)) ++keineAntwort;
                  Sleep(100);
              }
          }) {}
    ~Nachfrager() {
        ende_ = true;
        thread_.join();
    }
    std::atomic<int> keineAntwort{0};

private:
    std::atomic<bool> ende_{false};
    std::thread thread_;
};

} // namespace

// The toolbar is laid out for the window's width before the window is first shown and painted.
TEST_F(Hauptfenster, ShortcutGroupHasItsHeightBeforeTheFirstPaint) {
    f = Application()->CreateForm<Tam_Main>(); // nothing processed, nothing painted yet
    EXPECT_EQ(f->tb_WichtigeDateien->RowCount(), 2);
    EXPECT_EQ(f->gb_WichtigeVerzeichnisse->Height(), f->tb_WichtigeDateien->Height() + 20);
}

// Next goes off during the run: Cancel has the focus meanwhile, and Return on it cancels as a
// click does.
TEST_F(Hauptfenster, DuringARunCancelHasTheFocusAndReturnCancels) {
    Schreiben(t / L"Daten\\a.bin", std::string(3 << 20, 'a'));
    Starten();
    f->me_Dir->Lines().Add(t / L"Daten");
    f->SetGeaendert(false);
    Weiter();
    Pump(); // the page's own focus first
    ASSERT_EQ(f->wz->ActivePageIndex(), 1);
    bool geschlossen = false;
    f->OnClose = [&](TComponent*, TCloseAction&) { geschlossen = true; };
    f->wz->BtnNext()->Button()->SetFocus();
    Pump();
    ASSERT_TRUE(f->wz->BtnNext()->Button()->Focused());
    HWND fokusImLauf = nullptr;
    DateiHaken haken;
    haken.lesen = [&](int nummer) {
        if (nummer == 1) {
            fokusImLauf = GetFocus();
            PressKey(VK_RETURN);
        }
        return true;
    };
    PressKey(VK_RETURN); // "Sichern"
    EXPECT_EQ(fokusImLauf, f->wz->BtnCancel()->Button()->Handle());
    EXPECT_TRUE(Enthaelt(f->me_Status->Lines().ToVector(), kAbgebrochen));
    EXPECT_FALSE(Existiert(Kopie(t / L"Daten\\a.bin")));
    Pump();
    EXPECT_TRUE(geschlossen);
}

// A close asked for during the run waits for the error to be read: the real box is shown and
// answered before the window goes.
TEST_F(Hauptfenster, ErrorOfARunAskedToCloseIsShownBeforeClosing) {
    Schreiben(t / L"Daten\\a.txt", "a");
    Starten();
    f->me_Dir->Lines().Add(t / L"Daten");
    f->SetGeaendert(false);
    Weiter();
    SetMessageBoxCapture(nullptr);
    BoxReader leser;
    size_t boxenBeimSchliessen = 99;
    f->OnClose = [&](TComponent*, TCloseAction&) { boxenBeimSchliessen = leser.Boxes().size(); };
    DateiHaken haken; // the close arrives during the copy, which then fails
    haken.lesen = [&](int) {
        PostMessageW(f->Handle(), WM_CLOSE, 0, 0);
        Application()->ProcessMessages();
        return false;
    };
    PostMessageW(f->wz->BtnNext()->Button()->Handle(), BM_CLICK, 0, 0);
    Pump();
    ASSERT_EQ(leser.Boxes().size(), 1u);
    EXPECT_NE(
        leser.Boxes()[0].text.find(L"Datei \"" + (t / L"Daten\\a.txt") + L"\" kann nicht gelesen werden. "),
        String::npos);
    Pump();
    EXPECT_EQ(boxenBeimSchliessen, 1u);
}

// Files left out because of an error are listed in one box once the summary stands; the status
// list keeps one line per copied file, and a listed line not there on this computer says nothing.
TEST_F(Hauptfenster, FilesLeftOutAreListedInOneBoxAfterTheSummary) {
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"})
        Schreiben(t / L"Daten\\" + name, "x");
    OrdnerAnlegen(Kopie(t / L"Daten\\a.txt")); // folders stand where the copies must go
    OrdnerAnlegen(Kopie(t / L"Daten\\c.txt"));
    Starten();
    f->me_Dir->Lines().SetText(t / L"Daten\r\n" + (t / L"Fehlt"));
    f->SetGeaendert(false);
    Weiter();
    std::vector<String> statusBeimKasten;
    SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        boxen.push_back(a);
        statusBeimKasten = f->me_Status->Lines().ToVector();
        return IDOK;
    });
    Weiter(); // "Sichern"
    const std::vector<String> status{Kopie(t / L"Daten\\b.txt"), String(80, L'-'),
                                     L"1 Datei wurde gesichert.", String(80, L'=')};
    EXPECT_EQ(statusBeimKasten, status);
    EXPECT_EQ(f->me_Status->Lines().ToVector(), status);
    ASSERT_EQ(boxen.size(), 1u);
    const String& text = boxen[0].text;
    EXPECT_EQ(
        text.rfind(L"Diese Dateien und Verzeichnisse wurden wegen eines Fehlers nicht gesichert:\r\rDatei ",
                   0),
        0u)
        << NachUtf8(text);
    for (const wchar_t* name : {L"a.txt", L"c.txt"})
        EXPECT_NE(text.find(L"Datei \"" + Kopie(t / L"Daten\\" + name) + L"\" kann nicht erstellt werden. "),
                  String::npos);
    EXPECT_TRUE(Lesen(Basis() + L".log").ends_with(" | 1 Datei wurde gesichert. (2 Fehler)\r\n"));
}

// Logging off saves the settings as closing does; during a run the run writes its end and its
// log line before the window answers, since the process may end right after.
TEST_F(Hauptfenster, SessionEndSavesTheSettingsAndEndsARunAtOnce) {
    Starten();
    f->me_Einzel->Lines().Add(L"C:\\Daten\\Brief.docx");
    EXPECT_EQ(SendMessageW(f->Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    SendMessageW(f->Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    EXPECT_TRUE(DateiExistiert(Basis() + L".ini", false));
    EXPECT_FALSE(f->Geaendert());

    DeleteFileW((Basis() + L".ini").c_str());
    Schreiben(t / L"Daten\\a.bin", std::string(3 << 20, 'a'));
    f->me_Einzel->Lines().Clear();
    f->me_Dir->Lines().Add(t / L"Daten");
    f->SetGeaendert(false);
    Weiter();
    std::string log;
    std::vector<String> status;
    bool gespeichert = false;
    DateiHaken haken;
    haken.lesen = [&](int nummer) {
        if (nummer == 1) {
            SendMessageW(f->Handle(), WM_QUERYENDSESSION, 0, 0);
            SendMessageW(f->Handle(), WM_ENDSESSION, TRUE, 0);
            log = Lesen(Basis() + L".log");
            status = f->me_Status->Lines().ToVector();
            gespeichert = DateiExistiert(Basis() + L".ini", false);
        }
        return true;
    };
    Weiter(); // "Sichern"
    EXPECT_TRUE(log.ends_with(" | 0 Dateien wurden gesichert. (abgebrochen)\r\n")) << log;
    EXPECT_EQ(status, (std::vector<String>{kAbgebrochen, String(80, L'-'), L"0 Dateien wurden gesichert.",
                                           String(80, L'=')}));
    EXPECT_TRUE(gespeichert);
    EXPECT_EQ(f->me_Status->Lines().ToVector(), status); // nothing more once the run has unwound
    EXPECT_FALSE(Existiert(Kopie(t / L"Daten\\a.bin")));
}

// The window answers while a slow folder is listed and while a large file is copied; a cancel
// posted in either ends the unattended run within a second, and the old copy stays.
TEST_F(Hauptfenster, UnattendedRunAnswersAndStopsWithinASecondWhenCancelled) {
    for (int i = 0; i < 100; ++i)
        Schreiben(t / (L"Langsam\\" + std::to_wstring(i / 10) + L"\\d" + std::to_wstring(i)), "x");
    GrosseDatei(t / L"Gross\\gross.bin", 256LL << 20);
    Schreiben(Kopie(t / L"Gross\\gross.bin"), "alte Kopie");
    ZeitSetzen(Kopie(t / L"Gross\\gross.bin"), 2001, 1, 1, 0, 0, 0);
    for (const wchar_t* ordner : {L"Langsam", L"Gross"}) {
        SCOPED_TRACE(NachUtf8(ordner));
        f = Application()->CreateForm<Tam_Main>();
        Application()->ProcessMessages(); // the set-up
        f->me_Dir->Lines().SetText(t / ordner);
        std::vector<String> ausgabe;
        f->StatusAusgabe = [&](const String& z) { ausgabe.push_back(z); };
        ULONGLONG abbruch = 0;
        auto abbrechen = [&](int nummer) {
            if (nummer == 20 && !abbruch) {
                abbruch = GetTickCount64();
                PostMessageW(f->Handle(), WM_CLOSE, 0, 0);
            }
        };
        int eintraege = 0;
        DateiHaken haken;
        haken.eintrag = [&](WIN32_FIND_DATAW&) {
            Sleep(20);
            abbrechen(++eintraege);
            return true;
        };
        haken.lesen = [&](int nummer) {
            Sleep(10);
            abbrechen(nummer);
            return true;
        };
        int code;
        ULONGLONG ende;
        {
            Nachfrager nachfrager(f->Handle());
            code = f->UnbeaufsichtigtSichern();
            ende = GetTickCount64();
            EXPECT_EQ(nachfrager.keineAntwort, 0);
        }
        ASSERT_NE(abbruch, 0u);
        EXPECT_LT(ende - abbruch, 1000u);
        EXPECT_EQ(code, 3);
        EXPECT_TRUE(Enthaelt(ausgabe, kAbgebrochen));
        f->Free();
        f = nullptr;
    }
    EXPECT_EQ(Lesen(Kopie(t / L"Gross\\gross.bin")), "alte Kopie");
    TStringList rest;
    DateienRekursivToItems(OrdnerTeil(Kopie(t / L"Gross\\gross.bin")), L"*.*", &rest, true);
    EXPECT_EQ(rest.Count(), 1); // no temporary file
}

// Ctrl+C in the console reaches the run from the system's handler thread; no system box may
// wait for a person meanwhile.
TEST_F(Hauptfenster, UnattendedRunCancelledFromTheConsole) {
    for (int i = 0; i < 50; ++i)
        Schreiben(t / (L"Daten\\d" + std::to_wstring(i)), "x");
    Schreiben(Basis() + L".ini", "[Tam_Main]\r\nme_Dir_0=" + NachUtf8Ansi(t / L"Daten") + "\r\n");
    SetErrorMode(0);
    HANDLE imLauf = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DateiHaken haken;
    haken.eintrag = [&](WIN32_FIND_DATAW&) {
        SetEvent(imLauf);
        Sleep(20);
        return true;
    };
    std::thread strg([&] {
        WaitForSingleObject(imLauf, 10000);
        KonsolenAbbruch(CTRL_C_EVENT);
    });
    std::vector<String> ausgabe, fehler;
    int code = Unbeaufsichtigt(
        {[&](const String& z) { ausgabe.push_back(z); }, [&](const String& z) { fehler.push_back(z); }});
    strg.join();
    CloseHandle(imLauf);
    EXPECT_EQ(code, 3);
    const UINT ohneBoxen = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX | SEM_NOGPFAULTERRORBOX;
    EXPECT_EQ(GetErrorMode() & ohneBoxen, ohneBoxen);
    auto zeile = std::find(ausgabe.begin(), ausgabe.end(), kAbgebrochen);
    ASSERT_NE(zeile, ausgabe.end());
    EXPECT_EQ(*(zeile + 1), String(80, L'-'));
    EXPECT_TRUE(Lesen(Basis() + L".log").ends_with(" (abgebrochen)\r\n"));
    EXPECT_TRUE(fehler.empty());
}
