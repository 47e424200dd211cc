#include "toolkit/Buttons.h"

TDownButton::TDownButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 23, 22);
}

void TDownButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"BUTTON";
    p.style |= BS_PUSHLIKE | BS_CHECKBOX;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN | WS_TABSTOP);
}

void TDownButton::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), BM_SETCHECK, down_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TDownButton::ShowDown(bool down) {
    down_ = down;
    if (HandleAllocated()) SendMessageW(WindowHandle(), BM_SETCHECK, down ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TDownButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        TPressTracker::TResult result = press_.Message(WindowHandle(), m.Msg, m.LParam);
        if (result != TPressTracker::prNone) SendMessageW(WindowHandle(), BM_SETSTATE, press_.Pressed(), 0);
        if (result == TPressTracker::prClick) Click();
        return;
    }
    case WM_CAPTURECHANGED:
        if (press_.Message(WindowHandle(), m.Msg, m.LParam) != TPressTracker::prNone)
            SendMessageW(WindowHandle(), BM_SETSTATE, FALSE, 0);
        break;
    }
    TWinControl::WndProc(m);
}

void TDownButton::CNCommand(WORD code) {
    if (code == BN_CLICKED) Click();
}

TSpeedButton::TSpeedButton(TComponent* owner) : TDownButton(owner) {}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == Down()) return;
    if (Down() && !allowAllUp_) return; // one of the group stays down
    ShowDown(down);
    if (!down || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->Down())
            other->ShowDown(false);
    }
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        if (!Down())
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    TDownButton::Click();
}
