#include "framework/QelForm.h"
#include "framework/qelWizard.h"
#include "toolkit/SysUtils.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// A form with a wizard of n pages, each holding a label and two edits; build runs before the
// loaded step, as a stored description would.
struct WizardForm : TQelForm {
    WizardForm(TComponent* owner, int n, std::function<void(WizardForm&)> build) : TQelForm(owner) {
        SetBounds(40, 40, 600, 400);
        wizard = new TqelWizard(this);
        wizard->SetParent(this);
        for (int i = 0; i < n; ++i) {
            auto* page = new TqelWizardPage(this);
            page->SetParent(wizard);
            auto* label = new TLabel(this);
            label->SetParent(page);
            label->SetCaption(L"Seite " + std::to_wstring(i + 1));
            for (int k = 0; k < 2; ++k) {
                auto* edit = new TEdit(this);
                edit->SetParent(page);
                edit->SetBounds(20, 30 + 30 * k, 200, 21);
                edits.push_back(edit);
            }
            pages.push_back(page);
        }
        if (build) build(*this);
    }
    TqelWizard* wizard;
    std::vector<TqelWizardPage*> pages;
    std::vector<TEdit*> edits; // two per page
};

struct Wizard {
    explicit Wizard(int n, std::function<void(WizardForm&)> build = {}) {
        form = Application()->CreateForm<WizardForm>(n, build);
        w = form->wizard;
        form->Show();
        Pump();
    }
    ~Wizard() { form->Free(); }
    TqelWizardPage* Page(int i) const { return form->pages[static_cast<size_t>(i)]; }
    String Status() const { return w->StatusLabel()->Caption(); }
    // Enabled state of Back, Next, Cancel as "bnc" with capitals for enabled ones.
    String Buttons() const {
        String s;
        s += w->BtnBack()->Button()->Enabled() ? L'B' : L'b';
        s += w->BtnNext()->Button()->Enabled() ? L'N' : L'n';
        s += w->BtnCancel()->Button()->Enabled() ? L'C' : L'c';
        return s;
    }
    String NextText() const { return w->BtnNext()->Button()->Caption(); }
    WizardForm* form;
    TqelWizard* w;
};

String Rect(const RECT& r) {
    return Format(L"%d,%d,%d,%d", r.left, r.top, r.right, r.bottom);
}

void LastAction(WizardForm& f) {
    f.wizard->BtnNext()->SetLast_Caption(L"Sichern");
    f.wizard->BtnNext()->SetLast_TAction(true);
}
} // namespace

TEST(TqelWizard, TwoPagesCountButtonsAndLayOutTheBarByTheTable) {
    Wizard z(2, LastAction);
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
    EXPECT_EQ(z.Status(), L"Seite 1 von 2");
    EXPECT_EQ(z.Buttons(), L"bNC");
    EXPECT_EQ(z.NextText(), L"&Weiter >");
    EXPECT_EQ(z.w->BtnBack()->Button()->Caption(), L"< &Zurück");
    EXPECT_EQ(z.w->BtnCancel()->Button()->Caption(), L"Abbrechen");

    for (int width : {0, 100}) {
        z.form->SetWidth(z.form->Width() + width); // the layout follows a resize
        Pump();
        int W = z.w->Width(), H = z.w->Height();
        EXPECT_EQ(W, z.form->ClientWidth());
        EXPECT_EQ(Rect(z.w->BtnBack()->Button()->BoundsRect()), Rect({W - 290, H - 28, W - 200, H - 3}));
        EXPECT_EQ(Rect(z.w->BtnNext()->Button()->BoundsRect()), Rect({W - 200, H - 28, W - 110, H - 3}));
        EXPECT_EQ(Rect(z.w->BtnCancel()->Button()->BoundsRect()), Rect({W - 95, H - 28, W - 5, H - 3}));
        EXPECT_EQ(Rect(z.w->Separator()->BoundsRect()), Rect({3, H - 36, W - 3, H - 33}));
        EXPECT_EQ(z.w->StatusLabel()->Left(), 20);
        EXPECT_EQ(z.w->StatusLabel()->Top(), H - 23);
        EXPECT_EQ(Rect(z.Page(0)->BoundsRect()), Rect({0, 0, W, H - 42}));
        RECT real; // the window is where the control says
        GetWindowRect(z.w->BtnCancel()->Button()->Handle(), &real);
        MapWindowPoints(HWND_DESKTOP, z.w->Handle(), reinterpret_cast<POINT*>(&real), 2);
        EXPECT_EQ(Rect(real), Rect(z.w->BtnCancel()->Button()->BoundsRect()));
    }

    z.form->ChangeScale(3, 2); // the buttons keep their pixel size
    EXPECT_EQ(z.w->BtnNext()->Button()->Height(), 25);
    EXPECT_EQ(z.w->BtnNext()->Button()->Top(), z.w->Height() - 28);

    z.w->ButtonClick(wbkNext);
    EXPECT_EQ(z.Status(), L"Seite 2 von 2");
    EXPECT_EQ(z.Buttons(), L"BNC");
    EXPECT_EQ(z.NextText(), L"Sichern");
    EXPECT_FALSE(z.Page(0)->Visible());
    EXPECT_TRUE(IsWindowVisible(z.Page(1)->Handle()));
}

