#include "util/DatumZeit.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>

namespace {

TDateTime D(int j, int m, int t) {
    return EncodeDate(j, m, t);
}

String LocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH];
    return GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0 ? String(name) : String();
}

// The system's own short date text of a day, as an independent reference.
String SystemKurzdatum(int j, int m, int t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(j);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(t);
    wchar_t puffer[80];
    int n = GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, puffer, 80, nullptr);
    return n > 1 ? String(puffer, n - 1) : String();
}

int DiesesJahr() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return st.wYear;
}

// Tests that set the process-wide format leave the user's one behind.
class Datumsformat : public ::testing::Test {
protected:
    void TearDown() override { KurzesDatumsformatZuruecksetzen(); }
};
class RegionalDatum : public Datumsformat {};

} // namespace

TEST(Kalender, DaysCountWithoutGapFromYearOneTo9999) {
    EXPECT_EQ(D(1899, 12, 30), 0);
    EXPECT_EQ(D(1900, 1, 1), 2);
    EXPECT_EQ(D(2024, 2, 29), 45351);
    EXPECT_EQ(D(1, 1, 1), -693593);
    TDateTime erwartet = D(1, 1, 1);
    for (int j = 1; j <= 9999; ++j)
        for (int m = 1; m <= 12; ++m)
            for (int t = 1; t <= 31; ++t) {
                TDateTime d;
                if (!TryEncodeDate(j, m, t, d)) continue;
                ASSERT_EQ(d, erwartet) << j << "-" << m << "-" << t;
                int jj, mm, tt;
                DecodeDate(d, jj, mm, tt);
                ASSERT_TRUE(jj == j && mm == m && tt == t) << j << "-" << m << "-" << t;
                erwartet += 1;
            }
    EXPECT_EQ(erwartet - 1, D(9999, 12, 31));
    EXPECT_EQ(IsoWochentag(D(2024, 1, 1)), 1);
    EXPECT_EQ(IsoWochentag(D(1899, 12, 30)), 6);
    EXPECT_EQ(IsoWochentag(D(1, 1, 1)), 1);
}

