#include "util/kv7_str.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

String LocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    return GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0 ? String(name) : String();
}

String Info(LCTYPE art) {
    wchar_t puffer[88];
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, art, puffer, 88);
    return n > 1 ? String(puffer, n - 1) : String();
}

} // namespace

TEST(Trimmen, OnlyBlanksCountAsBlanks) {
    EXPECT_EQ(Trimmen(L"  a b  "), L"a b");
    EXPECT_EQ(Trimmen(L"\ta"), L"\ta");
    EXPECT_EQ(RechtsTrimmen(L" a\t "), L" a\t");
    EXPECT_EQ(LinksTrimmen(L"   "), L"");
}

TEST(Auffuellen, PadsToTheWidthAndNeverCuts) {
    EXPECT_EQ(MitBackslash(L""), L"");
    EXPECT_EQ(MitBackslash(L"C:"), L"C:\\");
    EXPECT_EQ(MitBackslash(L"C:\\"), L"C:\\");
    EXPECT_EQ(RechtsAuffuellen(L"@kiv", L'0', 8), L"@kiv0000");
    EXPECT_EQ(RechtsAuffuellen(L"@kiv12345", L'0', 8), L"@kiv12345");
    EXPECT_EQ(ZeichenWiederholen(L'-', 80), String(80, L'-'));
    EXPECT_EQ(ZeichenWiederholen(L'-', -1), L"");
    EXPECT_EQ(ZweiStellen(7), L"07");
    EXPECT_EQ(VierStellen(7), L"0007");
    EXPECT_EQ(ZweiStellen(123), L"123");
    EXPECT_EQ(VierStellen(123), L"0123");
    EXPECT_EQ(VierStellen(12345), L"12345");
    // The zeros go behind the sign, so the text stays a number.
    EXPECT_EQ(VierStellen(-5), L"-005");
}

TEST(Zeichen, EndsAndCounts) {
    EXPECT_EQ(ErstesZeichen(L""), L'\0');
    EXPECT_EQ(LetztesZeichen(L""), L'\0');
    EXPECT_EQ(LetztesZeichen(L"ab"), L'b');
    EXPECT_EQ(OhneEndzeichen(L"a;", L';'), L"a");
    EXPECT_EQ(OhneEndzeichen(L"a;;x", L';'), L"a;;x");
    EXPECT_EQ(SemikolonAnzahl(L";a;;b"), 3);
    EXPECT_EQ(Minimum(-3, 2), -3);
}

TEST(Pfadteile, SplitAtTheLastBackslashOrColon) {
    EXPECT_EQ(DateiBasisname(L"C:\\a\\Brief.txt"), L"Brief");
    EXPECT_EQ(DateiPfad(L"C:\\a\\Brief.txt"), L"C:\\a\\");
    EXPECT_EQ(DateiErweiterung(L"C:\\a\\Brief.txt"), L".txt");
    EXPECT_EQ(DateiBasisname(L"C:\\a\\Brief.tar.gz"), L"Brief.tar");
    // A dot in a folder name is no extension.
    EXPECT_EQ(DateiErweiterung(L"C:\\a.b\\Brief"), L"");
    EXPECT_EQ(DateiBasisname(L"C:\\a.b\\Brief"), L"Brief");
    EXPECT_EQ(DateiPfad(L"C:Brief.txt"), L"C:");
    EXPECT_EQ(DateiPfad(L"Brief.txt"), L"");
    EXPECT_EQ(DateiPfad(L"C:/Daten/brief.txt"), L"C:/Daten/");
    EXPECT_TRUE(GleicherPfad(L"c:/daten/", L"C:\\Daten"));
    EXPECT_FALSE(GleicherPfad(L"C:\\Daten\\Alt", L"C:\\Daten"));
    EXPECT_EQ(OhneLaufwerk(L"C:\\a\\b.txt"), L"\\a\\b.txt");
    EXPECT_EQ(OhneLaufwerk(L"\\\\server\\a.txt"), L"\\\\server\\a.txt");
}

TEST(AllesErsetzen, ReplacesLeftToRightWithoutRescanning) {
    EXPECT_EQ(AllesErsetzen(L"aaa", L"aa", L"b"), L"ba");
    EXPECT_EQ(AllesErsetzen(L"a;b;", L";", L";;"), L"a;;b;;");
    EXPECT_EQ(AllesErsetzen(L"Abc abc", L"abc", L"x"), L"Abc x");
    // An empty search text leaves the text alone instead of looping for ever.
    EXPECT_EQ(AllesErsetzen(L"abc", L"", L"x"), L"abc");
}

TEST(Felder, FieldZeroKeepsBlanksLaterFieldsAreTrimmed) {
    const String t = L" a ; b ;c";
    EXPECT_EQ(Feld(t, 0), L" a ");
    EXPECT_EQ(Feld(t, 1), L"b");
    EXPECT_EQ(Feld(t, 2), L"c");
    EXPECT_EQ(Feld(t, 3), L"");
    EXPECT_EQ(Feld(L"ohne", 0), L"ohne");
    EXPECT_EQ(Feld(L"a;;c", 1), L"");
    EXPECT_EQ(FeldMitTrenner(L"a|b|c", L'|', 2), L"c");
}

