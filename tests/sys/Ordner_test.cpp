#include "sys/Ordner.h"
#include "SysTestHilfen.h"
#include "TestDateien.h"
#include "sys/Dateien.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>

namespace {
String SystemTemp() {
    wchar_t p[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, p);
    return p;
}

String Csidl(int csidl) {
    String pfad;
    EXPECT_TRUE(SonderordnerPfad(csidl, pfad)) << csidl;
    return pfad;
}

// The system's temporary path follows TMP; the test points it elsewhere for a while.
struct TmpUmgelenkt {
    String alt;
    explicit TmpUmgelenkt(const String& neu) {
        wchar_t p[MAX_PATH] = {};
        GetEnvironmentVariableW(L"TMP", p, MAX_PATH);
        alt = p;
        SetEnvironmentVariableW(L"TMP", neu.c_str());
    }
    ~TmpUmgelenkt() { SetEnvironmentVariableW(L"TMP", alt.empty() ? nullptr : alt.c_str()); }
};
} // namespace

TEST(Ordner, ProgramFileAndFolder) {
    String datei = ProgrammDatei();
    EXPECT_TRUE(Existiert(datei));
    ASSERT_GE(datei.size(), 12u);
    EXPECT_EQ(_wcsicmp(datei.substr(datei.size() - 12).c_str(), L"test_sys.exe"), 0);
    EXPECT_EQ(ProgrammVerzeichnis(), datei.substr(0, datei.size() - 12));
}

// Wine names the folders differently from Windows; the CSIDL each operation asks for is what counts.
TEST(Ordner, ShellFoldersByCsidlWithTrailingBackslash) {
    String pfad;
    EXPECT_FALSE(SonderordnerPfad(0x7F, pfad));
    EXPECT_EQ(pfad, L"");
    String dokumente = Csidl(CSIDL_PERSONAL);
    ASSERT_FALSE(dokumente.empty());
    EXPECT_NE(dokumente.back(), L'\\');
    EXPECT_TRUE(VerzeichnisExistiert(dokumente));
    EXPECT_EQ(DokumenteOrdner(), dokumente + L"\\");
    EXPECT_EQ(BilderOrdner(), Csidl(CSIDL_MYPICTURES) + L"\\");
    EXPECT_EQ(MusikOrdner(), Csidl(CSIDL_MYMUSIC) + L"\\");
    EXPECT_EQ(VideosOrdner(), Csidl(CSIDL_MYVIDEO) + L"\\");
    EXPECT_EQ(AppDatenOrdner(), Csidl(CSIDL_APPDATA) + L"\\");
    EXPECT_EQ(VirtualStoreOrdner(), Csidl(CSIDL_LOCAL_APPDATA) + L"\\VirtualStore\\");
    String windows = WindowsOrdner();
    EXPECT_EQ(windows.back(), L'\\');
    EXPECT_TRUE(VerzeichnisExistiert(windows + L"system32"));
}

TEST(Ordner, TempFolderIsTheSystemsOutsideTheDeveloperMachineAndIsCreated) {
    TestOrdner ort;
    String fehlend = ort.Pfad() + L"neu\\tiefer";
    TmpUmgelenkt tmp(fehlend);
    EntwicklerRechnerSetzen(false);
    EXPECT_EQ(TempOrdner(), fehlend + L"\\");
    EXPECT_TRUE(VerzeichnisExistiert(fehlend)) << "created with its parent";
    EXPECT_EQ(TempLogDateiName(), fehlend + L"\\test_sys.log");
    if (!VerzeichnisExistiert(L"T:\\")) {
        EntwicklerRechnerSetzen(true);
        EXPECT_EQ(TempOrdner(), fehlend + L"\\") << "developer machine without a drive T:";
        EntwicklerRechnerSetzen(false);
    }
}

TEST(Ordner, DeveloperMachineWithDriveTUsesItsOwnFolderThere) {
    TestOrdner ort;
    TestLaufwerk t(L'T', ort.Pfad());
    if (!t.Geliehen()) GTEST_SKIP() << "drive T: belongs to the machine or could not be made";
    EntwicklerRechnerSetzen(true);
    EXPECT_EQ(TempOrdner(), L"T:\\test_sys\\");
    EXPECT_TRUE(VerzeichnisExistiert(L"T:\\test_sys\\")) << "created when missing";
    EXPECT_EQ(TempLogDateiName(), L"T:\\test_sys\\test_sys.log");
    EntwicklerRechnerSetzen(false);
    EXPECT_EQ(TempOrdner(), SystemTemp());
    OrdnerLoeschen(L"T:\\test_sys\\");
}

TEST(Ordner, ComputerNameIsTheNetBiosName) {
    String name = ComputerName();
    EXPECT_FALSE(name.empty());
    EXPECT_LE(name.size(), 15u);
    EXPECT_EQ(name.find(L'\0'), String::npos);
}

TEST(Ordner, RoamingFollowsTheMarkerBesideTheExecutable) {
    RoamingFestlegen();
    EXPECT_FALSE(RoamingAktiv());
    {
        TestDatei marke(ProgrammVerzeichnis() + L"Roaming.qel");
        EXPECT_FALSE(RoamingAktiv()) << "fixed once, not watched";
        RoamingFestlegen();
        EXPECT_TRUE(RoamingAktiv());
    }
    RoamingFestlegen();
    EXPECT_FALSE(RoamingAktiv());
}