TEST(TqelWizard, WithoutTheLastActionNextIsOffOnTheLastPageAndDoesNothing) {
    Wizard z(2);
    int lastActions = 0, changes = 0;
    z.w->OnLastAction = [&](TComponent*) { ++lastActions; };
    z.w->OnChangePage = [&](TComponent*) { ++changes; };
    z.w->SetActivePageIndex(1);
    EXPECT_EQ(z.Buttons(), L"BnC");
    EXPECT_EQ(z.NextText(), L"&Weiter >"); // no Last_Caption: Caption stays
    z.w->BtnNext()->SetLast_Caption(L"Sichern");
    EXPECT_EQ(z.NextText(), L"Sichern");
    EXPECT_EQ(z.Buttons(), L"BnC");
    z.w->ButtonClick(wbkNext);
    EXPECT_EQ(z.w->ActivePage(), z.Page(1));
    EXPECT_EQ(lastActions + changes, 0);
}

TEST(TqelWizard, AHiddenMiddlePageIsSkippedAndNotCounted) {
    Wizard z(3, [](WizardForm& f) { f.pages[1]->SetRuntimeVisible(false); });
    EXPECT_EQ(z.Status(), L"Seite 1 von 2");
    z.w->ButtonClick(wbkNext);
    EXPECT_EQ(z.w->ActivePage(), z.Page(2));
    EXPECT_EQ(z.Status(), L"Seite 2 von 2");
    z.w->ButtonClick(wbkBack);
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
}

