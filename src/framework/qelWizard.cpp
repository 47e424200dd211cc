#include "framework/qelWizard.h"

#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"

#include <algorithm>

namespace {
constexpr int kButtonWidth = 90;
constexpr int kButtonTopFromBottom = 28;
// Right edges of Back, Next and Cancel, measured from the wizard's right edge.
constexpr int kRightGap[] = {200, 110, 5};

// The three buttons stay off while a page handler runs, so that a click cannot start a second
// change; each gets its former state back, also when the handler throws. Disabling the pressed
// button takes the focus from it; when nothing else took it meanwhile, it gets it back.
class ButtonsOff {
public:
    explicit ButtonsOff(const TqelWizard& wizard)
        : buttons_{wizard.BtnBack()->Button(), wizard.BtnNext()->Button(), wizard.BtnCancel()->Button()} {
        for (int i = 0; i < 3; ++i) {
            enabled_[i] = buttons_[i]->Enabled();
            if (buttons_[i]->Focused()) focused_ = buttons_[i];
            buttons_[i]->SetEnabled(false);
        }
    }
    ~ButtonsOff() {
        for (int i = 0; i < 3; ++i)
            buttons_[i]->SetEnabled(enabled_[i]);
        if (focused_ && focused_->Enabled() && !GetFocus()) focused_->SetFocus();
    }
    ButtonsOff(const ButtonsOff&) = delete;
    ButtonsOff& operator=(const ButtonsOff&) = delete;

private:
    TqelWzBtn* buttons_[3];
    bool enabled_[3] = {};
    TqelWzBtn* focused_ = nullptr;
};
} // namespace

UINT QelWizardPageSetFocusMessage() {
    static const UINT message = RegisterWindowMessageW(L"qelWizardPageSetFocus");
    if (!message)
        throw Exception(Format(L"Die Fensternachricht qelWizardPageSetFocus kann nicht angemeldet werden: %s",
                               SystemFehlerText(GetLastError()).c_str()));
    return message;
}

TqelWizard::TqelWizard(TComponent* owner) : TWinControl(owner) {
    SetAlign(alClient);
    SetBounds(0, 0, 400, 300);
    btnBack_ = std::make_unique<TqelWizardBtn>(this, wbkBack);
    btnNext_ = std::make_unique<TqelWizardBtnNext>(this);
    btnCancel_ = std::make_unique<TqelWizardBtn>(this, wbkCancel);
    separator_ = new TBevel(this);
    separator_->SetShape(bsTopLine);
    separator_->SetParent(this);
    statusLabel_ = new TLabel(this);
    statusLabel_->SetParent(this);
}

// The pages outlive us on their form: they forget the wizard before the base frees the
// children, so none of them calls back into a half-destroyed wizard.
TqelWizard::~TqelWizard() {
    BeginDestroy();
    *alive_ = false;
    for (TqelWizardPage* page : pages_)
        page->wizard_ = nullptr;
    pages_.clear();
    activePage_ = nullptr;
    btnBack_.reset();
    btnNext_.reset();
    btnCancel_.reset();
}

void TqelWizard::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicWizard";
    p.exStyle |= WS_EX_CONTROLPARENT;
}

int TqelWizard::ActivePageIndex() const {
    auto it = std::find(pages_.begin(), pages_.end(), activePage_);
    return activePage_ && it != pages_.end() ? static_cast<int>(it - pages_.begin()) : -1;
}

void TqelWizard::SetActivePageIndex(int index) {
    if (index >= 0 && index < PageCount()) ShowPage(pages_[static_cast<size_t>(index)]);
}

void TqelWizard::SetStatusText(bool value) {
    if (value == StatusText()) return;
    statusLabel_->SetVisible(value);
    statusLabel_->SetEnabled(value);
}

TqelWizardPage* TqelWizard::NextVisiblePage() const {
    for (int i = ActivePageIndex() + 1; i < PageCount(); ++i)
        if (pages_[static_cast<size_t>(i)]->RuntimeVisible()) return pages_[static_cast<size_t>(i)];
    return nullptr;
}

TqelWizardPage* TqelWizard::PriorVisiblePage() const {
    for (int i = ActivePageIndex() - 1; i >= 0; --i)
        if (pages_[static_cast<size_t>(i)]->RuntimeVisible()) return pages_[static_cast<size_t>(i)];
    return nullptr;
}

void TqelWizard::InsertPage(TqelWizardPage* page) {
    if (std::find(pages_.begin(), pages_.end(), page) == pages_.end()) pages_.push_back(page);
    page->wizard_ = this;
}

