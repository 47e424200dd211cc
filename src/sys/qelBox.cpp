#include "sys/qelBox.h"

TqelCustomBox::TqelCustomBox(TComponent* owner) : TComponent(owner) {}
TqelCustomBox::~TqelCustomBox() = default;

// A virtual call from the base constructor would not reach the derived class, so the derived
// constructor asks for its list.
void TqelCustomBox::ListeAnlegen() {
    list_ = ErzeugeListe();
}

int TqelCustomBox::Count() const {
    return list_ ? list_->Count() : 0;
}
bool TqelCustomBox::Sorted() const {
    return list_ && list_->Sorted();
}

void TqelCustomBox::SetSorted(bool sorted) {
    if (list_) list_->SetSorted(sorted);
}

TStringListBox::TStringListBox(TComponent* owner) : TqelCustomBox(owner) {
    ListeAnlegen();
}

void TStringListBox::SetStrings(const TStrings& strings) {
    Strings()->Assign(strings);
}

std::unique_ptr<TStringList> TStringListBox::ErzeugeListe() const {
    return std::make_unique<TStringList>();
}
