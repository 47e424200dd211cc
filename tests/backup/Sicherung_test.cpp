#include "backup/Sicherung.h"
#include "sys/Dateien.h"
#include "toolkit/Classes.h"
#include "toolkit/Dialogs.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_date.h"
#include "util/kv7_str.h"
#include "DateiHaken.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const String kStrich(80, L'-');
const String kDoppel(80, L'=');

// A run on real files below a test folder, with the lists a window would hand over.
struct Lauf {
    TestOrdner t;
    TStringList einzel, ordner, ext, black, holder, status;
    String ziel = t / L"Stick\\Datensicherung_VM\\";
    String logDatei = t / L"Stick\\Sicherung.log";
    bool geaendert = false;
    int gespeichert = 0;
    int laufEnde = 0;
    std::vector<int> gelistet; // the listing's size at each status line

    Lauf() { OrdnerAnlegen(t / L"Stick"); }

    TSicherung Sicherung() {
        TSicherung s({ziel, &einzel, &ordner, &ext, &black}, &holder);
        s.OnStatus = [this](const String& z) {
            status.Add(z);
            gelistet.push_back(holder.Count());
        };
        s.EinstellungenGeaendert = [this] { return geaendert; };
        s.EinstellungenSpeichern = [this] {
            ++gespeichert;
            geaendert = false;
            Schreiben(t / L"Stick\\Sicherung.ini", "[Tam_Main]\r\n");
            return t / L"Stick\\Sicherung.ini";
        };
        s.OnLaufEnde = [this] { ++laufEnde; };
        s.LogDatei = logDatei;
        return s;
    }
    int Ausfuehren() {
        TSicherung s = Sicherung();
        s.SicherungAusfuehren();
        return s.Anzahl();
    }
    // Where the copy of a source lies, as the status line shows it.
    String Kopie(const String& quelle) const { return ziel + OhneLaufwerk(quelle); }
    std::vector<String> Status() const { return status.ToVector(); }
};

} // namespace

TEST(SicherungAusfuehren, EmptyListsGiveTheZeroSummaryAndOneLogLine) {
    Lauf l;
    EXPECT_EQ(l.Ausfuehren(), 0);
    EXPECT_EQ(l.Status(), (std::vector<String>{kStrich, L"0 Dateien wurden gesichert.", kDoppel}));
    EXPECT_EQ(l.laufEnde, 1);
    EXPECT_EQ(l.gespeichert, 0);
    std::string log = Lesen(l.t / L"Stick\\Sicherung.log");
    EXPECT_TRUE(log.ends_with(" | 0 Dateien wurden gesichert.\r\n")) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1);
}