void TqelWizard::RemovePage(TqelWizardPage* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    int position = static_cast<int>(it - pages_.begin());
    pages_.erase(it);
    page->wizard_ = nullptr;
    if (page != activePage_) return;
    ShowPage(position > 0 ? pages_[static_cast<size_t>(position - 1)] : nullptr);
    if (activePage_ == page) activePage_ = nullptr; // never keep a page that left us
}

void TqelWizard::MovePage(TqelWizardPage* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    if (index < 0 || index >= PageCount())
        throw Exception(Format(L"Listenindex überschreitet das Maximum (%d)", index));
    pages_.erase(it);
    pages_.insert(pages_.begin() + index, page);
}

void TqelWizard::Loaded() {
    TWinControl::Loaded();
    auto first = std::find_if(pages_.begin(), pages_.end(), [](auto* p) { return p->RuntimeVisible(); });
    if (first != pages_.end()) ShowPage(*first);
    UpdateLayout();
}

// The page shown has keyboard position 0 among our children, so the focus step after the
// change finds its first tab stop before our buttons.
void TqelWizard::ShowPage(TqelWizardPage* page) {
    if (page && page->wizard_ != this) return;
    if (Loading() || page == activePage_) return;
    TForm* form = ParentForm();
    if (form && activePage_ && form->ActiveControl() && activePage_->ContainsControl(form->ActiveControl()))
        form->SetActiveControl(activePage_);
    if (activePage_) activePage_->SetVisible(false);
    if (page) {
        page->BringToFront();
        page->SetTabOrder(0);
        page->SetVisible(true);
        if (form) form->SetActiveControl(page->CanFocus() ? static_cast<TWinControl*>(page) : this);
    }
    activePage_ = page;
    UpdateLayout();
    if (form) PageFocusLater();
}

// The focus moves onto the page once the messages queued now are handled. A page shown while the
// form is still being loaded waits for our window rather than having it made there: the
// controls not loaded yet would get their windows before their places, and be moved after.
void TqelWizard::PageFocusLater() {
    pageFocusPending_ = !HandleAllocated();
    if (!pageFocusPending_) PostMessage(QelWizardPageSetFocusMessage(), 0, 0);
}

void TqelWizard::CreateWnd() {
    TWinControl::CreateWnd();
    if (pageFocusPending_) PageFocusLater();
}

void TqelWizard::ChangePage(bool forward) {
    int oldIndex = ActivePageIndex();
    if (forward)
        ChangeForward();
    else
        ChangeBack();
    if (ActivePageIndex() != oldIndex && OnChangePage) OnChangePage(this);
}

// A handler that takes the next page out of the navigation leaves the wizard where it was
// rather than on no page at all.
void TqelWizard::ChangeForward() {
    if (!NextVisiblePage()) return;
    bool allowChange = true;
    if (activePage_ && activePage_->OnChanging) {
        ButtonsOff off(*this);
        activePage_->OnChanging(activePage_, allowChange);
    }
    if (!allowChange) return;
    TqelWizardPage* next = NextVisiblePage();
    if (!next) return;
    ShowPage(next);
    TqelWizardPage* shown = activePage_;
    if (shown && shown->OnShow) {
        ButtonsOff off(*this);
        Application()->ProcessMessages();
        shown->OnShow(shown);
    }
}

void TqelWizard::ChangeBack() {
    if (!PriorVisiblePage()) return;
    if (activePage_ && activePage_->OnChangeBack) {
        ButtonsOff off(*this);
        activePage_->OnChangeBack(activePage_);
    }
    if (TqelWizardPage* prior = PriorVisiblePage()) ShowPage(prior);
}

void TqelWizard::ButtonClick(TqelWizardBtnKind kind) {
    switch (kind) {
    case wbkBack:
        ChangePage(false);
        break;
    case wbkNext:
        if (NextVisiblePage()) {
            ChangePage(true);
        } else if (btnNext_->Last_TAction()) {
            bool allowChange = true;
            if (activePage_ && activePage_->OnChanging) activePage_->OnChanging(activePage_, allowChange);
            if (allowChange && OnLastAction) OnLastAction(this);
        }
        break;
    case wbkCancel:
        if (TForm* form = ParentForm()) form->Close();
        break;
    }
}

