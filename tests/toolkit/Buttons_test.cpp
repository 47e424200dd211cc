#include "toolkit/Buttons.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TForm* ShownForm() {
    TForm* form = Application()->CreateForm<TForm>();
    form->Show();
    return form;
}

bool Pressed(TWinControl* c) {
    return SendMessageW(c->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
} // namespace

TEST(TCheckBox, ProgramAndUserChangesRaiseOnClickOnce) {
    TForm* form = ShownForm();
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    int clicks = 0;
    box->OnClick = [&](TComponent*) { ++clicks; };
    box->SetChecked(true);
    box->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(Pressed(box));
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(box->Checked());
    EXPECT_FALSE(Pressed(box));
    form->Free();
}

TEST(TRadioButton, CheckingOneClearsItsSiblingsAndOnlyItIsATabStop) {
    TForm* form = ShownForm();
    TRadioButton* r[3];
    for (auto*& b : r) {
        b = new TRadioButton(form);
        b->SetParent(form);
    }
    int clicks = 0;
    r[2]->OnClick = [&](TComponent*) { ++clicks; };
    r[0]->SetChecked(true);
    SendMessageW(r[2]->Handle(), BM_CLICK, 0, 0); // the user's click
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(r[0]->Checked());
    EXPECT_FALSE(Pressed(r[0]));
    EXPECT_TRUE(r[2]->Checked());
    EXPECT_TRUE(r[2]->TabStop());
    EXPECT_FALSE(r[0]->TabStop());
    form->Free();
}

TEST(TSpeedButton, DownFollowsItsGroupAndAClickLeavesTheFocusAlone) {
    TForm* form = ShownForm();
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    TSpeedButton* b[3];
    for (auto*& s : b) {
        s = new TSpeedButton(form);
        s->SetParent(form);
        s->SetGroupIndex(1);
    }
    auto* single = new TSpeedButton(form);
    single->SetParent(form);
    single->SetDown(true); // no group: never down
    EXPECT_FALSE(single->Down());

    b[0]->SetDown(true);
    b[1]->SetDown(true);
    EXPECT_FALSE(b[0]->Down());
    EXPECT_TRUE(b[1]->Down());
    EXPECT_FALSE(Pressed(b[0]));
    EXPECT_TRUE(Pressed(b[1]));
    b[1]->SetDown(false); // one of the group stays down
    EXPECT_TRUE(b[1]->Down());

    edit->SetFocus();
    int clicks = 0;
    b[2]->OnClick = [&](TComponent*) { ++clicks; };
    SendMessageW(b[2]->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b[2]->Down());
    EXPECT_FALSE(b[1]->Down());
    EXPECT_TRUE(edit->Focused());
    SendMessageW(b[2]->Handle(), BM_CLICK, 0, 0); // a second click keeps it down ...
    EXPECT_TRUE(b[2]->Down());
    b[2]->SetAllowAllUp(true);
    SendMessageW(b[2]->Handle(), BM_CLICK, 0, 0); // ... unless all may be up
    EXPECT_FALSE(b[2]->Down());
    form->Free();
}

TEST(TToolBar, EightCaptionButtonsWrapIntoTwoRowsOfFourAndTheBarFitsThem) {
    TForm* form = ShownForm();
    form->SetClientWidth(545);
    auto* group = new TGroupBox(form);
    group->SetAlign(alTop);
    group->SetParent(form);
    auto* bar = new TToolBar(form);
    bar->SetParent(group);
    bar->SetShowCaptions(true);
    bar->SetAutoSize(true);
    bar->SetButtonWidth(99);
    bar->SetButtonHeight(21);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 8; ++i) {
        auto* b = new TToolButton(form);
        b->SetCaption(L"Knopf " + std::to_wstring(i));
        b->SetParent(bar);
        b->SetWrap(i == 3);
        buttons.push_back(b);
    }
    EXPECT_EQ(bar->ButtonCount(), 8);
    EXPECT_EQ(bar->RowCount(), 2);
    EXPECT_EQ(bar->Height(), 42);
    EXPECT_GT(bar->Width(), 5 * 99); // five would fit in a row: the break comes from Wrap
    for (int i = 0; i < 8; ++i) {
        RECT r;
        GetWindowRect(buttons[static_cast<size_t>(i)]->Handle(), &r);
        MapWindowPoints(HWND_DESKTOP, bar->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, (i % 4) * 99) << i;
        EXPECT_EQ(r.top, (i / 4) * 21) << i;
        EXPECT_EQ(r.right - r.left, 99);
        EXPECT_EQ(r.bottom - r.top, 21);
    }
    buttons[3]->SetWrap(false); // a narrow bar wraps by itself
    group->SetAlign(alNone);
    group->SetWidth(2 * 99 + 50);
    EXPECT_EQ(bar->RowCount(), 4);
    EXPECT_EQ(bar->Height(), 84);
    EXPECT_EQ(buttons[2]->Top(), 21);
    form->Free();
}

TEST(TToolButton, CheckStyleTogglesDownAndAnActionGivesCaptionAndRuns) {
    TForm* form = ShownForm();
    auto* bar = new TToolBar(form);
    bar->SetParent(form);
    auto* check = new TToolButton(form);
    check->SetParent(bar);
    check->SetStyle(tbsCheck);
    SendMessageW(check->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(check->Down());
    EXPECT_TRUE(Pressed(check));
    check->SetDown(false);
    EXPECT_FALSE(Pressed(check));

    auto* list = new TActionList(form);
    auto* action = new TAction(form);
    action->SetActionList(list);
    action->SetCaption(L"Temporäre Dateien");
    int runs = 0;
    action->OnExecute = [&](TComponent* sender) {
        EXPECT_EQ(sender, action);
        ++runs;
    };
    auto* button = new TToolButton(form);
    button->SetParent(bar);
    button->SetAction(action);
    EXPECT_EQ(button->Caption(), L"Temporäre Dateien");
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(runs, 1);
    action->SetCaption(L"Alle Laufwerke");
    EXPECT_EQ(button->Caption(), L"Alle Laufwerke");
    EXPECT_EQ(list->ActionCount(), 1);
    action->Free(); // the button lets go of it
    EXPECT_EQ(button->Action(), nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(runs, 1);
    form->Free();
}
