#include "util/QEL_Str.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <cwctype>

namespace {

// Each test gets its own command line and leaves the process's own behind.
class Schalter : public ::testing::Test {
protected:
    void TearDown() override { ParameterZuruecksetzen(); }
};

} // namespace

TEST_F(Schalter, ValueIsUpperCasedTrimmedAndTheLastMatchWins) {
    ParameterSetzen({L"/ISMEINCOMPUTER=nein", L"x"});
    EXPECT_EQ(SchalterWert(L"/ISMEINCOMPUTER="), L"NEIN");
    ParameterSetzen({L"/Systemdatum=01.01.2020", L"/andere=1", L"/SYSTEMDATUM=02.02.2020"});
    EXPECT_EQ(SchalterWert(L"/Systemdatum="), L"02.02.2020");
    ParameterSetzen({L"/systemdatum=  größe ", L"/Systemdatum"});
    EXPECT_EQ(SchalterWert(L"/SystemDatum="), L"GRÖßE");
    ParameterSetzen({L"vorne/Systemdatum=1"});
    EXPECT_EQ(SchalterWert(L"/Systemdatum="), L"");
    ParameterSetzen({});
    EXPECT_EQ(SchalterWert(L"/Systemdatum="), L"");
}

TEST_F(Schalter, PresenceNeedsTheNameAtTheStart) {
    ParameterSetzen({L"a", L"/8x6extra"});
    EXPECT_TRUE(SchalterVorhanden(L"/8X6"));
    EXPECT_FALSE(SchalterVorhanden(L"/8X6extraLang"));
    EXPECT_FALSE(SchalterVorhanden(L"8X6"));
    EXPECT_EQ(ParameterAnzahl(), 2);
    EXPECT_EQ(Parameter(2), L"/8x6extra");
    EXPECT_EQ(Parameter(0), L"");
    EXPECT_EQ(Parameter(3), L"");
}

TEST_F(Schalter, TestSwitch800x600WithOrWithoutSlash) {
    ParameterSetzen({L"8x6"});
    EXPECT_TRUE(Test800x600());
    ParameterSetzen({L"/8X6XYZ"});
    EXPECT_TRUE(Test800x600());
    ParameterSetzen({L"-8X6", L"x8X6", L"/8X"});
    EXPECT_FALSE(Test800x600());
}

TEST_F(Schalter, RealCommandLineAfterTheProgramName) {
    // ctest starts every test with its own --gtest_filter; run by hand there may be none.
    const String filter = SchalterWert(L"--gtest_filter=");
    if (filter.empty()) GTEST_SKIP() << "started without --gtest_filter";
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(t->test_suite_name()) + "." + t->name();
    String erwartet(name.begin(), name.end());
    for (wchar_t& c : erwartet)
        c = static_cast<wchar_t>(towupper(c));
    EXPECT_EQ(filter, erwartet);
    EXPECT_GE(ParameterAnzahl(), 1);
    for (int i = 1; i <= ParameterAnzahl(); ++i)
        EXPECT_FALSE(Parameter(i).ends_with(L"test_util.exe")) << "program name counted as parameter " << i;
}

TEST(JaNein, FixedWordsElseTheDefault) {
    for (const wchar_t* t : {L"j", L"Ja", L"TRUE", L"wahr"}) {
        EXPECT_TRUE(JaNein(t, false)) << t;
    }
    for (const wchar_t* t : {L"N", L"Nein", L"false", L"Falsch"}) {
        EXPECT_FALSE(JaNein(t, true)) << t;
    }
    for (const wchar_t* t : {L"", L" ja", L"ja ", L"vielleicht", L"1"}) {
        EXPECT_TRUE(JaNein(t, true)) << t;
        EXPECT_FALSE(JaNein(t, false)) << t;
    }
}

// The switches are split by our own code so that the shell's library need not load at the start;
// the shell's splitting is the reference.
TEST(Befehlszeile, SplitsAsTheShellDoes) {
    const wchar_t* zeilen[] = {
        L"Sicherung.exe /SICHERN",
        L"\"C:\\Programme mit Blank\\Sicherung.exe\" /PRUEFEN  /SICHERN\t x",
        L"prog \"D:\\Daten mit Blank\\\" /b",
        L"prog a\\\\\"b c\" d a\\\\\\\"b a\\\\b",
        L"prog \"\" x \"ab\"\"cd\" ende\\",
        L"\"ohne Ende",
        L"prog \"halb offen",
        L"prog",
    };
    for (const wchar_t* zeile : zeilen) {
        int anzahl = 0;
        LPWSTR* argv = CommandLineToArgvW(zeile, &anzahl);
        ASSERT_NE(argv, nullptr);
        std::vector<String> erwartet(argv + 1, argv + anzahl);
        LocalFree(argv);
        EXPECT_EQ(BefehlszeileTeilen(zeile), erwartet) << zeile;
    }
}
