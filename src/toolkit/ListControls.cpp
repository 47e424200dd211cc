// List box and combo box, with their live item lists.
#include "toolkit/StdCtrls.h"

#include "toolkit/SysUtils.h"

#include <algorithm>

HWND TListItems::Window() const {
    return control_->HandleAllocated() ? control_->Handle() : nullptr;
}

void TListItems::CheckIndex(int index, bool allowEnd) const {
    if (index < 0 || index > Count() - (allowEnd ? 0 : 1))
        throw Exception(Format(L"Listenindex überschreitet das Maximum (%d)", index));
}

int TListItems::Count() const {
    HWND wnd = Window();
    return wnd ? static_cast<int>(SendMessageW(wnd, codes_.count, 0, 0)) : kept_.Count();
}

String TListItems::Get(int index) const {
    CheckIndex(index, false);
    HWND wnd = Window();
    if (!wnd) return kept_.Get(index);
    LRESULT n = SendMessageW(wnd, codes_.textLength, static_cast<WPARAM>(index), 0);
    String s(static_cast<size_t>(std::max<LRESULT>(n, 0)) + 1, L'\0');
    n = SendMessageW(wnd, codes_.text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
    return s;
}

void TListItems::Insert(int index, const String& s) {
    CheckIndex(index, true);
    if (HWND wnd = Window())
        SendMessageW(wnd, codes_.insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    else
        kept_.Insert(index, s);
}

void TListItems::Delete(int index) {
    CheckIndex(index, false);
    if (HWND wnd = Window())
        SendMessageW(wnd, codes_.remove, static_cast<WPARAM>(index), 0);
    else
        kept_.Delete(index);
}

void TListItems::Clear() {
    if (HWND wnd = Window())
        SendMessageW(wnd, codes_.reset, 0, 0);
    else
        kept_.Clear();
}

void TListItems::WindowCreated(HWND wnd) {
    for (int i = 0; i < kept_.Count(); ++i)
        SendMessageW(wnd, codes_.insert, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(kept_.Get(i).c_str()));
    kept_.Clear();
}

void TListItems::WindowGoing(HWND wnd) {
    kept_.Clear();
    int n = static_cast<int>(SendMessageW(wnd, codes_.count, 0, 0));
    for (int i = 0; i < n; ++i)
        kept_.Add(Get(i));
}

void TListItems::SetUpdateState(bool updating) {
    if (HWND wnd = Window()) {
        SendMessageW(wnd, WM_SETREDRAW, !updating, 0);
        if (!updating) InvalidateRect(wnd, nullptr, TRUE);
    }
}

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(this, {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_INSERTSTRING,
                                        CB_DELETESTRING, CB_RESETCONTENT}) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

// The window of a combo box reaches down over its list; the control's height is the closed part.
int TCustomComboBox::ListHeight() const {
    return std::max(dropDownCount_, 1) * 16 + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"COMBOBOX";
    p.style |= WS_VSCROLL | CBS_AUTOHSCROLL | (style_ == csDropDownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    p.height = Height() + ListHeight();
}

void TCustomComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    items_.WindowCreated(WindowHandle());
    SendMessageW(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    if (style_ == csDropDown && itemIndex_ < 0) SetWindowTextW(WindowHandle(), text_.c_str());
}

void TCustomComboBox::DestroyWnd() {
    itemIndex_ = ItemIndex();
    items_.WindowGoing(WindowHandle());
    TWinControl::DestroyWnd();
}

void TCustomComboBox::BoundsChanged() {
    if (HandleAllocated())
        SetWindowPos(WindowHandle(), nullptr, Left(), Top(), Width(), Height() + ListHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
    if (style == style_) return;
    style_ = style;
    RecreateWnd();
}

int TCustomComboBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(WindowHandle(), CB_GETCURSEL, 0, 0))
                             : itemIndex_;
}

void TCustomComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) index = -1;
    if (index == ItemIndex()) return;
    itemIndex_ = index;
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(WindowHandle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

String TCustomComboBox::GetText() const {
    if (!HandleAllocated() && style_ == csDropDownList)
        return itemIndex_ >= 0 && itemIndex_ < items_.Count() ? items_.Get(itemIndex_) : String();
    return TWinControl::GetText();
}

// A drop-down list shows only its items: its text selects one.
void TCustomComboBox::TextChanged() {
    if (style_ == csDropDownList) {
        SetItemIndex(items_.IndexOf(text_));
        return;
    }
    TWinControl::TextChanged();
}

void TCustomComboBox::CNCommand(WORD code) {
    switch (code) {
    case CBN_SELCHANGE:
        Click();
        if (OnChange) OnChange(this);
        break;
    case CBN_EDITCHANGE:
        if (OnChange) OnChange(this);
        break;
    case CBN_SETFOCUS:
        if (TForm* form = ParentForm()) form->FocusChanged(this);
        break;
    }
}

// An open list keeps Return and Escape for closing itself.
void TCustomComboBox::WndProc(TMessage& m) {
    TWinControl::WndProc(m);
    if (m.Msg == WM_GETDLGCODE && DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
}

TListBox::TListBox(TComponent* owner)
    : TWinControl(owner), items_(this, {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT, LB_INSERTSTRING,
                                        LB_DELETESTRING, LB_RESETCONTENT}) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 121, 97);
}

TListBox::~TListBox() = default;

void TListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.sysClass = L"LISTBOX";
    p.style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    TWinControl::CreateWnd();
    items_.WindowCreated(WindowHandle());
    SendMessageW(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

void TListBox::DestroyWnd() {
    itemIndex_ = ItemIndex();
    items_.WindowGoing(WindowHandle());
    TWinControl::DestroyWnd();
}

int TListBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(WindowHandle(), LB_GETCURSEL, 0, 0))
                             : itemIndex_;
}

void TListBox::SetItemIndex(int index) {
    if (index < -1 || index >= items_.Count()) index = -1;
    if (index == ItemIndex()) return;
    itemIndex_ = index;
    if (HandleAllocated()) SendMessageW(WindowHandle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TListBox::CNCommand(WORD code) {
    if (code == LBN_SELCHANGE) Click();
}
