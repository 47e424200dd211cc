#include "toolkit/ExtCtrls.h"

namespace {
UINT EdgeOf(TBevelCut cut, bool outer) {
    if (cut == bvLowered) return outer ? BDR_SUNKENOUTER : BDR_SUNKENINNER;
    if (cut == bvRaised) return outer ? BDR_RAISEDOUTER : BDR_RAISEDINNER;
    return 0;
}

void Line(HDC dc, int x, int y, int w, int h, TColor color) {
    RECT r{x, y, x + w, y + h};
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

} // namespace

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 185, 41);
}

void TPanel::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicPanel";
    p.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    p.exStyle |= WS_EX_CONTROLPARENT;
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    if (cut == bevelOuter_) return;
    bevelOuter_ = cut;
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
    Realign();
}

void TPanel::SetBevelInner(TBevelCut cut) {
    if (cut == bevelInner_) return;
    bevelInner_ = cut;
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
    Realign();
}

void TPanel::AdjustClientRect(RECT& r) {
    int inset = (bevelOuter_ != bvNone ? 1 : 0) + (bevelInner_ != bvNone ? 1 : 0);
    InflateRect(&r, -inset, -inset);
}

void TPanel::TextChanged() {
    TWinControl::TextChanged();
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TPanel::WndProc(TMessage& m) {
    if (PaintMessage(m, [this](HDC dc) { Paint(dc); })) return;
    TWinControl::WndProc(m);
}

void TPanel::Paint(HDC dc) {
    RECT r = ClientRect();
    if (UINT edge = EdgeOf(bevelOuter_, true)) DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
    if (UINT edge = EdgeOf(bevelInner_, false)) DrawEdge(dc, &r, edge, BF_RECT | BF_ADJUST);
    String text = Caption();
    if (text.empty()) return;
    HGDIOBJ old = SelectObject(dc, Font().Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font().Color()));
    DrawTextW(dc, text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
}

TBevel::TBevel(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 50, 50);
}

void TBevel::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicBevel";
    p.classStyle = CS_HREDRAW | CS_VREDRAW;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN | WS_TABSTOP);
}

void TBevel::SetShape(TBevelShape shape) {
    if (shape == shape_) return;
    shape_ = shape;
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TBevel::SetStyle(TBevelStyle style) {
    if (style == style_) return;
    style_ = style;
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, TRUE);
}

void TBevel::WndProc(TMessage& m) {
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTTRANSPARENT;
        return;
    }
    if (PaintMessage(m, [this](HDC dc) { Paint(dc); })) return;
    TWinControl::WndProc(m);
}

// Lowered: shadow first, highlight second; raised the other way round.
void TBevel::Paint(HDC dc) {
    TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    int w = Width(), h = Height();
    switch (shape_) {
    case bsBox:
        Line(dc, 0, 0, w, 1, first);
        Line(dc, 0, 0, 1, h, first);
        Line(dc, 0, h - 1, w, 1, second);
        Line(dc, w - 1, 0, 1, h, second);
        break;
    case bsFrame: {
        RECT r{0, 0, w, h};
        DrawEdge(dc, &r, style_ == bsLowered ? EDGE_ETCHED : EDGE_BUMP, BF_RECT);
        break;
    }
    case bsTopLine:
        Line(dc, 0, 0, w, 1, first);
        Line(dc, 0, 1, w, 1, second);
        break;
    case bsBottomLine:
        Line(dc, 0, h - 2, w, 1, first);
        Line(dc, 0, h - 1, w, 1, second);
        break;
    case bsLeftLine:
        Line(dc, 0, 0, 1, h, first);
        Line(dc, 1, 0, 1, h, second);
        break;
    case bsRightLine:
        Line(dc, w - 2, 0, 1, h, first);
        Line(dc, w - 1, 0, 1, h, second);
        break;
    case bsSpacer:
        break;
    }
}
