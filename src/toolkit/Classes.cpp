#include "toolkit/Classes.h"

#include "toolkit/SysUtils.h"

#include <windows.h>
#include <algorithm>
#include <cxxabi.h>
#include <cstdlib>
#include <typeinfo>

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        loading_ = owner->loading_;
        owner->InsertComponent(this);
    }
}

void TComponent::Free() {
    BeforeDestruction();
    delete this;
}

TComponent::~TComponent() {
    destroying_ = true;
    std::vector<TComponent*> notified = std::move(freeNotifies_);
    freeNotifies_.clear();
    for (TComponent* c : notified) {
        auto& back = c->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, opRemove);
    }
    DestroyComponents();
    if (owner_) owner_->RemoveComponent(this);
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) != freeNotifies_.end()) return;
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), component),
                        freeNotifies_.end());
    if (component)
        component->freeNotifies_.erase(
            std::remove(component->freeNotifies_.begin(), component->freeNotifies_.end(), this),
            component->freeNotifies_.end());
}

// Frees by index and clears each slot before the delete: a destructor may free a sibling,
// which then finds its slot already empty or clears it itself.
void TComponent::DestroyComponents() {
    destroying_ = true;
    for (size_t i = 0; i < components_.size(); ++i) {
        TComponent* c = components_[i];
        if (!c) continue;
        components_[i] = nullptr;
        c->BeforeDestruction();
        if (c->owner_ == this) c->owner_ = nullptr;
        delete c;
    }
    components_.clear();
}

String TComponent::ClassName() const {
    int status = 0;
    char* demangled = abi::__cxa_demangle(typeid(*this).name(), nullptr, nullptr, &status);
    std::string name = (status == 0 && demangled) ? demangled : typeid(*this).name();
    std::free(demangled);
    size_t colon = name.rfind("::");
    if (colon != std::string::npos) name.erase(0, colon + 2);
    return String(name.begin(), name.end());
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto& list = owner_->components_;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (c && CompareStringOrdinal(c->name_.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (!component || component->owner_ == this) return;
    if (component->owner_) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(components_.begin(), components_.end(), component);
    if (it == components_.end()) return;
    component->owner_ = nullptr;
    if (destroying_)
        *it = nullptr;  // the list is being walked by index
    else
        components_.erase(it);
    Notification(component, opRemove);
}

void TStrings::Put(int index, const String& s) {
    Delete(index);
    Insert(index, s);
}

int TStrings::Add(const String& s) { return AddAt(s); }

int TStrings::AddAt(const String& s) {
    int index = Count();
    Insert(index, s);
    return index;
}

void TStrings::Assign(const TStrings& source) {
    if (&source == this) return;
    std::vector<String> copy = source.ToVector();
    Clear();
    for (const String& s : copy) Add(s);
}

int TStrings::IndexOf(const String& s) const {
    for (int i = 0, n = Count(); i < n; ++i)
        if (CompareStringOrdinal(Get(i).c_str(), -1, s.c_str(), -1, TRUE) == CSTR_EQUAL) return i;
    return -1;
}

String TStrings::Text() const {
    String text;
    for (int i = 0, n = Count(); i < n; ++i) {
        text += Get(i);
        text += L"\r\n";
    }
    return text;
}

void TStrings::SetText(const String& text) {
    Clear();
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == String::npos) {
            Add(text.substr(start));
            break;
        }
        Add(text.substr(start, end - start));
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
}

void TStrings::BeginUpdate() {
    if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

std::vector<String> TStrings::ToVector() const {
    std::vector<String> out;
    out.reserve(static_cast<size_t>(Count()));
    for (int i = 0, n = Count(); i < n; ++i) out.push_back(Get(i));
    return out;
}

TStringList::TStringList(std::initializer_list<String> items) {
    for (const String& s : items) Add(s);
}

void TStringList::CheckIndex(int index, bool allowEnd) const {
    int limit = Count() + (allowEnd ? 1 : 0);
    if (index < 0 || index >= limit)
        throw Exception(Format(L"Listenindex überschreitet das Maximum (%d)", index));
}

String TStringList::Get(int index) const {
    CheckIndex(index, false);
    return items_[static_cast<size_t>(index)];
}

void TStringList::Put(int index, const String& s) {
    CheckIndex(index, false);
    items_[static_cast<size_t>(index)] = s;
    if (sorted_) Sort();
}

void TStringList::Insert(int index, const String& s) {
    CheckIndex(index, true);
    items_.insert(items_.begin() + index, s);
}

void TStringList::Delete(int index) {
    CheckIndex(index, false);
    items_.erase(items_.begin() + index);
}

static bool KleinerOhneGrossKlein(const String& a, const String& b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                           b.c_str(), static_cast<int>(b.size()), nullptr, nullptr, 0) == CSTR_LESS_THAN;
}

void TStringList::Sort() { std::stable_sort(items_.begin(), items_.end(), KleinerOhneGrossKlein); }

void TStringList::SetSorted(bool sorted) {
    if (sorted_ == sorted) return;
    sorted_ = sorted;
    if (sorted_) Sort();
}

int TStringList::AddAt(const String& s) {
    if (!sorted_) return TStrings::AddAt(s);
    auto it = std::upper_bound(items_.begin(), items_.end(), s, KleinerOhneGrossKlein);
    int index = static_cast<int>(it - items_.begin());
    items_.insert(it, s);
    return index;
}

bool TComponent::CanClose() {
    for (TComponent* c : std::vector<TComponent*>(components_))
        if (!c->CanClose()) return false;
    return true;
}
