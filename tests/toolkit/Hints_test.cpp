#include "toolkit/Buttons.h"
#include "toolkit/Forms.h"
#include "toolkit/Hints.h"
#include "toolkit/StdCtrls.h"
#include "WinInput.h"

#include <commctrl.h>
#include <gtest/gtest.h>

// The hint follows the properties, before and after the window exists, and goes with the window.
TEST(Hint, FollowsHintAndShowHintAndLeavesWithTheWindow) {
    TForm* form = Application()->CreateForm<TForm>();
    auto* knopf = new TSpeedButton(form);
    knopf->SetParent(form);
    knopf->SetBounds(10, 10, 24, 24);
    knopf->SetHint(L"Verzeichnis wählen");
    form->Show();
    HWND wnd = knopf->Handle();
    EXPECT_EQ(WindowHint(wnd), L"") << "ShowHint is off by default";
    knopf->SetShowHint(true);
    EXPECT_EQ(WindowHint(wnd), L"Verzeichnis wählen");
    knopf->SetHint(L"Datei wählen");
    EXPECT_EQ(WindowHint(wnd), L"Datei wählen");
    knopf->SetHint(L"");
    EXPECT_EQ(WindowHint(wnd), L"");

    auto* frueh = new TButton(form); // hint set before its window is made
    frueh->SetHint(L"Neu");
    frueh->SetShowHint(true);
    frueh->SetParent(form);
    HWND fruehWnd = frueh->Handle();
    EXPECT_EQ(WindowHint(fruehWnd), L"Neu");
    int tools = static_cast<int>(SendMessageW(HintWindow(), TTM_GETTOOLCOUNT, 0, 0));
    frueh->Free();
    EXPECT_EQ(SendMessageW(HintWindow(), TTM_GETTOOLCOUNT, 0, 0), tools - 1);
    form->Free();
}

// The mouse resting on the control brings up the tooltip window.
TEST(Hint, AppearsWhileTheMouseRestsOnTheControl) {
    TForm* form = Application()->CreateForm<TForm>();
    form->SetBounds(100, 100, 200, 120);
    auto* knopf = new TButton(form);
    knopf->SetParent(form);
    knopf->SetBounds(20, 20, 80, 24);
    knopf->SetHint(L"Neuen Eintrag anlegen");
    knopf->SetShowHint(true);
    form->Show();
    Pump();
    RECT r;
    GetWindowRect(knopf->Handle(), &r);
    SetCursorPos(r.left + 5, r.top + 5);
    SetCursorPos(r.left + 10, r.top + 10);
    bool gezeigt = false;
    for (int i = 0; i < 60 && !gezeigt; ++i) {
        Sleep(50);
        Application()->ProcessMessages();
        gezeigt = IsWindowVisible(HintWindow()) != FALSE;
    }
    EXPECT_TRUE(gezeigt);
    form->Free();
}
