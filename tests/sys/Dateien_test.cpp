#include "sys/Dateien.h"
#include "sys/qelBox.h"
#include "toolkit/Dialogs.h"
#include "toolkit/SysUtils.h"
#include "DateiHaken.h"
#include "SysTestHilfen.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
std::vector<String> Liste(const String& ordner, const String& maske = L"*.*", const String& ohne = L"") {
    TStringList l;
    DateienRekursivToItems(ordner, maske, &l, true, ohne);
    return l.ToVector();
}

size_t Position(const std::vector<String>& v, const String& s) {
    return static_cast<size_t>(std::find(v.begin(), v.end(), s) - v.begin());
}

struct MeldungsFang {
    std::vector<MessageBoxArgs> boxen;
    MessageBoxCapture alt;
    MeldungsFang() {
        alt = SetMessageBoxCapture([this](const MessageBoxArgs& a) {
            boxen.push_back(a);
            return IDOK;
        });
    }
    ~MeldungsFang() { SetMessageBoxCapture(std::move(alt)); }
};
} // namespace

TEST(DateienRekursivToItems, SubFoldersFirstThenOwnFilesLeavingOutHiddenSystemAndSvn) {
    TestOrdner t;
    for (const wchar_t* f : {L"A\\a1", L"A\\A2\\a2", L"B\\b1", L"x", L"y", L"h", L"s", L"H\\in_hidden",
                             L".SVN\\entries", L"B\\.svn\\x"})
        Schreiben(t / f, "1");
    AttributeSetzen(t / L"h", FILE_ATTRIBUTE_HIDDEN);
    AttributeSetzen(t / L"s", FILE_ATTRIBUTE_SYSTEM);
    AttributeSetzen(t / L"H", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    std::vector<String> l = Liste(t.Pfad().substr(0, t.Pfad().size() - 1)); // without trailing backslash
    std::vector<String> sortiert = l;
    std::sort(sortiert.begin(), sortiert.end());
    EXPECT_EQ(sortiert,
              (std::vector<String>{t / L"A\\A2\\a2", t / L"A\\a1", t / L"B\\b1", t / L"x", t / L"y"}));
    // A sub-folder's listing is complete (its own sub-folders first) before the folder's files.
    EXPECT_LT(Position(l, t / L"A\\A2\\a2"), Position(l, t / L"A\\a1"));
    EXPECT_LT(Position(l, t / L"B\\b1"), Position(l, t / L"x"));
    EXPECT_LT(Position(l, t / L"A\\a1"), Position(l, t / L"y"));
}

TEST(DateienRekursivToItems, ClearingMaskMissingFolderAndAbsentList) {
    TestOrdner t;
    Schreiben(t / L"a.txt", "1");
    Schreiben(t / L"b.doc", "1");
    Schreiben(t / L"sub\\c.txt", "1");
    TStringList l{L"alt"};
    DateienRekursivToItems(t.Pfad(), L"*.txt", &l, false);
    EXPECT_EQ(l.ToVector(), (std::vector<String>{L"alt", t / L"sub\\c.txt", t / L"a.txt"}));
    DateienRekursivToItems(t / L"fehlt", L"*.*", &l, true);
    EXPECT_EQ(l.Count(), 0);

    MeldungsFang fang;
    EXPECT_THROW(DateienRekursivToItems(t.Pfad(), L"*.*", nullptr, true), EAbort);
    ASSERT_EQ(fang.boxen.size(), 1u);
    EXPECT_NE(fang.boxen[0].text.find(L"[kiv_sys]\r\rDateienRekursivToItems SL nicht zugewiesen."),
              String::npos);
}

TEST(DateienRekursivToItems, NeverEntersTheExcludedFolder) {
    TestOrdner t;
    Schreiben(t / L"Daten\\a.txt", "1");
    Schreiben(t / L"Daten\\Datensicherung_VM\\Daten\\a.txt", "1");
    EXPECT_EQ(Liste(t / L"Daten", L"*.*", t / L"daten\\datensicherung_vm"),
              (std::vector<String>{t / L"Daten\\a.txt"}));
    EXPECT_TRUE(
        Liste(t / L"Daten\\Datensicherung_VM\\Daten", L"*.*", t / L"Daten\\Datensicherung_VM\\").empty());
}

// The search asks for names only: a system may honour the hint to list folders alone, and the
// walk would then find no file and report an empty folder as success.
TEST(DateienRekursivToItems, ListsFilesWhereASearchWouldHonourTheFolderHint) {
    TestOrdner t;
    Schreiben(t / L"Unter\\b.txt", "1");
    Schreiben(t / L"a.txt", "1");
    DateiHaken haken;
    haken.nurOrdnerBeachten = true;
    EXPECT_EQ(Liste(t.Pfad()), (std::vector<String>{t / L"Unter\\b.txt", t / L"a.txt"}));
}

// The target reached by another path is recognised by its identity: a short name of the folder
// above it, of the target itself, or a drive letter lent to the folder above it.
TEST(DateienRekursivToItems, RecognisesTheExcludedFolderReachedByAnotherPath) {
    TestOrdner t;
    Schreiben(t / L"Sicherungsstick\\Dokument.txt", "d");
    Schreiben(t / L"Sicherungsstick\\Datensicherung_Rechner\\Kopie.txt", "k");
    const String ziel = t / L"Sicherungsstick\\Datensicherung_Rechner\\";
    wchar_t kurz[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameW((t / L"Sicherungsstick").c_str(), kurz, MAX_PATH), 0u);
    ASSERT_NE(String(kurz), t / L"Sicherungsstick") << "no short names here";
    EXPECT_EQ(Liste(kurz, L"*.*", ziel), std::vector<String>{String(kurz) + L"\\Dokument.txt"});
    ASSERT_NE(GetShortPathNameW(ziel.c_str(), kurz, MAX_PATH), 0u);
    EXPECT_TRUE(Liste(kurz, L"*.*", ziel).empty());
    EXPECT_TRUE(Liste(ziel, L"*.*", kurz).empty());

    TestLaufwerk laufwerk(L'S', t / L"Sicherungsstick");
    if (!laufwerk.Geliehen()) GTEST_SKIP() << "drive S: belongs to the machine or could not be made";
    EXPECT_EQ(Liste(L"S:\\", L"*.*", ziel), std::vector<String>{L"S:\\Dokument.txt"});
}

TEST(VerzeichnisErstellen, CreatesTheWholeChainOrExplains) {
    TestOrdner t;
    EXPECT_TRUE(VerzeichnisErstellen(t / L"a\\b\\c", true));
    EXPECT_TRUE(VerzeichnisExistiert(t / L"a\\b\\c\\"));
    String tief = t.Pfad();
    for (int i = 0; i < 30; ++i)
        tief += L"Verzeichnisebene" + std::to_wstring(i) + L"\\"; // beyond 260
    EXPECT_TRUE(VerzeichnisErstellen(tief, false));
    EXPECT_TRUE(VerzeichnisExistiert(tief));

    MeldungsFang fang;
    Schreiben(t / L"datei", "x");
    EXPECT_FALSE(VerzeichnisErstellen(t / L"datei\\unter", true)); // a file stands in the way
    ASSERT_EQ(fang.boxen.size(), 1u);
    EXPECT_EQ(fang.boxen[0].caption, L"Informationen");
    EXPECT_EQ(fang.boxen[0].text,
              L"Das Verzeichnis\r" + (t / L"datei\\unter\\") + L"\rkonnte nicht erstellt werden.");
}

TEST(VerzeichnisBeschreibbar, SkipsTakenScratchNamesAndReportsMissingFolder) {
    TestOrdner t;
    Schreiben(t / L"@kiv0000.tmp", "bleibt");
    EXPECT_EQ(EindeutigerDateiname(t.Pfad(), L"tmp"), L"@kiv0001");
    EXPECT_TRUE(VerzeichnisBeschreibbar(t.Pfad(), true));
    EXPECT_EQ(Lesen(t / L"@kiv0000.tmp"), "bleibt");
    EXPECT_FALSE(Existiert(t / L"@kiv0001.tmp"));

    MeldungsFang fang;
    EXPECT_FALSE(VerzeichnisBeschreibbar(t / L"fehlt", true));
    ASSERT_EQ(fang.boxen.size(), 1u);
    EXPECT_EQ(fang.boxen[0].text, L"Das Verzeichnis\r" + (t / L"fehlt\\") + L"\rwurde nicht gefunden.");
}

TEST(VerzeichnisBeschreibbar, AllScratchNamesTakenMeansNotWritable) {
    TestOrdner t;
    for (int i = 0; i <= 9999; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"@kiv%04d.tmp", i);
        HANDLE h = CreateFileW((t / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        CloseHandle(h);
    }
    EXPECT_EQ(EindeutigerDateiname(t.Pfad(), L".tmp"), L"");
    MeldungsFang fang;
    EXPECT_FALSE(VerzeichnisBeschreibbar(t.Pfad(), true));
    ASSERT_EQ(fang.boxen.size(), 1u);
    EXPECT_EQ(fang.boxen[0].caption, L"Fehler");
    EXPECT_EQ(fang.boxen[0].text, L"Sie haben keine Schreibrechte für das Verzeichnis\r" + t.Pfad());
}

TEST(VerzeichnisBeschreibbar, ReadOnlyMedium) {
    String medium = Medium("SICHERUNG_NURLESEN");
    if (medium.empty()) GTEST_SKIP() << "needs the read-only medium the test command mounts as root";
    MeldungsFang fang;
    EXPECT_FALSE(VerzeichnisBeschreibbar(medium + L"Ordner", true));
    EXPECT_FALSE(VerzeichnisErstellen(medium + L"Neu", false));
    ASSERT_EQ(fang.boxen.size(), 1u);
    EXPECT_EQ(fang.boxen[0].text,
              L"Sie haben keine Schreibrechte für das Verzeichnis\r" + medium + L"Ordner\\");
}

TEST(DateiAlter, TwoSecondStepsAndZeroForMissingOrLocked) {
    TestOrdner t;
    Schreiben(t / L"a", "a");
    ZeitSetzen(t / L"a", 2026, 12, 8, 14, 3, 13, 999);
    EXPECT_DOUBLE_EQ(DateiAlter(t / L"a"), 46364.0 + (14 * 3600 + 3 * 60 + 12) / 86400.0);
    EXPECT_DOUBLE_EQ(GespeichertesAlter(t / L"a"), DateiAlter(t / L"a"));
    HANDLE h = CreateFileW((t / L"a").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    // Missing and folders are no error; a file held open by someone else, in any sharing mode, is.
    struct Fall {
        String pfad;
        DWORD fehler;
    } faelle[] = {
        {t / L"fehlt", 0}, {t / L"fehlt\\a", 0}, {t.Pfad(), 0}, {t / L"a", ERROR_SHARING_VIOLATION}};
    for (const Fall& f : faelle) {
        DWORD fehler = 1;
        EXPECT_EQ(DateiAlter(f.pfad, &fehler), 0) << NachUtf8(f.pfad);
        EXPECT_EQ(fehler, f.fehler) << NachUtf8(f.pfad);
    }
    CloseHandle(h);
}

// A FAT or exFAT stick holds only DOS times: outside 1980..2107 the copy takes the nearest end,
// and both ages are read in that form, so the copy counts as unchanged afterwards.
TEST(DateiAlter, TimesWithoutDosFormTakeItsNearestEnd) {
    struct Fall {
        int jahr, monat, tag, stunde, minute, sekunde;
        double alter;
    } faelle[] = {
        {1975, 5, 1, 10, 0, 3, 29221.0},
        {1601, 1, 2, 0, 0, 0, 29221.0},
        {1980, 1, 1, 0, 0, 1, 29221.0},
        {2107, 12, 31, 23, 59, 59, 75971.0 + 86398 / 86400.0},
        {2110, 6, 1, 12, 0, 0, 75971.0 + 86398 / 86400.0},
    };
    TestOrdner t;
    for (const Fall& f : faelle) {
        String q = t / L"quelle.txt", z = t / L"Kopie\\quelle.txt";
        Schreiben(q, "q");
        ZeitSetzen(q, f.jahr, f.monat, f.tag, f.stunde, f.minute, f.sekunde);
        EXPECT_DOUBLE_EQ(DateiAlter(q), f.alter) << f.jahr;
        OrdnerAnlegen(t / L"Kopie");
        ASSERT_TRUE(DateiKopieren(q, z));
        EXPECT_DOUBLE_EQ(GespeichertesAlter(z), f.alter) << f.jahr; // the time the stick is given
        EXPECT_DOUBLE_EQ(DateiAlter(z), DateiAlter(q)) << f.jahr;
    }
}

TEST(DateiKopieren, CopyCarriesTheSourceAgeAndReplacesOldCopy) {
    TestOrdner t;
    Schreiben(t / L"q.txt", std::string(3 << 20, 'q') + "ende");
    ZeitSetzen(t / L"q.txt", 2024, 2, 29, 23, 59, 59, 500);
    Schreiben(t / L"ziel\\z.txt", "alte Kopie");
    EXPECT_TRUE(DateiKopieren(t / L"q.txt", t / L"ziel\\\\z.txt"));
    EXPECT_EQ(Lesen(t / L"ziel\\z.txt"), std::string(3 << 20, 'q') + "ende");
    EXPECT_DOUBLE_EQ(DateiAlter(t / L"ziel\\z.txt"), DateiAlter(t / L"q.txt"));
    EXPECT_FALSE(DateiKopieren(t / L"Q.TXT", L" " + (t / L"q.txt") + L" ")); // the same file
    EXPECT_FALSE(DateiKopieren(t / L"fehlt", t / L"ziel\\fehlt"));
    EXPECT_FALSE(DateiKopierenWennErlaubt(t / L"q.txt", t / L"ziel\\z.txt", false));
    std::vector<String> rest = Liste(t / L"ziel");
    EXPECT_EQ(rest, std::vector<String>{t / L"ziel\\z.txt"}); // no temporary file left
}

TEST(DateiKopieren, ErrorsNameTheFileAndKeepTheOldCopy) {
    TestOrdner t;
    Schreiben(t / L"q.txt", "neu");
    try {
        DateiKopieren(t / L"q.txt", t / L"fehlt\\z.txt");
        ADD_FAILURE() << "no error";
    } catch (const EKopierfehler& e) { // the real reason, not the failed handle's
        EXPECT_EQ(e.Message(), L"Datei \"" + (t / L"fehlt\\z.txt") + L"\" kann nicht erstellt werden. " +
                                   SystemFehlerText(ERROR_PATH_NOT_FOUND));
        EXPECT_TRUE(e.AmZiel());
    }
    HANDLE h = CreateFileW((t / L"q.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    try {
        DateiKopieren(t / L"q.txt", t / L"z.txt");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(L"Datei " + (t / L"q.txt") + L" kann nicht geöffnet werden. ", 0), 0u);
    }
    CloseHandle(h);

    Schreiben(t / L"gross.bin", std::string(3 << 20, 'g'));
    Schreiben(t / L"Kopie\\gross.bin", "alte Kopie");
    DateiHaken haken; // the medium fails after the first buffer
    haken.lesen = [](int nummer) { return nummer < 2; };
    try {
        DateiKopieren(t / L"gross.bin", t / L"Kopie\\gross.bin");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message().rfind(L"Datei \"" + (t / L"gross.bin") + L"\" kann nicht gelesen werden. ", 0),
                  0u)
            << NachUtf8(e.Message());
    }
    EXPECT_EQ(Lesen(t / L"Kopie\\gross.bin"), "alte Kopie");
    EXPECT_EQ(Liste(t / L"Kopie"), std::vector<String>{t / L"Kopie\\gross.bin"});
}

// From 1 MiB on a copy reaches the medium before it replaces the old one; smaller ones are left
// to the system, where a flush would cost more than the copy.
TEST(DateiKopieren, LargeCopiesAreFlushedBeforeTheyReplaceTheOldOne) {
    TestOrdner t;
    struct Fall {
        size_t groesse;
        int spuelungen;
    } faelle[] = {{1024, 0}, {(1 << 20) - 1, 0}, {1 << 20, 1}, {3 << 20, 1}};
    for (const Fall& f : faelle) {
        Schreiben(t / L"q.bin", std::string(f.groesse, 'q'));
        Schreiben(t / L"Kopie\\q.bin", "alt");
        DateiHaken haken;
        std::vector<std::string> beimSpuelen;
        haken.spuelen = [&] { beimSpuelen.push_back(Lesen(t / L"Kopie\\q.bin")); };
        ASSERT_TRUE(DateiKopieren(t / L"q.bin", t / L"Kopie\\q.bin"));
        EXPECT_EQ(beimSpuelen, std::vector<std::string>(static_cast<size_t>(f.spuelungen), "alt"))
            << f.groesse;
    }
}

// The finished copy replaces the old one through its open handle; where the system cannot do
// that, by name. Either way a copy held open elsewhere stays as it was, and no temporary file is
// left behind.
TEST(DateiKopieren, ReplacesByHandleOrElseByName) {
    TestOrdner t;
    Schreiben(t / L"q.txt", "neu");
    for (bool durchHandle : {true, false}) {
        DateiHaken haken;
        haken.offenUmbenennen = durchHandle;
        Schreiben(t / L"Kopie\\q.txt", "alt");
        EXPECT_TRUE(DateiKopieren(t / L"q.txt", t / L"Kopie\\q.txt")) << durchHandle;
        EXPECT_EQ(Lesen(t / L"Kopie\\q.txt"), "neu");
        EXPECT_DOUBLE_EQ(DateiAlter(t / L"Kopie\\q.txt"), DateiAlter(t / L"q.txt"));
        Schreiben(t / L"Kopie\\q.txt", "alt");
        HANDLE h = CreateFileW((t / L"Kopie\\q.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        EXPECT_THROW(DateiKopieren(t / L"q.txt", t / L"Kopie\\q.txt"), EKopierfehler) << durchHandle;
        CloseHandle(h);
        EXPECT_EQ(Lesen(t / L"Kopie\\q.txt"), "alt");
        EXPECT_EQ(Liste(t / L"Kopie"), std::vector<String>{t / L"Kopie\\q.txt"});
    }
}

// The copy's content is right even when the medium refuses its time: it stays, and the error
// must not end the run.
TEST(DateiKopieren, RefusedTimeKeepsTheCopy) {
    TestOrdner t;
    Schreiben(t / L"q.txt", "neu");
    Schreiben(t / L"Kopie\\q.txt", "alt");
    DateiHaken haken;
    haken.zeitSetzenGelingt = false;
    EXPECT_TRUE(DateiKopieren(t / L"q.txt", t / L"Kopie\\q.txt"));
    EXPECT_EQ(Lesen(t / L"Kopie\\q.txt"), "neu");
    EXPECT_EQ(Liste(t / L"Kopie"), std::vector<String>{t / L"Kopie\\q.txt"});
}

namespace {
ULONGLONG DateiIndex(const String& pfad) {
    HANDLE h = CreateFileW(pfad.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION i{};
    GetFileInformationByHandle(h, &i);
    CloseHandle(h);
    return (static_cast<ULONGLONG>(i.nFileIndexHigh) << 32) | i.nFileIndexLow;
}
} // namespace

// A stream cannot be renamed onto another file's stream: its copy is written in place, and the
// copy of the file it belongs to keeps its own time, else that copy would pass for current. (Wine
// makes "a.txt:strom" a plain file, so there the file's time cannot change; the file index shows
// the in-place write on both.)
TEST(DateiKopieren, StreamCopyIsWrittenInPlace) {
    TestOrdner t;
    Schreiben(t / L"q.txt", "Strominhalt");
    Schreiben(t / L"Kopie\\a.txt", "Datei");
    ZeitSetzen(t / L"Kopie\\a.txt", 2001, 2, 3, 4, 5, 6);
    const TDateTime dateiAlter = GespeichertesAlter(t / L"Kopie\\a.txt");
    Schreiben(t / L"Kopie\\a.txt:strom", "alt");
    ULONGLONG vorher = DateiIndex(t / L"Kopie\\a.txt:strom");
    EXPECT_TRUE(DateiKopieren(t / L"q.txt", t / L"Kopie/a.txt:strom"));
    EXPECT_EQ(Lesen(t / L"Kopie\\a.txt:strom"), "Strominhalt");
    EXPECT_EQ(DateiIndex(t / L"Kopie\\a.txt:strom"), vorher);
    EXPECT_EQ(Lesen(t / L"Kopie\\a.txt"), "Datei");
    EXPECT_DOUBLE_EQ(GespeichertesAlter(t / L"Kopie\\a.txt"), dateiAlter);
}

TEST(DateiKopieren, FullMediumKeepsThePreviousCopy) {
    String medium = Medium("SICHERUNG_VOLL");
    if (medium.empty()) GTEST_SKIP() << "needs the small medium the test command mounts as root";
    TestOrdner t;
    Schreiben(t / L"gross.bin", std::string(3 << 20, 'g'));
    Schreiben(medium + L"gross.bin", "gute alte Kopie");
    EXPECT_THROW(DateiKopieren(t / L"gross.bin", medium + L"gross.bin"), Exception);
    EXPECT_EQ(Lesen(medium + L"gross.bin"), "gute alte Kopie");
    EXPECT_EQ(Liste(medium), std::vector<String>{medium + L"gross.bin"});
    DeleteFileW((medium + L"gross.bin").c_str());
}

TEST(ZeileAnhaengen, CreatesAppendsInAnsiAndSwallowsErrors) {
    TestOrdner t;
    ZeileAnhaengen(t / L"x.log", L"08.12.2026 14:03:07 | 3 Dateien wurden gesichert.");
    // A second instance of the program holds the log to append its own line.
    HANDLE andere = CreateFileW((t / L"x.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ZeileAnhaengen(t / L"x.log", L"Zweite Zeile mit ä");
    CloseHandle(andere);
    EXPECT_EQ(Lesen(t / L"x.log"),
              "08.12.2026 14:03:07 | 3 Dateien wurden gesichert.\r\nZweite Zeile mit \xE4\r\n");
    ZeileAnhaengen(t / L"fehlt\\x.log", L"geht nicht");
    EXPECT_FALSE(Existiert(t / L"fehlt\\x.log"));
    String medium = Medium("SICHERUNG_NURLESEN");
    if (!medium.empty()) ZeileAnhaengen(medium + L"x.log", L"geht nicht");
}

TEST(DateiLoeschen, TrueWhenGone) {
    TestOrdner t;
    Schreiben(t / L"a", "1");
    EXPECT_TRUE(DateiLoeschen(t / L"a"));
    EXPECT_FALSE(Existiert(t / L"a"));
    EXPECT_TRUE(DateiLoeschen(t / L"a"));
}

TEST(TStringListBox, OwnsItsListAndCopiesOnAssign) {
    TComponent owner(nullptr);
    auto* sl = new TStringListBox(&owner);
    sl->Strings()->Add(L"b");
    sl->Strings()->Add(L"a");
    EXPECT_EQ(sl->Count(), 2);
    EXPECT_FALSE(sl->Sorted());
    TStringList andere{L"x"};
    sl->SetStrings(andere);
    andere.Add(L"y");
    EXPECT_EQ(sl->Strings()->ToVector(), std::vector<String>{L"x"});
}

// The long form keeps a final dot or blank (valid on NTFS), resolves "." and ".." itself and
// makes a relative path absolute against the current folder.
TEST(LangerPfad, KeepsNamesEndingInADotOrBlank) {
    struct Fall {
        const wchar_t *pfad, *lang;
    } faelle[] = {
        {L"C:\\Daten\\Notiz.", L"\\\\?\\C:\\Daten\\Notiz."},
        {L"C:\\Daten\\Alt \\a.txt", L"\\\\?\\C:\\Daten\\Alt \\a.txt"},
        {L"C:/Daten//Unter\\\\a.txt", L"\\\\?\\C:\\Daten\\Unter\\a.txt"},
        {L"C:\\Daten\\.\\Alt\\..\\..\\..\\a.txt", L"\\\\?\\C:\\a.txt"},
        {L"C:\\Daten\\", L"\\\\?\\C:\\Daten\\"},
        {L"C:\\", L"\\\\?\\C:\\"},
        {L"\\\\server\\freigabe\\..\\..\\Notiz.", L"\\\\?\\UNC\\server\\freigabe\\Notiz."},
        {L"\\\\?\\C:\\Daten\\..\\x", L"\\\\?\\C:\\Daten\\..\\x"}, // already long: taken as it is
        {L"C:\\Daten\\a.txt:strom", L"\\\\?\\C:\\Daten\\a.txt:strom"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(LangerPfad(f.pfad), f.lang) << NachUtf8(f.pfad);
    TestOrdner t;
    wchar_t vorher[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, vorher);
    SetCurrentDirectoryW(t.Pfad().c_str());
    EXPECT_EQ(LangerPfad(L"Daten\\Notiz. "), L"\\\\?\\" + t.Pfad() + L"Daten\\Notiz. ");
    SetCurrentDirectoryW(vorher);
}
