#pragma once
#include "toolkit/ActnList.h"
#include "toolkit/Buttons.h"

enum TToolButtonStyle { tbsButton, tbsCheck };

class TToolBar;

// A button of a tool bar. Bound to an action it shows the action's caption and runs it when
// clicked (an OnClick of its own comes first). A check button toggles Down when clicked.
class TToolButton : public TDownButton, public TActionClient {
public:
    explicit TToolButton(TComponent* owner);
    ~TToolButton() override;

    void SetDown(bool down);
    TToolButtonStyle Style() const { return style_; }
    void SetStyle(TToolButtonStyle style) { style_ = style; }
    // A row break follows this button.
    bool Wrap() const { return wrap_; }
    void SetWrap(bool wrap);
    // Not owned.
    TAction* Action() const { return action_; }
    void SetAction(TAction* action);
    TToolBar* ToolBar() const;

    void Click() override;
    void ActionChanged(TAction* action) override;
    void ActionGone(TAction* action) override;

protected:
    void VisibleChanged() override;

private:
    TToolButtonStyle style_ = tbsButton;
    bool wrap_ = false;
    TAction* action_ = nullptr;
};

// A bar of tool buttons in rows: each button ButtonWidth by ButtonHeight, a new row after a
// button with Wrap and, when Wrapable, where the next would not fit. AutoSize makes the bar as
// high as its rows.
class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);

    int ButtonWidth() const { return buttonWidth_; }
    void SetButtonWidth(int width);
    int ButtonHeight() const { return buttonHeight_; }
    void SetButtonHeight(int height);
    bool ShowCaptions() const { return showCaptions_; }
    void SetShowCaptions(bool show);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool Wrapable() const { return wrapable_; }
    void SetWrapable(bool wrapable);
    int ButtonCount() const;
    TToolButton* Buttons(int index) const;
    int RowCount() const { return rows_; }

    // Places the buttons again.
    void ArrangeButtons();

protected:
    void CreateParams(TCreateParams& params) override;
    void AlignControls(RECT rect) override;
    void ControlsChanged() override { ArrangeButtons(); }

private:
    int buttonWidth_ = 23;
    int buttonHeight_ = 22;
    bool showCaptions_ = false;
    bool autoSize_ = false;
    bool wrapable_ = true;
    bool arranging_ = false;
    int rows_ = 0;
};
