// The item lists of list and combo boxes, and the list box.
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