TEST(TqelWizard, PageEventsComeInOrderWithTheButtonsOffAndPendingMessagesRunBeforeOnShow) {
    Wizard z(2);
    std::vector<String> events;
    HWND probe = z.form->edits[0]->Handle();
    auto record = [&](const wchar_t* what) {
        return [&, what](TComponent* sender) {
            events.push_back(String(what) + L" " + (sender == z.w ? L"wizard" : sender->Name()) + L" " +
                             z.Buttons());
        };
    };
    z.Page(0)->SetName(L"p1");
    z.Page(1)->SetName(L"p2");
    z.Page(0)->OnChanging = [&](TComponent* sender, bool&) {
        record(L"changing")(sender);
        PostMessageW(probe, WM_CHAR, L'x', 1);
    };
    z.Page(1)->OnShow = [&](TComponent* sender) {
        record(L"show")(sender);
        events.push_back(z.form->edits[0]->Text());
    };
    z.Page(1)->OnChangeBack = record(L"back");
    z.w->OnChangePage = record(L"changed");
    PostMessageW(z.w->BtnNext()->Button()->Handle(), BM_CLICK, 0, 0);
    Pump();
    PostMessageW(z.w->BtnBack()->Button()->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(events, (std::vector<String>{L"changing p1 bnc", L"show p2 bnc", L"x", L"changed wizard BnC",
                                           L"back p2 bnc", L"changed wizard bNC"}));
}

TEST(TqelWizard, AVetoOrAnErrorInAHandlerGivesTheButtonsTheirStatesBack) {
    Wizard z(2);
    bool allow = false, fail = false, showFails = false;
    int shows = 0, changes = 0;
    z.Page(0)->OnChanging = [&](TComponent*, bool& allowChange) {
        EXPECT_EQ(z.Buttons(), L"bnc");
        if (fail) throw Exception(L"Eingabe fehlt");
        allowChange = allow;
    };
    z.Page(1)->OnShow = [&](TComponent*) {
        ++shows;
        if (showFails) throw Exception(L"Anzeige");
    };
    z.w->OnChangePage = [&](TComponent*) { ++changes; };
    TqelWzBtn* next = z.w->BtnNext()->Button();
    next->SetFocus();
    Pump();
    PostMessageW(next->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
    EXPECT_EQ(z.Buttons(), L"bNC");
    EXPECT_TRUE(next->Focused()); // the keyboard is not left without a window
    fail = true;
    EXPECT_THROW(z.w->ButtonClick(wbkNext), Exception);
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
    EXPECT_EQ(z.Buttons(), L"bNC");
    EXPECT_EQ(shows + changes, 0);

    fail = false;
    allow = true;
    showFails = true;
    EXPECT_THROW(z.w->ButtonClick(wbkNext), Exception);
    EXPECT_EQ(z.w->ActivePage(), z.Page(1)); // changed, but not reported
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(z.Buttons(), L"BnC");
}

TEST(TqelWizard, TheLastPageCanVetoTheLastActionAndRunningItTurnsBackAndNextOff) {
    Wizard z(2, LastAction);
    bool allow = false;
    std::vector<String> events;
    z.Page(1)->OnChanging = [&](TComponent*, bool& allowChange) { allowChange = allow; };
    z.w->OnLastAction = [&](TComponent* sender) {
        EXPECT_EQ(sender, z.w);
        z.w->SetLastActionRunning(true);
        events.push_back(z.Buttons() + z.NextText());
        PostMessageW(z.w->BtnNext()->Button()->Handle(), BM_CLICK, 0, 0); // a second press goes nowhere
        Pump();
        z.w->SetLastActionRunning(false);
        events.push_back(z.Buttons());
    };
    z.w->OnChangePage = [&](TComponent*) { events.push_back(L"changed"); };
    z.w->SetActivePage(z.Page(1));
    z.w->ButtonClick(wbkNext);
    EXPECT_TRUE(events.empty());
    allow = true;
    TqelWzBtn* next = z.w->BtnNext()->Button();
    next->SetFocus();
    Pump();
    PostMessageW(next->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(events, (std::vector<String>{L"bnCSichern", L"BNC"}));
    EXPECT_EQ(z.w->ActivePage(), z.Page(1));
    EXPECT_TRUE(next->Focused()); // back where it was before the run

    z.Page(1)->SetEnableBack(false); // Back comes back only as it was before
    z.w->SetLastActionRunning(true);
    z.w->SetLastActionRunning(false);
    EXPECT_EQ(z.Buttons(), L"bNC");
    EXPECT_TRUE(z.w->BtnNext()->Last_TAction());
}

TEST(TqelWizard, TakingTheActivePageOutMovesOnAsNextWouldOrStaysOnTheLastPage) {
    Wizard z(3);
    bool allow = false;
    z.Page(0)->OnChanging = [&](TComponent*, bool& allowChange) { allowChange = allow; };
    z.Page(0)->SetRuntimeVisible(false);
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
    EXPECT_EQ(z.Status(), L"Seite 0 von 2");
    z.Page(0)->SetRuntimeVisible(true);
    allow = true;
    z.Page(0)->SetRuntimeVisible(false);
    EXPECT_EQ(z.w->ActivePage(), z.Page(1));
    EXPECT_EQ(z.Status(), L"Seite 1 von 2");
    EXPECT_EQ(z.Buttons(), L"bNC"); // page 1 is out: nothing visible before page 2

    z.w->SetActivePage(z.Page(2));
    z.Page(2)->SetRuntimeVisible(false);
    EXPECT_EQ(z.w->ActivePage(), z.Page(2));
    EXPECT_EQ(z.Status(), L"Seite 0 von 1");
}

TEST(TqelWizard, WithoutPagesOrVisiblePagesNothingIsActiveAndNextRunsTheLastAction) {
    Wizard none(1, [](WizardForm& f) { f.pages[0]->SetRuntimeVisible(false); });
    EXPECT_EQ(none.w->ActivePage(), nullptr);
    EXPECT_EQ(none.Status(), L"Seite 0 von 0");
    EXPECT_EQ(none.Buttons(), L"bnC");

    Wizard z(0);
    int lastActions = 0;
    z.w->OnLastAction = [&](TComponent*) { ++lastActions; };
    EXPECT_EQ(z.Status(), L"Seite 0 von 0");
    EXPECT_EQ(z.Buttons(), L"bnC");
    z.w->BtnNext()->SetLast_TAction(true);
    EXPECT_EQ(z.Buttons(), L"bNC");
    z.w->ButtonClick(wbkNext);
    EXPECT_EQ(lastActions, 1);
    z.w->SetLastActionRunning(true); // no page to keep Back for
    EXPECT_EQ(z.Buttons(), L"bnC");
}

namespace {
// Erases the wizard into a bitmap painted white first; true where the erase painted.
std::vector<bool> ErasedRows(TqelWizard* w) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w->Width(), w->Height());
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, w->Width(), w->Height()};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(SendMessageW(w->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
    std::vector<bool> rows;
    for (int y = 0; y < w->Height(); ++y)
        rows.push_back(GetPixel(dc, w->Width() / 2, y) != RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return rows;
}
} // namespace

TEST(TqelWizard, WithPagesOnlyTheBarIsErased) {
    Wizard z(1);
    std::vector<bool> rows = ErasedRows(z.w);
    int h = z.w->Height();
    EXPECT_FALSE(rows[static_cast<size_t>(h - 43)]);
    EXPECT_TRUE(rows[static_cast<size_t>(h - 42)]);
    EXPECT_TRUE(rows[static_cast<size_t>(h - 1)]);
    z.Page(0)->Free();
    EXPECT_EQ(z.w->PageCount(), 0);
    EXPECT_TRUE(ErasedRows(z.w)[0]);
}

TEST(TqelWizard, PagesJoinLeaveAndMoveAndWritesOfTheActivePageRaiseNoEvents) {
    Wizard z(3);
    int events = 0;
    for (int i = 0; i < 3; ++i) {
        z.Page(i)->OnChanging = [&](TComponent*, bool&) { ++events; };
        z.Page(i)->OnShow = z.Page(i)->OnChangeBack = [&](TComponent*) { ++events; };
    }
    z.w->OnChangePage = [&](TComponent*) { ++events; };
    z.w->SetActivePageIndex(2);
    z.form->edits[0]->Show(); // a control on a hidden page brings its page into view
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
    z.w->SetActivePage(z.Page(1));
    z.w->SetActivePageIndex(3); // out of range: ignored
    z.w->SetActivePageIndex(-1);
    EXPECT_EQ(z.w->ActivePage(), z.Page(1));
    EXPECT_EQ(events, 0);

    EXPECT_THROW(z.Page(0)->SetIndex(3), Exception);
    z.Page(0)->SetIndex(2);
    EXPECT_EQ(z.w->Pages(2), z.Page(0));
    EXPECT_EQ(z.w->Pages(0), z.Page(1));
    z.w->UpdateLayout();
    EXPECT_EQ(z.Status(), L"Seite 1 von 3");

    z.w->RemovePage(z.Page(1)); // active and first: no page is left active
    EXPECT_EQ(z.Page(1)->Wizard(), nullptr);
    EXPECT_EQ(z.w->ActivePage(), nullptr);
    EXPECT_FALSE(z.Page(1)->Visible());
    z.Page(1)->SetIndex(0); // kept until it joins again
    z.Page(1)->SetWizard(z.w);
    EXPECT_EQ(z.Page(1)->Index(), 0);
    EXPECT_EQ(z.Page(1)->PendingIndex(), -1);

    z.w->SetActivePage(z.Page(0)); // now last; freeing it shows the one before
    z.Page(0)->Free();
    EXPECT_EQ(z.w->PageCount(), 2);
    EXPECT_EQ(z.w->ActivePage(), z.Page(2));
    EXPECT_EQ(events, 0);
}

TEST(TqelWizard, AfterAPageChangeTheFocusGoesToTheFirstTabStopOfTheNewPage) {
    // The first page, shown while the form loads, gets the focus without its windows being made
    // there, before the controls loaded after the wizard have their places.
    bool fensterBeimLaden = true;
    Wizard z(
        2, [&](WizardForm& f) { f.OnCreate = [&](TComponent*) { fensterBeimLaden = f.HandleAllocated(); }; });
    EXPECT_FALSE(fensterBeimLaden);
    auto& e = z.form->edits;
    EXPECT_TRUE(e[0]->Focused());
    e[1]->SetFocus();
    Pump();
    z.w->ButtonClick(wbkNext);
    EXPECT_FALSE(e[2]->Focused()); // only once the posted message was handled
    Pump();
    EXPECT_TRUE(e[2]->Focused());
    EXPECT_EQ(z.form->ActiveControl(), e[2]);
    z.w->ButtonClick(wbkBack);
    Pump();
    EXPECT_TRUE(e[0]->Focused());
}

TEST(TqelWizard, KeyboardOrderIsPageThenNextCancelBackAndAltKeysPressTheButtons) {
    Wizard z(2, LastAction);
    auto& e = z.form->edits;
    z.w->SetActivePage(z.Page(1));
    Pump();
    ASSERT_TRUE(e[2]->Focused());
    std::vector<TWinControl*> order;
    for (int i = 0; i < 5; ++i) {
        PressKey(VK_TAB);
        order.push_back(z.form->ActiveControl());
    }
    EXPECT_EQ(order, (std::vector<TWinControl*>{e[3], z.w->BtnNext()->Button(), z.w->BtnCancel()->Button(),
                                                z.w->BtnBack()->Button(), e[2]}));
    PostMessageW(GetFocus(), WM_SYSCHAR, L'z', 1 << 29);
    Pump();
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
    PostMessageW(GetFocus(), WM_SYSCHAR, L'w', 1 << 29);
    Pump();
    EXPECT_EQ(z.w->ActivePage(), z.Page(1));
    z.w->BtnBack()->Button()->SetFocus();
    Pump();
    PressKey(VK_RETURN); // a focused wizard button takes Return on a form that moves on with it
    EXPECT_EQ(z.w->ActivePage(), z.Page(0));
}

TEST(TqelWizard, CancelClosesTheFormThroughItsCloseQuery) {
    TForm* main = Application()->CreateForm<TForm>();
    Wizard z(1);
    bool allow = false;
    z.form->OnCloseQuery = [&](TComponent*, bool& canClose) { canClose = allow; };
    z.w->ButtonClick(wbkCancel);
    EXPECT_TRUE(IsWindowVisible(z.form->Handle()));
    allow = true;
    PostMessageW(z.w->BtnCancel()->Button()->Handle(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(z.form->Handle()));
    EXPECT_FALSE(Application()->Terminated());
    main->Free();

    TqelWizard loose(nullptr); // on no form: nothing happens
    loose.ButtonClick(wbkCancel);
    loose.BtnCancel()->SetCaption(L"Beenden");
    EXPECT_EQ(loose.BtnCancel()->Button()->Caption(), L"Beenden");
}
