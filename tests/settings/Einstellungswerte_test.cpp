#include "settings/Einstellungswerte.h"
#include "util/DatumZeit.h"
#include "util/kv7_str.h"

#include <gtest/gtest.h>

namespace {
struct KurzesDatum {
    KurzesDatum() { KurzesDatumsformatSetzen(L"dd/mm/yyyy", L'.'); }
    ~KurzesDatum() { KurzesDatumsformatZuruecksetzen(); }
};
} // namespace

TEST(Einstellungswerte, DateKeepsTheDayOnly) {
    KurzesDatum format;
    TDateTime mitZeit = EncodeDate(2024, 3, 5) + EncodeTime(13, 45, 0, 0);
    EXPECT_EQ(DatumWert(mitZeit), L"05.03.2024");
    TDateTime d = 1;
    ASSERT_TRUE(WertZuDatum(DatumWert(mitZeit), d));
    EXPECT_EQ(d, EncodeDate(2024, 3, 5));
    d = 7;
    EXPECT_FALSE(WertZuDatum(L"31.02.2024", d));
    EXPECT_FALSE(WertZuDatum(L"gestern", d));
    EXPECT_EQ(d, 7);
}

TEST(Einstellungswerte, NumberWithTheLocaleSeparatorAndFifteenDigits) {
    const String t = DezimalTrenner();
    EXPECT_EQ(ZahlWert(1234567.5), L"1234567" + t + L"5");
    EXPECT_EQ(ZahlWert(0.1 + 0.2), L"0" + t + L"3");
    EXPECT_EQ(ZahlWert(1.0 / 3), L"0" + t + L"333333333333333");
    EXPECT_EQ(ZahlWert(-20), L"-20");
    double z = 0;
    ASSERT_TRUE(WertZuZahl(ZahlWert(-1234.25), z));
    EXPECT_EQ(z, -1234.25);
    ASSERT_TRUE(WertZuZahl(ZahlWert(1.5e20), z));
    EXPECT_EQ(z, 1.5e20);
    // Written under the other separator, or with a thousands separator: unreadable.
    const String anderer = t == L"," ? L"." : L",";
    z = 9;
    EXPECT_FALSE(WertZuZahl(L"1" + anderer + L"5", z));
    EXPECT_FALSE(WertZuZahl(L"1" + anderer + L"234" + t + L"5", z));
    EXPECT_FALSE(WertZuZahl(L"", z));
    EXPECT_FALSE(WertZuZahl(L"1e", z));
    EXPECT_EQ(z, 9);
}
