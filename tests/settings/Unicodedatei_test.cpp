#include "settings/Unicodedatei.h"
#include "toolkit/SysUtils.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
const String kName = L"\u0141ukasz \u6F22\u5B57";

// What the store's write path does: prepare the file, then the profile function.
void Schreibe(const String& datei, const String& sektion, const String& schluessel, const String& wert) {
    UnicodeSicherstellen(datei, sektion + schluessel + wert);
    ASSERT_TRUE(WritePrivateProfileStringW(sektion.c_str(), schluessel.c_str(), wert.c_str(), datei.c_str()));
}

String Lies(const String& datei, const String& sektion, const String& schluessel) {
    wchar_t puffer[2048];
    GetPrivateProfileStringW(sektion.c_str(), schluessel.c_str(), L"<fehlt>", puffer, 2048, datei.c_str());
    return puffer;
}

std::string Utf16(const wchar_t* text) {
    return std::string(reinterpret_cast<const char*>(text), wcslen(text) * sizeof(wchar_t));
}
} // namespace

TEST(Unicodedatei, ANewFileStartsAsUtf16AndKeepsEveryCharacter) {
    TestOrdner t;
    const String datei = t / L"neu.ini";
    Schreibe(datei, L"S", L"a", L"x");
    Schreibe(datei, L"S", L"Pfad", L"C:\\" + kName + L"\\");
    EXPECT_EQ(Lesen(datei), "\xFF\xFE" + Utf16(L"[S]\r\na=x\r\nPfad=C:\\\u0141ukasz \u6F22\u5B57\\\r\n"));
    EXPECT_EQ(Lies(datei, L"S", L"Pfad"), L"C:\\" + kName + L"\\");
}

TEST(Unicodedatei, AnAnsiFileStaysAnsiUntilAValueNeedsMore) {
    TestOrdner t;
    const String datei = t / L"alt.ini";
    Schreiben(datei, "[S]\r\nName=M\xFCller\r\n");
    EXPECT_EQ(Lies(datei, L"S", L"Name"), L"M\u00FCller");
    Schreibe(datei, L"S", L"Ort", L"K\u00F6ln");
    EXPECT_EQ(Lesen(datei), "[S]\r\nName=M\xFCller\r\nOrt=K\xF6ln\r\n");

    Schreibe(datei, L"S", L"Wer", kName);
    EXPECT_EQ(Lesen(datei), "\xFF\xFE" + Utf16(L"[S]\r\nName=M\u00FCller\r\nOrt=K\u00F6ln\r\nWer=") +
                                Utf16(kName.c_str()) + Utf16(L"\r\n"));
    EXPECT_EQ(Lies(datei, L"S", L"Name"), L"M\u00FCller");
    EXPECT_EQ(Lies(datei, L"S", L"Wer"), kName);
}

TEST(Unicodedatei, SectionAndKeyNamesCountAndBestFitIsNotEnough) {
    // "\u0141" has a best-fit "L" in code page 1252; that would still lose it.
    EXPECT_FALSE(AnsiDarstellbar(L"\u0141"));
    EXPECT_TRUE(AnsiDarstellbar(L"M\u00FCller ?"));
    TestOrdner t;
    const String datei = t / L"alt.ini";
    Schreiben(datei, "[S]\r\n");
    Schreibe(datei, L"S", L"\u6F22", L"1");
    EXPECT_EQ(Lies(datei, L"S", L"\u6F22"), L"1");
}

TEST(Unicodedatei, AFileThatCannotBeConvertedRaisesTheWriteError) {
    const String medium = Medium("SICHERUNG_NURLESEN");
    if (medium.empty()) GTEST_SKIP() << "needs the read-only medium the test command mounts as root";
    const String datei = medium + L"Einstellungen.ini";
    const std::string vorher = Lesen(datei);
    try {
        UnicodeSicherstellen(datei, kName);
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"In " + datei + L" kann nicht geschrieben werden");
    }
    EXPECT_EQ(Lesen(datei), vorher);
    // A missing file there is left to the write that follows, which fails with the same error.
    UnicodeSicherstellen(medium + L"neu.ini", kName);
    EXPECT_FALSE(Existiert(medium + L"neu.ini"));
}
