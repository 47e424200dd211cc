#include "sys/IniAenderung.h"
#include "sys/Qel_ini.h"
#include "toolkit/SysUtils.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <thread>

namespace {
using Zeilen = std::vector<String>;

HANDLE Festhalten(const String& datei) {
    return CreateFileW(datei.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}
} // namespace

TEST(TqelIniAenderung, TheFileChangesOnlyWhenTheCopyTakesItsPlace) {
    TestOrdner t;
    const String datei = t / L"a.ini";
    const std::string alt = "[Andere]\r\nName=M\xFC"
                            "ller\r\n[S]\r\nk=alt\r\n";
    Schreiben(datei, alt);
    {
        TqelIniAenderung aenderung(datei);
        TqelIniFile ini(datei);
        ini.WriteString(L"S", L"k", L"neu");
        ini.WriteString(L"S", L"dazu", L"1");
        EXPECT_EQ(ini.ReadString(L"S", L"k", L""), L"neu") << "the thread of the change reads it";
        EXPECT_EQ(Lesen(datei), alt);
    }
    EXPECT_EQ(Lesen(datei), alt) << "a change that is not taken over leaves the file";
    EXPECT_EQ(Dateinamen(t.Pfad()), Zeilen{L"a.ini"});

    {
        TqelIniAenderung aenderung(datei);
        TqelIniFile(datei).WriteString(L"S", L"k", L"neu");
        TqelIniAenderung innere(datei); // joins: the outer one takes over
        TqelIniFile(datei).WriteString(L"S", L"dazu", L"1");
        innere.Uebernehmen();
        EXPECT_EQ(Lesen(datei), alt);
        aenderung.Uebernehmen();
    }
    EXPECT_FALSE(HatUtf16Marke(datei));
    EXPECT_EQ(IniZeilen(datei), (Zeilen{L"[Andere]", L"Name=M\u00FCller", L"[S]", L"k=neu", L"dazu=1"}));
    EXPECT_EQ(Dateinamen(t.Pfad()), Zeilen{L"a.ini"});

    // Erasing in a file that is not there creates none.
    {
        TqelIniAenderung aenderung(t / L"neu.ini");
        TqelIniFile(t / L"neu.ini").EraseSection(L"S");
        aenderung.Uebernehmen();
    }
    EXPECT_EQ(Dateinamen(t.Pfad()), Zeilen{L"a.ini"});
}

TEST(TqelIniAenderung, WaitsBrieflyForAProgramHoldingTheFileThenGivesUp) {
    TestOrdner t;
    const String datei = t / L"a.ini";
    Schreiben(datei, "[S]\r\nk=alt\r\n");
    HANDLE kurz = Festhalten(datei);
    ASSERT_NE(kurz, INVALID_HANDLE_VALUE);
    std::thread loslassen([kurz] {
        Sleep(300);
        CloseHandle(kurz);
    });
    TqelIniFile(datei).WriteString(L"S", L"k", L"neu");
    loslassen.join();
    EXPECT_EQ(IniZeilen(datei), (Zeilen{L"[S]", L"k=neu"}));

    const std::string vorher = Lesen(datei);
    HANDLE lang = Festhalten(datei);
    try {
        TqelIniFile(datei).WriteString(L"S", L"k", L"zu sp\u00E4t");
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"In " + datei + L" kann nicht geschrieben werden");
    }
    CloseHandle(lang);
    EXPECT_EQ(Lesen(datei), vorher);
    EXPECT_EQ(Dateinamen(t.Pfad()), Zeilen{L"a.ini"});
}
