// Check boxes and radio buttons.
#include "toolkit/StdCtrls.h"

TButtonControl::TButtonControl(TComponent* owner, DWORD buttonStyle)
    : TWinControl(owner), buttonStyle_(buttonStyle) {
    SetParentColor(true);
}

// The control toggles itself, so the program's change and the user's run alike.
void TButtonControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"BUTTON";
    p.style |= buttonStyle_;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TButtonControl::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TButtonControl::StoreChecked(bool checked) {
    if (checked == checked_) return false;
    checked_ = checked;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return true;
}

bool TButtonControl::AcceleratorHit(wchar_t ch) {
    if (!IsAccel(ch, Caption()) || !CanFocus()) return false;
    SetFocus();
    SetChecked(CheckedAfterClick());
    return true;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner, BS_CHECKBOX) {
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::SetChecked(bool checked) {
    if (StoreChecked(checked)) Click();
}

void TCheckBox::CNCommand(WORD code) {
    if (code == BN_CLICKED) SetChecked(!Checked());
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner, BS_RADIOBUTTON) {
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetChecked(bool checked) {
    if (!StoreChecked(checked)) return;
    SetTabStop(checked);
    if (!checked) return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
                sibling->SetChecked(false);
    Click();
}

// The system also reports a click when an unchecked radio button gets the focus by the keyboard.
void TRadioButton::CNCommand(WORD code) {
    if (code == BN_CLICKED || code == BN_DOUBLECLICKED) SetChecked(true);
}
