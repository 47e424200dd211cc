#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/SysUtils.h"
#include "toolkit/Dialogs.h"
#include "WinInput.h"

#include <gtest/gtest.h>
#include <commctrl.h>

namespace {
int g_freed = 0;

struct CountedEdit : TEdit {
    using TEdit::TEdit;
    ~CountedEdit() override { ++g_freed; }
};

// Counts its window's creation, as a class that acts when its window is made would.
struct HookedPanel : TPanel {
    using TPanel::TPanel;
    int created = 0;
    HWND seen = nullptr;
    void CreateWnd() override {
        TPanel::CreateWnd();
        ++created;
        seen = WindowHandle();
    }
};

// Keeps a strip at the bottom for itself, as a wizard does for its buttons.
struct StripPanel : TPanel {
    using TPanel::TPanel;
    void AdjustClientRect(RECT& r) override {
        TPanel::AdjustClientRect(r);
        r.bottom -= 42;
    }
};

TForm* NewForm() {
    auto* form = new TForm(nullptr);
    form->FinishCreate();
    return form;
}
} // namespace

TEST(TControl, ParentIsNotOwnerAndEachFreesWhatItShould) {
    g_freed = 0;
    TForm* form = NewForm();
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    TComponent otherOwner(nullptr);
    auto* edit = new CountedEdit(&otherOwner); // owned elsewhere, placed on the form's panel
    edit->SetParent(panel);
    auto* early = new CountedEdit(form);
    early->SetParent(panel);
    form->HandleNeeded();
    HWND editWnd = edit->Handle(), earlyWnd = early->Handle(), panelWnd = panel->Handle();

    delete early; // leaves its parent and its owner, and takes its window along
    EXPECT_EQ(g_freed, 1);
    EXPECT_EQ(panel->ControlCount(), 1);
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_FALSE(IsWindow(earlyWnd));

    form->Free(); // the parent takes its children, whoever owns them
    EXPECT_EQ(g_freed, 2);
    EXPECT_EQ(otherOwner.ComponentCount(), 0);
    EXPECT_FALSE(IsWindow(editWnd));
    EXPECT_FALSE(IsWindow(panelWnd));
}

TEST(TWinControl, WindowIsMadeOnDemandWithThePropertiesSetBefore) {
    TForm* main = NewForm(); // the main form gets its window at once; this one does not
    TForm* form = NewForm();
    auto* panel = new HookedPanel(form);
    panel->SetParent(form);
    panel->SetBounds(5, 6, 70, 80);
    panel->SetCaption(L"Vorher");
    panel->SetEnabled(false);
    EXPECT_FALSE(panel->HandleAllocated());
    EXPECT_EQ(panel->created, 0);

    HWND wnd = panel->Handle(); // the parent's window comes first
    EXPECT_TRUE(form->HandleAllocated());
    EXPECT_EQ(panel->created, 1);
    EXPECT_EQ(panel->seen, wnd);
    EXPECT_EQ(GetParent(wnd), form->Handle());
    EXPECT_FALSE(IsWindowEnabled(wnd));
    wchar_t text[32] = {};
    GetWindowTextW(wnd, text, 32);
    EXPECT_STREQ(text, L"Vorher");
    RECT r;
    GetWindowRect(wnd, &r);
    MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.bottom - r.top, 80);

    // Placed into a window that exists, a control gets its own at once.
    auto* late = new HookedPanel(form);
    late->SetParent(panel);
    EXPECT_EQ(late->created, 1);
    EXPECT_EQ(GetParent(late->Handle()), wnd);
    form->Free();
    main->Free();
}

TEST(TWinControl, AlignPassStacksTopAndBottomAndFillsTheRestInsideTheAdjustedRect) {
    TForm* form = NewForm();
    auto* host = new StripPanel(form);
    host->SetBevelOuter(bvNone);
    host->SetParent(form);
    host->SetBounds(0, 0, 300, 400);
    auto make = [&](TAlign align, int height) {
        auto* p = new TPanel(form);
        p->SetHeight(height);
        p->SetAlign(align);
        p->SetParent(host);
        return p;
    };
    TPanel* top1 = make(alTop, 20);
    TPanel* client = make(alClient, 10);
    TPanel* top2 = make(alTop, 30);
    TPanel* bottom = make(alBottom, 25);
    TPanel* top3 = make(alTop, 15);
    form->HandleNeeded();

    EXPECT_EQ(top1->Top(), 0);
    EXPECT_EQ(top2->Top(), 20); // in the order they were aligned
    EXPECT_EQ(top3->Top(), 50);
    EXPECT_EQ(top3->Width(), 300);
    EXPECT_EQ(bottom->Top(), 400 - 42 - 25);
    EXPECT_EQ(client->Top(), 65);
    EXPECT_EQ(client->Height(), 400 - 42 - 25 - 65);

    top1->SetHeight(40); // the others move down, the client shrinks
    EXPECT_EQ(top2->Top(), 40);
    EXPECT_EQ(client->Top(), 85);
    top2->Hide();
    EXPECT_EQ(top3->Top(), 40);
    EXPECT_EQ(client->Top(), 55);

    host->SetBounds(0, 0, 200, 300); // a resize aligns again, the real windows follow
    EXPECT_EQ(client->Width(), 200);
    EXPECT_EQ(client->Height(), 300 - 42 - 25 - 55);
    RECT r;
    GetClientRect(client->Handle(), &r);
    EXPECT_EQ(r.bottom, client->Height());
    form->Free();
}

