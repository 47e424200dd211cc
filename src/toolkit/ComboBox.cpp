// The combo box: its list, the edit field's typed characters, completion and the open list.
#include "toolkit/StdCtrls.h"

#include "toolkit/Application.h"

#include <commctrl.h>
#include <algorithm>

namespace {
constexpr UINT_PTR kEditSubclassId = 0x5345; // "SE"
// Posted when the list opens: by then the system has made its own choice of entry.
constexpr UINT kKeepSelection = WM_APP + 0x5345;
} // namespace

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(this, {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_INSERTSTRING,
                                        CB_DELETESTRING, CB_RESETCONTENT}) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
}

TCustomComboBox::~TCustomComboBox() = default;

// The window of a combo box reaches down over its list; the control's height is the closed part.
// Before the window exists the rows are guessed; afterwards they are the list's own.
int TCustomComboBox::ListHeight() const {
    int row = 16;
    if (HandleAllocated()) {
        LRESULT h = SendMessageW(WindowHandle(), CB_GETITEMHEIGHT, 0, 0);
        if (h > 0) row = static_cast<int>(h);
    }
    return std::max(dropDownCount_, 1) * row + 2;
}

// Older common controls take the list's size from the window's height, version 6 from the number
// of visible rows: both are set.
void TCustomComboBox::ApplyListHeight() {
    if (!HandleAllocated()) return;
    SendMessageW(WindowHandle(), CB_SETMINVISIBLE, static_cast<WPARAM>(std::max(dropDownCount_, 1)), 0);
    SetWindowPos(WindowHandle(), nullptr, Left(), Top(), Width(), Height() + ListHeight(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
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
    // The characters typed go to the edit field inside; they pass through KeyPress first.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(WindowHandle(), &info) && info.hwndItem && info.hwndItem != WindowHandle())
        SetWindowSubclass(info.hwndItem, EditProc, kEditSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ApplyListHeight();
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

void TCustomComboBox::SetDropDownCount(int count) {
    if (count == dropDownCount_) return;
    dropDownCount_ = count;
    ApplyListHeight();
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

void TCustomComboBox::SetDroppedDown(bool dropped) {
    if (dropped != DroppedDown()) SendMessageW(Handle(), CB_SHOWDROPDOWN, dropped, 0);
}

int TCustomComboBox::SelStart() const {
    DWORD start = 0;
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

int TCustomComboBox::SelLength() const {
    DWORD start = 0, end = 0;
    if (HandleAllocated())
        SendMessageW(WindowHandle(), CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TCustomComboBox::SetSelStart(int start) {
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start));
}

void TCustomComboBox::SetSelLength(int length) {
    int start = SelStart();
    if (HandleAllocated()) SendMessageW(WindowHandle(), CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
}

void TCustomComboBox::Clear() {
    items_.Clear();
    itemIndex_ = -1;
    SetText(L"");
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

void TCustomComboBox::Change() {
    if (OnChange) OnChange(this);
}

void TCustomComboBox::KeyPress(wchar_t& key) {
    TWinControl::KeyPress(key);
    if (key >= L' ' && autoDropDown_ && !DroppedDown()) SetDroppedDown(true);
}

void TCustomComboBox::CNCommand(WORD code) {
    switch (code) {
    case CBN_SELCHANGE: {
        keep_.reset(); // the user's choice stands
        // The edit field still shows the previous entry while the choice is reported.
        int i = ItemIndex();
        if (style_ == csDropDown && i >= 0) SetWindowTextW(WindowHandle(), items_.Get(i).c_str());
        Click();
        if (autoCloseUp_ && DroppedDown()) SetDroppedDown(false);
        Change();
        break;
    }
    case CBN_EDITCHANGE:
        if (typing_)
            changePending_ = true;
        else
            Change();
        break;
    case CBN_SETFOCUS:
        if (TForm* form = ParentForm()) form->FocusChanged(this);
        break;
    case CBN_DROPDOWN:
        keep_ = Shown{ShownIndex(), Text()};
        PostMessage(kKeepSelection);
        break;
    }
}

// An open list keeps Return and Escape for closing itself.
void TCustomComboBox::WndProc(TMessage& m) {
    if (m.Msg == kKeepSelection) {
        KeepSelection();
        return;
    }
    TWinControl::WndProc(m);
    if (m.Msg == WM_GETDLGCODE && DroppedDown()) m.Result |= DLGC_WANTALLKEYS;
}

// The entry whose text the box shows: the selected one while its text stands in the field, else
// the first with that text; -1 for a text that names no entry.
int TCustomComboBox::ShownIndex() const {
    const String text = Text();
    const int i = ItemIndex();
    if (i >= 0 && i < items_.Count() &&
        CompareStringOrdinal(items_.Get(i).c_str(), -1, text.c_str(), -1, TRUE) == CSTR_EQUAL)
        return i;
    return items_.IndexOf(text);
}

// Opening the list selects the first entry that begins with the edit field's text, unasked and
// unreported: with entries C:\Daten\Alt\ and C:\Daten\ the second one, or a text that names no
// entry, would turn into the first. The box goes back to the entry it showed, or to none with
// its text.
void TCustomComboBox::KeepSelection() {
    if (!keep_ || !HandleAllocated()) return;
    const Shown shown = *keep_;
    keep_.reset();
    if (shown.index == ItemIndex() && Text() == shown.text) return;
    SendMessageW(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(shown.index), 0);
    if (shown.index < 0) SetWindowTextW(WindowHandle(), shown.text.c_str());
}

LRESULT CALLBACK TCustomComboBox::EditProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(wnd, EditProc, kEditSubclassId);
        return DefSubclassProc(wnd, msg, wParam, lParam);
    }
    if (msg != WM_CHAR) return DefSubclassProc(wnd, msg, wParam, lParam);
    return GuardCallback(LRESULT{0}, [&] { return reinterpret_cast<TCustomComboBox*>(data)->EditChar(wnd, wParam, lParam); });
}

// A character for the edit field: KeyPress may take it; what the field then does to the text is
// reported once, after the completion.
LRESULT TCustomComboBox::EditChar(HWND edit, WPARAM wParam, LPARAM lParam) {
    auto key = static_cast<wchar_t>(wParam);
    KeyPress(key);
    if (!key) return 0;
    typing_ = true;
    changePending_ = false;
    LRESULT result = DefSubclassProc(edit, WM_CHAR, key, lParam);
    typing_ = false;
    if (!changePending_) return result;
    changePending_ = false;
    if (autoComplete_ && key >= L' ') Complete();
    Change();
    return result;
}

// Typed at the end of the text: the first entry that begins with it fills in the rest, highlighted,
// so that the next character replaces it.
void TCustomComboBox::Complete() {
    String typed = Text();
    if (typed.empty() || SelStart() != static_cast<int>(typed.size()) || SelLength() != 0) return;
    LRESULT i = SendMessageW(WindowHandle(), CB_FINDSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(typed.c_str()));
    if (i == CB_ERR) return;
    SendMessageW(WindowHandle(), CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    SendMessageW(WindowHandle(), CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
}
