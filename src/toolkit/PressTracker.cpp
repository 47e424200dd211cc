#include "toolkit/Controls.h"

namespace {
bool Inside(HWND wnd, LPARAM lParam) {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT r;
    GetClientRect(wnd, &r);
    return PtInRect(&r, pt) != FALSE;
}
} // namespace

TPressTracker::TResult TPressTracker::Message(HWND wnd, UINT msg, LPARAM lParam) {
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        tracking_ = inside_ = true;
        SetCapture(wnd);
        return prChanged;
    case WM_MOUSEMOVE:
        if (!tracking_ || Inside(wnd, lParam) == inside_) return prNone;
        inside_ = !inside_;
        return prChanged;
    case WM_LBUTTONUP:
        if (!tracking_) return prNone;
        tracking_ = false; // before ReleaseCapture, whose WM_CAPTURECHANGED then finds nothing to end
        ReleaseCapture();
        return Inside(wnd, lParam) ? prClick : prChanged;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a dialog, Alt+Tab): the press ends without a click.
        if (!tracking_ || reinterpret_cast<HWND>(lParam) == wnd) return prNone;
        tracking_ = false;
        return prChanged;
    }
    return prNone;
}
