#include "sys/Dateizeit.h"
#include "sys/Dateien.h"
#include "DateiHaken.h"
#include "SysTestHilfen.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

FILETIME Ft(int j, int mo, int t, int h, int mi, int s = 0, int ms = 0) {
    SYSTEMTIME st{static_cast<WORD>(j), static_cast<WORD>(mo), 0,
                  static_cast<WORD>(t), static_cast<WORD>(h),  static_cast<WORD>(mi),
                  static_cast<WORD>(s), static_cast<WORD>(ms)};
    FILETIME f;
    SystemTimeToFileTime(&st, &f);
    return f;
}

long long Sekunden(const FILETIME& f) {
    return static_cast<long long>((ULONGLONG(f.dwHighDateTime) << 32) | f.dwLowDateTime) / 10'000'000LL;
}

FILETIME AusSekunden(long long s) {
    const ULONGLONG n = static_cast<ULONGLONG>(s) * 10'000'000ULL;
    return {static_cast<DWORD>(n), static_cast<DWORD>(n >> 32)};
}

// A zone by its rule alone: standard offset, and the Sundays of its two switches.
DYNAMIC_TIME_ZONE_INFORMATION Zone(LONG bias, WORD sommerMonat, WORD sommerWoche, WORD winterMonat,
                                   WORD winterWoche) {
    DYNAMIC_TIME_ZONE_INFORMATION z{};
    z.Bias = bias;
    z.DaylightBias = -60;
    z.DaylightDate = {0, sommerMonat, 0, sommerWoche, 2, 0, 0, 0};
    z.StandardDate = {0, winterMonat, 0, winterWoche, 3, 0, 0, 0};
    return z;
}

} // namespace

// A FAT stick keeps the local time of the date, whatever the season the copy is written or
// read in; the system turns it with the offset of that moment. Around both switches of a
// European and a southern zone (2026: Berlin 29 March and 25 October, Sydney 5 April and
// 4 October), the stick keeps the date's local time and a copy read back in the other season
// stands for the source's instant.
TEST(TOrtszeit, FatKeepsTheDatesLocalTimeAndReadsBackTheInstantInEitherSeason) {
    const auto berlin = Zone(-60, 3, 5, 10, 5), sydney = Zone(-600, 10, 1, 4, 1);
    struct Fall {
        const DYNAMIC_TIME_ZONE_INFORMATION& zone;
        int winter, sommer; // offsets in minutes
        FILETIME instant, lokal, zurueck;
    } faelle[] = {
        {berlin, 60, 120, Ft(2026, 3, 29, 0, 59, 58), Ft(2026, 3, 29, 1, 59, 58), Ft(2026, 3, 29, 0, 59, 58)},
        {berlin, 60, 120, Ft(2026, 3, 29, 1, 0), Ft(2026, 3, 29, 3, 0), Ft(2026, 3, 29, 1, 0)},
        {berlin, 60, 120, Ft(2026, 10, 24, 23, 30), Ft(2026, 10, 25, 1, 30), Ft(2026, 10, 24, 23, 30)},
        {berlin, 60, 120, Ft(2026, 10, 25, 2, 0), Ft(2026, 10, 25, 3, 0), Ft(2026, 10, 25, 2, 0)},
        {berlin, 60, 120, Ft(2026, 7, 1, 10, 0, 1, 500), Ft(2026, 7, 1, 12, 0), Ft(2026, 7, 1, 10, 0)},
        {berlin, 60, 120, Ft(1975, 5, 1, 10, 0), Ft(1980, 1, 1, 0, 0), Ft(1979, 12, 31, 23, 0)},
        {sydney, 600, 660, Ft(2026, 4, 4, 15, 30), Ft(2026, 4, 5, 2, 30), Ft(2026, 4, 4, 15, 30)},
        {sydney, 600, 660, Ft(2026, 4, 4, 17, 0), Ft(2026, 4, 5, 3, 0), Ft(2026, 4, 4, 17, 0)},
        {sydney, 600, 660, Ft(2026, 10, 3, 15, 30), Ft(2026, 10, 4, 1, 30), Ft(2026, 10, 3, 15, 30)},
        {sydney, 600, 660, Ft(2026, 10, 3, 16, 0), Ft(2026, 10, 4, 3, 0), Ft(2026, 10, 3, 16, 0)},
    };
    for (const Fall& f : faelle) {
        for (bool imSommer : {false, true}) {
            const int schreiben = imSommer ? f.sommer : f.winter, lesen = imSommer ? f.winter : f.sommer;
            TOrtszeit beimSchreiben(f.zone, schreiben), beimLesen(f.zone, lesen);
            SCOPED_TRACE(testing::Message() << f.zone.Bias << " " << Sekunden(f.instant)
                                            << (imSommer ? " written in summer" : " written in winter"));
            // The stick keeps the time handed to it plus the offset of the moment.
            const long long gespeichert =
                Sekunden(beimSchreiben.ZuSchreiben(f.instant, true)) + schreiben * 60;
            EXPECT_EQ(gespeichert, Sekunden(f.lokal));
            // Read in the other season, the system gives the stick's time minus that offset.
            EXPECT_EQ(Sekunden(beimLesen.Gelesen(AusSekunden(gespeichert - lesen * 60), true)),
                      Sekunden(f.zurueck));
            // A volume that keeps UTC takes and gives the instant itself.
            EXPECT_EQ(Sekunden(beimSchreiben.ZuSchreiben(f.instant, false)), Sekunden(f.zurueck));
        }
    }
}

