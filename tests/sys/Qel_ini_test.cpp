#include "sys/Qel_ini.h"
#include "sys/Ordner.h"
#include "sys/qel_SHFolder.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "SysTestHilfen.h"
#include "TestDateien.h"
#include "sys/Dateien.h"

#include <gtest/gtest.h>

TEST(TqelIniFile, MissingFileSectionOrKeyGivesTheDefaultAsGiven) {
    TestOrdner ort;
    TqelIniFile ini(ort.Pfad() + L"a.ini");
    EXPECT_EQ(ini.ReadString(L"S", L"k", L"@#@"), L"@#@");
    EXPECT_FALSE(Existiert(ini.FileName())) << "reading creates nothing";
    ini.WriteString(L"S", L"k", L"wert");
    EXPECT_EQ(ini.ReadString(L"s", L"K", L"x"), L"wert") << "names ignore letter case";
    EXPECT_EQ(ini.ReadString(L"S", L"fehlt", L"mit Blank  "), L"mit Blank  ");
    EXPECT_EQ(ini.ReadString(L"T", L"k", String(3000, L'd')), String(3000, L'd'));
    ini.WriteString(L"S", L"leer", L"");
    EXPECT_EQ(ini.ReadString(L"S", L"leer", L"x"), L"");
    // A stored value may look like the marker the reader uses internally.
    ini.WriteString(L"S", L"marke", L"\x01");
    EXPECT_EQ(ini.ReadString(L"S", L"marke", L"x"), L"\x01");
}

TEST(TqelIniFile, LongValuesComeBackWith2047Characters) {
    TestOrdner ort;
    TqelIniFile ini(ort.Pfad() + L"a.ini");
    ini.WriteString(L"S", L"lang", String(3000, L'x'));
    EXPECT_EQ(ini.ReadString(L"S", L"lang", L""), String(2047, L'x'));
}

// A file written by hand: the whole section read at once gives every value as the single read of
// its key does, in the file's order.
TEST(TqelIniFile, SectionReadAtOnceGivesWhatEachKeyGives) {
    TestOrdner ort;
    TqelIniFile ini(ort.Pfad() + L"a.ini");
    const std::string lang(3000, 'x');
    Schreiben(ini.FileName(), "[Andere]\r\nk=nicht hier\r\n[S]\r\n"
                              "glatt=wert\r\n"
                              "  umgeben  =  mit Blanks  \r\n"
                              "tab\t=\tmit Tab\t\r\n"
                              "doppelt=\"in Anfuehrung\"\r\n"
                              "einfach='in Hochkommas'\r\n"
                              "halb=\"nur vorne\r\n"
                              "gemischt=\"innen\" und 'aussen'\r\n"
                              "leer=\r\n"
                              "lang=" +
                                  lang +
                                  "\r\n"
                                  "Gross=erste\r\n"
                                  "GROSS=zweite\r\n"
                                  ";kommentar=nein\r\n"
                                  "[Danach]\r\nk=auch nicht\r\n");
    std::vector<std::pair<String, String>> werte = ini.ReadSectionValues(L"s");
    std::vector<String> keys;
    for (const auto& [key, wert] : werte) {
        keys.push_back(key);
        if (key == L"GROSS") continue; // the first of equal keys is the one a read finds
        EXPECT_EQ(wert, ini.ReadValue(L"S", key).value_or(L"<fehlt>")) << key;
    }
    EXPECT_EQ(keys, (std::vector<String>{L"glatt", L"umgeben", L"tab", L"doppelt", L"einfach", L"halb",
                                         L"gemischt", L"leer", L"lang", L"Gross", L"GROSS"}));
    EXPECT_EQ(werte[3].second, L"in Anfuehrung");
    EXPECT_EQ(werte[8].second, String(2047, L'x'));
    EXPECT_TRUE(ini.ReadSectionValues(L"Fehlt").empty());
}

