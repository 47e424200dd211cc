#include "backup/Sicherung.h"
#include "toolkit/Classes.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

// The tree was made on the Linux side by the test command (tests/helpers/unicode_namen.sh), which
// also checks the copies from there once this test is done: names cross between Linux and Wine
// twice, so a wrong character set on either side shows.
TEST(UnicodeNamen, ATreeMadeOutsideIsBackedUpUnderItsOwnNames) {
    String wurzel = Medium("SICHERUNG_UNICODE");
    if (wurzel.empty()) GTEST_SKIP() << "runs with the Linux-side fixture of the test command";
    const String quelle = wurzel + L"quelle";
    const String brief = quelle + L"\\Łódź Straße 東\\Brief ąę ö 日.txt";
    if (!Existiert(quelle)) GTEST_SKIP() << "the Linux-side step was skipped: the locales are missing";
    ASSERT_TRUE(Existiert(brief)) << "the Linux-side names arrive mangled: are the locales generated?";
    EXPECT_EQ(Lesen(brief), "Zażółć gęślą jaźń – Grüße\n");

    TStringList einzel, ordner, leer, auflistung;
    ordner.Add(quelle);
    TSicherung lauf({wurzel + L"ziel\\", &einzel, &ordner, &leer, &leer}, &auflistung);
    std::vector<String> status;
    lauf.OnStatus = [&status](const String& zeile) { status.push_back(zeile); };
    lauf.SicherungAusfuehren();

    EXPECT_EQ(lauf.Anzahl(), 2);
    const String kopie = wurzel + L"ziel\\" + quelle.substr(2);
    EXPECT_EQ(Lesen(kopie + L"\\Łódź Straße 東\\Brief ąę ö 日.txt"), "Zażółć gęślą jaźń – Grüße\n");
    EXPECT_EQ(Lesen(kopie + L"\\Ärger.txt"), "zwei\n");
}
