#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TForm* NewForm() {
    TForm* form = Application()->CreateForm<TForm>();
    form->Show();
    return form;
}
} // namespace

// Items and index set before the window exist in it afterwards, and survive a new window.
TEST(TComboBox, ItemIndexRoundTripsThroughWindowCreationAndStyleChange) {
    TForm* form = NewForm();
    auto* combo = new TComboBox(form);
    combo->Items().Add(L"Bar");
    combo->Items().Add(L"Karte");
    combo->SetItemIndex(1);
    EXPECT_EQ(combo->Text(), L""); // a drop-down shows its edit text, empty until the window
    combo->SetParent(form);
    EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo->Text(), L"Karte");
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(combo->Items().ToVector(), (std::vector<String>{L"Bar", L"Karte"}));
    EXPECT_EQ(combo->ItemIndex(), 1);
    combo->SetItemIndex(5); // out of range: none
    EXPECT_EQ(combo->ItemIndex(), -1);
    combo->SetText(L"Bar"); // a list's text chooses an item
    EXPECT_EQ(combo->ItemIndex(), 0);

    int changes = 0;
    combo->OnChange = [&](TComponent*) { ++changes; };
    combo->SetItemIndex(1); // the program's choice is silent
    EXPECT_EQ(changes, 0);
    SendMessageW(combo->Handle(), CB_SETCURSEL, 0, 0); // the user's choice arrives as CBN_SELCHANGE
    SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo->Handle()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(combo->ItemIndex(), 0);
    form->Free();
}

// Typing completes the text from the first entry it begins, the rest highlighted for the next
// character, and reports the change once; KeyPress may take a character; typing opens the list when
// asked, a choice closes it when asked. OnEnter and OnExit follow the focus from control to control.
TEST(TComboBox, TypingCompletesAndTheListOpensAndClosesWhenAsked) {
    TForm* form = NewForm();
    auto* combo = new TComboBox(form);
    combo->SetParent(form);
    combo->Items().SetText(L"Bar\r\nBarscheck\r\nKarte");
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetTop(40);
    std::vector<String> changes;
    combo->OnChange = [&](TComponent*) { changes.push_back(combo->Text()); };
    int enter = 0, exit = 0;
    combo->OnEnter = [&](TComponent*) { ++enter; };
    combo->OnExit = [&](TComponent*) { ++exit; };
    combo->SetFocus();
    Pump();
    EXPECT_EQ(enter, 1);

    struct Fall {
        wchar_t zeichen;
        const wchar_t* text;
        int start, laenge;
    };
    for (const Fall& fall : {Fall{L'b', L"Bar", 1, 2}, Fall{L'a', L"Bar", 2, 1}, Fall{L'r', L"Bar", 3, 0},
                             Fall{L's', L"Barscheck", 4, 5}, Fall{L'\b', L"Bars", 4, 0}}) {
        TypeChar(GetFocus(), fall.zeichen);
        EXPECT_EQ(combo->Text(), fall.text);
        EXPECT_EQ(combo->SelStart(), fall.start);
        EXPECT_EQ(combo->SelLength(), fall.laenge);
    }
    EXPECT_EQ(changes, (std::vector<String>{L"Bar", L"Bar", L"Bar", L"Barscheck", L"Bars"}));

    combo->SetAutoComplete(false);
    combo->OnKeyPress = [](TComponent*, wchar_t& key) {
        if (key == L'x') key = 0;
    };
    TypeChar(GetFocus(), L'x');
    TypeChar(GetFocus(), L'k');
    EXPECT_EQ(combo->Text(), L"Barsk");
    EXPECT_FALSE(combo->DroppedDown());
    combo->SetAutoDropDown(true);
    TypeChar(GetFocus(), L'a');
    EXPECT_TRUE(combo->DroppedDown());
    combo->SetAutoCloseUp(true);
    PressKey(VK_DOWN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(changes.size(), 8u);

    edit->SetFocus();
    Pump();
    combo->SetFocus();
    Pump();
    EXPECT_EQ(exit, 1);
    EXPECT_EQ(enter, 2);
    form->Free();
}

TEST(TListBox, ItemsAndItemIndexRoundTrip) {
    TForm* form = NewForm();
    auto* list = new TListBox(form);
    list->Items().SetText(L"C:\\a\r\nC:\\b\r\nC:\\c");
    list->SetItemIndex(2);
    list->SetParent(form);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Items().Delete(0);
    list->Items().Insert(0, L"C:\\z");
    EXPECT_EQ(list->Items().ToVector(), (std::vector<String>{L"C:\\z", L"C:\\b", L"C:\\c"}));
    list->SetItemIndex(-1);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETCURSEL, 0, 0), LB_ERR);
    list->Items().Clear();
    EXPECT_EQ(list->Items().Count(), 0);
    EXPECT_THROW(list->Items().Get(0), Exception);
    form->Free();
}

