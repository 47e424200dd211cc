#include "util/Zeilenpuffer.h"

#include <gtest/gtest.h>

// Every line reads back as it was added, whatever its characters: file names may hold lone
// surrogates, and a line may be longer than a block.
TEST(TZeilenpuffer, LinesReadBackExactly) {
    const String zeilen[] = {
        L"C:\\Daten\\a.txt",
        L"",
        L"Ärger über Straße.doc",
        L"東京\\日記.txt",
        String(L"Emoji ") + L"\xD83D\xDE00" + L".png", // a surrogate pair
        String(L"allein ") + L"\xD800" + L"x",         // a high surrogate without its partner
        String(L"\xDC00") + L"vorn",                   // a low surrogate alone
        String(L"\xD800"),                             // a high surrogate at the end
        String(300000, L'ß'),                          // longer than a block
        L"nach dem langen",
    };
    TZeilenpuffer p;
    for (const String& z : zeilen)
        p.Anhaengen(z);
    ASSERT_EQ(p.Anzahl(), static_cast<int>(std::size(zeilen)));
    for (int i = 0; i < p.Anzahl(); ++i) {
        EXPECT_EQ(p.Zeile(i), zeilen[i]) << i;
        EXPECT_EQ(p.Laenge(i), static_cast<int>(zeilen[i].size())) << i;
    }
    wchar_t knapp[5];
    EXPECT_EQ(p.ZeileLesen(0, knapp, 5), 4); // cut to the room given, terminated
    EXPECT_STREQ(knapp, L"C:\\D");
    p.Leeren();
    EXPECT_EQ(p.Anzahl(), 0);
    EXPECT_EQ(p.Bytes(), 0u);
}

// A path of plain letters costs little more than a byte per character.
TEST(TZeilenpuffer, PlainLinesTakeAboutTheirLength) {
    TZeilenpuffer p;
    const String zeile = L"E:\\Sicherung\\Datensicherung_PC01\\\\Users\\Anna\\Dokumente\\Brief00000.docx";
    for (int i = 0; i < 100000; ++i)
        p.Anhaengen(zeile);
    EXPECT_LT(p.Bytes(), 100000u * (zeile.size() + 16));
}
