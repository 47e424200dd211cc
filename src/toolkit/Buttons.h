#pragma once
#include "toolkit/StdCtrls.h"

// A push-like BUTTON that shows Down as pressed and never takes the focus: the mouse is handled
// here, so a click leaves the focus where it was.
class TDownButton : public TWinControl {
public:
    explicit TDownButton(TComponent* owner);
    bool Down() const { return down_; }
    void CNCommand(WORD code) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    // Stores and shows the state; no event.
    void ShowDown(bool down);

private:
    bool down_ = false;
    TPressTracker press_;
};

// A speed button: with a GroupIndex it stays down when clicked and releases the others of its
// group on the same parent; AllowAllUp lets a click release it again.
class TSpeedButton : public TDownButton {
public:
    explicit TSpeedButton(TComponent* owner);

    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }

    void Click() override;

private:
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
};