TEST(TRadioGroup, ItemIndexRoundTripsAndTheUsersChoiceIsSeen) {
    TForm* form = NewForm();
    auto* group = new TRadioGroup(form);
    group->SetParent(form);
    group->SetBounds(0, 0, 200, 100);
    group->Items().SetText(L"Tag\nWoche\nMonat\nJahr");
    group->SetColumns(2);
    int clicks = 0;
    group->OnClick = [&](TComponent*) { ++clicks; };
    group->SetItemIndex(2);
    EXPECT_EQ(clicks, 1);
    ASSERT_EQ(group->ButtonCount(), 4);
    EXPECT_TRUE(group->Buttons(2)->Checked());
    EXPECT_EQ(group->Buttons(2)->Caption(), L"Monat");
    EXPECT_EQ(group->Buttons(2)->Left(), group->Buttons(3)->Left()); // second column
    EXPECT_GT(group->Buttons(2)->Left(), group->Buttons(0)->Left());
    EXPECT_EQ(group->ComponentCount(), 4); // the buttons are the group's, not the form's
    EXPECT_EQ(form->ComponentCount(), 1);

    SendMessageW(group->Buttons(0)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(group->Buttons(2)->Checked());
    group->Items().Delete(3);
    group->SetItemIndex(3); // no longer there: none
    EXPECT_EQ(group->ItemIndex(), -1);
    EXPECT_EQ(group->ButtonCount(), 3);
    form->Free();
}

TEST(TSplitter, DragResizesTheControlBeforeItWithinTheRoomLeft) {
    TForm* form = NewForm();
    auto* host = new TPanel(form);
    host->SetBevelOuter(bvNone);
    host->SetParent(form);
    host->SetBounds(0, 0, 200, 300);
    auto* top = new TPanel(form);
    top->SetHeight(100);
    top->SetAlign(alTop);
    top->SetParent(host);
    auto* splitter = new TSplitter(form);
    splitter->SetAlign(alTop);
    splitter->SetParent(host);
    auto* rest = new TPanel(form);
    rest->SetAlign(alClient);
    rest->SetParent(host);
    EXPECT_EQ(splitter->Height(), 3);
    EXPECT_EQ(splitter->Top(), 100);
    EXPECT_EQ(splitter->ResizedControl(), top);
    int moved = 0;
    splitter->OnMoved = [&](TComponent*) { ++moved; };

    // Mouse positions are given on the screen and sent in the splitter's coordinates of the moment.
    POINT start{1, 1};
    ClientToScreen(splitter->Handle(), &start);
    auto send = [&](UINT msg, int dy) {
        POINT p{start.x, start.y + dy};
        ScreenToClient(splitter->Handle(), &p);
        SendMessageW(splitter->Handle(), msg, 0, MAKELPARAM(p.x, p.y));
    };
    send(WM_LBUTTONDOWN, 0);
    send(WM_MOUSEMOVE, 40);
    EXPECT_EQ(top->Height(), 140);
    EXPECT_EQ(splitter->Top(), 140);
    send(WM_LBUTTONUP, 40);
    EXPECT_EQ(moved, 1);
    EXPECT_EQ(rest->Height(), 300 - 143);

    send(WM_LBUTTONDOWN, 40);
    send(WM_LBUTTONUP, 1000); // the filling panel keeps MinSize
    EXPECT_EQ(top->Height(), 300 - 3 - 30);
    EXPECT_EQ(rest->Height(), 30);
    send(WM_LBUTTONDOWN, 300 - 33);
    send(WM_LBUTTONUP, -1000);
    EXPECT_EQ(top->Height(), 30);
    form->Free();
}
