#include "sys/Zeitmarken.h"
#include "TestDateien.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {
unsigned long long Jetzt() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}
} // namespace

// The file is read once per process, at the first mark, so this test sets it before any.
TEST(Zeitmarke, AppendsNamedSystemTimesInOrderToTheFileTheVariableNames) {
    TestOrdner t;
    const String datei = t / L"marken.txt";
    Schreiben(datei, "vorher 1\n");
    ASSERT_TRUE(SetEnvironmentVariableW(L"SICHERUNG_ZEITMARKEN", datei.c_str()));
    const unsigned long long vorher = Jetzt();
    Zeitmarke("seite1_gemalt");
    Zeitmarke("einrichtung_fertig");
    const unsigned long long nachher = Jetzt();

    // The first mark of a process also notes when the process was created.
    std::istringstream zeilen(Lesen(datei));
    std::string name;
    unsigned long long zeit[4] = {};
    const char* namen[] = {"vorher", "prozess_erstellt", "seite1_gemalt", "einrichtung_fertig"};
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(zeilen >> name >> zeit[i]);
        EXPECT_EQ(name, namen[i]);
    }
    EXPECT_FALSE(zeilen >> name);
    // The system clock in 100-ns steps since 1601, a tick of the coarse clock either side.
    EXPECT_LE(zeit[1], vorher + 160000);
    EXPECT_GE(zeit[2] + 160000, vorher);
    EXPECT_LE(zeit[2], zeit[3]);
    EXPECT_LE(zeit[3], nachher + 160000);
}
