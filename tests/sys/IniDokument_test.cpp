#include "sys/IniDokument.h"
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

std::string Utf16(const String& text) {
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

// One step on a file: erase a section (no key) or write a value.
struct Schritt {
    const wchar_t* sektion;
    const wchar_t* key;
    String wert;
};

struct Fall {
    const char* name;
    std::string inhalt; // empty: no file
    std::vector<std::pair<const wchar_t*, const wchar_t*>> fragen;
    std::vector<Schritt> schritte;
};

// The profile functions' answer, nothing for a missing key: two markers tell it apart.
std::optional<String> ProfilWert(const String& datei, const wchar_t* sektion, const wchar_t* key) {
    wchar_t puffer[2048];
    auto lesen = [&](const wchar_t* marke) {
        return String(puffer, GetPrivateProfileStringW(sektion, key, marke, puffer, 2048, datei.c_str()));
    };
    if (lesen(L"\x01") == L"\x01" && lesen(L"\x02") == L"\x02") return std::nullopt;
    return String(puffer);
}

std::vector<String> ProfilKeys(const String& datei, const wchar_t* sektion) {
    std::vector<wchar_t> puffer(65536);
    const DWORD n = GetPrivateProfileStringW(sektion, nullptr, L"", puffer.data(), 65536, datei.c_str());
    std::vector<String> keys;
    for (DWORD i = 0; i < n && puffer[i]; i += static_cast<DWORD>(keys.back().size()) + 1)
        keys.emplace_back(&puffer[i]);
    return keys;
}

// The profile functions write a file in the form they find it; the program turns an 8-bit file
// into UTF-16LE first when a value needs more, and a file it creates starts as UTF-16LE.
void ProfilSchreiben(const String& datei, const Schritt& s) {
    const String text = String(s.sektion) + (s.key ? s.key : L"") + s.wert;
    BOOL ersetzt = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &ersetzt);
    const std::string alt = Existiert(datei) ? Lesen(datei) : std::string();
    if (!Existiert(datei) || (ersetzt && alt.compare(0, 2, "\xFF\xFE") != 0)) {
        String breit(alt.size(), L'\0');
        breit.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, alt.data(), static_cast<int>(alt.size()),
                                                             breit.data(), static_cast<int>(breit.size()))));
        Schreiben(datei, Utf16(breit));
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, datei.c_str());
    }
    WritePrivateProfileStringW(s.sektion, s.key, s.key ? s.wert.c_str() : nullptr, datei.c_str());
}
} // namespace

