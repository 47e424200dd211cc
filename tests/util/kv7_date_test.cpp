#include "util/kv7_date.h"

#include "util/QEL_Str.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TDateTime D(int j, int m, int t) {
    return EncodeDate(j, m, t);
}

struct Periode {
    const char* name;
    std::function<TDateTime(TDateTime)> anfang, ende;
};

const std::vector<Periode>& Perioden() {
    static const std::vector<Periode> p = {
        {"Woche", WeekStart, WeekEnd},
        {"Monat", MonthStart, MonthEnd},
        {"Quartal", QuarterStart, QuarterEnd},
        {"Halbjahr", HalfYearStart, HalfYearEnd},
        {"Jahr", YearStart, YearEnd},
        {"Kitajahr", KitaYearStart, KitaYearEnd},
        {"Kitahalbjahr", KitaHalfYearStart, KitaHalfYearEnd},
    };
    return p;
}

// Monday of the week holding 4 January, found by walking back day by day.
TDateTime ErsterMontag(int jahr) {
    TDateTime d = D(jahr, 1, 4);
    while (IsoWochentag(d) != 1)
        d -= 1;
    return d;
}

} // namespace

TEST(Perioden, EveryDayLiesInItsPeriodsAndPeriodsFollowWithoutGap) {
    for (TDateTime d = D(1999, 1, 1); d <= D(2030, 12, 31); d += 1) {
        for (const Periode& p : Perioden()) {
            const TDateTime a = p.anfang(d), e = p.ende(d);
            ASSERT_LE(a, d) << p.name << " " << DatumZuText(d);
            ASSERT_GE(e, d) << p.name << " " << DatumZuText(d);
            ASSERT_EQ(p.anfang(e + 1), e + 1) << p.name << " " << DatumZuText(d);
            ASSERT_EQ(p.ende(a - 1), a - 1) << p.name << " " << DatumZuText(d);
        }
        int jahr, monat, tag;
        DecodeDate(d, jahr, monat, tag);
        ASSERT_EQ(IsoWochentag(WeekStart(d)), 1);
        ASSERT_EQ(QuarterStart(d), D(jahr, QuarterOf(d) * 3 - 2, 1));
        ASSERT_EQ(HalfYearStart(d), D(jahr, HalfYearOf(d) * 6 - 5, 1));
    }
}

TEST(Perioden, BoundariesOfTheYearKinds) {
    EXPECT_EQ(QuarterEnd(D(2023, 2, 15)), D(2023, 3, 31));
    EXPECT_EQ(QuarterOf(D(2023, 10, 1)), 4);
    EXPECT_EQ(HalfYearEnd(D(2024, 7, 1)), D(2024, 12, 31));
    EXPECT_EQ(HalfYearOf(D(2024, 6, 30)), 1);
    EXPECT_EQ(KitaYearStart(D(2024, 7, 31)), D(2023, 8, 1));
    EXPECT_EQ(KitaYearStart(D(2024, 8, 1)), D(2024, 8, 1));
    EXPECT_EQ(KitaYearEnd(D(2024, 8, 1)), D(2025, 7, 31));
    EXPECT_EQ(KitaHalfYearStart(D(2024, 7, 31)), D(2024, 1, 1));
    EXPECT_EQ(KitaHalfYearEnd(D(2024, 3, 1)), D(2024, 7, 31));
    // Boundaries are whole days whatever the time of day of the argument.
    EXPECT_EQ(MonthEnd(D(2024, 2, 10) + 0.75), D(2024, 2, 29));
    // Every period of the calendar's last days ends with its last day.
    for (const Periode& p : Perioden())
        EXPECT_EQ(p.ende(D(9999, 12, 31)), D(9999, 12, 31)) << p.name;
    EXPECT_EQ(KitaYearEnd(D(9999, 3, 1)), D(9999, 7, 31));
    EXPECT_EQ(MonthWindowEnd(D(9999, 1, 15), 12), D(9999, 12, 31));
    EXPECT_EQ(MonthWindowEnd(D(2024, 3, 15), 13), D(2025, 3, 31));
    EXPECT_EQ(WeekStart(D(1, 1, 3)), D(1, 1, 1));
}

TEST(Wochen, StartIsTheMondayOnOrBefore) {
    EXPECT_EQ(WeekStart(D(2024, 1, 1)), D(2024, 1, 1));
    EXPECT_EQ(WeekStart(D(2024, 1, 7)), D(2024, 1, 1));
    EXPECT_EQ(WeekStart(D(2021, 1, 1)), D(2020, 12, 28));
    EXPECT_EQ(WeekEnd(D(2021, 1, 1)), D(2021, 1, 3));
}