TEST(TForm, ClientSizeSetBeforeTheWindowHoldsAfterIt) {
    TForm* form = NewForm();
    auto* form2 = new TForm(nullptr);
    form2->SetClientWidth(545);
    form2->SetClientHeight(757);
    form2->FinishCreate();
    form2->HandleNeeded();
    RECT r;
    GetClientRect(form2->Handle(), &r);
    EXPECT_EQ(r.right, 545);
    EXPECT_EQ(r.bottom, 757);
    auto* panel = new TPanel(form2);
    panel->SetAlign(alClient);
    panel->SetParent(form2);
    EXPECT_EQ(panel->Width(), 545);
    EXPECT_EQ(panel->Height(), 757);
    form2->Free();
    form->Free();
}

TEST(TControl, ChildrenShareTheFormFontUntilTheyTakeTheirOwn) {
    TForm* form = NewForm();
    auto* box = new TGroupBox(form);
    box->SetParent(form);
    auto* edit = new TEdit(form);
    edit->SetParent(box);
    auto* own = new TEdit(form);
    own->SetParent(box);
    own->Font().SetStyle(fsBold);
    form->HandleNeeded();
    EXPECT_EQ(edit->Font().Name(), L"Tahoma");
    EXPECT_EQ(edit->Font().Height(), -11);
    EXPECT_EQ(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0), SendMessageW(box->Handle(), WM_GETFONT, 0, 0));
    EXPECT_FALSE(own->ParentFont());

    form->Font().SetHeight(-13);
    EXPECT_EQ(edit->Font().Height(), -13);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(edit->Handle(), WM_GETFONT, 0, 0)), form->Font().Handle());
    EXPECT_EQ(own->Font().Height(), -11);
    form->Free();
}

TEST(TWinControl, ExceptionInAHandlerReachesTheErrorReportAndStaysInTheWindowProcedure) {
    std::vector<String> shown;
    auto old = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        shown.push_back(a.text);
        return IDOK;
    });
    TForm* form = NewForm();
    auto* button = new TButton(form);
    button->SetParent(form);
    button->OnClick = [](TComponent*) { throw Exception(L"Kaputt"); };
    auto* quiet = new TButton(form);
    quiet->SetParent(form);
    quiet->OnClick = [](TComponent*) { Abort(); };
    form->HandleNeeded();

    // The click arrives as BN_CLICKED inside the parent's window procedure.
    SendMessageW(button->Handle(), BM_CLICK, 0, 0);
    SendMessageW(quiet->Handle(), BM_CLICK, 0, 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], L"Kaputt.");

    // A posted message takes the same way through the message loop.
    PostMessageW(button->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(shown.size(), 2u);
    form->Free();
    SetMessageBoxCapture(std::move(old));
}

namespace {
struct ForeignSubclass {
    int seen = 0;
    bool destroyed = false;
};
LRESULT CALLBACK Foreign(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* f = reinterpret_cast<ForeignSubclass*>(data);
    ++f->seen;
    if (msg == WM_NCDESTROY) f->destroyed = true;
    return DefSubclassProc(wnd, msg, wParam, lParam);
}
} // namespace

// A tooltip or another library may subclass a control after us; the chain stays whole whether
// our wrapper goes before the window or the other subclass leaves first.
TEST(TWinControl, AnotherSubclassOnTopOfOursKeepsTheChainWhoeverLeavesFirst) {
    for (bool foreignLeavesFirst : {false, true}) {
        SCOPED_TRACE(foreignLeavesFirst);
        TForm* form = NewForm();
        auto* edit = new TEdit(form);
        edit->SetParent(form);
        int changes = 0;
        edit->OnChange = [&](TComponent*) { ++changes; };
        HWND wnd = edit->Handle();
        ForeignSubclass foreign;
        ASSERT_TRUE(SetWindowSubclass(wnd, Foreign, 7, reinterpret_cast<DWORD_PTR>(&foreign)));

        SetWindowTextW(wnd, L"über beide");
        EXPECT_EQ(changes, 1);
        EXPECT_GT(foreign.seen, 0);
        EXPECT_EQ(TWinControl::FindControl(wnd), edit);
        EXPECT_EQ(edit->Text(), L"über beide");

        if (foreignLeavesFirst) {
            RemoveWindowSubclass(wnd, Foreign, 7);
            SetWindowTextW(wnd, L"allein");
            EXPECT_EQ(changes, 2);
        }
        delete edit;
        EXPECT_FALSE(IsWindow(wnd));
        EXPECT_EQ(TWinControl::FindControl(wnd), nullptr);
        EXPECT_EQ(foreign.destroyed, !foreignLeavesFirst);
        form->Free();
    }
}

TEST(TLabel, AutoSizeFollowsTextAndFont) {
    TForm* form = NewForm();
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption(L"Seite 1 von 2");
    int w = label->Width();
    EXPECT_GT(w, 30);
    EXPECT_EQ(label->Height(), TextExtent(label->Font(), L"Seite 1 von 2", DT_SINGLELINE).cy);
    label->SetCaption(L"Seite 10 von 20");
    EXPECT_GT(label->Width(), w);
    label->Font().SetHeight(-20);
    EXPECT_GT(label->Height(), 20);
    form->Free();
}
