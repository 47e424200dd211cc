#include "toolkit/ExtCtrls.h"

#include <algorithm>

TSplitter::TSplitter(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 3, 100);
    SetAlign(alLeft);
}

void TSplitter::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicSplitter";
    p.style &= ~static_cast<DWORD>(WS_TABSTOP);
}

// A splitter is thin across the direction it moves in.
void TSplitter::AlignChanged() {
    if (Align() == alTop || Align() == alBottom) {
        if (Height() > Width()) SetBounds(Left(), Top(), Height(), 3);
    } else if (Width() > Height()) {
        SetBounds(Left(), Top(), 3, Width());
    }
    TWinControl::AlignChanged();
}

TControl* TSplitter::ResizedControl() const {
    TWinControl* parent = Parent();
    if (!parent) return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        bool touches = false;
        switch (Align()) {
        case alTop:
            touches = c->Top() + c->Height() == Top();
            break;
        case alBottom:
            touches = c->Top() == Top() + Height();
            break;
        case alLeft:
            touches = c->Left() + c->Width() == Left();
            break;
        case alRight:
            touches = c->Left() == Left() + Width();
            break;
        default:
            break;
        }
        if (touches) return c;
    }
    return nullptr;
}

POINT TSplitter::ScreenPoint(LPARAM lParam) const {
    POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(WindowHandle(), &pt);
    return pt;
}

// The control may grow until the others that share the parent's space along the splitter's
// direction, and the filling control's MinSize, would no longer fit.
void TSplitter::StartDrag(LPARAM lParam) {
    dragged_ = ResizedControl();
    if (!dragged_) return;
    start_ = ScreenPoint(lParam);
    startSize_ = Vertical() ? dragged_->Width() : dragged_->Height();
    TWinControl* parent = Parent();
    RECT r = parent->ClientRect();
    parent->AdjustClientRect(r);
    maxSize_ = (Vertical() ? r.right - r.left : r.bottom - r.top) - minSize_;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (!c->Visible()) continue;
        if (Vertical() && (c->Align() == alLeft || c->Align() == alRight)) maxSize_ -= c->Width();
        if (!Vertical() && (c->Align() == alTop || c->Align() == alBottom)) maxSize_ -= c->Height();
    }
    maxSize_ += startSize_;
    SetCapture(WindowHandle());
}

void TSplitter::Drag(LPARAM lParam) {
    POINT pt = ScreenPoint(lParam);
    int delta = Vertical() ? pt.x - start_.x : pt.y - start_.y;
    if (Align() == alBottom || Align() == alRight) delta = -delta;
    int size = std::clamp(startSize_ + delta, minSize_, std::max(minSize_, maxSize_));
    if (Vertical())
        dragged_->SetWidth(size);
    else
        dragged_->SetHeight(size);
}

void TSplitter::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, Vertical() ? IDC_SIZEWE : IDC_SIZENS));
        m.Result = TRUE;
        return;
    case WM_LBUTTONDOWN:
        StartDrag(m.LParam);
        return;
    case WM_MOUSEMOVE:
        if (dragged_ && GetCapture() == WindowHandle()) Drag(m.LParam);
        return;
    case WM_LBUTTONUP:
        if (!dragged_) return;
        Drag(m.LParam);
        dragged_ = nullptr;
        ReleaseCapture();
        if (OnMoved) OnMoved(this);
        return;
    case WM_CAPTURECHANGED:
        dragged_ = nullptr;
        break;
    }
    TWinControl::WndProc(m);
}