TEST(TqelIniFile, IntegersDecimalOrHexadecimalElseTheDefault) {
    TestOrdner ort;
    TqelIniFile ini(ort.Pfad() + L"a.ini");
    const std::pair<const wchar_t*, int> faelle[] = {
        {L"42", 42},
        {L"-7", -7},
        {L"+3", 3},
        {L"0x1F", 31},
        {L"0XfF", 255},
        {L"0xFFFFFFFF", -1},
        {L"-2147483648", INT32_MIN},
        {L"2147483648", 99},
        {L"0x100000000", 99},
        {L"0x", 99},
        {L"12a", 99},
        {L"", 99},
        {L"-", 99},
        {L"1.5", 99},
    };
    for (auto [text, erwartet] : faelle) {
        ini.WriteString(L"S", L"z", text);
        EXPECT_EQ(ini.ReadInteger(L"S", L"z", 99), erwartet) << text;
    }
    EXPECT_EQ(ini.ReadInteger(L"S", L"fehlt", -5), -5);
    ini.WriteInteger(L"S", L"z", -12);
    EXPECT_EQ(ini.ReadString(L"S", L"z", L""), L"-12");

    ini.WriteBool(L"S", L"b", true);
    EXPECT_EQ(ini.ReadString(L"S", L"b", L""), L"1");
    EXPECT_TRUE(ini.ReadBool(L"S", L"b", false));
    ini.WriteBool(L"S", L"b", false);
    EXPECT_EQ(ini.ReadString(L"S", L"b", L""), L"0");
    EXPECT_FALSE(ini.ReadBool(L"S", L"b", true));
    ini.WriteString(L"S", L"b", L"5");
    EXPECT_TRUE(ini.ReadBool(L"S", L"b", false)) << "any non-zero number";
    ini.WriteString(L"S", L"b", L"Ja");
    EXPECT_TRUE(ini.ReadBool(L"S", L"b", true));
    EXPECT_FALSE(ini.ReadBool(L"S", L"b", false));
}

TEST(TqelIniFile, SectionsKeysAndErasing) {
    TestOrdner ort;
    TqelIniFile ini(ort.Pfad() + L"a.ini");
    ini.EraseSection(L"S");
    EXPECT_FALSE(Existiert(ini.FileName())) << "nothing to erase in a file not there yet";
    ini.WriteString(L"S", L"Eins", L"1");
    ini.WriteString(L"S", L"Zwei", L"2");
    ini.WriteString(L"T", L"Drei", L"3");
    TStringList keys;
    ini.ReadSection(L"s", keys);
    EXPECT_EQ(keys.ToVector(), (std::vector<String>{L"Eins", L"Zwei"}));
    EXPECT_TRUE(ini.SectionExists(L"t"));
    EXPECT_FALSE(ini.SectionExists(L"U"));
    EXPECT_TRUE(ini.ValueExists(L"S", L"zwei"));
    EXPECT_FALSE(ini.ValueExists(L"S", L"Drei"));

    ini.EraseSection(L"s");
    EXPECT_FALSE(ini.SectionExists(L"S"));
    EXPECT_EQ(ini.ReadString(L"S", L"Eins", L"weg"), L"weg");
    EXPECT_EQ(ini.ReadString(L"T", L"Drei", L""), L"3");
    EXPECT_EQ(Lesen(ini.FileName()).find("[S]"), std::string::npos);
}

TEST(TqelIniFile, RefusedWritesRaiseWithTheFilePath) {
    TestOrdner ort;
    String datei = ort.Pfad() + L"fehlt\\a.ini";
    TqelIniFile ini(datei);
    const String meldung = L"In " + datei + L" kann nicht geschrieben werden";
    try {
        ini.WriteString(L"S", L"k", L"v");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), meldung);
    }
    try {
        ini.EraseSection(L"S");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), meldung);
    }
    EXPECT_THROW(ini.WriteInteger(L"S", L"k", 1), Exception);
    EXPECT_THROW(ini.WriteBool(L"S", L"k", true), Exception);
}

TEST(StandardIniDatei, OneObjectInTheProgramDataFolder) {
    RoamingFestlegen();
    TqelIniFile& ini = StandardIniDatei();
    EXPECT_EQ(&StandardIniDatei(), &ini);
    EXPECT_EQ(ini.FileName(), ProgrammdatenOrdner() + L"test_sys.ini");
    // The name is fixed at creation: the marker placed later does not move the file.
    TestDatei marke(ProgrammVerzeichnis() + L"Roaming.qel");
    RoamingFestlegen();
    EXPECT_NE(ProgrammdatenOrdner() + L"test_sys.ini", ini.FileName());
    EXPECT_EQ(StandardIniDatei().FileName(), ini.FileName());
}
