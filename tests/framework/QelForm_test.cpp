#include "framework/QelForm.h"
#include "toolkit/StdCtrls.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// edit1, edit2, memo, button, edit3 in that keyboard order; a default button off the path.
struct ReturnForm {
    ReturnForm() {
        form = Application()->CreateForm<TQelForm>();
        edit1 = Add<TEdit>();
        edit2 = Add<TEdit>();
        memo = Add<TMemo>();
        button = Add<TButton>();
        edit3 = Add<TEdit>();
        defaultButton = Add<TButton>();
        defaultButton->SetDefault(true);
        defaultButton->SetTabStop(false);
        button->OnClick = [this](TComponent*) { ++clicks; };
        defaultButton->OnClick = [this](TComponent*) { ++defaultClicks; };
        form->OnTestReturn = [this](TComponent* sender, bool& replace) {
            ++tests;
            EXPECT_EQ(sender, form);
            replace = replaceReturn;
        };
        form->Show();
        Focus(edit1);
    }
    ~ReturnForm() { form->Free(); }
    template <class T> T* Add() {
        auto* c = new T(form);
        c->SetParent(form);
        c->SetTop(30 * form->ControlCount());
        return c;
    }
    void Focus(TWinControl* c) {
        c->SetFocus();
        Pump();
    }
    TQelForm* form;
    TEdit *edit1, *edit2, *edit3;
    TMemo* memo;
    TButton *button, *defaultButton;
    int clicks = 0, defaultClicks = 0, tests = 0;
    bool replaceReturn = true;
};

struct ReturnExemptEdit : TEdit {
    using TEdit::TEdit;
};
} // namespace

TEST(TQelFormReturn, ReturnMovesOnLikeTabAndShiftReturnGoesBack) {
    ReturnForm f;
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.edit2->Focused());
    PressKey(VK_RETURN, true);
    EXPECT_TRUE(f.edit1->Focused());
    EXPECT_EQ(f.tests, 2);
    EXPECT_EQ(f.defaultClicks, 0);
    EXPECT_EQ(f.edit1->Text(), L""); // no line break and no character reached the edit
}

TEST(TQelFormReturn, PushButtonAndMemoKeepReturnWithoutAskingTheForm) {
    ReturnForm f;
    f.Focus(f.button);
    PressKey(VK_RETURN);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_TRUE(f.button->Focused());
    EXPECT_EQ(f.defaultClicks, 0);

    f.Focus(f.memo);
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.memo->Focused());
    EXPECT_EQ(f.memo->Text(), L"\r\n");
    EXPECT_EQ(f.tests, 0);

    // A class registered later is exempt too, its descendants included; registering twice is harmless.
    RegisterReturnExemptClasses({ControlClass<ReturnExemptEdit>(), ControlClass<ReturnExemptEdit>()});
    struct Derived : ReturnExemptEdit {
        using ReturnExemptEdit::ReturnExemptEdit;
    };
    auto* exempt = new Derived(f.form);
    exempt->SetParent(f.form);
    EXPECT_TRUE(IsReturnExempt(exempt));
    EXPECT_FALSE(IsReturnExempt(f.edit1));
    f.Focus(exempt);
    PressKey(VK_RETURN); // reaches the ordinary handling: the default button
    EXPECT_TRUE(exempt->Focused());
    EXPECT_EQ(f.defaultClicks, 1);
    EXPECT_EQ(f.tests, 0);
}

TEST(TQelFormReturn, TheFormsVetoAndActivReturnFalseLeaveReturnAsItIs) {
    ReturnForm f;
    f.replaceReturn = false;
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.edit1->Focused());
    EXPECT_EQ(f.tests, 1);
    EXPECT_EQ(f.defaultClicks, 1); // Return unchanged: the default button

    f.replaceReturn = true;
    f.form->SetActivReturn(false);
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.edit1->Focused());
    EXPECT_EQ(f.tests, 1);
    EXPECT_EQ(f.defaultClicks, 2);
}

TEST(TQelFormReturn, WithoutAFocusedControlReturnIsATabAndTheFormIsNotAsked) {
    ReturnForm f;
    f.form->SetActiveControl(nullptr);
    SetFocus(f.form->Handle());
    Pump();
    ASSERT_EQ(f.form->ActiveControl(), nullptr);
    PressKey(VK_RETURN);
    EXPECT_TRUE(f.edit1->Focused());
    EXPECT_EQ(f.tests, 0);
    EXPECT_EQ(f.defaultClicks, 0);
}

