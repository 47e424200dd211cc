// The buttoned edit: an EDIT with button windows of our own class inside it, at its ends.
#include "toolkit/ExtCtrls.h"

TEditButton::TEditButton(TCustomButtonedEdit* edit, bool right) : TWinControl(edit), edit_(edit) {
    SetVisible(false);
    SetParent(edit);
    SetName(right ? L"RightButton" : L"LeftButton");
}

void TEditButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicEditButton";
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    p.style &= ~static_cast<DWORD>(WS_TABSTOP);
}

void TEditButton::SetIndex(int& field, int index) {
    if (index == field) return;
    field = index;
    Redraw();
}

void TEditButton::SetImageIndex(int index) {
    SetIndex(imageIndex_, index);
}
void TEditButton::SetDisabledImageIndex(int index) {
    SetIndex(disabledIndex_, index);
}
void TEditButton::SetHotImageIndex(int index) {
    SetIndex(hotIndex_, index);
}
void TEditButton::SetPressedImageIndex(int index) {
    SetIndex(pressedIndex_, index);
}

int TEditButton::ShownIndex() const {
    int index = -1;
    if (!Enabled())
        index = disabledIndex_;
    else if (press_.Pressed())
        index = pressedIndex_ >= 0 ? pressedIndex_ : hotIndex_;
    else if (hot_)
        index = hotIndex_;
    return index >= 0 ? index : imageIndex_;
}

void TEditButton::Redraw() {
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
}

void TEditButton::VisibleChanged() {
    TWinControl::VisibleChanged();
    edit_->ArrangeButtons();
}

void TEditButton::EnabledChanged() {
    TWinControl::EnabledChanged();
    hot_ = false; // a disabled window hears no more of the mouse
    Redraw();
}

// The first move over the button makes it hot and asks to be told when the mouse leaves.
void TEditButton::MouseMove() {
    if (hot_) return;
    hot_ = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, WindowHandle(), 0};
    TrackMouseEvent(&track);
    Redraw();
}

void TEditButton::WndProc(TMessage& m) {
    if (PaintMessage(m, [this](HDC dc) { Paint(dc); })) return;
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_MOUSELEAVE:
        hot_ = false;
        Redraw();
        return;
    case WM_MOUSEMOVE:
        MouseMove();
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        switch (press_.Message(WindowHandle(), m.Msg, m.LParam)) {
        case TPressTracker::prChanged:
            Redraw();
            break;
        case TPressTracker::prClick:
            Redraw();
            Click();
            return;
        case TPressTracker::prNone:
            break;
        }
        break;
    }
    TWinControl::WndProc(m);
}

// On the edit's own background; held down, the image moves by a pixel.
void TEditButton::Paint(HDC dc) {
    RECT r;
    GetClientRect(WindowHandle(), &r);
    FillRect(dc, &r, Brush().Handle(edit_->Color()));
    TImageList* images = edit_->Images();
    int index = ShownIndex();
    if (!images || index < 0 || index >= images->Count()) return;
    int shift = press_.Pressed() ? 1 : 0;
    images->Draw(dc, (r.right - images->Width()) / 2 + shift, (r.bottom - images->Height()) / 2 + shift,
                 index);
}

TCustomButtonedEdit::TCustomButtonedEdit(TComponent* owner) : TCustomEdit(owner) {
    left_ = new TEditButton(this, false);
    right_ = new TEditButton(this, true);
    left_->OnClick = [this](TComponent*) {
        if (OnLeftButtonClick) OnLeftButtonClick(this);
    };
    right_->OnClick = [this](TComponent*) {
        if (OnRightButtonClick) OnRightButtonClick(this);
    };
}

void TCustomButtonedEdit::SetImages(TImageList* images) {
    if (images == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = images;
    if (images_) images_->FreeNotification(this);
    ArrangeButtons();
}

void TCustomButtonedEdit::Notification(TComponent* component, TOperation operation) {
    TCustomEdit::Notification(component, operation);
    if (operation == opRemove && component == images_) {
        images_ = nullptr;
        ArrangeButtons();
    }
}

// Each visible button takes the image's width and a little air, the edit's full inner height;
// the text keeps out of their way.
void TCustomButtonedEdit::ArrangeButtons() {
    if (Destroying() || !left_ || !right_) return; // not while the buttons are being made
    int w = (images_ ? images_->Width() : 16) + 4;
    int cw = ClientWidth(), ch = ClientHeight();
    left_->SetBounds(0, 0, w, ch);
    right_->SetBounds(cw - w, 0, w, ch);
    if (!HandleAllocated()) return;
    HWND wnd = WindowHandle();
    SendMessageW(wnd, EM_SETMARGINS, EC_USEFONTINFO, 0);
    if (left_->Visible()) SendMessageW(wnd, EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(w + 1, 0));
    if (right_->Visible()) SendMessageW(wnd, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w + 1));
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TCustomButtonedEdit::CreateWnd() {
    TCustomEdit::CreateWnd();
    ArrangeButtons();
}

void TCustomButtonedEdit::Resize() {
    TCustomEdit::Resize();
    ArrangeButtons();
}

// The font resets the margins. The system's edit (common controls 6) draws over the windows inside
// it, on a new focus for one: the buttons draw again after it.
void TCustomButtonedEdit::WndProc(TMessage& m) {
    TCustomEdit::WndProc(m);
    switch (m.Msg) {
    case WM_SETFONT:
        ArrangeButtons();
        break;
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        for (TEditButton* button : {left_, right_})
            if (button->Visible() && button->HandleAllocated())
                RedrawWindow(button->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        break;
    }
}
