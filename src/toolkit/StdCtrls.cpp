#include "toolkit/StdCtrls.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cwctype>

bool IsAccel(wchar_t ch, const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        return std::towupper(caption[i + 1]) == std::towupper(ch);
    }
    return false;
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"EDIT";
    p.style |= ES_AUTOHSCROLL;
    if (readOnly_) p.style |= ES_READONLY;
    if (borderStyle_ == bsSingle) p.exStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageW(WindowHandle(), EM_SETLIMITTEXT, maxLength_ > 0 ? maxLength_ : 0x7FFFFFFE, 0);
    SendMessageW(WindowHandle(), EM_SETSEL, selStart_, selStart_ + selLength_);
}

void TCustomEdit::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETREADONLY, readOnly_, 0);
}

void TCustomEdit::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    SetStyleBit(WS_EX_CLIENTEDGE, style == bsSingle, true);
}

void TCustomEdit::SetMaxLength(int length) {
    if (length == maxLength_) return;
    maxLength_ = length;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), EM_SETLIMITTEXT, maxLength_ > 0 ? maxLength_ : 0x7FFFFFFE, 0);
}

int TCustomEdit::SelStart() const {
    if (!WindowHandle()) return selStart_;
    DWORD start = 0, end = 0;
    SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TCustomEdit::SelLength() const {
    if (!WindowHandle()) return selLength_;
    DWORD start = 0, end = 0;
    SendMessageW(WindowHandle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomEdit::SetSelStart(int start) {
    selStart_ = start;
    selLength_ = 0;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETSEL, start, start);
}

void TCustomEdit::SetSelLength(int length) {
    selStart_ = SelStart();
    selLength_ = length;
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETSEL, selStart_, selStart_ + length);
}

void TCustomEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = static_cast<int>(Text().size());
    if (HandleAllocated()) SendMessageW(WindowHandle(), EM_SETSEL, 0, -1);
}

// A multi-line EDIT sends no EN_CHANGE for WM_SETTEXT on Windows, a single-line one does: the
// program's own change is reported here, once, for both.
void TCustomEdit::TextChanged() {
    if (HandleAllocated()) {
        settingText_ = true;
        SetWindowTextW(WindowHandle(), text_.c_str());
        settingText_ = false;
    }
    Change();
}

void TCustomEdit::CNCommand(WORD code) {
    if (code == EN_CHANGE && !settingText_) Change();
}

void TCustomEdit::Change() {
    if (OnChange) OnChange(this);
}

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"BUTTON";
    p.style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
}

void TButton::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    if (modalResult_ != mrNone)
        if (TForm* form = ParentForm()) form->SetModalResult(modalResult_);
    if (OnClick)
        OnClick(this);
    else if (TAction* action = Action())
        action->Execute();
}

void TButton::CNCommand(WORD code) {
    if (code == BN_CLICKED) Click();
}

bool TButton::AcceleratorHit(wchar_t ch) {
    if (!IsAccel(ch, Caption()) || !CanFocus()) return false;
    SetFocus();
    Click();
    return true;
}

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 0, 13);
}

void TLabel::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"STATIC";
    p.style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
    p.style |= alignment_ == taCenter ? SS_CENTER : alignment_ == taRightJustify ? SS_RIGHT : SS_LEFT;
    if (!wordWrap_ && alignment_ == taLeftJustify)
        p.style = (p.style & ~static_cast<DWORD>(SS_TYPEMASK)) | SS_LEFTNOWORDWRAP;
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    AdjustSize();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    RecreateWnd();
    AdjustSize();
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == alignment_) return;
    alignment_ = alignment;
    RecreateWnd();
}

// The size of the text as the STATIC draws it: mnemonics hidden, wrapped at the width if asked.
void TLabel::AdjustSize() {
    if (!autoSize_) return;
    UINT flags = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
    SIZE size = TextExtent(Font(), Caption(), flags | DT_EXPANDTABS, Width());
    SetBounds(Left(), Top(), wordWrap_ ? Width() : size.cx, size.cy);
}

void TLabel::TextChanged() {
    TWinControl::TextChanged();
    AdjustSize();
}

void TLabel::FontChanged() {
    TWinControl::FontChanged();
    AdjustSize();
}

bool TLabel::AcceleratorHit(wchar_t ch) {
    if (!focusControl_ || !IsAccel(ch, Caption()) || !focusControl_->CanFocus()) return false;
    focusControl_->SetFocus();
    return true;
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) {
    SetParentColor(true);
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"BUTTON";
    p.style |= BS_GROUPBOX;
    p.exStyle |= WS_EX_CONTROLPARENT;
}

void TCustomGroupBox::WndProc(TMessage& m) {
    if (PaintMessage(m, [this](HDC dc) { Paint(dc); })) return;
    switch (m.Msg) {
    case WM_ERASEBKGND:
        WMEraseBkgnd(m);
        return;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(m.WParam));
        return;
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
        // The system may draw its own look right away on these; ours follows.
        TWinControl::WndProc(m);
        InvalidateRect(WindowHandle(), nullptr, TRUE);
        return;
    }
    TWinControl::WndProc(m);
}

// The themed system drawing takes no caption colour from WM_CTLCOLORSTATIC, so the frame comes
// from the theme (or the classic etched edge) and the caption is ours.
void TCustomGroupBox::Paint(HDC dc) {
    RECT r;
    GetClientRect(WindowHandle(), &r);
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    bool enabled = IsWindowEnabled(WindowHandle()) != FALSE;
    RECT frame{0, tm.tmHeight / 2, r.right, r.bottom};
    if (HTHEME theme = OpenThemeData(WindowHandle(), L"BUTTON")) {
        DrawThemeBackground(theme, dc, BP_GROUPBOX, enabled ? GBS_NORMAL : GBS_DISABLED, &frame, nullptr);
        CloseThemeData(theme);
    } else {
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    String text = Caption();
    if (!text.empty()) {
        RECT t{8, 0, 8, tm.tmHeight};
        DrawTextW(dc, text.c_str(), -1, &t, DT_SINGLELINE | DT_CALCRECT);
        RECT back{t.left - 2, 0, t.right + 2, tm.tmHeight};
        FillRect(dc, &back, Brush().Handle(Color()));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(enabled ? Font().Color() : clGrayText));
        DrawTextW(dc, text.c_str(), -1, &t, DT_SINGLELINE);
    }
    SelectObject(dc, oldFont);
}

// Inside the frame and below the caption.
void TCustomGroupBox::AdjustClientRect(RECT& r) {
    r.top += TextExtent(Font(), L"0", DT_SINGLELINE).cy;
    InflateRect(&r, -2, -2);
}

bool TCustomGroupBox::AcceleratorHit(wchar_t ch) {
    if (!IsAccel(ch, Caption())) return false;
    if (TWinControl* first = FindNextControl(nullptr, true, true, false)) first->SetFocus();
    return true;
}