TEST(SicherungAusfuehren, CopiesSingleFilesAndFoldersThenNothingOnASecondRun) {
    Lauf l;
    Schreiben(l.t / L"Quelle\\Brief.docx", "Brief");
    Schreiben(l.t / L"Daten\\Unter\\b.txt", "b");
    Schreiben(l.t / L"Daten\\a.txt", "a");
    Schreiben(l.t / L"Doppelt\\x.txt", "x");
    l.einzel.Add(l.t / L"Quelle\\Brief.docx");
    l.einzel.Add(L"");
    l.einzel.Add(l.t / L"Quelle\\fehlt.txt");
    l.einzel.Add(l.t / L"Quelle\\Brief.docx"); // named twice, copied once
    l.ordner.Add(l.t / L"Daten");
    l.ordner.Add(l.t / L"Doppelt");
    l.ordner.Add(l.t / L"Doppelt"); // listed twice in a row, its copies made new: copied once
    l.ordner.Add(l.t / L"Quelle\\Brief.docx"); // a file in the folder list lists nothing
    EXPECT_EQ(l.Ausfuehren(), 4);
    EXPECT_EQ(l.Status(),
              (std::vector<String>{l.Kopie(l.t / L"Quelle\\Brief.docx"),
                                   l.Kopie(l.t / L"Daten\\Unter\\b.txt"), l.Kopie(l.t / L"Daten\\a.txt"),
                                   l.Kopie(l.t / L"Doppelt\\x.txt"), kStrich, L"4 Dateien wurden gesichert.",
                                   kDoppel}));
    EXPECT_NE(l.Kopie(l.t / L"Daten\\a.txt").find(L"Datensicherung_VM\\\\"), String::npos); // joint as built
    // The listing of a folder is held while that folder is backed up, and not after.
    EXPECT_EQ(l.gelistet, (std::vector<int>{0, 2, 2, 1, 0, 0, 0}));
    EXPECT_EQ(l.holder.Count(), 0);
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"Daten\\Unter\\b.txt")), "b");
    EXPECT_DOUBLE_EQ(DateiAlter(l.Kopie(l.t / L"Daten\\a.txt")), DateiAlter(l.t / L"Daten\\a.txt"));

    l.status.Clear();
    EXPECT_EQ(l.Ausfuehren(), 0);
    EXPECT_EQ(l.Status()[1], L"0 Dateien wurden gesichert.");
    std::string log = Lesen(l.t / L"Stick\\Sicherung.log");
    EXPECT_NE(log.find(" | 4 Dateien wurden gesichert.\r\n"), std::string::npos);
    EXPECT_TRUE(log.ends_with(" | 0 Dateien wurden gesichert.\r\n")) << log;
}

TEST(DateiSichern, ExtensionListTrimsAndIgnoresCaseButNeedsTheDot) {
    Lauf l;
    for (const wchar_t* f : {L"a.tmp", L"B.Tmp", L"c.log", L"d.txt", L"Makefile", L"e.tmpx"})
        Schreiben(l.t / (String(L"D\\") + f), "x");
    l.ordner.Add(l.t / L"D");
    l.ext.SetText(L".TMP\r\n .log \r\ntmp\r\n");
    EXPECT_EQ(l.Ausfuehren(), 3); // d.txt, Makefile, e.tmpx
    EXPECT_FALSE(Existiert(l.Kopie(l.t / L"D\\a.tmp")));
    EXPECT_FALSE(Existiert(l.Kopie(l.t / L"D\\c.log")));
    EXPECT_TRUE(Existiert(l.Kopie(l.t / L"D\\Makefile")));

    Lauf leer;
    Schreiben(leer.t / L"D\\Makefile", "x");
    Schreiben(leer.t / L"D\\a.txt", "x");
    leer.ordner.Add(leer.t / L"D");
    leer.ext.SetText(L"  \r\n"); // a line of blanks matches every file without extension
    EXPECT_EQ(leer.Ausfuehren(), 1);
    EXPECT_FALSE(Existiert(leer.Kopie(leer.t / L"D\\Makefile")));
}

TEST(DateiSichern, BlacklistIsCaseSensitiveAndSeesTheWholeTargetPath) {
    Lauf l;
    Schreiben(l.t / L"Cache\\a.txt", "x");
    Schreiben(l.t / L"Andere\\a.txt", "x");
    l.ordner.SetText(l.t / L"Cache\r\n" + (l.t / L"Andere"));
    l.black.SetText(L"\r\n\\Cache\\\r\n"); // the empty line never matches
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_TRUE(Existiert(l.Kopie(l.t / L"Andere\\a.txt")));
    l.black.SetText(L"\\cache\\"); // other letter case: no match
    EXPECT_EQ(l.Ausfuehren(), 1);

    Lauf alles;
    Schreiben(alles.t / L"D\\a.txt", "x");
    alles.ordner.Add(alles.t / L"D");
    alles.black.Add(L"Datensicherung");
    EXPECT_EQ(alles.Ausfuehren(), 0);
}

