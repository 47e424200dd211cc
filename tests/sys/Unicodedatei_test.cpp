#include "sys/Qel_ini.h"
#include "sys/Unicodedatei.h"
#include "toolkit/SysUtils.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
const String kName = L"\u0141ukasz \u6F22\u5B57";

std::string Utf16(const wchar_t* text) {
    return std::string(reinterpret_cast<const char*>(text), wcslen(text) * sizeof(wchar_t));
}

void SchreibfehlerErwartet(TqelIniFile& ini, const String& wert) {
    try {
        ini.WriteString(L"S", L"Wer", wert);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"In " + ini.FileName() + L" kann nicht geschrieben werden");
    }
}
} // namespace

TEST(Unicodedatei, ANewFileStartsAsUtf16AndKeepsEveryCharacter) {
    TestOrdner t;
    TqelIniFile ini(t / L"neu.ini");
    ini.WriteString(L"S", L"a", L"x");
    ini.WriteString(L"S", L"Pfad", L"C:\\" + kName + L"\\");
    EXPECT_EQ(Lesen(ini.FileName()),
              "\xFF\xFE" + Utf16(L"[S]\r\na=x\r\nPfad=C:\\\u0141ukasz \u6F22\u5B57\\\r\n"));
    EXPECT_EQ(ini.ReadString(L"S", L"Pfad", L""), L"C:\\" + kName + L"\\");
}

TEST(Unicodedatei, AnAnsiFileStaysAnsiUntilAValueNeedsMore) {
    TestOrdner t;
    TqelIniFile ini(t / L"alt.ini");
    Schreiben(ini.FileName(), "[S]\r\nName=M\xFCller\r\n");
    EXPECT_EQ(ini.ReadString(L"S", L"Name", L""), L"M\u00FCller");
    ini.WriteString(L"S", L"Ort", L"K\u00F6ln");
    EXPECT_EQ(Lesen(ini.FileName()), "[S]\r\nName=M\xFCller\r\nOrt=K\xF6ln\r\n");

    ini.WriteString(L"S", L"Wer", kName);
    EXPECT_EQ(Lesen(ini.FileName()), "\xFF\xFE" + Utf16(L"[S]\r\nName=M\u00FCller\r\nOrt=K\u00F6ln\r\nWer=") +
                                         Utf16(kName.c_str()) + Utf16(L"\r\n"));
    EXPECT_EQ(ini.ReadString(L"S", L"Name", L""), L"M\u00FCller");
    EXPECT_EQ(ini.ReadString(L"S", L"Wer", L""), kName);
}

TEST(Unicodedatei, SectionAndKeyNamesCountAndBestFitIsNotEnough) {
    // "\u0141" has a best-fit "L" in code page 1252; that would still lose it.
    EXPECT_FALSE(AnsiDarstellbar(L"\u0141"));
    EXPECT_TRUE(AnsiDarstellbar(L"M\u00FCller ?"));
    TestOrdner t;
    TqelIniFile ini(t / L"alt.ini");
    Schreiben(ini.FileName(), "[S]\r\n");
    ini.WriteString(L"S", L"\u6F22", L"1");
    EXPECT_EQ(ini.ReadString(L"S", L"\u6F22", L""), L"1");
}

TEST(Unicodedatei, ARelativeNameRaisesTheWriteErrorInsteadOfLosingCharacters) {
    // The profile functions would put such a file in the Windows folder, as 8-bit text.
    TqelIniFile ini(L"sic_relativ_test.ini");
    SchreibfehlerErwartet(ini, kName);
    wchar_t windows[MAX_PATH];
    GetWindowsDirectoryW(windows, MAX_PATH);
    EXPECT_FALSE(Existiert(String(windows) + L"\\sic_relativ_test.ini"));
}

TEST(Unicodedatei, AFileThatCannotBeConvertedRaisesTheWriteError) {
    const String medium = Medium("SICHERUNG_NURLESEN");
    if (medium.empty()) GTEST_SKIP() << "needs the read-only medium the test command mounts as root";
    TqelIniFile ini(medium + L"Einstellungen.ini");
    const std::string vorher = Lesen(ini.FileName());
    SchreibfehlerErwartet(ini, kName);
    EXPECT_EQ(Lesen(ini.FileName()), vorher);
    TqelIniFile neu(medium + L"neu.ini");
    SchreibfehlerErwartet(neu, kName);
    EXPECT_FALSE(Existiert(neu.FileName()));
}
