// The wizard's pages and its three buttons with their settings.
#include "framework/qelWizard.h"

TqelWizardPage::TqelWizardPage(TComponent* owner) : TWinControl(owner) {
    SetVisible(false);
    SetAlign(alClient);
}

TqelWizardPage::~TqelWizardPage() {
    SetWizard(nullptr);
}

// No redraw styles: a resize repaints only what it uncovered.
void TqelWizardPage::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicWizardPage";
    p.classStyle = CS_DBLCLKS;
    p.exStyle |= WS_EX_CONTROLPARENT;
}

void TqelWizardPage::SetParent(TWinControl* parent) {
    TWinControl::SetParent(parent);
    if (auto* wizard = dynamic_cast<TqelWizard*>(parent))
        SetWizard(wizard);
    else if (wizard_)
        wizard_->RemovePage(this);
}

// An Index asked for before the page had a wizard applies when it joins one.
void TqelWizardPage::SetWizard(TqelWizard* wizard) {
    if (wizard == wizard_) return;
    if (wizard_) wizard_->RemovePage(this);
    if (wizard) {
        wizard->InsertPage(this);
        if (Parent() != wizard) TWinControl::SetParent(wizard);
    }
    int pending = pendingIndex_;
    pendingIndex_ = -1;
    if (wizard_ && pending != -1 && pending != Index()) wizard_->MovePage(this, pending);
}

int TqelWizardPage::Index() const {
    if (!wizard_) return -1;
    for (int i = 0; i < wizard_->PageCount(); ++i)
        if (wizard_->Pages(i) == this) return i;
    return -1;
}

void TqelWizardPage::SetIndex(int index) {
    if (!wizard_) {
        pendingIndex_ = index;
        return;
    }
    if (index != Index()) wizard_->MovePage(this, index);
}

void TqelWizardPage::SetEnableBack(bool value) {
    if (value == enableBack_) return;
    enableBack_ = value;
    if (wizard_) wizard_->UpdateButtons();
}

// Taking the active page out of the navigation moves on as Next would. The page count changes
// with it, so the status text is renewed along with the buttons.
void TqelWizardPage::SetRuntimeVisible(bool value) {
    if (value == runtimeVisible_) return;
    runtimeVisible_ = value;
    if (!value && wizard_ && wizard_->ActivePage() == this) wizard_->ChangePage(true);
    if (wizard_) wizard_->UpdateLayout();
}

TqelWzBtn::TqelWzBtn(TqelWizard* wizard, TqelWizardBtnKind kind)
    : TButton(wizard), wizard_(wizard), kind_(kind) {}

void TqelWzBtn::Click() {
    wizard_->ButtonClick(kind_);
}

namespace {
// Keyboard order of the buttons: Next, Cancel, Back.
constexpr int kTabPosition[] = {2, 0, 1};
} // namespace

TqelWizardBtn::TqelWizardBtn(TqelWizard* wizard, TqelWizardBtnKind kind)
    : wizard_(wizard), kind_(kind), button_(new TqelWzBtn(wizard, kind)), caption_(DefaultCaption(kind)) {
    button_->SetParent(wizard);
    button_->SetCaption(caption_);
    button_->SetTabOrder(kTabPosition[kind]);
}

String TqelWizardBtn::DefaultCaption(TqelWizardBtnKind kind) {
    switch (kind) {
    case wbkBack:
        return L"< &Zurück";
    case wbkNext:
        return L"&Weiter >";
    default:
        return L"Abbrechen";
    }
}

void TqelWizardBtn::SetCaption(const String& caption) {
    if (caption == caption_) return;
    caption_ = caption;
    Changed();
}

void TqelWizardBtn::Changed() {
    wizard_->UpdateLayout();
}

void TqelWizardBtnNext::SetLast_Caption(const String& caption) {
    if (caption == lastCaption_) return;
    lastCaption_ = caption;
    Changed();
}

void TqelWizardBtnNext::SetLast_TAction(bool value) {
    if (value == lastTAction_) return;
    lastTAction_ = value;
    Changed();
}
