// What the screen shows of a group box's caption.
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "Bildschirmfoto.h"
#include "Steuerelemente6.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// Pixels of the caption line (above the frame's inside) that are clearly of the colour asked for.
int CaptionPixels(HWND box, COLORREF colour) {
    Zeichnen(box);
    Bild b = Aufnehmen(box);
    int n = 0;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < b.width; ++x)
            if (b.At(x, y) == colour) ++n;
    return n;
}
} // namespace

// The caption takes the font's colour, also where the system's themed drawing would not, and is
// grey while the box is disabled.
TEST(TGroupBox, TheCaptionIsDrawnInTheFontColourAndGreyWhenDisabled) {
    Steuerelemente6 wieDieProgramme;
    TForm form(nullptr);
    form.SetBounds(100, 100, 260, 140);
    auto* box = new TGroupBox(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 200, 80);
    box->SetCaption(L"Wichtige Verzeichnisse");
    box->Font().SetColor(RGB(255, 0, 0));
    form.Show();
    Pump();
    const COLORREF rot = RGB(255, 0, 0), grau = GetSysColor(COLOR_GRAYTEXT);
    EXPECT_GT(CaptionPixels(box->Handle(), rot), 20);
    EXPECT_EQ(CaptionPixels(box->Handle(), grau), 0);
    box->SetEnabled(false);
    EXPECT_EQ(CaptionPixels(box->Handle(), rot), 0);
    EXPECT_GT(CaptionPixels(box->Handle(), grau), 20);
    box->SetEnabled(true);
    box->Font().SetColor(clGrayText);
    EXPECT_GT(CaptionPixels(box->Handle(), grau), 20);
}
