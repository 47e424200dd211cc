#include "toolkit/ComCtrls.h"

#include <algorithm>

TToolButton::TToolButton(TComponent* owner) : TDownButton(owner) {}

TToolButton::~TToolButton() {
    if (action_) action_->RemoveClient(this);
}

TToolBar* TToolButton::ToolBar() const {
    return dynamic_cast<TToolBar*>(Parent());
}

void TToolButton::SetDown(bool down) {
    if (down == Down()) return;
    ShowDown(down);
}

void TToolButton::SetWrap(bool wrap) {
    if (wrap == wrap_) return;
    wrap_ = wrap;
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::VisibleChanged() {
    TDownButton::VisibleChanged();
    if (TToolBar* bar = ToolBar()) bar->ArrangeButtons();
}

void TToolButton::SetAction(TAction* action) {
    if (action == action_) return;
    if (action_) action_->RemoveClient(this);
    action_ = action;
    if (action_) {
        action_->AddClient(this);
        ActionChanged(action_);
    }
}

void TToolButton::ActionChanged(TAction* action) {
    SetCaption(action->Caption());
    SetEnabled(action->Enabled());
}

void TToolButton::ActionGone(TAction* action) {
    if (action == action_) action_ = nullptr;
}

void TToolButton::Click() {
    if (style_ == tbsCheck) ShowDown(!Down());
    if (OnClick)
        OnClick(this);
    else if (action_)
        action_->Execute();
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

void TToolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicToolBar";
}

void TToolBar::SetButtonWidth(int width) {
    if (width == buttonWidth_) return;
    buttonWidth_ = width;
    ArrangeButtons();
}

void TToolBar::SetButtonHeight(int height) {
    if (height == buttonHeight_) return;
    buttonHeight_ = height;
    ArrangeButtons();
}

void TToolBar::SetShowCaptions(bool show) {
    showCaptions_ = show;
}

void TToolBar::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    ArrangeButtons();
}

void TToolBar::SetWrapable(bool wrapable) {
    if (wrapable == wrapable_) return;
    wrapable_ = wrapable;
    ArrangeButtons();
}

int TToolBar::ButtonCount() const {
    int n = 0;
    for (int i = 0; i < ControlCount(); ++i)
        if (dynamic_cast<TToolButton*>(Controls(i))) ++n;
    return n;
}

TToolButton* TToolBar::Buttons(int index) const {
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(Controls(i)); b && index-- == 0) return b;
    return nullptr;
}

// The buttons are laid out here instead of by their alignment.
void TToolBar::AlignControls(RECT rect) {
    TWinControl::AlignControls(rect);
    ArrangeButtons();
}

void TToolBar::ArrangeButtons() {
    if (arranging_ || Destroying()) return;
    arranging_ = true;
    int x = 0, y = 0, width = ClientWidth();
    rows_ = 0;
    bool rowOpen = false;
    for (int i = 0; i < ControlCount(); ++i) {
        auto* b = dynamic_cast<TToolButton*>(Controls(i));
        if (!b || !b->Visible()) continue;
        if (rowOpen && wrapable_ && x + buttonWidth_ > width) {
            x = 0;
            y += buttonHeight_;
            rowOpen = false;
        }
        if (!rowOpen) ++rows_;
        rowOpen = true;
        b->SetBounds(x, y, buttonWidth_, buttonHeight_);
        x += buttonWidth_;
        if (b->Wrap()) {
            x = 0;
            y += buttonHeight_;
            rowOpen = false;
        }
    }
    arranging_ = false;
    if (autoSize_) SetHeight(std::max(rows_, 1) * buttonHeight_);
}
