#include "toolkit/Dialogs.h"
#include "BoxReader.h"

#include <gtest/gtest.h>

TEST(ShowMessageBox, RealBoxCarriesCaptionTextIconAndDefaultMark) {
    BoxReader reader(IDNO);
    MessageBoxArgs a;
    a.text = L"Zeile 1\rZeile 2";
    a.caption = L"Bestätigen";
    a.icon = MB_ICONQUESTION;
    a.buttons = MB_YESNO;
    a.defaultResult = IDNO;
    a.left = 10;
    EXPECT_EQ(ShowMessageBox(a), IDNO);
    ASSERT_EQ(reader.Boxes().size(), 1u);
    const SeenBox& box = reader.Boxes()[0];
    EXPECT_EQ(box.caption, L"Bestätigen");
    EXPECT_EQ(box.text, L"Zeile 1\rZeile 2");
    EXPECT_EQ(box.icon, SystemIcon(IDI_QUESTION));
    EXPECT_EQ(box.defaultButton, IDNO);
    EXPECT_EQ(box.rect.left, 10);
}

TEST(ShowMessageBox, CaptureReplacesTheBox) {
    MessageBoxArgs seen;
    auto old = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        seen = a;
        return IDCANCEL;
    });
    MessageBoxArgs a;
    a.text = L"abc";
    EXPECT_EQ(ShowMessageBox(a), IDCANCEL);
    EXPECT_EQ(seen.text, L"abc");
    SetMessageBoxCapture(std::move(old));
}