TEST(DateiSichern, OnlyStrictlyNewerSourcesAtTwoSecondSteps) {
    Lauf l;
    Schreiben(l.t / L"D\\a.txt", "neu");
    ZeitSetzen(l.t / L"D\\a.txt", 2026, 3, 1, 10, 0, 11);
    Schreiben(l.Kopie(l.t / L"D\\a.txt"), "alt");
    ZeitSetzen(l.Kopie(l.t / L"D\\a.txt"), 2026, 3, 1, 10, 0, 10); // same two-second step
    l.ordner.Add(l.t / L"D");
    EXPECT_EQ(l.Ausfuehren(), 0);
    l.einzel.Add(l.t / L"D\\a.txt");
    EXPECT_EQ(l.Ausfuehren(), 0);
    ZeitSetzen(l.t / L"D\\a.txt", 2026, 3, 1, 10, 0, 12);
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"D\\a.txt")), "neu");
}

TEST(DateiSichern, HiddenFilesOnlyWhenNamedAndLockedSourcesSkippedSilently) {
    Lauf l;
    Schreiben(l.t / L"D\\versteckt.txt", "v");
    Schreiben(l.t / L"D\\offen.txt", "o");
    AttributeSetzen(l.t / L"D\\versteckt.txt", FILE_ATTRIBUTE_HIDDEN);
    l.ordner.Add(l.t / L"D");
    HANDLE h = CreateFileW((l.t / L"D\\offen.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(l.Ausfuehren(), 0);
    CloseHandle(h);
    l.einzel.Add(l.t / L"D\\versteckt.txt");
    EXPECT_EQ(l.Ausfuehren(), 2);
}

TEST(DateiSichern, UnchangedFileWhoseCopyIsOpenElsewhereIsSkippedWithoutError) {
    Lauf l;
    Schreiben(l.t / L"D\\a.txt", "a");
    l.ordner.Add(l.t / L"D");
    EXPECT_EQ(l.Ausfuehren(), 1);
    HANDLE h =
        CreateFileW(l.Kopie(l.t / L"D\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(l.Ausfuehren(), 0);
    CloseHandle(h);
}

TEST(VerzeichnisSichern, NeverBacksUpItsOwnTarget) {
    Lauf l;
    Schreiben(l.t / L"Stick\\Dokument.txt", "d");
    l.logDatei = l.t / L"aussen.log";
    l.ordner.Add(l.t / L"Stick");
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_EQ(l.Ausfuehren(), 0);
    l.geaendert = true; // the settings file beside the target is copied, the target still not
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_EQ(l.Ausfuehren(), 0);
    TStringList alles;
    DateienRekursivToItems(l.ziel, L"*.*", &alles, true);
    EXPECT_EQ(alles.Count(), 2);
    l.ordner.SetText(l.ziel); // the target itself listed: nothing to do
    EXPECT_EQ(l.Ausfuehren(), 0);
}

TEST(EinzeldateiSichern, MirroredPathMustStayInsideTheTarget) {
    EXPECT_TRUE(TSicherung::BleibtImZiel(L"\\Daten\\..\\a.txt"));
    EXPECT_FALSE(TSicherung::BleibtImZiel(L"\\Daten\\..\\..\\a.txt"));
    EXPECT_FALSE(TSicherung::BleibtImZiel(L"..\\a.txt"));
    EXPECT_TRUE(TSicherung::BleibtImZiel(L"\\\\server\\freigabe\\a.txt"));
    Lauf l;
    Schreiben(l.t / L"Stick\\aussen.txt", "x");
    l.einzel.Add(l.t / L"Stick\\Datensicherung_VM\\..\\aussen.txt"); // fine: copy stays inside
    TSicherung s = l.Sicherung();
    EXPECT_EQ(s.EinzeldateiSichern(L"C:..\\..\\..\\..\\..\\..\\..\\..\\..\\..\\x.txt", l.ziel), 0);
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_EQ(l.Status()[0].find(l.ziel), 0u);
}

TEST(SicherungAusfuehren, ChangedSettingsAreSavedFirstAndBackedUpUnlessExcluded) {
    Lauf l;
    l.geaendert = true;
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_EQ(l.gespeichert, 1);
    EXPECT_EQ(l.Status()[0], l.Kopie(l.t / L"Stick\\Sicherung.ini"));
    EXPECT_EQ(l.Ausfuehren(), 0);
    EXPECT_EQ(l.gespeichert, 1);
    Lauf x;
    x.geaendert = true;
    x.ext.Add(L".ini");
    EXPECT_EQ(x.Ausfuehren(), 0);
    EXPECT_EQ(x.gespeichert, 1);
}

// One file that cannot be copied is reported and counted; the run goes on with the next file.
TEST(SicherungAusfuehren, ACopyErrorSkipsOnlyItsFile) {
    Lauf l;
    Schreiben(l.t / L"D\\a.txt", "a");
    Schreiben(l.t / L"D\\b.txt", "b");
    Schreiben(l.t / L"E\\c.txt", "c");
    OrdnerAnlegen(l.Kopie(l.t / L"D\\b.txt")); // a folder stands where the copy must go
    l.ordner.SetText(l.t / L"D\r\n" + (l.t / L"E"));
    TSicherung s = l.Sicherung();
    std::vector<String> gemeldet;
    s.OnUebersprungen = [&](const String& m) { gemeldet.push_back(m); };
    s.SicherungAusfuehren();
    ASSERT_EQ(gemeldet.size(), 1u);
    EXPECT_EQ(
        gemeldet[0].rfind(L"Datei \"" + l.Kopie(l.t / L"D\\b.txt") + L"\" kann nicht erstellt werden. ", 0),
        0u);
    EXPECT_EQ(l.Status(), (std::vector<String>{l.Kopie(l.t / L"D\\a.txt"), l.Kopie(l.t / L"E\\c.txt"),
                                               kStrich, L"2 Dateien wurden gesichert.", kDoppel}));
    EXPECT_EQ(s.Fehler(), 1);
    EXPECT_TRUE(Lesen(l.logDatei).ends_with(" | 2 Dateien wurden gesichert. (1 Fehler)\r\n"))
        << Lesen(l.logDatei);
}

// Only an error of the target medium as a whole ends the run: going on would fail once per file.
TEST(SicherungAusfuehren, OnlyErrorsOfTheWholeTargetEndTheRun) {
    struct Fall {
        DWORD fehler;
        bool zielDa, endet;
    } faelle[] = {
        {ERROR_DISK_FULL, true, true},
        {ERROR_HANDLE_DISK_FULL, true, true},
        {ERROR_NOT_READY, true, true},
        {ERROR_DEV_NOT_EXIST, true, true},
        {ERROR_WRITE_PROTECT, true, true},
        {ERROR_PATH_NOT_FOUND, false, true},
        {ERROR_PATH_NOT_FOUND, true, false},
        {ERROR_ACCESS_DENIED, true, false},
        {ERROR_SHARING_VIOLATION, true, false},
        {ERROR_FILE_TOO_LARGE, true, false},
        {ERROR_FILENAME_EXCED_RANGE, true, false},
        {ERROR_INVALID_NAME, true, false},
        {ERROR_CRC, true, false},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(TSicherung::BeendetDenLauf(f.fehler, f.zielDa), f.endet) << f.fehler << " " << f.zielDa;
}

TEST(SicherungAusfuehren, OneBoxListsAtMostTwentyFilesLeftOut) {
    const String kopf = L"Diese Dateien und Verzeichnisse wurden wegen eines Fehlers nicht gesichert:\r";
    std::vector<String> meldungen;
    for (int i = 1; i <= 25; ++i)
        meldungen.push_back(L"M" + std::to_wstring(i));
    auto erste = [&](size_t n) { return std::vector<String>(meldungen.begin(), meldungen.begin() + n); };
    EXPECT_EQ(TSicherung::NichtGesichert(erste(1)), kopf + L"\rM1");
    String zwanzig = kopf;
    for (int i = 1; i <= 20; ++i)
        zwanzig += L"\rM" + std::to_wstring(i);
    EXPECT_EQ(TSicherung::NichtGesichert(erste(20)), zwanzig);
    EXPECT_EQ(TSicherung::NichtGesichert(erste(21)), zwanzig + L"\rund 1 weitere");
    EXPECT_EQ(TSicherung::NichtGesichert(meldungen), zwanzig + L"\rund 5 weitere");
}

TEST(SicherungAusfuehren, FullMediumEndsTheRunAndKeepsTheOldCopy) {
    String medium = Medium("SICHERUNG_VOLL");
    if (medium.empty()) GTEST_SKIP() << "needs the small medium the test command mounts as root";
    Lauf l;
    l.ziel = medium + L"Datensicherung_VM\\";
    Schreiben(l.t / L"D\\gross.bin", std::string(3 << 20, 'n'));
    Schreiben(l.Kopie(l.t / L"D\\gross.bin"), "alte Kopie");
    ZeitSetzen(l.Kopie(l.t / L"D\\gross.bin"), 2001, 1, 1, 0, 0, 0);
    l.ordner.Add(l.t / L"D");
    EXPECT_THROW(l.Ausfuehren(), Exception);
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"D\\gross.bin")), "alte Kopie");
    OrdnerLoeschen(medium + L"Datensicherung_VM");
}

TEST(SicherungAusfuehren, CancelStopsAfterTheFileInProgressAndStillSummarises) {
    Lauf l;
    for (int i = 0; i < 5; ++i)
        Schreiben(l.t / (L"D\\f" + std::to_wstring(i)), "x");
    l.ordner.Add(l.t / L"D");
    TSicherung s = l.Sicherung();
    s.AbbruchGewuenscht = [&] { return l.status.Count() >= 2; };
    s.SicherungAusfuehren();
    EXPECT_TRUE(s.Abgebrochen());
    EXPECT_EQ(s.Anzahl(), 2);
    EXPECT_EQ(l.Status(),
              (std::vector<String>{l.Status()[0], l.Status()[1], L"Die Sicherung wurde abgebrochen.", kStrich,
                                   L"2 Dateien wurden gesichert.", kDoppel}));
    EXPECT_EQ(l.laufEnde, 1);
    EXPECT_TRUE(Lesen(l.logDatei).ends_with(" | 2 Dateien wurden gesichert. (abgebrochen)\r\n"));
}

// Taken as a path, a blank line would be the program's current folder: the stick's own files
// from the window, the system folder from the Task Scheduler.
TEST(SicherungAusfuehren, BlankLinesNameNothing) {
    Lauf l;
    Schreiben(l.t / L"Arbeitsordner\\Sicherung.exe", "programm");
    wchar_t vorher[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, vorher);
    SetCurrentDirectoryW((l.t / L"Arbeitsordner").c_str());
    l.einzel.SetText(L"\r\n   \r\n");
    l.ordner.SetText(L"\r\n   \r\n");
    EXPECT_EQ(l.Ausfuehren(), 0);
    SetCurrentDirectoryW(vorher);
    EXPECT_EQ(l.Status()[1], L"0 Dateien wurden gesichert.");
    EXPECT_FALSE(Existiert(l.Kopie(l.t / L"Arbeitsordner\\Sicherung.exe")));
}

TEST(SicherungAusfuehren, FilesWithoutDosTimeAreCopiedOnceThenFoundUnchanged) {
    Lauf l;
    Schreiben(l.t / L"D\\alt.txt", "1975");
    ZeitSetzen(l.t / L"D\\alt.txt", 1975, 5, 1, 10, 0, 0);
    Schreiben(l.t / L"D\\zukunft.txt", "2110");
    ZeitSetzen(l.t / L"D\\zukunft.txt", 2110, 1, 1, 0, 0, 0);
    Schreiben(l.t / L"E\\bekannt.txt", "2110");
    ZeitSetzen(l.t / L"E\\bekannt.txt", 2110, 1, 1, 0, 0, 0);
    Schreiben(l.Kopie(l.t / L"E\\bekannt.txt"), "2110"); // as an earlier run left it on the stick
    ZeitSetzen(l.Kopie(l.t / L"E\\bekannt.txt"), 2107, 12, 31, 23, 59, 58);
    l.ordner.SetText(l.t / L"D\r\n" + (l.t / L"E"));
    l.einzel.Add(l.t / L"D\\zukunft.txt");
    EXPECT_EQ(l.Ausfuehren(), 2);
    EXPECT_EQ(l.Ausfuehren(), 0);
}

// A reparse point's directory entry carries the link's time: the changed file behind it must
// still be found newer. The search below reports the entry as a link with an old time.
TEST(VerzeichnisSichern, LinksAreJudgedByTheirTwoAges) {
    Lauf l;
    Schreiben(l.t / L"D\\verweis.txt", "1");
    ZeitSetzen(l.t / L"D\\verweis.txt", 2026, 1, 1, 10, 0, 0);
    l.ordner.Add(l.t / L"D");
    DateiHaken haken;
    haken.eintrag = [](WIN32_FIND_DATAW& f) {
        if (String(f.cFileName) == L"verweis.txt") {
            f.dwFileAttributes |= FILE_ATTRIBUTE_REPARSE_POINT;
            f.ftLastWriteTime = {0, 0x01000000}; // the link's own time, long ago
        }
        return true;
    };
    EXPECT_EQ(l.Ausfuehren(), 1);
    Schreiben(l.t / L"D\\verweis.txt", "2");
    ZeitSetzen(l.t / L"D\\verweis.txt", 2026, 1, 1, 12, 0, 0);
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"D\\verweis.txt")), "2");
}

