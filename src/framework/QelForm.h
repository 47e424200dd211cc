#pragma once
#include "toolkit/Forms.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <typeindex>
#include <typeinfo>

using TTestReturnEvent = std::function<void(TComponent* sender, bool& replaceReturn)>;

// A control class as the Return-exempt list keeps it: its identity, and a test that is true for
// an instance of the class or of any class derived from it.
struct TControlClass {
    std::type_index Type;
    bool (*IsInstance)(const TControl* control);
};

template <class T> TControlClass ControlClass() {
    return {typeid(T), [](const TControl* c) { return dynamic_cast<const T*>(c) != nullptr; }};
}

// Adds each class that the list does not hold yet. The list starts with TButton.
void RegisterReturnExemptClasses(std::initializer_list<TControlClass> classes);
// True when control is an instance of a Return-exempt class (or of a descendant).
bool IsReturnExempt(const TControl* control);

// The form's after-create message.
constexpr UINT WM_QELAFTERCREATE = WM_USER + 200;

// The base of the program's windows: Return moves on like Tab, code runs once after creation
// from the message loop and once at the first activation, and a dialog can take the main
// window's bounds.
class TQelForm : public TForm {
public:
    explicit TQelForm(TComponent* owner);
    ~TQelForm() override;

    void FinishCreate() override;
    void Loaded() override;
    void Activate() override;
    void DialogKey(WORD& key, bool shift) override;

    bool ActivReturn() const { return activReturn_; }
    void SetActivReturn(bool value) { activReturn_ = value; }
    bool FirstActivated() const { return firstActivated_; }
    const String& TagString() const { return tagString_; }
    void SetTagString(const String& value) { tagString_ = value; }
    // Read at the loaded step only; a later write changes nothing on screen.
    bool MainFormSize() const { return mainFormSize_; }
    void SetMainFormSize(bool value) { mainFormSize_ = value; }

    TTestReturnEvent OnTestReturn;
    TNotifyEvent OnFirstActivate;
    TNotifyEvent OnAfterCreate;

protected:
    void WndProc(TMessage& message) override;

private:
    void WMAfterCreate(TMessage& message);
    void TakeMainFormBounds();

    bool activReturn_ = true;
    bool firstActivated_ = false;
    String tagString_;
    bool mainFormSize_ = false;
    bool afterCreatePosted_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

// The desktop width (all monitors) the main-window sizing sees. Tests put in a narrower
// desktop than their display has; null restores the system's value.
void SetDesktopWidthQuery(int (*query)());
