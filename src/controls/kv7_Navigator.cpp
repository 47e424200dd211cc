#include "controls/kv7_Navigator.h"

#include <algorithm>

TkivNavigatorPanel::TkivNavigatorPanel(TComponent* owner) : TPanel(owner) {
    SetCaption(L"");
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    SetAlign(alTop);
}

// The speed buttons on the bar, in the order they were made.
template <class F> void TkivNavigatorPanel::ForEachButton(F f) const {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TSpeedButton*>(Controls(i))) f(b);
}

int TkivNavigatorPanel::ButtonCount() const {
    int count = 0;
    ForEachButton([&](TSpeedButton*) { ++count; });
    return count;
}

void TkivNavigatorPanel::CreateWnd() {
    TPanel::CreateWnd();
    creating_ = false;
    SetHeight(24);
    Arrange();
}

void TkivNavigatorPanel::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    ForEachButton([&](TSpeedButton* b) { b->SetFlat(flat); });
}

void TkivNavigatorPanel::SetButtonEnabled(bool enabled) {
    if (enabled == buttonEnabled_) return;
    buttonEnabled_ = enabled;
    ForEachButton([&](TSpeedButton* b) { b->SetEnabled(enabled); });
    ButtonEnabledChanged();
}

void TkivNavigatorPanel::SetButtonAlign(TAlign align) {
    if (align == buttonAlign_) return;
    buttonAlign_ = align;
    Place();
}

void TkivNavigatorPanel::SetEinzeilig(bool einzeilig) {
    if (einzeilig == einzeilig_) return;
    einzeilig_ = einzeilig;
    Arrange();
}

// The visible buttons side by side; unless the bar is one row, the group-2 buttons go into a
// second row below the others.
void TkivNavigatorPanel::Arrange() {
    if (!HandleAllocated() || ButtonCount() == 0) return;
    int width1 = 0, width2 = 0, height1 = 0, height2 = 0;
    ForEachButton([&](TSpeedButton* b) {
        if (!b->Visible()) return;
        if (einzeilig_ || b->Tag() != 2) {
            b->SetBounds(width1, 0, b->Width(), b->Height());
            width1 += b->Width();
            height1 = std::max(height1, b->Height());
        } else {
            b->SetBounds(width2, b->Height(), b->Width(), b->Height());
            width2 += b->Width();
            height2 = std::max(height2, 2 * b->Height());
        }
    });
    contentWidth_ = std::max(width1, width2);
    contentHeight_ = std::max(height1, height2);
    if (contentWidth_ != Width() || contentHeight_ != Height()) Place();
}

void TkivNavigatorPanel::Resize() {
    TPanel::Resize();
    Place();
}

// At the side ButtonAlign names, in the size of its buttons.
void TkivNavigatorPanel::Place() {
    if (contentWidth_ == 0) return;
    int left = Left(), top = Top();
    if (TWinControl* parent = Parent()) {
        switch (buttonAlign_) {
        case alTop:
            top = 0;
            break;
        case alBottom:
            top = parent->ClientHeight() - Height();
            break;
        case alLeft:
            left = 0;
            break;
        case alRight:
            left = parent->ClientWidth() - contentWidth_;
            break;
        default:
            break;
        }
    }
    SetBounds(left, top, contentWidth_, contentHeight_);
}

namespace {
struct TKnopf {
    const wchar_t* hint;
    const wchar_t* bild;
    int gruppe;
    void (TkivNavigatorX::*klick)();
};
// In the order of the bar, which is the order of TkivNavigateBtn.
const TKnopf kKnoepfe[] = {
    {L"Zum ersten Eintrag", L"KIV_FIRST", 1, &TkivNavigatorX::FirstClick},
    {L"Einen Eintrag zurück", L"KIV_PRIOR", 1, &TkivNavigatorX::PriorClick},
    {L"Einen Eintrag vor", L"KIV_NEXT", 1, &TkivNavigatorX::NextClick},
    {L"Zum letzten Eintrag", L"KIV_LAST", 1, &TkivNavigatorX::LastClick},
    {L"Neuen Eintrag anlegen", L"KIV_INSERT", 2, &TkivNavigatorX::NewClick},
    {L"Angezeigten Eintrag löschen", L"KIV_DELETE", 2, &TkivNavigatorX::DelClick},
    {L"Angezeigten Eintrag bearbeiten", L"KIV_EDIT", 2, &TkivNavigatorX::EditClick},
    {L"Bearbeitung speichern", L"KIV_POST", 2, &TkivNavigatorX::PostClick},
    {L"Bearbeitung abbrechen", L"KIV_CANCEL", 2, &TkivNavigatorX::CancelClick},
    {L"Anzeige aktualisieren", L"KIV_REFRESH", 1, &TkivNavigatorX::RefreshClick},
};
} // namespace

// The set held at creation is not applied: all ten buttons show until a visibility is written.
TkivNavigatorX::TkivNavigatorX(TComponent* owner) : TkivNavigatorPanel(owner) {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const TKnopf& k = kKnoepfe[i];
        auto* b = new TSpeedButton(this);
        b->SetParent(this);
        b->SetBounds(0, 0, 24, 24);
        b->SetHint(k.hint);
        b->SetShowHint(true);
        b->LoadGlyph(GetModuleHandleW(nullptr), k.bild);
        b->SetNumGlyphs(2);
        b->SetFlat(Flat());
        b->SetTag(k.gruppe);
        b->OnClick = [this, klick = k.klick](TComponent*) { (this->*klick)(); };
        buttons_[i] = b;
    }
}