TEST(Wochen, NumbersFollowTheFourthOfJanuaryRule) {
    EXPECT_EQ(WeekOfYear(D(2014, 12, 29)), 1);
    EXPECT_EQ(WeekOfYear(D(2016, 1, 1)), 53);
    EXPECT_EQ(WeekOfYear(D(2018, 12, 31)), 1);
    EXPECT_EQ(WeekOfYear(D(2020, 12, 28)), 53);
    EXPECT_EQ(WeekOfYear(D(2024, 2, 14)), 7);
    for (TDateTime d = D(1999, 1, 1); d <= D(2030, 12, 31); d += 1) {
        int jahr, monat, tag;
        DecodeDate(d, jahr, monat, tag);
        if (d < ErsterMontag(jahr))
            --jahr;
        else if (d >= ErsterMontag(jahr + 1))
            ++jahr;
        ASSERT_EQ(WeekOfYear(d), static_cast<int>(d - ErsterMontag(jahr)) / 7 + 1) << DatumZuText(d);
    }
}

TEST(AddMonths, KeepsDayAndTimeLoweringTheDayInShortMonths) {
    EXPECT_EQ(AddMonths(D(2024, 1, 31), 1), D(2024, 2, 29));
    EXPECT_EQ(AddMonths(D(2023, 1, 31), 1), D(2023, 2, 28));
    EXPECT_EQ(AddMonths(D(2024, 3, 31), -13), D(2023, 2, 28));
    EXPECT_EQ(AddMonths(D(2024, 5, 31), -1), D(2024, 4, 30));
    EXPECT_EQ(AddMonths(D(2024, 11, 15), 14), D(2026, 1, 15));
    EXPECT_EQ(AddMonths(D(2024, 1, 15), -25), D(2021, 12, 15));
    EXPECT_EQ(AddMonths(D(2024, 1, 31) + EncodeTime(14, 3, 7, 0), 1),
              D(2024, 2, 29) + EncodeTime(14, 3, 7, 0));
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(2024, 13), 30);
}

TEST(KitaHalfYearStep, OddStepsLandOnAHalfYearStartEvenOnesKeepTheDay) {
    EXPECT_EQ(KitaHalfYearStep(1, D(2024, 10, 15)), D(2025, 1, 1));
    EXPECT_EQ(KitaHalfYearStep(-1, D(2024, 10, 15)), D(2024, 1, 1));
    EXPECT_EQ(KitaHalfYearStep(-1, D(2024, 3, 15)), D(2023, 8, 1));
    EXPECT_EQ(KitaHalfYearStep(2, D(2024, 3, 15)), D(2025, 3, 15));
    EXPECT_EQ(KitaHalfYearStep(-3, D(2024, 3, 15)), D(2022, 8, 1));
    const TDateTime mitZeit = D(2024, 3, 15) + 0.5;
    EXPECT_EQ(KitaHalfYearStep(0, mitZeit), mitZeit);
    for (TDateTime d = D(1999, 1, 1); d <= D(2030, 12, 31); d += 1) {
        ASSERT_EQ(KitaHalfYearStep(1, d), KitaHalfYearEnd(d) + 1) << DatumZuText(d);
        ASSERT_EQ(KitaHalfYearStep(-1, d), KitaHalfYearStart(KitaHalfYearStart(d) - 1)) << DatumZuText(d);
    }
}

TEST(Beschriftungen, Examples) {
    EXPECT_EQ(MonthLabel(D(2024, 3, 10)), L"03/2024");
    EXPECT_EQ(MonthLabel(0), L"");
    EXPECT_EQ(MonthLabel(-700000), L"");
    EXPECT_EQ(MonthLabel(-1), L"12/1899");
    EXPECT_EQ(QuarterLabel(L"/", D(2024, 8, 1)), L"III/2024");
    EXPECT_EQ(QuarterLabel(L". Q. ", D(2024, 12, 31)), L"IV. Q. 2024");
    EXPECT_EQ(HalfYearLabel(L".HJ ", D(2024, 7, 1)), L"2.HJ 2024");
    EXPECT_EQ(WeekLabel(L".KW ", D(2024, 2, 14)), L"07.KW 2024");
    // The calendar year of the day, not the year its week belongs to.
    EXPECT_EQ(WeekLabel(L".KW ", D(2024, 12, 30)), L"01.KW 2024");
    EXPECT_EQ(WeekLabel(L".KW ", D(2021, 1, 1)), L"53.KW 2021");
    EXPECT_EQ(YearLabel(D(2024, 3, 10)), L"2024");
    EXPECT_EQ(KitaYearLabel(D(2024, 3, 10)), L"2023/2024");
    EXPECT_EQ(KitaYearLabel(D(2024, 8, 1)), L"2024/2025");
    EXPECT_EQ(KitaHalfYearLabel(D(2024, 10, 5)), L"08/2024 - 12/2024");
    EXPECT_EQ(KitaHalfYearLabel(D(2024, 7, 31)), L"01/2024 - 07/2024");
    EXPECT_EQ(TwelveMonthLabel(D(2023, 4, 15)), L"04/2023-03/2024");
    EXPECT_EQ(ThirteenMonthLabel(D(2023, 3, 15)), L"03/2023-03/2024");
    EXPECT_EQ(TwelveMonthLabel(D(2023, 1, 31)), L"01/2023-12/2023");
}