// Every settings file here is read and changed twice, through the document and through the profile
// functions; both must answer the same values and leave the same bytes.
TEST(TIniDokument, ReadsAndWritesAsTheProfileFunctionsDo) {
    const std::string beispiel = Utf16(L"[Andere]\r\nx=1\r\n[Tam_Main]\r\n__MAXIMIZED=0\r\n__ALIGNLEFT=0\r\n"
                                       L"__ALIGNRIGHT=0\r\n__TOP=87\r\n__LEFT=412\r\n__WIDTH=561\r\n"
                                       L"__HEIGHT=796\r\nme_Ext_0=.tmp\r\nme_Ext_1=.bak\r\n"
                                       L"me_Dir_0=C:\\Users\\Benutzer\\Documents\\\r\nme_Dir_1=\r\n"
                                       L"me_Einzel_0=C:\\Users\\Benutzer\\Desktop\\Adressen.xls\r\n"
                                       L"me_Blacklist_0=\\Cache\\\r\n");
    const String lang(3000, L'L');
    const std::string langAnsi = "[S]\r\nlang=" + std::string(3000, 'a') + "\r\n";
    const std::string umgeben = "; vorn\r\n[S]\r\n  k  =  mit Blanks  \r\ntab\t=\tTab\t\r\n"
                                "d=\"doppelt\"\r\ne='einfach'\r\nh=\"halb\r\ng=\"innen\" und 'aussen'\r\n"
                                "; Kommentar\r\nohne Gleich\r\n";
    const std::string wiederholt = "[S]\r\nk=1\r\nK=2\r\n[T]\r\nt=1\r\n[s]\r\nk=3\r\nm=4\r\n";
    const Fall faelle[] = {
        {"the main window's example, saved again",
         beispiel,
         {{L"Tam_Main", L"__TOP"}, {L"tam_main", L"ME_DIR_1"}, {L"Tam_Main", L"me_Dir_2"}, {L"Andere", L"x"}},
         {{L"Tam_Main", nullptr, L""},
          {L"Tam_Main", L"__MAXIMIZED", L"0"},
          {L"Tam_Main", L"me_Dir_0", L"C:\\Users\\Benutzer\\Documents\\"},
          {L"Tam_Main", L"me_Dir_1", L""},
          {L"Tam_Main", L"me_Blacklist_0", L"\\Cache\\"}}},
        {"ANSI file, a value it cannot hold",
         "[V]\r\n; Kommentar\r\na=1\r\n[S]\r\nName=M\xFC"
         "ller\r\n",
         {{L"S", L"Name"}, {L"V", L"a"}},
         {{L"S", L"Ort", L"K\u00F6ln"}, {L"S", L"Wer", L"\u0141ukasz \u6F22"}, {L"V", L"a", L"2"}}},
        {"comments, blanks and quotes around values",
         umgeben,
         {{L"S", L"k"}, {L"S", L"tab"}, {L"S", L"d"}, {L"S", L"e"}, {L"S", L"h"}, {L"S", L"g"}, {L"S", L"ohne Gleich"}},
         {{L"S", L"d", L"neu"}, {L"S", L"neu", L"  vorn Blanks"}, {L"S", L"q", L"\"zitiert\""}}},
        {"keys and sections the functions trim",
         "[S]\r\na=1\r\n",
         {{L"S", L" a "}, {L"S", L"a "}},
         {{L" S ", L" d ", L"4"}, {L"S", L"a", L"\t2"}, {L"Neu", L" x", L"5"}}},
        {"values of 3000 characters", langAnsi, {{L"S", L"lang"}}, {{L"S", L"lang2", lang}}},
        {"repeated keys and sections",
         wiederholt,
         {{L"S", L"k"}, {L"s", L"m"}, {L"T", L"t"}},
         {{L"S", L"k", L"neu"}, {L"s", L"m", L"5"}, {L"S", nullptr, L""}, {L"S", L"k", L"6"}}},
        {"blank lines", "[S]\r\n\r\na=1\r\n\r\n\r\n[T]\r\nb=2\r\n\r\n", {{L"S", L"a"}}, {{L"S", L"c", L"3"}}},
        {"no line break at the end", "[S]\r\nk=1", {{L"S", L"k"}}, {{L"S", L"n", L"2"}}},
        {"LF-only lines", "[S]\nk=1\n[T]\nx=2\n", {{L"S", L"k"}, {L"T", L"x"}}, {{L"S", L"k", L"3"}}},
        {"cut in the middle of a line", "[S]\r\nk=1\r\n[T\r\nla", {{L"S", L"k"}, {L"S", L"la"}}, {{L"S", L"n", L"2"}}},
        {"UTF-16 cut in the middle of a character",
         Utf16(L"[S]\r\nk=1\r\nm=\u00FC").substr(0, 27),
         {{L"S", L"k"}, {L"S", L"m"}},
         {{L"S", L"n", L"2"}}},
        {"a new file", "", {{L"S", L"k"}}, {{L"S", nullptr, L""}, {L"S", L"k", L"1"}}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        TestOrdner t;
        const String profil = t / L"profil.ini", dokument = t / L"dokument.ini";
        if (!f.inhalt.empty()) {
            Schreiben(profil, f.inhalt);
            Schreiben(dokument, f.inhalt);
        }
        {
            TIniDokument d(dokument);
            for (const auto& [sektion, key] : f.fragen) {
                EXPECT_EQ(d.Wert(sektion, key), ProfilWert(profil, sektion, key)) << sektion << L"/" << key;
                std::vector<String> keys;
                for (const auto& [name, wert] : d.Werte(sektion))
                    keys.push_back(name);
                EXPECT_EQ(keys, ProfilKeys(profil, sektion)) << sektion;
            }
            for (const Schritt& s : f.schritte)
                s.key ? d.Schreiben(s.sektion, s.key, s.wert) : d.SektionLoeschen(s.sektion);
            d.Speichern();
        }
        for (const Schritt& s : f.schritte)
            ProfilSchreiben(profil, s);
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, profil.c_str());
        EXPECT_EQ(Lesen(dokument), Lesen(profil));
    }
}

TEST(TIniDokument, WaitsBrieflyForAProgramHoldingTheFileThenGivesUp) {
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
