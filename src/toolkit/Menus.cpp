#include "toolkit/Menus.h"

#include "toolkit/Application.h"
#include "toolkit/Controls.h"

#include <algorithm>

TMenuItem::TMenuItem(TComponent* owner)
    : TComponent(owner), link_([this](TAction& a) {
          caption_ = a.Caption();
          enabled_ = a.Enabled();
          shortCut_ = a.ShortCut();
      }) {}

TMenuItem::~TMenuItem() {
    if (menu_) menu_->Remove(this);
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (OnClick)
        OnClick(this);
    else if (TAction* action = link_.Action())
        action->Execute();
}

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {}

// The entries and controls outlive the menu's list of them: they forget it before it goes.
TPopupMenu::~TPopupMenu() {
    *alive_ = false;
    for (TMenuItem* item : items_)
        item->menu_ = nullptr;
    items_.clear();
    for (TControl* control : users_)
        control->popupMenu_ = nullptr;
    users_.clear();
}

void TPopupMenu::Add(TMenuItem* item) {
    if (!item || item->menu_ == this) return;
    if (item->menu_) item->menu_->Remove(item);
    items_.push_back(item);
    item->menu_ = this;
}

void TPopupMenu::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->menu_ = nullptr;
}

TMenuItem* TPopupMenu::NewItem(const String& caption, TNotifyEvent onClick) {
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->OnClick = std::move(onClick);
    Add(item);
    return item;
}

void TPopupMenu::ControlUses(TControl* control, bool uses) {
    users_.erase(std::remove(users_.begin(), users_.end(), control), users_.end());
    if (uses) users_.push_back(control);
}

// The system's menu needs a window of this thread to report to.
HWND TPopupMenu::OwnerWindow() const {
    for (TControl* c = popupComponent_; c; c = c->Parent())
        if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) return w->Handle();
    if (HWND active = GetActiveWindow()) return active;
    return ApplicationMainWindow();
}

bool TPopupMenu::Popup(int x, int y) {
    std::shared_ptr<bool> alive = alive_;
    if (OnPopup) OnPopup(this);
    if (!*alive) return false;
    HWND owner = OwnerWindow();
    if (!owner) return false;

    // Hidden entries are left out rather than greyed, so the ids are positions in shown.
    std::vector<TMenuItem*> shown;
    HMENU menu = CreatePopupMenu();
    for (TMenuItem* item : items_) {
        if (!item->Visible()) continue;
        shown.push_back(item);
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        String text = item->Caption();
        if (item->ShortCut() != scNone) text += L"\t" + ShortCutToText(item->ShortCut());
        UINT flags = MF_STRING | (item->Checked() ? MF_CHECKED : 0) | (item->Enabled() ? 0 : MF_GRAYED);
        AppendMenuW(menu, flags, shown.size(), text.c_str());
    }
    if (shown.empty()) {
        DestroyMenu(menu);
        return false;
    }
    UINT chosen =
        static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, owner, nullptr));
    DestroyMenu(menu);
    // The entry runs after the menu has closed, so it may open a dialog of its own.
    if (!*alive || chosen == 0 || chosen > shown.size()) return false;
    TMenuItem* item = shown[chosen - 1];
    if (std::find(items_.begin(), items_.end(), item) == items_.end()) return false;
    item->Click();
    return true;
}