// Next, pressed to start the action, goes off while it runs: Cancel takes the focus meanwhile, so
// that the keyboard still reaches the button that stops the action. Next gets it back after the
// run unless the user has moved it elsewhere.
void TqelWizard::SetLastActionRunning(bool running) {
    TqelWzBtn* next = btnNext_->Button();
    TqelWzBtn* cancel = btnCancel_->Button();
    if (running) nextHadFocus_ = next->Focused();
    btnNext_->SetLast_TAction(!running);
    if (running && nextHadFocus_ && cancel->CanFocus()) cancel->SetFocus();
    if (!running && nextHadFocus_ && next->Enabled() && (!GetFocus() || cancel->Focused())) next->SetFocus();
    if (!running) nextHadFocus_ = false;
    if (pages_.empty()) return;
    TqelWizardPage* last = pages_.back();
    if (running) {
        last->savedEnableBack_ = last->EnableBack();
        last->SetEnableBack(false);
    } else {
        last->SetEnableBack(last->savedEnableBack_);
    }
}

// Fixed pixels: the bar is not scaled with the screen resolution.
void TqelWizard::UpdateLayout() {
    if (Destroying() || !statusLabel_) return; // also while the constructor builds the bar
    int top = Height() - kButtonTopFromBottom;
    const TqelWizardBtn* inOrder[] = {btnBack_.get(), btnNext_.get(), btnCancel_.get()};
    for (const TqelWizardBtn* settings : inOrder) {
        TqelWzBtn* b = settings->Button();
        b->SetBounds(Width() - kRightGap[settings->Kind()] - kButtonWidth, top, kButtonWidth, b->Height());
    }
    UpdateButtons();
    int cancelTop = btnCancel_->Button()->Top();
    statusLabel_->SetBounds(20, cancelTop + 5, statusLabel_->Width(), statusLabel_->Height());
    int count = 0, position = 0;
    for (TqelWizardPage* p : pages_) {
        if (!p->RuntimeVisible()) continue;
        ++count;
        if (p == activePage_) position = count;
    }
    statusLabel_->SetCaption(Format(L"Seite %d von %d", position, count));
    separator_->SetBounds(3, cancelTop - 8, ClientWidth() - 6, 3);
}

void TqelWizard::UpdateButtons() {
    if (Destroying() || !btnCancel_) return;
    TqelWzBtn* back = btnBack_->Button();
    TqelWzBtn* next = btnNext_->Button();
    btnCancel_->Button()->SetCaption(btnCancel_->Caption());
    back->SetEnabled(PriorVisiblePage() && activePage_ && activePage_->EnableBack());
    back->SetCaption(btnBack_->Caption());
    bool hasNext = NextVisiblePage() != nullptr;
    next->SetEnabled(hasNext || btnNext_->Last_TAction());
    next->SetCaption(!hasNext && !btnNext_->Last_Caption().empty() ? btnNext_->Last_Caption()
                                                                   : btnNext_->Caption());
}

void TqelWizard::Resize() {
    UpdateLayout();
    TWinControl::Resize();
}

// The pages fill the area above the button bar.
void TqelWizard::AdjustClientRect(RECT& r) {
    r.bottom = std::max(r.top, r.bottom - BarHeight);
}

// Bringing a control on one of our pages into view shows that page, without page events.
void TqelWizard::ShowControl(TControl* control) {
    if (auto* page = dynamic_cast<TqelWizardPage*>(control); page && page->wizard_ == this) ShowPage(page);
    TWinControl::ShowControl(control);
}

void TqelWizard::WndProc(TMessage& m) {
    if (m.Msg == WM_ERASEBKGND && !pages_.empty()) {
        WMEraseBkgnd(m);
        return;
    }
    if (m.Msg == QelWizardPageSetFocusMessage()) {
        std::shared_ptr<bool> alive = alive_;
        WMPageSetFocus(m);
        if (!*alive) return;
    }
    TWinControl::WndProc(m);
}

// The active page paints everything above the bar; erasing there too would flicker.
void TqelWizard::WMEraseBkgnd(TMessage& m) {
    RECT r;
    GetClientRect(WindowHandle(), &r);
    r.top = std::max(r.top, r.bottom - BarHeight);
    FillRect(reinterpret_cast<HDC>(m.WParam), &r, Brush().Handle(Color()));
    m.Result = 1;
}

// Posted after a page change: once the new page has been drawn, its first tab stop gets the focus.
void TqelWizard::WMPageSetFocus(TMessage& m) {
    std::shared_ptr<bool> alive = alive_;
    Application()->ProcessMessages();
    m.Result = 0;
    if (!*alive || Destroying()) return;
    TForm* form = ParentForm();
    if (!form) return;
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    auto target =
        std::find_if(list.begin(), list.end(), [](auto* c) { return c->CanFocus() && c->TabStop(); });
    if (target == list.end())
        target = std::find_if(list.begin(), list.end(), [](auto* c) { return c->CanFocus(); });
    if (target != list.end()) form->SetActiveControl(*target);
}
