#include "toolkit/Controls.h"

#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
    font_.OnChange = [this] {
        if (!followingParent_) parentFont_ = false;
        FontChanged();
        if (auto* self = dynamic_cast<TWinControl*>(this))
            for (TControl* c : self->controls_)
                if (c->parentFont_) c->ParentFontChanged();
    };
}

TControl::~TControl() {
    if (popupMenu_) popupMenu_->ControlUses(this, false);
    if (parent_) parent_->RemoveControl(this);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (menu == popupMenu_) return;
    if (popupMenu_) popupMenu_->ControlUses(this, false);
    popupMenu_ = menu;
    if (popupMenu_) popupMenu_->ControlUses(this, true);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent && (parent == this || ContainsParentCycle(parent))) return;
    if (parent_) parent_->RemoveControl(this);
    parent_ = parent;
    alignPlaced_ = false;
    if (parent_) {
        parent_->InsertControl(this);
        if (parentFont_) ParentFontChanged();
        if (parentColor_) ParentColorChanged();
    }
}

bool TControl::ContainsParentCycle(TWinControl* parent) const {
    for (const TControl* p = parent; p; p = p->parent_)
        if (p == this) return true;
    return false;
}

void TControl::ParentFontChanged() {
    if (!parent_) return;
    followingParent_ = true;
    font_.Assign(parent_->font_);
    followingParent_ = false;
}

void TControl::SetParentFont(bool parentFont) {
    if (parentFont == parentFont_) return;
    parentFont_ = parentFont;
    if (parentFont_) ParentFontChanged();
}

TColor TControl::Color() const {
    return (parentColor_ && parent_) ? parent_->Color() : color_;
}

void TControl::SetColor(TColor color) {
    if (!parentColor_ && color == color_) return;
    color_ = color;
    parentColor_ = false;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
    if (parentColor == parentColor_) return;
    parentColor_ = parentColor;
    ColorChanged();
}

void TControl::ParentColorChanged() {
    ColorChanged();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (width < 0) width = 0;
    if (height < 0) height = 0;
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
    if (sized) Resize();
    RequestAlign();
}

void TControl::UpdateBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    bool sized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (sized) Resize();
}

void TControl::Resize() {
    if (OnResize) OnResize(this);
}

void TControl::RequestAlign() {
    if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    if (parent_ && align_ != alNone) parent_->Realign();
}

void TControl::Show() {
    if (parent_) parent_->ShowControl(this);
    SetVisible(true);
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

void TControl::SetHint(const String& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    HintChanged();
}

void TControl::SetShowHint(bool showHint) {
    if (showHint == showHint_) return;
    showHint_ = showHint;
    HintChanged();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    EnabledChanged();
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    alignPlaced_ = false;
    AlignChanged();
}

void TControl::SetText(const String& text) {
    if (text == GetText()) return;
    text_ = text;
    TextChanged();
}

TForm* TControl::ParentForm() const {
    const TControl* c = this;
    while (c->parent_) {
        if (c->Destroying()) return nullptr;
        c = c->parent_;
    }
    if (c->Destroying()) return nullptr;
    return dynamic_cast<TForm*>(const_cast<TControl*>(c));
}

void TControl::ChangeScale(int m, int d) {
    if (m == d) return;
    SetBounds(MulDiv(left_, m, d), MulDiv(top_, m, d), MulDiv(width_, m, d), MulDiv(height_, m, d));
    if (!parentFont_) font_.SetHeight(MulDiv(font_.Height(), m, d));
    if (auto* self = dynamic_cast<TWinControl*>(this))
        for (int i = 0; i < self->ControlCount(); ++i)
            self->Controls(i)->ChangeScale(m, d);
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}