TEST(Felder, EntriesReadBackWithInnerSeparatorsAsBlanks) {
    EXPECT_EQ(SemikolonEintrag(L"a;b"), L"a b;");
    const String liste = SemikolonEintrag(L" x ") + SemikolonEintrag(L"y;z") + SemikolonEintrag(L"");
    EXPECT_EQ(liste, L"x;y z;;");
    EXPECT_EQ(Feld(liste, 0), L"x");
    EXPECT_EQ(Feld(liste, 1), L"y z");
    EXPECT_EQ(Feld(liste, 2), L"");
}

TEST(Zahlfeld, IncrementsInPlaceAndGrowsWhenNeeded) {
    EXPECT_EQ(ZahlfeldErhoehen(L"@kiv0000", 5, 4), L"@kiv0001");
    EXPECT_EQ(ZahlfeldErhoehen(L"Nr0099x", 3, 4), L"Nr0100x");
    EXPECT_EQ(ZahlfeldErhoehen(L"@kiv9999", 5, 4), L"@kiv10000");
    EXPECT_EQ(ZahlfeldErhoehen(L"@kivabcd.tmp", 5, 4), L"@kiv0001.tmp");
    EXPECT_EQ(ZahlfeldErhoehen(L"", 1, 4), L"0001");
    EXPECT_EQ(ZahlfeldSetzen(L"ab", 5, 2, 7), L"ab07");
    EXPECT_EQ(ZahlfeldSetzen(L"x12345y", 2, 5, 42), L"x00042y");
}

TEST(JaNeinText, GermanWords) {
    EXPECT_EQ(JaNeinText(true), L"Ja");
    EXPECT_EQ(JaNeinText(false), L"Nein");
}

// Everything below depends on the user's locale; the suite runs once with German and once with
// English settings, and checks the concrete values of whichever of the two is active.
TEST(RegionalText, UpperCasingAndComparisonFollowTheUserLocale) {
    EXPECT_EQ(GrossBuchstaben(L"äöü straße"), L"ÄÖÜ STRAßE");
    EXPECT_TRUE(TextGleich(L" .TXT", L".txt "));
    EXPECT_TRUE(TextGleich(L"Größe", L"GRÖßE"));
    EXPECT_TRUE(TextUngleich(L"a", L"\ta"));
}

TEST(RegionalText, ThousandsSeparatorGroupsEveryThreeDigits) {
    const String t = Info(LOCALE_STHOUSAND);
    ASSERT_FALSE(t.empty());
    EXPECT_EQ(TausenderTrenner(), t);
    EXPECT_EQ(ZahlMitTausendern(0), L"0");
    EXPECT_EQ(ZahlMitTausendern(999), L"999");
    EXPECT_EQ(ZahlMitTausendern(1000), L"1" + t + L"000");
    EXPECT_EQ(ZahlMitTausendern(1234567), L"1" + t + L"234" + t + L"567");
    EXPECT_EQ(ZahlMitTausendern(-1234), Info(LOCALE_SNEGATIVESIGN) + L"1" + t + L"234");
    EXPECT_EQ(AnzahlText(1, L"Datei wurde", L"Dateien wurden"), L"1 Datei wurde");
    EXPECT_EQ(AnzahlText(0, L"Datei wurde", L"Dateien wurden"), L"0 Dateien wurden");
    EXPECT_EQ(AnzahlText(12345, L"Datei wurde", L"Dateien wurden"), L"12" + t + L"345 Dateien wurden");
    if (LocaleName() == L"de-DE") {
        EXPECT_EQ(AnzahlText(1234567, L"x", L"y"), L"1.234.567 y");
    }
    if (LocaleName() == L"en-US") {
        EXPECT_EQ(AnzahlText(1234567, L"x", L"y"), L"1,234,567 y");
    }
}

TEST(RegionalText, NumbersReadWithTheUserDecimalSeparatorDotsDropped) {
    const String d = Info(LOCALE_SDECIMAL);
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(DezimalTrenner(), d);
    EXPECT_EQ(TextZuZahl(L""), 0);
    EXPECT_EQ(TextZuZahl(L" + "), 0);
    EXPECT_EQ(TextZuZahl(L"-"), 0);
    EXPECT_EQ(TextZuZahl(L"1.000"), 1000);
    EXPECT_EQ(TextZuZahl(L"3.5"), 35);
    EXPECT_EQ(TextZuZahl(L"12abc"), 0);
    EXPECT_EQ(TextZuZahl(L" -42 "), -42);
    if (d != L".") {
        EXPECT_EQ(TextZuZahl(L"1.234" + d + L"50"), 1234.5L);
        EXPECT_EQ(TextZuZahl(L"-0" + d + L"25"), -0.25L);
        EXPECT_EQ(TextZuZahl(L"1" + d + L"2" + d + L"3"), 0);
    }
    if (LocaleName() == L"de-DE") {
        EXPECT_EQ(TextZuZahl(L"1.234,50"), 1234.5L);
    }
    // With "." as the decimal separator the dots are gone before reading: no fraction remains.
    if (LocaleName() == L"en-US") {
        EXPECT_EQ(TextZuZahl(L"1.5"), 15);
    }
}
