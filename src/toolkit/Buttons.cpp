#include "toolkit/Buttons.h"

#include "toolkit/ImgList.h"

#include <uxtheme.h>
#include <vssym32.h>
#include <algorithm>

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

TSpeedButton::TSpeedButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicSpeedButton";
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN | WS_TABSTOP);
}

void TSpeedButton::Redraw() {
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
}

void TSpeedButton::SetDown(bool down) {
    if (groupIndex_ == 0) down = false;
    if (down == down_) return;
    if (down_ && !allowAllUp_) return; // one of the group stays down
    down_ = down;
    Redraw();
    if (!down || !Parent()) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (other && other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->Redraw();
        }
    }
}

void TSpeedButton::SetFlat(bool flat) {
    if (flat == flat_) return;
    flat_ = flat;
    Redraw();
}

void TSpeedButton::LoadGlyph(HINSTANCE module, const String& resourceName) {
    glyph_.LoadFromResourceName(module, resourceName);
    CutGlyph();
}

void TSpeedButton::SetNumGlyphs(int count) {
    count = std::clamp(count, 1, 4);
    if (count == numGlyphs_) return;
    numGlyphs_ = count;
    if (glyph_.Width() > 0) CutGlyph();
}

void TSpeedButton::CutGlyph() {
    const int width = glyph_.Width() / numGlyphs_;
    if (width <= 0 || glyph_.Height() <= 0) {
        images_.reset();
        Redraw();
        return;
    }
    auto images = std::make_unique<TImageList>(nullptr);
    images->SetSize(width, glyph_.Height());
    const COLORREF transparent = glyph_.Canvas().Pixel(0, glyph_.Height() - 1);
    images->AddMasked(glyph_, static_cast<TColor>(transparent));
    images_ = std::move(images);
    Redraw();
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    TWinControl::Click();
}

void TSpeedButton::TextChanged() {
    TWinControl::TextChanged();
    Redraw();
}

void TSpeedButton::EnabledChanged() {
    TWinControl::EnabledChanged();
    mouse_.Reset();
    Redraw();
}

void TSpeedButton::FontChanged() {
    TWinControl::FontChanged();
    Redraw();
}

void TSpeedButton::WndProc(TMessage& m) {
    if (PaintMessage(m, [this](HDC dc) { Paint(dc); })) return;
    if (mouse_.Follow(
            WindowHandle(), m, [this] { Redraw(); }, [this] { Click(); }))
        return;
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case BM_CLICK:
        if (Enabled()) Click();
        m.Result = 0;
        return;
    case BM_GETCHECK:
        m.Result = down_ ? BST_CHECKED : BST_UNCHECKED;
        return;
    case BM_GETSTATE:
        m.Result = (down_ ? BST_CHECKED : 0) | (mouse_.Pressed() ? BST_PUSHED : 0) | (Hot() ? BST_HOT : 0);
        return;
    }
    TWinControl::WndProc(m);
}

// The visual style's push button (a flat one: its tool bar button) where a style is active, else
// the classic raised or sunken edge.
void TSpeedButton::PaintFace(HDC dc, RECT r, bool pushed) {
    if (HTHEME theme = OpenThemeData(WindowHandle(), flat_ ? L"TOOLBAR" : L"BUTTON")) {
        int part = BP_PUSHBUTTON;
        int state = !Enabled() ? PBS_DISABLED : pushed ? PBS_PRESSED : Hot() ? PBS_HOT : PBS_NORMAL;
        if (flat_) {
            part = TP_BUTTON;
            state = !Enabled() ? TS_DISABLED : down_ ? TS_CHECKED : pushed ? TS_PRESSED : TS_HOT;
        }
        DrawThemeBackground(theme, dc, part, state, &r, nullptr);
        CloseThemeData(theme);
        return;
    }
    if (flat_)
        DrawEdge(dc, &r, pushed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    else
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
}

// The glyph and the caption side by side, centred together; pushed, they move a pixel down and right.
void TSpeedButton::Paint(HDC dc) {
    RECT r = ClientRect();
    FillRect(dc, &r, Brush().Handle(Color()));
    const bool pushed = down_ || mouse_.Pressed();
    if (!flat_ || pushed || (Hot() && Enabled())) PaintFace(dc, r, pushed);

    const String caption = Caption();
    const SIZE text = caption.empty() ? SIZE{0, 0} : TextExtent(Font(), caption, DT_SINGLELINE);
    const int glyphWidth = images_ ? images_->Width() : 0;
    const int gap = glyphWidth > 0 && text.cx > 0 ? 4 : 0;
    const int shift = pushed ? 1 : 0;
    int x = (r.right - glyphWidth - gap - text.cx) / 2 + shift;
    if (images_) {
        const int y = (r.bottom - images_->Height()) / 2 + shift;
        if (Enabled())
            images_->Draw(dc, x, y, 0);
        else if (numGlyphs_ >= 2)
            images_->Draw(dc, x, y, 1);
        else
            ImageList_DrawEx(images_->Handle(), 0, dc, x, y, 0, 0, CLR_NONE, ColorToRGB(Color()),
                             ILD_BLEND50);
        x += glyphWidth + gap;
    }
    if (caption.empty()) return;
    RECT box{x, shift, x + text.cx, r.bottom + shift};
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font().Color() : clGrayText));
    DrawTextW(dc, caption.c_str(), -1, &box, DT_SINGLELINE | DT_VCENTER | DT_NOCLIP);
    SelectObject(dc, old);
}