namespace {
std::vector<String> g_events;

// Records messages that reach it, to show what ran before OnAfterCreate.
struct Recorder : TForm {
    using TForm::TForm;
    void WndProc(TMessage& m) override {
        if (m.Msg >= WM_APP && m.Msg < WM_APP + 10)
            g_events.push_back(L"message " + std::to_wstring(m.Msg - WM_APP));
        TForm::WndProc(m);
    }
};

struct LateForm : TQelForm {
    LateForm(TComponent* owner, Recorder* recorder) : TQelForm(owner) {
        ::PostMessageW(recorder->Handle(), WM_APP + 2, 0, 0);
        OnCreate = [](TComponent*) { g_events.push_back(L"create"); };
        OnAfterCreate = [this](TComponent* sender) {
            EXPECT_EQ(sender, this);
            g_events.push_back(IsWindowVisible(Handle()) ? L"after create, visible" : L"after create");
        };
        g_events.push_back(L"constructed");
    }
};
} // namespace

TEST(TQelForm, AfterCreateRunsFromTheLoopAfterWhatWasPendingAndNotForAFormAlreadyGone) {
    g_events.clear();
    auto* recorder = Application()->CreateForm<Recorder>();
    PostMessageW(recorder->Handle(), WM_APP + 1, 0, 0);
    auto* form = Application()->CreateForm<LateForm>(recorder);
    form->Show();
    PostMessageW(recorder->Handle(), WM_APP + 3, 0, 0); // queued after it, pending when it is reached
    EXPECT_EQ(g_events, (std::vector<String>{L"constructed", L"create"}));
    Pump();
    EXPECT_EQ(g_events, (std::vector<String>{L"constructed", L"create", L"message 1", L"message 2",
                                             L"message 3", L"after create, visible"}));

    g_events.clear();
    auto* gone = Application()->CreateForm<LateForm>(recorder);
    gone->Free();
    Pump();
    EXPECT_EQ(g_events, (std::vector<String>{L"constructed", L"create", L"message 2"}));
    form->Free();
    recorder->Free();
}

TEST(TQelForm, FirstActivateRunsOnceBeforeTheFirstActivateEvent) {
    auto* a = Application()->CreateForm<TQelForm>();
    auto* b = Application()->CreateForm<TQelForm>();
    std::vector<String> events;
    a->OnFirstActivate = [&](TComponent*) { events.push_back(L"first"); };
    a->OnActivate = [&](TComponent*) { events.push_back(L"activate"); };
    EXPECT_FALSE(a->FirstActivated());
    a->Show();
    Pump();
    b->Show();
    Pump();
    ASSERT_FALSE(a->Active());
    SetActiveWindow(a->Handle());
    Pump();
    ASSERT_TRUE(a->Active());
    EXPECT_EQ(events, (std::vector<String>{L"first", L"activate", L"activate"}));
    EXPECT_TRUE(a->FirstActivated());
    b->Free();
    a->Free();
}

namespace {
struct SizedDialog : TQelForm {
    explicit SizedDialog(TComponent* owner) : TQelForm(owner) {
        SetBounds(10, 10, 200, 150);
        SetMainFormSize(true);
    }
};

int g_desktop = 1024;

struct MainFormSizeTest : ::testing::Test {
    void SetUp() override {
        SetDesktopWidthQuery([] { return g_desktop; });
        g_desktop = 800;
        main = Application()->CreateForm<SizedDialog>(); // no main window yet: the rule does nothing
        EXPECT_EQ(main->WindowState(), wsNormal);
        EXPECT_EQ(main->BoundsRect().right, 210);
        main->SetBounds(100, 80, 640, 480);
    }
    void TearDown() override {
        main->Free();
        SetDesktopWidthQuery(nullptr);
    }
    SizedDialog* main = nullptr;
};
} // namespace

// The desktop width is put in: the test display is wider than both cases.
TEST_F(MainFormSizeTest, ADialogTakesTheMainWindowsBoundsOnAWideDesktop) {
    g_desktop = 1024;
    auto* dialog = Application()->CreateForm<SizedDialog>();
    dialog->Show();
    Pump();
    RECT r;
    GetWindowRect(dialog->Handle(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 80);
    EXPECT_EQ(r.right - r.left, 640);
    EXPECT_EQ(r.bottom - r.top, 480);
    EXPECT_FALSE(IsZoomed(dialog->Handle()));
    dialog->Free();
}

TEST_F(MainFormSizeTest, ADialogOpensMaximizedOnADesktopOf800AndLateWritesChangeNothing) {
    g_desktop = 800;
    auto* dialog = Application()->CreateForm<SizedDialog>();
    dialog->Show();
    Pump();
    EXPECT_TRUE(IsZoomed(dialog->Handle()));
    dialog->Free();

    g_desktop = 1024;
    auto* plain = Application()->CreateForm<TQelForm>();
    plain->SetBounds(10, 10, 200, 150);
    plain->SetMainFormSize(true);
    plain->Show();
    Pump();
    EXPECT_EQ(plain->BoundsRect().right, 210);
    EXPECT_FALSE(IsZoomed(plain->Handle()));
    plain->Free();
}
