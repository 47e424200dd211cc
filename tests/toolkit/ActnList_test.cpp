#include "toolkit/ActnList.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "WinInput.h"

#include <gtest/gtest.h>

TEST(ShortCutToText, GermanKeyLabelsWithTheirModifiers) {
    struct Fall {
        TShortCut shortCut;
        const wchar_t* text;
    };
    const Fall faelle[] = {
        {ShortCut(VK_F12), L"F12"},
        {ShortCut(VK_INSERT), L"Einfg"},
        {ShortCut('S', scCtrl | scShift | scAlt), L"Strg+Umschalt+Alt+S"},
        {scNone, L""},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(ShortCutToText(f.shortCut), f.text) << f.text;
}

// A button and a menu entry show their action and run it; an OnClick of their own comes first;
// when the action goes, they keep what they showed and run nothing.
TEST(TActionLink, ButtonAndMenuEntryFollowTheirActionAndRunIt) {
    TForm* form = Application()->CreateForm<TForm>();
    auto* action = new TAction(form);
    action->SetCaption(L"Speichern");
    action->SetShortCut(ShortCut(VK_F2));
    int runs = 0;
    action->OnExecute = [&](TComponent*) { ++runs; };
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetAction(action);
    auto* menu = new TPopupMenu(form);
    TMenuItem* item = menu->NewItem(L"");
    item->SetAction(action);
    EXPECT_EQ(button->Caption(), L"Speichern");
    EXPECT_EQ(item->Caption(), L"Speichern");
    EXPECT_EQ(item->ShortCut(), ShortCut(VK_F2));

    action->SetEnabled(false);
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(item->Enabled());
    action->SetEnabled(true);
    action->SetCaption(L"Sichern");
    EXPECT_EQ(button->Caption(), L"Sichern");

    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    item->Click();
    EXPECT_EQ(runs, 2);
    int own = 0;
    button->OnClick = [&](TComponent*) { ++own; };
    button->Click();
    EXPECT_EQ(own, 1);
    EXPECT_EQ(runs, 2);

    action->Free();
    EXPECT_EQ(button->Action(), nullptr);
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(item->Caption(), L"Sichern");
    item->Click();
    form->Free();
}

// The form runs an enabled action it owns (also through a panel) whose shortcut matches the key
// and the modifiers held, before the focused control sees the key.
TEST(TForm, ActionShortCutsRunFromTheKeyboardBeforeTheFocusedControl) {
    TForm* form = Application()->CreateForm<TForm>();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    auto* panel = new TPanel(form);
    std::vector<String> ran;
    auto action = [&](TComponent* owner, const wchar_t* name, TShortCut sc) {
        auto* a = new TAction(owner);
        a->SetName(name);
        a->SetShortCut(sc);
        a->OnExecute = [&ran, name](TComponent*) { ran.push_back(name); };
        return a;
    };
    action(form, L"F2", ShortCut(VK_F2));
    action(panel, L"StrgEntf", ShortCut(VK_DELETE, scCtrl));
    action(form, L"Aus", ShortCut(VK_F3))->SetEnabled(false);
    form->Show();
    edit->SetFocus();
    Pump();
    edit->SetText(L"abc");
    edit->SetSelStart(0);

    struct Fall {
        WORD key;
        bool ctrl;
        const wchar_t* runs; // empty: none
    };
    const Fall faelle[] = {
        {VK_F2, false, L"F2"},   {VK_F2, true, L""},  {VK_DELETE, true, L"StrgEntf"},
        {VK_DELETE, false, L""}, {VK_F3, false, L""},
    };
    for (const Fall& f : faelle) {
        ran.clear();
        if (f.ctrl) KeyHeld(VK_CONTROL, true);
        PressKey(f.key);
        if (f.ctrl) KeyHeld(VK_CONTROL, false);
        EXPECT_EQ(ran, f.runs[0] ? std::vector<String>{f.runs} : std::vector<String>{}) << f.key << f.ctrl;
    }
    // Delete without Ctrl reached the edit; with Ctrl it did not.
    EXPECT_EQ(edit->Text(), L"bc");
    form->Free();
}