// Users paste paths with "/"; a stream keeps its mapping onto the stream of the copied file.
TEST(EinzeldateiSichern, SlashSeparatedPathsAndStreams) {
    Lauf l;
    Schreiben(l.t / L"Daten\\Unter\\a.txt", "a");
    Schreiben(l.t / L"Daten\\b.txt:strom", "s");
    String mitSchraegstrich = l.t / L"Daten/Unter/a.txt";
    l.einzel.SetText(mitSchraegstrich + L"\r\n" + (l.t / L"Daten\\b.txt:strom"));
    EXPECT_EQ(l.Ausfuehren(), 2);
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"Daten\\Unter\\a.txt")), "a");
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"Daten\\b.txt:strom")), "s");
    EXPECT_EQ(l.Status()[0], l.ziel + OhneLaufwerk(mitSchraegstrich));
    l.ext.SetText(L" \r\n"); // leaves out files without extension, also after a "/"
    Schreiben(l.t / L"Daten.alt\\Makefile", "m");
    l.einzel.SetText(l.t / L"Daten.alt/Makefile");
    EXPECT_EQ(l.Ausfuehren(), 0);
}

TEST(SicherungAusfuehren, FilesSkippedBecauseOfAnErrorAreCountedAndReported) {
    Lauf l;
    Schreiben(l.t / L"D\\gesperrt.txt", "g");
    Schreiben(l.t / L"E\\a.txt", "a");
    Schreiben(l.ziel + OhneLaufwerk(l.t / L"E"), "a file where the copy's folder must go");
    l.einzel.SetText(l.t / L"D\\gesperrt.txt\r\n" + (l.t / L"D\\fehlt.txt"));
    l.ordner.Add(l.t / L"E");
    std::vector<MessageBoxArgs> boxen;
    MessageBoxCapture alt = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        boxen.push_back(a);
        return IDOK;
    });
    HANDLE h =
        CreateFileW((l.t / L"D\\gesperrt.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    TSicherung s = l.Sicherung();
    std::vector<String> gemeldet;
    s.OnUebersprungen = [&](const String& m) { gemeldet.push_back(m); };
    s.SicherungAusfuehren();
    CloseHandle(h);
    SetMessageBoxCapture(std::move(alt));
    EXPECT_EQ(s.Anzahl(), 0);
    EXPECT_EQ(s.Fehler(), 2); // the missing file is no error
    ASSERT_EQ(gemeldet.size(), 2u);
    EXPECT_EQ(
        gemeldet[0].rfind(L"Datei \"" + (l.t / L"D\\gesperrt.txt") + L"\" kann nicht gelesen werden. ", 0),
        0u);
    EXPECT_EQ(gemeldet[1].rfind(L"Das Verzeichnis \"" + OrdnerTeil(l.Kopie(l.t / L"E\\a.txt")) +
                                    L"\" konnte nicht erstellt werden. ",
                                0),
              0u);
    EXPECT_TRUE(boxen.empty()) << "the run's caller shows them, once";
    EXPECT_EQ(l.Status()[1], L"0 Dateien wurden gesichert.");
}

TEST(SicherungAusfuehren, LongSourcePathsAreBackedUp) {
    Lauf l;
    String tief = l.t / L"D\\";
    while (tief.size() < 250)
        tief += L"Unterverzeichnis\\";
    Schreiben(tief + L"datei.txt", "tief");
    l.ordner.Add(l.t / L"D");
    EXPECT_EQ(l.Ausfuehren(), 1);
    EXPECT_GT(l.Status()[0].size(), 260u);
    EXPECT_EQ(Lesen(l.Kopie(tief + L"datei.txt")), "tief");
}

TEST(Zusammenfassung, CountPhraseWithTheLocaleThousandsSeparator) {
    EXPECT_EQ(TSicherung::Zusammenfassung(0), L"0 Dateien wurden gesichert.");
    EXPECT_EQ(TSicherung::Zusammenfassung(1), L"1 Datei wurde gesichert.");
    EXPECT_EQ(TSicherung::Zusammenfassung(2), L"2 Dateien wurden gesichert.");
    EXPECT_EQ(TSicherung::Zusammenfassung(1234),
              L"1" + TausenderTrenner() + L"234 Dateien wurden gesichert.");
    if (TausenderTrenner() == L".") {
        EXPECT_EQ(TSicherung::Zusammenfassung(1000), L"1.000 Dateien wurden gesichert.");
    }
}

TEST(LogZeile, DateTimeOrDateAloneAtMidnight) {
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    TDateTime tag = EncodeDate(2026, 12, 8);
    EXPECT_EQ(TSicherung::LogZeile(tag, L"S"), L"08.12.2026 | S");
    String mitZeit = TSicherung::LogZeile(tag + EncodeTime(14, 3, 7, 0), L"3 Dateien wurden gesichert.");
    EXPECT_EQ(mitZeit.substr(0, 11), L"08.12.2026 ");
    EXPECT_NE(mitZeit.find(L"14"), String::npos);
    EXPECT_NE(mitZeit.find(L"03"), String::npos);
    EXPECT_NE(mitZeit.find(L"07 | 3 Dateien wurden gesichert."), String::npos);
    KurzesDatumsformatZuruecksetzen();
}

// A folder that is there but cannot be listed, or whose listing breaks off, leaves files out: the
// run must not pass for complete. A folder that is not there lists nothing, as before.
TEST(VerzeichnisSichern, AFolderThatCannotBeListedCountsAsAnError) {
    struct Fall {
        const wchar_t* ordner; // where the search fails
        int eintrag;           // 0: its start, n: its n-th following entry
        DWORD fehler;
        int kopiert, fehlerZahl; // of the files a.txt, b.txt, c.txt in D and x.txt in D\Unter
    } faelle[] = {
        {L"D\\Unter\\", 0, ERROR_ACCESS_DENIED, 3, 1},  {L"D\\", 0, ERROR_ACCESS_DENIED, 0, 1},
        {L"D\\", 3, ERROR_NETNAME_DELETED, 1, 1}, // ".", "..", then one entry before the break
        {L"D\\Unter\\", 0, ERROR_PATH_NOT_FOUND, 3, 0}, {L"D\\", 0, ERROR_NOT_READY, 0, 0},
    };
    for (const Fall& f : faelle) {
        Lauf l;
        for (const wchar_t* name : {L"D\\a.txt", L"D\\b.txt", L"D\\c.txt", L"D\\Unter\\x.txt"})
            Schreiben(l.t / name, "1");
        l.ordner.Add(l.t / L"D");
        std::vector<String> meldungen;
        DateiHaken haken;
        const std::wstring muster = LangerPfad(l.t / f.ordner) + L"*.*";
        haken.suchfehler = [&](const std::wstring& m, int eintrag) -> DWORD {
            return m == muster && eintrag == f.eintrag ? f.fehler : 0;
        };
        TSicherung s = l.Sicherung();
        s.OnUebersprungen = [&](const String& m) { meldungen.push_back(m); };
        s.SicherungAusfuehren();
        SCOPED_TRACE(testing::Message() << f.ordner << " " << f.eintrag << " " << f.fehler);
        EXPECT_EQ(s.Anzahl(), f.kopiert);
        EXPECT_EQ(s.Fehler(), f.fehlerZahl);
        ASSERT_EQ(meldungen.size(), static_cast<size_t>(f.fehlerZahl));
        if (f.fehlerZahl) {
            EXPECT_EQ(meldungen[0], L"Verzeichnis \"" + (l.t / f.ordner) + L"\" kann nicht gelesen werden. " +
                                        SystemFehlerText(f.fehler));
        }
    }
}

// A listed line that is not there is a note, no error; a source gone between its age check and
// its copy is neither listed nor counted.
TEST(SicherungAusfuehren, MissingEntriesAreNotedAndVanishedSourcesNotCounted) {
    Lauf l;
    Schreiben(l.t / L"D\\weg.txt", "w");
    Schreiben(l.t / L"D\\da.txt", "d");
    l.einzel.SetText(l.t / L"fehlt.txt\r\n" + (l.t / L"D\\da.txt   "));
    l.ordner.SetText(l.t / L"Fehlt\r\nQ:\\Kein Laufwerk\r\n" + (l.t / L"D"));
    TSicherung s = l.Sicherung();
    std::vector<String> hinweise;
    s.OnHinweis = [&](const String& m) { hinweise.push_back(m); };
    // Once its folder is listed, a source goes. (From its age test to the end of its copy a
    // source is held open and cannot go.)
    s.AbbruchGewuenscht = [&] {
        if (l.holder.Count() == 2) DeleteFileW((l.t / L"D\\weg.txt").c_str());
        return false;
    };
    s.SicherungAusfuehren();
    EXPECT_EQ(hinweise, (std::vector<String>{L"Nicht gefunden: " + (l.t / L"fehlt.txt"),
                                             L"Nicht gefunden: " + (l.t / L"Fehlt"),
                                             L"Nicht gefunden: Q:\\Kein Laufwerk"}));
    EXPECT_EQ(l.Status(), (std::vector<String>{l.Kopie(l.t / L"D\\da.txt"), kStrich,
                                               L"1 Datei wurde gesichert.", kDoppel}));
    EXPECT_EQ(s.Fehler(), 0);
}

// NTFS allows names ending in a dot or a blank; they are backed up under their own names.
TEST(VerzeichnisSichern, NamesEndingInADotOrBlankKeepThem) {
    Lauf l;
    Schreiben(l.t / L"D\\Notiz.", "n");
    Schreiben(l.t / L"D\\Alt \\a.txt", "a");
    Schreiben(l.t / L"D\\Notiz", "anderes");
    l.ordner.Add(l.t / L"D");
    EXPECT_EQ(l.Ausfuehren(), 3);
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"D\\Notiz.")), "n");
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"D\\Alt \\a.txt")), "a");
    EXPECT_EQ(Lesen(l.Kopie(l.t / L"D\\Notiz")), "anderes");
}
