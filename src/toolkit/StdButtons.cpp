// Check boxes and radio buttons.
#include "toolkit/StdCtrls.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetParentColor(true);
    SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"BUTTON";
    p.style |= BS_CHECKBOX; // we toggle it ourselves, so the program's change and the user's run alike
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
    Click();
}

void TCheckBox::CNCommand(WORD code) {
    if (code == BN_CLICKED) SetChecked(!checked_);
}

bool TCheckBox::AcceleratorHit(wchar_t ch) {
    if (!IsAccel(ch, Caption()) || !CanFocus()) return false;
    SetFocus();
    SetChecked(!checked_);
    return true;
}

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"BUTTON";
    p.style |= BS_RADIOBUTTON;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TRadioButton::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool checked) {
    if (checked == checked_) return;
    checked_ = checked;
    SetTabStop(checked);
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
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

bool TRadioButton::AcceleratorHit(wchar_t ch) {
    if (!IsAccel(ch, Caption()) || !CanFocus()) return false;
    SetFocus();
    SetChecked(true);
    return true;
}
