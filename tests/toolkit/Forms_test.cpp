#include "toolkit/Application.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// Records what the form sees of the keyboard and can turn Return into Tab, as a derived form does.
struct KeyForm : TForm {
    using TForm::TForm;
    std::vector<WORD> keys;
    bool returnAsTab = false;
    void DialogKey(WORD& key, bool shift) override {
        keys.push_back(key);
        if (key == VK_RETURN && returnAsTab) key = VK_TAB;
        TForm::DialogKey(key, shift);
    }
};

// edit1, memo, a group box holding edit2 and a button, in that keyboard order.
struct KeyboardForm {
    KeyboardForm() {
        form = Application()->CreateForm<KeyForm>();
        edit1 = Add<TEdit>(form);
        memo = Add<TMemo>(form);
        box = Add<TGroupBox>(form);
        edit2 = Add<TEdit>(box);
        button = Add<TButton>(box);
        button->OnClick = [this](TComponent*) { ++clicks; };
        form->Show();
        edit1->SetFocus();
        Pump();
    }
    ~KeyboardForm() { form->Free(); }
    template <class T> T* Add(TWinControl* parent) {
        auto* c = new T(form);
        c->SetParent(parent);
        c->SetTop(40 * parent->ControlCount());
        return c;
    }
    KeyForm* form;
    TEdit* edit1;
    TMemo* memo;
    TGroupBox* box;
    TEdit* edit2;
    TButton* button;
    int clicks = 0;
};
} // namespace

TEST(TFormKeyboard, TabAndShiftTabWalkTheNestedKeyboardOrder) {
    KeyboardForm f;
    f.memo->SetText(L"Zeile");
    f.edit2->SetText(L"Köln");
    ASSERT_TRUE(f.edit1->Focused());
    PressKey(VK_TAB);
    EXPECT_TRUE(f.memo->Focused());
    EXPECT_EQ(f.memo->SelLength(), 0) << "a memo keeps its caret";
    PressKey(VK_TAB); // the memo does not take Tab, the group box is no tab stop
    EXPECT_TRUE(f.edit2->Focused());
    EXPECT_EQ(f.form->ActiveControl(), f.edit2);
    EXPECT_EQ(f.edit2->SelStart(), 0) << "an edit reached by Tab has its text selected";
    EXPECT_EQ(f.edit2->SelLength(), 4);
    PressKey(VK_TAB);
    EXPECT_TRUE(f.button->Focused());
    PressKey(VK_TAB); // round to the start
    EXPECT_TRUE(f.edit1->Focused());
    PressKey(VK_TAB, true);
    EXPECT_TRUE(f.button->Focused());

    f.memo->SetEnabled(false); // disabled and hidden controls are passed over
    f.edit2->Hide();
    f.edit1->SetTabOrder(2); // now after the group box
    PressKey(VK_TAB);
    EXPECT_TRUE(f.edit1->Focused());
    PressKey(VK_TAB, true);
    EXPECT_TRUE(f.button->Focused());
}

TEST(TFormKeyboard, ReturnPressesAFocusedButtonAndIsLeftToAMemoThatWantsIt) {
    KeyboardForm f;
    f.button->SetFocus();
    Pump();
    PressKey(VK_RETURN);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_TRUE(f.button->Focused());

    f.edit1->SetFocus();
    Pump();
    PressKey(VK_RETURN); // no default button: nothing happens, the focus stays
    EXPECT_EQ(f.clicks, 1);
    EXPECT_TRUE(f.edit1->Focused());
    EXPECT_EQ(f.form->keys, (std::vector<WORD>{VK_RETURN, VK_RETURN}));

    f.memo->SetFocus();
    Pump();
    PressKey(VK_RETURN); // the memo takes it itself
    EXPECT_EQ(f.form->keys.size(), 2u);
    f.memo->SetWantReturns(false);
    PressKey(VK_RETURN);
    EXPECT_EQ(f.form->keys.size(), 3u);
}

TEST(TFormKeyboard, ADerivedFormSeesReturnFirstAndCanMakeItATab) {
    KeyboardForm f;
    f.form->returnAsTab = true;
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.memo->Focused());
    f.edit2->SetFocus();
    Pump();
    PressKey(VK_RETURN, true); // Shift reverses it, as it does Tab
    EXPECT_TRUE(f.memo->Focused());
    EXPECT_EQ(f.form->keys, (std::vector<WORD>{VK_RETURN, VK_RETURN}));
}

TEST(TForm, CloseQueryCanVetoAndTheMainFormEndsTheApplication) {
    TForm* main = Application()->CreateForm<TForm>();
    ASSERT_EQ(Application()->MainForm(), main);
    EXPECT_EQ(ApplicationMainWindow(), main->Handle());
    auto* dialog = Application()->CreateForm<TForm>();
    bool allow = false;
    std::vector<String> events;
    dialog->OnCloseQuery = [&](TComponent*, bool& canClose) {
        events.push_back(L"query");
        canClose = allow;
    };
    dialog->OnClose = [&](TComponent*, TCloseAction& action) {
        events.push_back(L"close");
        EXPECT_EQ(action, caHide);
    };
    dialog->Show();
    PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
    allow = true;
    dialog->Close();
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_EQ(events, (std::vector<String>{L"query", L"query", L"close"}));
    EXPECT_FALSE(Application()->Terminated());

    main->Show();
    main->Close();
    Pump();
    EXPECT_TRUE(Application()->Terminated());
    dialog->Free();
    main->Free();
    EXPECT_EQ(Application()->MainForm(), nullptr);
    // A main form made afterwards begins the application anew.
    TForm* next = Application()->CreateForm<TForm>();
    EXPECT_FALSE(Application()->Terminated());
    next->Free();
}

