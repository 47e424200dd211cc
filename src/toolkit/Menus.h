#pragma once
#include "toolkit/ActnList.h"

#include <memory>
#include <vector>

class TControl;
class TPopupMenu;

// One entry of a popup menu; the caption "-" makes a separator. The shortcut is only shown beside
// the caption: the keys themselves belong to actions. Bound to an action, the entry shows its
// caption, enabled state and shortcut and runs it when chosen (an OnClick of its own comes first).
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const String& Caption() const { return caption_; }
    void SetCaption(const String& caption) { caption_ = caption; }
    bool Checked() const { return checked_; }
    void SetChecked(bool checked) { checked_ = checked; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut) { shortCut_ = shortCut; }
    TAction* Action() const { return link_.Action(); }
    void SetAction(TAction* action) { link_.SetAction(action); }
    // The menu it lies in; not owned.
    TPopupMenu* Menu() const { return menu_; }
    bool IsSeparator() const { return caption_ == L"-"; }

    // What choosing the entry does; nothing while it is disabled.
    virtual void Click();

    TNotifyEvent OnClick;

private:
    friend class TPopupMenu;
    String caption_;
    bool checked_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    TShortCut shortCut_ = scNone;
    TPopupMenu* menu_ = nullptr;
    TActionLink link_;
};

// A menu that opens where the user asks for it: a control's PopupMenu opens on a right click, on
// Shift+F10 and on the context-menu key. The menu lists its entries; who owns them frees them.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* owner);
    ~TPopupMenu() override;

    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }
    // Appends the entry (taking it out of another menu first).
    void Add(TMenuItem* item);
    void Remove(TMenuItem* item);
    // An entry owned by the menu, appended with its caption and click handler.
    TMenuItem* NewItem(const String& caption, TNotifyEvent onClick = nullptr);

    // The control the menu was last opened for; not owned.
    TControl* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TControl* control) { popupComponent_ = control; }

    // Shows the visible entries with the top left corner at the screen point, waits for the
    // user's choice and runs the chosen entry. False when nothing was chosen or nothing is visible.
    bool Popup(int x, int y);

    // Raised before the menu opens; a handler may still change the entries.
    TNotifyEvent OnPopup;

private:
    friend class TControl;
    HWND OwnerWindow() const;
    void ControlUses(TControl* control, bool uses);

    std::vector<TMenuItem*> items_;
    std::vector<TControl*> users_; // controls whose PopupMenu this is
    TControl* popupComponent_ = nullptr;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