TEST(Kalender, NoSuchDay) {
    TDateTime d = 123;
    EXPECT_FALSE(TryEncodeDate(2023, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(1900, 2, 29, d));
    EXPECT_FALSE(TryEncodeDate(2024, 4, 31, d));
    EXPECT_FALSE(TryEncodeDate(2024, 13, 1, d));
    EXPECT_FALSE(TryEncodeDate(0, 1, 1, d));
    EXPECT_FALSE(TryEncodeDate(10000, 1, 1, d));
    EXPECT_EQ(d, 123);
    EXPECT_THROW(EncodeDate(2024, 0, 1), std::out_of_range);
}

TEST(Uhrzeit, EverySecondOfTheDayDecodesExactly) {
    for (const TDateTime tag : {D(2024, 3, 5), D(9999, 12, 30)})
        for (int s = 0; s < 86400; ++s) {
            int h, m, sek, ms;
            DecodeTime(tag + EncodeTime(s / 3600, s / 60 % 60, s % 60, 0), h, m, sek, ms);
            ASSERT_EQ(((h * 60 + m) * 60 + sek) * 1000 + ms, s * 1000);
        }
}

TEST(Uhrzeit, DaysBefore1899CountTheTimeAwayFromZero) {
    const TDateTime d = DatumUndZeit(D(1899, 12, 29), EncodeTime(6, 0, 0, 0));
    EXPECT_EQ(d, -1.25);
    int j, m, t, h, min, s, ms;
    DecodeDate(d, j, m, t);
    DecodeTime(d, h, min, s, ms);
    EXPECT_TRUE(j == 1899 && m == 12 && t == 29 && h == 6 && min == 0);
    // Half a millisecond before midnight already is the next day.
    DecodeDate(D(2024, 2, 28) + (1 - 0.4 / 86400000), j, m, t);
    EXPECT_TRUE(j == 2024 && m == 2 && t == 29);
}

TEST_F(Datumsformat, SetFormatWritesAndReadsEveryDay) {
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    EXPECT_EQ(DatumZuText(D(2026, 12, 8)), L"08.12.2026");
    EXPECT_EQ(DatumZuText(D(999, 1, 2)), L"02.01.0999");
    for (TDateTime d = D(1999, 1, 1); d <= D(2030, 12, 31); d += 1) {
        TDateTime zurueck = 0;
        ASSERT_TRUE(TextZuDatum(DatumZuText(d), zurueck)) << DatumZuText(d);
        ASSERT_EQ(zurueck, d);
    }
    KurzesDatumsformatSetzen(L"yyyy/mm/dd", L'-');
    EXPECT_EQ(DatumZuText(D(2026, 12, 8)), L"2026-12-08");
    TDateTime d = 0;
    EXPECT_TRUE(TextZuDatum(L"2026-2-3", d));
    EXPECT_EQ(d, D(2026, 2, 3));
}

TEST_F(Datumsformat, ReadsLooseNumbersRejectsWhatIsNoDay) {
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    TDateTime d = 0;
    EXPECT_TRUE(TextZuDatum(L" 8. 12 2026 ", d));
    EXPECT_EQ(d, D(2026, 12, 8));
    EXPECT_TRUE(TextZuDatum(L"8.12.", d));
    EXPECT_EQ(d, D(DiesesJahr(), 12, 8));
    // Two-digit years lie within fifty years of today.
    EXPECT_TRUE(TextZuDatum(L"1.2.26", d));
    EXPECT_EQ(d, D(2026, 2, 1));
    for (const wchar_t* falsch : {L"", L"8", L"31.02.2026", L"8.12.2026.1", L"8.12.2026 1", L"8-12-2026",
                                  L"8/12/2026", L"a.b.c", L"8..2026", L"1.1.10000", L"00.01.2026"}) {
        EXPECT_FALSE(TextZuDatum(falsch, d)) << falsch;
    }
}

TEST_F(Datumsformat, DateAndTimeRoundToTheMillisecond) {
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    const TDateTime tag = D(2026, 12, 8);
    EXPECT_EQ(DatumZeitZuText(tag), L"08.12.2026");
    EXPECT_EQ(DatumZeitZuText(tag + 1e-10), L"08.12.2026"); // below half a millisecond
    EXPECT_EQ(DatumZeitZuText(tag + (1 - 1e-10)), L"09.12.2026");
    const String mit = DatumZeitZuText(tag + EncodeTime(14, 3, 7, 0));
    EXPECT_EQ(mit.substr(0, 11), L"08.12.2026 ");
    EXPECT_NE(mit.find(L":03:07"), String::npos) << mit;
}

// Until the start-up sets a format, dates read and write in the user's regional one. Runs under
// German and English settings.
TEST_F(RegionalDatum, UserFormatUntilOneIsSet) {
    for (const TDateTime d : {D(2024, 3, 5), D(2026, 12, 24), D(2000, 1, 31)}) {
        int j, m, t;
        DecodeDate(d, j, m, t);
        const String system = SystemKurzdatum(j, m, t);
        ASSERT_FALSE(system.empty());
        EXPECT_EQ(DatumZuText(d), system);
        TDateTime zurueck = 0;
        EXPECT_TRUE(TextZuDatum(system, zurueck)) << system;
        EXPECT_EQ(zurueck, d);
    }
    TDateTime d = 0;
    if (LocaleName() == L"de-DE") {
        EXPECT_TRUE(TextZuDatum(L"05.03.2024", d));
        EXPECT_EQ(d, D(2024, 3, 5));
        EXPECT_FALSE(TextZuDatum(L"3/5/2024", d));
    }
    if (LocaleName() == L"en-US") {
        EXPECT_TRUE(TextZuDatum(L"3/5/2024", d));
        EXPECT_EQ(d, D(2024, 3, 5));
        EXPECT_FALSE(TextZuDatum(L"05.03.2024", d));
    }
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    EXPECT_EQ(DatumZuText(D(2024, 3, 5)), L"05.03.2024");
}

TEST_F(RegionalDatum, TimeInTheUserLongTimeFormat) {
    KurzesDatumsformatSetzen(L"dd.mm.yyyy", L'.');
    const String text = DatumZeitZuText(D(2026, 12, 8) + EncodeTime(14, 3, 7, 0));
    if (LocaleName() == L"de-DE")
        EXPECT_EQ(text, L"08.12.2026 14:03:07");
    else if (LocaleName() == L"en-US")
        EXPECT_EQ(text, L"08.12.2026 2:03:07 PM");
    else
        EXPECT_EQ(text.substr(0, 11), L"08.12.2026 ");
}