TEST(Beschriftungen, YearsBelowOneThousandArePaddedWherePadded) {
    const TDateTime d = D(999, 3, 10);
    EXPECT_EQ(MonthLabel(d), L"03/0999");
    EXPECT_EQ(QuarterLabel(L"/", d), L"I/0999");
    EXPECT_EQ(HalfYearLabel(L"/", d), L"1/0999");
    EXPECT_EQ(YearLabel(d), L"999");
    EXPECT_EQ(KitaYearLabel(d), L"998/999");
}

TEST(Beschriftungen, MinutesAsHoursAndMinutes) {
    EXPECT_EQ(MinutesToHHMM(0), L"00:00");
    EXPECT_EQ(MinutesToHHMM(5), L"00:05");
    EXPECT_EQ(MinutesToHHMM(59), L"00:59");
    EXPECT_EQ(MinutesToHHMM(60), L"01:00");
    EXPECT_EQ(MinutesToHHMM(90), L"01:30");
    EXPECT_EQ(MinutesToHHMM(6000), L"100:00");
    EXPECT_EQ(MinutesToHHMM(-90), L"-01:30");
}

TEST(IsValidPeriod, FromPositiveAndStrictlyBeforeTo) {
    EXPECT_FALSE(IsValidPeriod(D(2024, 1, 1), D(2024, 1, 1)));
    EXPECT_FALSE(IsValidPeriod(0, D(2024, 1, 1)));
    EXPECT_FALSE(IsValidPeriod(-700000, D(2024, 1, 1)));
    EXPECT_TRUE(IsValidPeriod(D(2023, 12, 31), D(2024, 1, 1)));
    EXPECT_FALSE(IsValidPeriod(D(2024, 1, 2), D(2024, 1, 1)));
}

namespace {
class Programmdatum : public ::testing::Test {
protected:
    void TearDown() override { ParameterZuruecksetzen(); }
};
} // namespace

TEST_F(Programmdatum, SwitchSetsTheDateTheLastOneWinsBadValuesAreIgnored) {
    const String weihnacht = DatumZuText(D(2026, 12, 24)), silvester = DatumZuText(D(2026, 12, 31));
    ParameterSetzen({});
    EXPECT_EQ(ProgrammDatumErmitteln(), Heute());
    ParameterSetzen({L"/SYSTEMDATUM=" + weihnacht});
    EXPECT_EQ(ProgrammDatumErmitteln(), D(2026, 12, 24));
    ParameterSetzen({L"/systemdatum= " + weihnacht + L" ", L"/Systemdatum=" + silvester});
    EXPECT_EQ(ProgrammDatumErmitteln(), D(2026, 12, 31));
    for (const String& wert : {String(), String(L"   "), String(L"kein Datum"), L"99" + weihnacht}) {
        ParameterSetzen({L"/Systemdatum=" + wert});
        EXPECT_EQ(ProgrammDatumErmitteln(), Heute()) << wert;
    }
}

TEST_F(Programmdatum, FixedOnceNowAddsTheClockTime) {
    ProgrammDatumFestlegen();
    const TDateTime fest = ProgramDate();
    ParameterSetzen({L"/Systemdatum=" + DatumZuText(fest - 400)});
    ProgrammDatumFestlegen();
    EXPECT_EQ(ProgramDate(), fest);
    const TDateTime vorher = Uhrzeit();
    const TDateTime jetzt = ProgramNow();
    EXPECT_EQ(DateOf(jetzt), fest);
    if (Uhrzeit() >= vorher) { // not across midnight
        EXPECT_GE(jetzt - fest, vorher - 1e-9);
        EXPECT_LE(jetzt - fest, Uhrzeit() + 1e-9);
    }
}
