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

bool TDownButton::Inside(LPARAM lParam) const {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT r;
    GetClientRect(WindowHandle(), &r);
    return PtInRect(&r, pt) != FALSE;
}

void TDownButton::WndProc(TMessage& m) {
    HWND wnd = WindowHandle();
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        tracking_ = true;
        SetCapture(wnd);
        SendMessageW(wnd, BM_SETSTATE, TRUE, 0);
        return;
    case WM_MOUSEMOVE:
        if (tracking_) SendMessageW(wnd, BM_SETSTATE, Inside(m.LParam), 0);
        return;
    case WM_LBUTTONUP:
        if (!tracking_) return;
        tracking_ = false;
        ReleaseCapture();
        SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
        if (Inside(m.LParam)) Click();
        return;
    case WM_CAPTURECHANGED:
        if (tracking_ && reinterpret_cast<HWND>(m.LParam) != wnd) {
            tracking_ = false;
            SendMessageW(wnd, BM_SETSTATE, FALSE, 0);
        }
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
