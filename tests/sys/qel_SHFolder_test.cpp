#include "sys/qel_SHFolder.h"
#include "sys/Ordner.h"
#include "SysTestHilfen.h"
#include "TestDateien.h"
#include "sys/Dateien.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

namespace {
String Csidl(int csidl) {
    String pfad;
    SonderordnerPfad(csidl, pfad);
    return pfad;
}
} // namespace

TEST(AnwendungsdatenOrdner, CsidlByCommonSystemVersionAndRoaming) {
    EXPECT_EQ(AnwendungsdatenCsidl(true, 10, false), CSIDL_COMMON_APPDATA);
    EXPECT_EQ(AnwendungsdatenCsidl(true, 5, true), CSIDL_COMMON_APPDATA);
    EXPECT_EQ(AnwendungsdatenCsidl(false, 5, false), CSIDL_APPDATA) << "before Vista";
    EXPECT_EQ(AnwendungsdatenCsidl(false, 6, true), CSIDL_APPDATA);
    EXPECT_EQ(AnwendungsdatenCsidl(false, 6, false), CSIDL_LOCAL_APPDATA);
    EXPECT_EQ(AnwendungsdatenCsidl(false, 10, false), CSIDL_LOCAL_APPDATA);
}

// Wine reports Windows 10 in the test prefix, so the system-version rule picks by the marker alone.
TEST(AnwendungsdatenOrdner, ProgramDataFolderLocalOrRoamingByTheMarker) {
    RoamingFestlegen();
    String lokal = Csidl(CSIDL_LOCAL_APPDATA) + L"\\VennkorbDaten\\";
    EXPECT_EQ(ProgrammdatenOrdner(), lokal);
    EXPECT_TRUE(VerzeichnisExistiert(lokal));
    {
        TestDatei marke(ProgrammVerzeichnis() + L"Roaming.qel");
        RoamingFestlegen();
        String roaming = Csidl(CSIDL_APPDATA) + L"\\VennkorbDaten\\";
        EXPECT_NE(roaming, lokal);
        EXPECT_EQ(ProgrammdatenOrdner(), roaming);
        EXPECT_TRUE(VerzeichnisExistiert(roaming));
    }
    RoamingFestlegen();
    EXPECT_EQ(ProgrammdatenOrdner(), lokal);
}

TEST(AnwendungsdatenOrdner, CommonFolderWithBothLevelsWhateverRoamingSays) {
    TestDatei marke(ProgrammVerzeichnis() + L"Roaming.qel");
    RoamingFestlegen();
    String gemeinsam = Csidl(CSIDL_COMMON_APPDATA);
    String eins = gemeinsam + L"\\sic_Eins_" + std::to_wstring(GetCurrentProcessId());
    EXPECT_EQ(AnwendungsdatenOrdner(true, L"Zwei", eins.substr(gemeinsam.size() + 1)), eins + L"\\Zwei\\");
    EXPECT_TRUE(VerzeichnisExistiert(eins + L"\\Zwei"));
    OrdnerLoeschen(eins);

    // Without a first level the second is not used and nothing is created.
    EXPECT_EQ(AnwendungsdatenOrdner(true, L"Zwei", L""), gemeinsam + L"\\");
    EXPECT_FALSE(VerzeichnisExistiert(gemeinsam + L"\\Zwei"));
}