// The whole rule on a stick that reports FAT32 (a drive letter lent to a folder): the copy
// is handed the time that makes the stick keep the source's instant in the local time of the
// source's date, summer or winter, and both ages compare equal. Run in UTC it shows nothing; the
// test command runs it once more in Europe/Berlin and in Australia/Sydney.
TEST(Ortszeitmedium, CopyOnFatKeepsTheSourcesInstantInThatDatesLocalTime) {
    TestOrdner t;
    OrdnerAnlegen(t / L"Stick");
    TestLaufwerk stick(L'F', t / L"Stick");
    if (!stick.Geliehen()) GTEST_SKIP() << "drive F: belongs to the machine or could not be made";
    DateiHaken haken;
    haken.dateisystem = [](const std::wstring& wurzel) { return wurzel == L"F:\\" ? L"FAT32" : L""; };
    const char* tz = std::getenv("TZ");
    const std::string zone = tz ? tz : "";
    struct Fall {
        FILETIME quelle;
        int berlin, sydney; // the local hour of the date
    } faelle[] = {{Ft(2026, 7, 1, 10, 0), 12, 20}, {Ft(2026, 1, 15, 10, 0), 11, 21}};
    for (const Fall& f : faelle) {
        Schreiben(t / L"Quelle\\a.txt", "a");
        HANDLE h = CreateFileW((t / L"Quelle\\a.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        SetFileTime(h, nullptr, nullptr, &f.quelle);
        CloseHandle(h);
        ASSERT_TRUE(DateiKopieren(t / L"Quelle\\a.txt", L"F:\\a.txt"));
        WIN32_FILE_ATTRIBUTE_DATA d;
        ASSERT_TRUE(GetFileAttributesExW(L"F:\\a.txt", GetFileExInfoStandard, &d));
        FILETIME aufDemStick; // what a FAT stick keeps: the time given, turned with the offset of now
        FileTimeToLocalFileTime(&d.ftLastWriteTime, &aufDemStick);
        const int stunde = zone == "Europe/Berlin" ? f.berlin : zone == "Australia/Sydney" ? f.sydney : 10;
        EXPECT_EQ(Sekunden(aufDemStick) % 86400, stunde * 3600) << zone;
        EXPECT_DOUBLE_EQ(DateiAlter(L"F:\\a.txt"), DateiAlter(t / L"Quelle\\a.txt")) << zone;
    }
}
