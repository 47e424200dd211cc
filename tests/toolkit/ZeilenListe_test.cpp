#include "toolkit/Classes.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "toolkit/ZeilenListe.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
struct ZeilenListe : testing::Test {
    ZeilenListe() {
        form = Application()->CreateForm<TForm>();
        form->SetBounds(0, 0, 300, 200);
        liste = new TZeilenListe(form);
        liste->SetParent(form);
        liste->SetAlign(alClient);
        form->Show();
        Pump();
    }
    ~ZeilenListe() override { form->Free(); }
    LRESULT Senden(UINT msg, WPARAM w = 0, LPARAM l = 0) { return SendMessageW(liste->Handle(), msg, w, l); }
    void Hinzu(int anzahl) {
        for (int i = 0; i < anzahl; ++i)
            liste->Lines().Add(L"Zeile " + std::to_wstring(liste->Lines().Count()));
    }
    TForm* form;
    TZeilenListe* liste;
};
} // namespace

// Lines added in a batch reach the window at its end, once; the newest line is then in view,
// also past the 16 bits a scroll message carries.
TEST_F(ZeilenListe, BatchReachesTheWindowAtItsEndWithTheNewestLineInView) {
    liste->Lines().BeginUpdate();
    Hinzu(70000);
    EXPECT_EQ(Senden(LB_GETCOUNT), 0);
    liste->Lines().EndUpdate();
    Pump();
    EXPECT_EQ(Senden(LB_GETCOUNT), 70000);
    RECT r;
    GetClientRect(liste->Handle(), &r);
    const LRESULT sichtbar = r.bottom / Senden(LB_GETITEMHEIGHT);
    EXPECT_EQ(Senden(LB_GETTOPINDEX), 70000 - sichtbar);
    Hinzu(1); // outside a batch at once
    EXPECT_EQ(Senden(LB_GETCOUNT), 70001);
    EXPECT_EQ(Senden(LB_GETTOPINDEX), 70001 - sichtbar);

    SCROLLINFO si{sizeof si, SIF_POS, 0, 0, 0, 66000};
    SetScrollInfo(liste->Handle(), SB_VERT, &si, FALSE); // where a dragged thumb would be
    SCROLLINFO lesen{sizeof lesen, SIF_TRACKPOS};
    GetScrollInfo(liste->Handle(), SB_VERT, &lesen);
    Senden(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, lesen.nTrackPos & 0xFFFF));
    EXPECT_EQ(Senden(LB_GETTOPINDEX), lesen.nTrackPos);
}

// Ctrl+C copies the selected lines, each ended by a line break; Ctrl+A selects every line.
TEST_F(ZeilenListe, CtrlCCopiesTheSelectedLinesAndCtrlASelectsAll) {
    Hinzu(5);
    liste->SetFocus();
    Senden(LB_SELITEMRANGEEX, 1, 3);
    InZwischenablage(L"vorher");
    KeyHeld(VK_CONTROL, true);
    PressKey('C');
    EXPECT_EQ(ZwischenablageText(), L"Zeile 1\r\nZeile 2\r\nZeile 3\r\n");
    PressKey('A');
    PressKey('C');
    KeyHeld(VK_CONTROL, false);
    EXPECT_EQ(ZwischenablageText(), L"Zeile 0\r\nZeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4\r\n");
    PressKey('C'); // without Ctrl a letter copies nothing
    EXPECT_EQ(Senden(LB_GETSELCOUNT), 5);
    EXPECT_EQ(ZwischenablageText(), L"Zeile 0\r\nZeile 1\r\nZeile 2\r\nZeile 3\r\nZeile 4\r\n");
}

// Lines changed in the middle are changed in the window too, and a new window shows them all.
TEST_F(ZeilenListe, ChangesInTheMiddleAndANewWindowKeepTheLines) {
    TStrings& z = liste->Lines();
    z.SetText(L"a\r\nb\r\nc");
    z.Insert(1, L"x");
    z.Put(0, L"A");
    z.Delete(2);
    EXPECT_EQ(z.ToVector(), (std::vector<String>{L"A", L"x", L"c"}));
    EXPECT_EQ(Senden(LB_GETCOUNT), 3);
    EXPECT_THROW(z.Get(3), Exception);
    liste->SetParent(nullptr);
    liste->SetParent(form);
    EXPECT_EQ(Senden(LB_GETCOUNT), 3);
    z.Clear();
    EXPECT_EQ(Senden(LB_GETCOUNT), 0);
}