TEST(TForm, ReleasedFormGoesOnlyAfterItsMessageReturned) {
    Application()->CreateForm<TForm>();
    auto* dialog = Application()->CreateForm<TForm>();
    dialog->OnClose = [](TComponent*, TCloseAction& action) { action = caFree; };
    bool destroyed = false;
    dialog->OnDestroy = [&](TComponent*) { destroyed = true; };
    auto* button = new TButton(dialog);
    button->SetParent(dialog);
    button->OnClick = [&](TComponent*) {
        dialog->Close();
        EXPECT_FALSE(destroyed); // still inside the button's message
    };
    dialog->Show();
    HWND wnd = dialog->Handle();
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_EQ(Application()->FormCount(), 1);
    Application()->MainForm()->Free();
}

TEST(TForm, ShowModalReturnsTheButtonsResultAndEnablesTheOthersAgain) {
    TForm* main = Application()->CreateForm<TForm>();
    main->Show();
    auto* dialog = Application()->CreateForm<TForm>();
    auto* ok = new TButton(dialog);
    ok->SetParent(dialog);
    ok->SetModalResult(mrOk);
    bool mainDisabled = false;
    dialog->OnShow = [&](TComponent*) { PostMessageW(ok->Handle(), BM_CLICK, 0, 0); };
    ok->OnClick = [&](TComponent*) { mainDisabled = !IsWindowEnabled(main->Handle()); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(IsWindowEnabled(main->Handle()));
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    dialog->Free();
    main->Free();
}

namespace {
std::vector<String> g_order;
struct Probe : TPanel {
    using TPanel::TPanel;
    void Loaded() override {
        TPanel::Loaded();
        g_order.push_back(L"loaded " + Name());
    }
};
struct ProbeForm : TForm {
    explicit ProbeForm(TComponent* owner) : TForm(owner) {
        auto* a = new Probe(this);
        a->SetName(L"a");
        a->SetParent(this);
        auto* b = new Probe(a); // owned by a component, still built with the form
        b->SetName(L"b");
        b->SetParent(a);
        OnCreate = [](TComponent*) { g_order.push_back(L"create"); };
    }
    void Loaded() override {
        TForm::Loaded();
        g_order.push_back(L"loaded form");
    }
};
} // namespace

TEST(TForm, FinishCreateRunsLoadedOnceForEverythingBuiltThenOnCreate) {
    g_order.clear();
    auto* form = Application()->CreateForm<ProbeForm>();
    EXPECT_EQ(g_order, (std::vector<String>{L"loaded form", L"loaded a", L"loaded b", L"create"}));
    EXPECT_FALSE(form->Loading());
    form->FinishCreate();
    EXPECT_EQ(g_order.size(), 4u);
    auto* late = new Probe(form); // made afterwards: never loading
    EXPECT_FALSE(late->Loading());
    form->Free();
}

TEST(TForm, PositionStateAndAlignmentApplyWhenShown) {
    TForm* form = Application()->CreateForm<TForm>();
    form->SetBounds(0, 0, 300, 200);
    form->SetPosition(poDesktopCenter);
    form->Show();
    EXPECT_EQ(form->Left(), (GetSystemMetrics(SM_CXSCREEN) - 300) / 2);
    EXPECT_EQ(form->Top(), (GetSystemMetrics(SM_CYSCREEN) - 200) / 2);

    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    form->SetAlign(alRight);
    EXPECT_EQ(form->Left(), work.right - 300);
    EXPECT_EQ(form->Height(), work.bottom - work.top);
    form->SetAlign(alNone);

    auto* hidden = Application()->CreateForm<TForm>();
    hidden->SetWindowState(wsMaximized);
    EXPECT_EQ(hidden->WindowState(), wsMaximized);
    hidden->Show();
    EXPECT_TRUE(IsZoomed(hidden->Handle()));
    hidden->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(hidden->Handle()));
    hidden->Free();
    form->Free();
}

TEST(TForm, ANewFrameMakesTheWindowsAnewAndTheMainWindowFollows) {
    TForm* main = Application()->CreateForm<TForm>();
    auto* edit = new TEdit(main);
    edit->SetParent(main);
    edit->SetText(L"bleibt");
    main->Show();
    HWND old = main->Handle();
    main->SetBorderStyle(bsDialog);
    HWND wnd = main->Handle();
    EXPECT_FALSE(IsWindow(old));
    EXPECT_EQ(ApplicationMainWindow(), wnd);
    EXPECT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    EXPECT_TRUE(IsWindowVisible(wnd));
    EXPECT_EQ(GetParent(edit->Handle()), wnd);
    EXPECT_EQ(edit->Text(), L"bleibt");
    main->Free();
}
