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

namespace {
// One step on the file: erase a section (no key), write a value, or read one back (wert "?").
struct Schritt {
    const wchar_t* sektion;
    const wchar_t* key;
    String wert;
};

void Ausfuehren(const String& datei, const std::vector<Schritt>& schritte) {
    TqelIniFile ini(datei);
    for (const Schritt& s : schritte) {
        if (!s.key)
            ini.EraseSection(s.sektion);
        else if (s.wert == L"?")
            EXPECT_NE(ini.ReadString(s.sektion, s.key, L"fehlt"), L"fehlt") << s.sektion << L"/" << s.key;
        else
            ini.WriteString(s.sektion, s.key, s.wert);
    }
}
} // namespace

TEST(TqelIniAenderung, AChangeWritesTheBytesTheSingleWritesWrite) {
    const std::string utf16 = std::string("\xFF\xFE") + std::string("[\0V\0]\0\r\0\n\0a\0=\0"
                                                                    "1\0\r\0\n\0[\0S\0]\0\r\0\n\0"
                                                                    "x\0=\0y\0\r\0\n\0",
                                                                    34);
    const std::string ansi = "[V]\r\n; Kommentar\r\na=1\r\n[S]\r\nx=y\r\n[N]\r\nb=2\r\n";
    const String lang(3000, L'L');
    struct Fall {
        const char* name;
        std::string anfang;
        std::vector<Schritt> schritte;
    } faelle[] = {
        {"list after erase, UTF-16",
         utf16,
         {{L"S", nullptr, L""},
          {L"S", L"Liste_0", L"C:\\Daten\\"},
          {L"S", L"Liste_1", L"\"zitiert\""},
          {L"S", L"Liste_2", L"  vorn Leer"},
          {L"S", L"Liste_3", lang},
          {L"S", L"LISTE_0", L"neu"}}},
        {"ANSI file, other sections kept, a value it cannot hold",
         ansi,
         {{L"S", nullptr, L""}, {L"S", L"k", L"M\u00FCller"}, {L"S", L"z", L"\u0416"}}},
        {"other sections and reads between",
         ansi,
         {{L"S", nullptr, L""},
          {L"S", L"k", L"1"},
          {L"N", L"b", L"3"},
          {L"S", L"k", L"?"},
          {L"S", L"m", L"2"},
          {L"Neu", L"c", L"4"},
          {L"S", L"n", L"5"}}},
        {"keys the functions trim or split",
         ansi,
         {{L"S", nullptr, L""},
          {L"S", L"a", L"1"},
          {L"S", L"b=c", L"2"},
          {L"S", L"a", L"3"},
          {L"S", L" d ", L"4"}}},
        {"erased twice, and erased with nothing after",
         ansi,
         {{L"S", nullptr, L""},
          {L"S", L"k", L"1"},
          {L"S", nullptr, L""},
          {L"S", L"m", L"2"},
          {L"N", nullptr, L""}}},
        {"new file", "", {{L"S", nullptr, L""}, {L"S", L"k", L"1"}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        TestOrdner t;
        const String einzeln = t / L"einzeln.ini", gesammelt = t / L"gesammelt.ini";
        if (!f.anfang.empty()) {
            Schreiben(einzeln, f.anfang);
            Schreiben(gesammelt, f.anfang);
        }
        Ausfuehren(einzeln, f.schritte);
        {
            TqelIniAenderung aenderung(gesammelt);
            Ausfuehren(gesammelt, f.schritte);
            aenderung.Uebernehmen();
        }
        EXPECT_EQ(Lesen(gesammelt), Lesen(einzeln));
    }
}