void TkivNavigatorX::SetVisibleButtons(TkivButtonSet buttons) {
    visibleButtons_ = buttons;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetVisible((buttons & NavButton(static_cast<TkivNavigateBtn>(i))) != 0);
    Arrange();
}

void TkivNavigatorX::ShowGroup(TkivButtonSet group, bool visible) {
    SetVisibleButtons(visible ? visibleButtons_ | group : visibleButtons_ & ~group);
}

void TkivNavigatorX::SetEditButtonsVisible(bool visible) {
    editButtonsVisible_ = visible;
    ShowGroup(kivEditButtons, visible);
}

void TkivNavigatorX::SetMoveButtonsVisible(bool visible) {
    moveButtonsVisible_ = visible;
    ShowGroup(kivMoveButtons, visible);
}

void TkivNavigatorX::SetRefreshButtonVisible(bool visible) {
    refreshButtonVisible_ = visible;
    ShowGroup(NavButton(nbRefresh), visible);
}

void TkivNavigatorX::Raise(const TNotifyEvent& event, TkivNavigateBtn button) {
    if (event) event(buttons_[button]);
}

void TkivNavigatorX::FirstClick() {
    Raise(OnFirstClick, nbFirst);
}
void TkivNavigatorX::PriorClick() {
    Raise(OnPriorClick, nbPrior);
}
void TkivNavigatorX::NextClick() {
    Raise(OnNextClick, nbNext);
}
void TkivNavigatorX::LastClick() {
    Raise(OnLastClick, nbLast);
}
void TkivNavigatorX::NewClick() {
    Raise(OnNewClick, nbInsert);
}
void TkivNavigatorX::EditClick() {
    Raise(OnEditClick, nbEdit);
}
void TkivNavigatorX::DelClick() {
    Raise(OnDelClick, nbDelete);
}
void TkivNavigatorX::PostClick() {
    Raise(OnPostClick, nbPost);
}
void TkivNavigatorX::CancelClick() {
    Raise(OnCancelClick, nbCancel);
}
void TkivNavigatorX::RefreshClick() {
    Raise(OnRefreshClick, nbRefresh);
}

void TkivNavDataLink::ActiveChanged() {
    navigator_->UpdateButtons();
}
void TkivNavDataLink::EditingChanged() {
    navigator_->UpdateButtons();
}
void TkivNavDataLink::DataSetChanged() {
    navigator_->UpdateButtons();
}
void TkivNavDataLink::DataSourceChanged() {
    navigator_->UpdateButtons();
}

TkivNavigator::TkivNavigator(TComponent* owner)
    : TkivNavigatorX(owner), link_(std::make_unique<TkivNavDataLink>(this)) {
    UpdateButtons();
}

TkivNavigator::~TkivNavigator() {
    link_.reset();
}

TDataSet* TkivNavigator::ActiveSet() const {
    return link_->Active() ? link_->DataSet() : nullptr;
}

// The move buttons move the data set after their event.
void TkivNavigator::FirstClick() {
    TkivNavigatorX::FirstClick();
    if (TDataSet* set = ActiveSet()) set->First();
}
void TkivNavigator::PriorClick() {
    TkivNavigatorX::PriorClick();
    if (TDataSet* set = ActiveSet()) set->MoveBy(-1);
}
void TkivNavigator::NextClick() {
    TkivNavigatorX::NextClick();
    if (TDataSet* set = ActiveSet()) set->Next();
}
void TkivNavigator::LastClick() {
    TkivNavigatorX::LastClick();
    if (TDataSet* set = ActiveSet()) set->Last();
}

void TkivNavigator::EnabledChanged() {
    TkivNavigatorX::EnabledChanged();
    UpdateButtons();
}

// Without an open data set only refresh; while editing only post and cancel; else all but those
// two, the move buttons as far as the data set can move. ButtonEnabled off keeps all of them off.
void TkivNavigator::UpdateButtons() {
    TDataSet* set = Enabled() ? ActiveSet() : nullptr;
    const bool editing = set && link_->Editing();
    TkivButtonSet enabled = NavButton(nbRefresh);
    if (!ButtonEnabled()) {
        enabled = 0;
    } else if (editing) {
        enabled = NavButton(nbPost) | NavButton(nbCancel);
    } else if (set) {
        enabled |= NavButton(nbInsert) | NavButton(nbEdit) | NavButton(nbDelete);
        if (!set->Bof()) enabled |= NavButton(nbFirst) | NavButton(nbPrior);
        if (!set->Eof()) enabled |= NavButton(nbNext) | NavButton(nbLast);
    }
    for (int i = 0; i <= nbRefresh; ++i)
        Button(static_cast<TkivNavigateBtn>(i))
            ->SetEnabled((enabled & NavButton(static_cast<TkivNavigateBtn>(i))) != 0);
}
