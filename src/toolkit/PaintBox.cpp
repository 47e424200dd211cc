#include "toolkit/ExtCtrls.h"

#include <uxtheme.h>

TPaintBox::TPaintBox(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 105, 105);
}

void TPaintBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicPaintBox";
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    p.style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TPaintBox::Repaint() {
    if (HandleAllocated())
        RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TPaintBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        // The parent paints what lies under the box, as if the box were not there.
        DrawThemeParentBackground(WindowHandle(), reinterpret_cast<HDC>(m.WParam), nullptr);
        m.Result = 1;
        return;
    case WM_PAINT:
        // The canvas holds the paint context only while OnPaint runs, also when it raises.
        PaintMessage(m, [this](HDC dc) {
            canvas_.SetHandle(dc);
            canvas_.Font().Assign(Font());
            try {
                if (OnPaint) OnPaint(this);
            } catch (...) {
                canvas_.SetHandle(nullptr);
                throw;
            }
            canvas_.SetHandle(nullptr);
        });
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (press_.Message(WindowHandle(), m.Msg, m.LParam) == TPressTracker::prClick) Click();
        break;
    }
    TWinControl::WndProc(m);
}
