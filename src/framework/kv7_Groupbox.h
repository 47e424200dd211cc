#pragma once
// A group box whose caption is a check box that switches the controls inside on and off.
#include "toolkit/StdCtrls.h"

class Tkiv_Groupbox : public TCustomGroupBox {
public:
    explicit Tkiv_Groupbox(TComponent* owner);

    // The group's controls are enabled; the check box shows it.
    bool AllEnabled() const { return allEnabled_; }
    void SetAllEnabled(bool value);
    bool Checked() const { return allEnabled_; }
    void SetChecked(bool value) { SetAllEnabled(value); }
    TCheckBox* CheckBox() const { return checkBox_; }

    // Raised after the check box changed its state, by the user or by a write.
    TNotifyEvent OnAfterClick;

protected:
    void CreateParams(TCreateParams& params) override;
    String GetText() const override { return text_; }
    void TextChanged() override;
    void FontChanged() override;
    void EnabledChanged() override;

private:
    void CheckBoxClick();
    void FitCheckBox();
    void EnableChildren(TWinControl* container, bool value);
    bool allEnabled_ = true;
    TCheckBox* checkBox_ = nullptr;
};
