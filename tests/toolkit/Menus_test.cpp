#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "MenuLeser.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// A shown form with a panel that carries the menu and a button inside the panel without one.
struct MenuForm {
    MenuForm() {
        form = Application()->CreateForm<TForm>();
        panel = new TPanel(form);
        panel->SetParent(form);
        panel->SetBounds(20, 20, 200, 60);
        button = new TButton(form);
        button->SetParent(panel);
        button->SetBounds(10, 10, 80, 25);
        menu = new TPopupMenu(form);
        panel->SetPopupMenu(menu);
        menu->OnPopup = [this](TComponent*) { ++popups; };
        form->Show();
        button->SetFocus();
        Pump();
    }
    ~MenuForm() {
        if (form) form->Free();
    }
    TForm* form;
    TPanel* panel;
    TButton* button;
    TPopupMenu* menu;
    int popups = 0;
};

void Post(HWND wnd, UINT downMsg, UINT upMsg, WPARAM wParam, LPARAM lParam = 1) {
    PostMessageW(wnd, downMsg, wParam, lParam);
    PostMessageW(wnd, upMsg, wParam, lParam | (3u << 30));
    Pump();
}
} // namespace

// Only visible entries are shown, with their check mark, grey state and shortcut text; the
// chosen entry runs once the menu has closed, and a disabled one never runs.
TEST(TPopupMenu, ShowsTheVisibleEntriesAndRunsTheChosenOne) {
    MenuForm f;
    std::vector<String> ran;
    auto add = [&](const String& caption) {
        return f.menu->NewItem(caption, [&ran, caption](TComponent*) { ran.push_back(caption); });
    };
    add(L"Neuer Eintrag")->SetShortCut(ShortCut(VK_INSERT));
    TMenuItem* hidden = add(L"Versteckt");
    hidden->SetVisible(false);
    add(L"-");
    add(L"Markiert")->SetChecked(true);
    add(L"Grau")->SetEnabled(false);
    add(L"Letzter");
    ASSERT_EQ(f.menu->Count(), 6);

    {
        MenuLeser leser(L"Letzter");
        f.menu->SetPopupComponent(f.panel);
        EXPECT_TRUE(f.menu->Popup(100, 120));
        ASSERT_EQ(leser.Menus().size(), 1u);
        const auto& e = leser.Menus()[0].entries;
        ASSERT_EQ(e.size(), 5u);
        EXPECT_EQ(e[0].text, L"Neuer Eintrag\tEinfg");
        EXPECT_EQ(e[1].text, L"");
        EXPECT_TRUE(e[2].checked);
        EXPECT_FALSE(e[0].checked);
        EXPECT_TRUE(e[3].grayed);
        EXPECT_EQ(leser.Menus()[0].rect.left, 100);
        EXPECT_EQ(leser.Menus()[0].rect.top, 120);
    }
    EXPECT_EQ(ran, std::vector<String>{L"Letzter"});

    {
        MenuLeser leser; // closed without a choice
        EXPECT_FALSE(f.menu->Popup(100, 120));
    }
    f.menu->Items(4)->Click();
    EXPECT_EQ(ran.size(), 1u);

    // A menu with nothing visible does not open.
    for (int i = 0; i < f.menu->Count(); ++i)
        f.menu->Items(i)->SetVisible(false);
    MenuLeser leser;
    EXPECT_FALSE(f.menu->Popup(100, 120));
    EXPECT_TRUE(leser.Menus().empty());
}

// A right click on the button, Shift+F10 and the context-menu key each open the panel's menu
// exactly once (the button has none of its own); from the keyboard it opens below the control.
TEST(TPopupMenu, OpensOnceForRightClickShiftF10AndTheMenuKey) {
    MenuForm f;
    f.menu->NewItem(L"Eintrag");
    HWND button = f.button->Handle();
    struct Fall {
        const char* name;
        std::function<void()> trigger;
        bool fromKeyboard;
    };
    const Fall faelle[] = {
        {"right click", [&] { Post(button, WM_RBUTTONDOWN, WM_RBUTTONUP, 0, MAKELPARAM(5, 5)); }, false},
        {"Shift+F10",
         [&] {
             KeyHeld(VK_SHIFT, true);
             Post(button, WM_SYSKEYDOWN, WM_SYSKEYUP, VK_F10);
             KeyHeld(VK_SHIFT, false);
         },
         true},
        {"Shift+F10 as a plain key",
         [&] {
             KeyHeld(VK_SHIFT, true);
             Post(button, WM_KEYDOWN, WM_KEYUP, VK_F10);
             KeyHeld(VK_SHIFT, false);
         },
         true},
        {"context-menu key", [&] { Post(button, WM_KEYDOWN, WM_KEYUP, VK_APPS); }, true},
    };
    for (const Fall& fall : faelle) {
        MenuLeser leser;
        const int before = f.popups;
        fall.trigger();
        EXPECT_EQ(f.popups - before, 1) << fall.name;
        EXPECT_EQ(f.menu->PopupComponent(), f.panel) << fall.name;
        ASSERT_EQ(leser.Menus().size(), 1u) << fall.name;
        if (fall.fromKeyboard) {
            RECT r;
            GetWindowRect(f.panel->Handle(), &r);
            EXPECT_EQ(leser.Menus()[0].rect.left, r.left) << fall.name;
            EXPECT_EQ(leser.Menus()[0].rect.top, r.bottom) << fall.name;
        }
    }
}

// Menu, entries and controls may go in any order; whatever stays forgets what went.
TEST(TPopupMenu, EntriesAndControlsForgetAMenuThatWentAndTheOtherWayRound) {
    MenuForm f;
    TMenuItem* a = f.menu->NewItem(L"A");
    auto* b = new TMenuItem(f.form); // owned by the form, listed in the menu
    f.menu->Add(b);
    EXPECT_EQ(b->Menu(), f.menu);
    a->Free();
    ASSERT_EQ(f.menu->Count(), 1);
    EXPECT_EQ(f.menu->Items(0), b);

    auto* edit = new TEdit(f.form);
    edit->SetPopupMenu(f.menu);
    edit->Free(); // the menu no longer knows it
    f.menu->Free();
    EXPECT_EQ(f.panel->PopupMenu(), nullptr);
    EXPECT_EQ(b->Menu(), nullptr);
    b->Free();
    // A right click now finds no menu and nothing opens.
    MenuLeser leser;
    Post(f.button->Handle(), WM_RBUTTONDOWN, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(leser.Menus().empty());
}
