#include "toolkit/ExtCtrls.h"

#include <algorithm>

void TRadioGroup::TGroupItems::Put(int index, const String& s) {
    TStringList::Put(index, s);
    Changed();
}

void TRadioGroup::TGroupItems::Insert(int index, const String& s) {
    TStringList::Insert(index, s);
    Changed();
}

void TRadioGroup::TGroupItems::Delete(int index) {
    TStringList::Delete(index);
    Changed();
}

void TRadioGroup::TGroupItems::Clear() {
    TStringList::Clear();
    Changed();
}

void TRadioGroup::TGroupItems::SetUpdateState(bool updating) {
    if (!updating) Changed();
}

void TRadioGroup::TGroupItems::Changed() {
    if (UpdateCount() == 0) group_->UpdateButtons();
}

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {}

TRadioGroup::~TRadioGroup() {
    BeginDestroy();
}

void TRadioGroup::UpdateButtons() {
    if (Destroying()) return;
    updating_ = true;
    size_t count = static_cast<size_t>(items_.Count());
    while (buttons_.size() > count) {
        TRadioButton* b = buttons_.back();
        buttons_.pop_back();
        b->Free();
    }
    while (buttons_.size() < count) {
        auto* b = new TRadioButton(this);
        b->SetParent(this);
        b->OnClick = [this](TComponent* sender) { ButtonClicked(static_cast<TRadioButton*>(sender)); };
        buttons_.push_back(b);
    }
    if (itemIndex_ >= static_cast<int>(count)) itemIndex_ = -1;
    for (size_t i = 0; i < count; ++i) {
        buttons_[i]->SetCaption(items_.Get(static_cast<int>(i)));
        buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
    }
    updating_ = false;
    ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty()) return;
    int n = static_cast<int>(buttons_.size());
    int perColumn = (n + columns_ - 1) / columns_;
    int width = (Width() - 10) / columns_;
    int textHeight = TextExtent(Font(), L"0", DT_SINGLELINE).cy;
    int space = std::max(0, Height() - textHeight - 5);
    int height = space / perColumn;
    int topMargin = textHeight + 1 + (space % perColumn) / 2;
    for (int i = 0; i < n; ++i)
        buttons_[static_cast<size_t>(i)]->SetBounds((i / perColumn) * width + 8,
                                                    (i % perColumn) * height + topMargin, width, height);
}

void TRadioGroup::SetColumns(int columns) {
    columns = std::clamp(columns, 1, 16);
    if (columns == columns_) return;
    columns_ = columns;
    ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(buttons_.size())) index = -1;
    if (index == itemIndex_) return;
    updating_ = true;
    if (itemIndex_ >= 0) buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(false);
    itemIndex_ = index;
    if (index >= 0) buttons_[static_cast<size_t>(index)]->SetChecked(true);
    updating_ = false;
    Click();
}

void TRadioGroup::ButtonClicked(TRadioButton* button) {
    if (updating_) return;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    Click();
}

void TRadioGroup::Resize() {
    TGroupBox::Resize();
    ArrangeButtons();
}

void TRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}
