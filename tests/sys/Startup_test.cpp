#include "sys/Startup.h"
#include "sys/Dateien.h"
#include "sys/Ordner.h"
#include "util/DatumZeit.h"
#include "util/QEL_Str.h"
#include "SysTestHilfen.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
// Runs the start-up with the given command line and tells whether the old temporary log survived.
bool LogBleibt(const String& marker, std::vector<String> parameter) {
    ParameterSetzen(std::move(parameter));
    EntwicklerRechnerSetzen(false);
    String log = TempLogDateiName();
    Schreiben(log, "alt\r\n");
    StartEinstellungen(marker);
    ParameterZuruecksetzen();
    bool bleibt = Existiert(log);
    DateiLoeschen(log);
    return bleibt;
}
} // namespace

TEST(StartEinstellungen, WithoutTheMarkerTheSwitchIsNotLookedAt) {
    TestOrdner ort;
    EXPECT_TRUE(LogBleibt(ort / L"__PROGBUILD.cpp", {L"/ISMEINCOMPUTER=JA"}));
    EXPECT_FALSE(EntwicklerRechner());
}

TEST(StartEinstellungen, WithTheMarkerTheSwitchDecidesDefaultYes) {
    TestOrdner ort;
    String marker = ort / L"__PROGBUILD.cpp";
    Schreiben(marker, "");
    EXPECT_FALSE(LogBleibt(marker, {}));
    EXPECT_TRUE(EntwicklerRechner());
    EXPECT_TRUE(LogBleibt(marker, {L"/ismeincomputer=falsch"}));
    EXPECT_FALSE(EntwicklerRechner());
    EXPECT_FALSE(LogBleibt(marker, {L"/ISMEINCOMPUTER=vielleicht"}));
    EXPECT_TRUE(EntwicklerRechner()) << "an unknown word keeps the default";
    EXPECT_TRUE(LogBleibt(marker, {L"/ISMEINCOMPUTER=JA", L"/ISMEINCOMPUTER=NEIN"})) << "the last one wins";
    EXPECT_FALSE(EntwicklerRechner());
}

// Under Wine c: is the test prefix's own drive, so the real marker place can be used.
TEST(StartEinstellungen, TheMarkerLivesInKivOnDriveC) {
    String marker = EntwicklerMarkerDatei();
    if (Existiert(marker)) GTEST_SKIP() << "this is the developer machine";
    bool ordnerNeu = !VerzeichnisExistiert(L"c:\\KIV\\");
    {
        TestDatei datei(marker);
        ParameterSetzen({});
        StartEinstellungen();
        ParameterZuruecksetzen();
        EXPECT_TRUE(EntwicklerRechner());
    }
    if (ordnerNeu) RemoveDirectoryW(L"c:\\KIV");
    StartEinstellungen();
    EXPECT_FALSE(EntwicklerRechner());
}

TEST(StartEinstellungen, DatesReadDayMonthYearWithDotsWhateverTheUserSet) {
    KurzesDatumsformatSetzen(L"yyyy/mm/dd", L'-');
    ASSERT_EQ(DatumZuText(EncodeDate(2026, 12, 8)), L"2026-12-08");
    StartEinstellungen(L"");
    EXPECT_EQ(DatumZuText(EncodeDate(2026, 12, 8)), L"08.12.2026");
    TDateTime gelesen = 0;
    EXPECT_TRUE(TextZuDatum(L"01.02.2027", gelesen));
    EXPECT_EQ(gelesen, EncodeDate(2027, 2, 1));
    KurzesDatumsformatZuruecksetzen();
}
