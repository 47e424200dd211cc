// The grid's messages: the mouse, the keys and the focus.
#include "data/DBGrids.h"

#include "data/DBGridEditor.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/SysUtils.h"

#include <windowsx.h>
#include <algorithm>

void TDBGrid::WndProc(TMessage& m) {
    const POINT point{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    switch (m.Msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(WindowHandle(), &ps);
        Paint(dc, ps.rcPaint);
        EndPaint(WindowHandle(), &ps);
        return;
    }
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_GETDLGCODE:
        m.Result = DialogCode();
        return;
    case WM_KEYDOWN:
        KeyDown(LOWORD(m.WParam), GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0);
        return;
    case WM_CHAR: {
        auto ch = static_cast<wchar_t>(m.WParam);
        KeyPress(ch);
        return;
    }
    case WM_LBUTTONDOWN:
        MouseDown(point, (m.WParam & MK_SHIFT) != 0, (m.WParam & MK_CONTROL) != 0);
        return;
    case WM_LBUTTONDBLCLK: {
        int row = 0, column = 0;
        if (ResizeEdgeAt(point) < 0 && CellAt(point, row, column) && OnDblClick) OnDblClick(this);
        return;
    }
    case WM_MOUSEMOVE:
        MouseMove(point);
        return;
    case WM_LBUTTONUP:
        MouseUp();
        return;
    case WM_CAPTURECHANGED:
        sizing_ = -1;
        break;
    case WM_SETCURSOR:
        if (LOWORD(m.LParam) == HTCLIENT) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(WindowHandle(), &p);
            if (sizing_ >= 0 || ResizeEdgeAt(p) >= 0) {
                SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
                m.Result = TRUE;
                return;
            }
        }
        break;
    case WM_VSCROLL:
        VScroll(LOWORD(m.WParam));
        return;
    case WM_HSCROLL:
        HScroll(LOWORD(m.WParam));
        return;
    case WM_MOUSEWHEEL:
        ScrollTo(topRow_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3, scrollX_);
        return;
    case WM_SETFOCUS:
        TWinControl::WndProc(m);
        if (editorShown_ && editor_ && editor_->Visible()) editor_->SetFocus();
        Invalidate();
        return;
    case WM_KILLFOCUS:
        TWinControl::WndProc(m);
        FocusLeft(reinterpret_cast<HWND>(m.WParam));
        Invalidate();
        return;
    }
    TWinControl::WndProc(m);
}

// Return and Escape only where the grid does something with them; otherwise the form's keys
// (Return to move on, Escape to cancel) keep working.
UINT TDBGrid::DialogCode() const {
    UINT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
    if ((options_ & dgTabs) && !(options_ & dgRowSelect)) code |= DLGC_WANTTAB;
    if (LinkActive() && ((options_ & dgEditing) || link_->Editing() || OnKeyPress)) code |= DLGC_WANTALLKEYS;
    return code;
}

int TDBGrid::ResizeEdgeAt(POINT p) const {
    if (!(options_ & dgColumnResize) || p.y < 0 || p.y >= TitleHeight()) return -1;
    for (int c = ColumnCount() - 1; c >= 0; --c) {
        if (!Columns(c)->Visible()) continue;
        int right = ColumnLeft(c) + Columns(c)->Width();
        if (right > IndicatorWidth() && std::abs(p.x - right) <= 2) return c;
    }
    return -1;
}

void TDBGrid::MouseDown(POINT p, bool shift, bool ctrl) {
    if (CanFocus() && !Focused() && !(editor_ && editor_->Focused())) SetFocus();
    if (int edge = ResizeEdgeAt(p); edge >= 0) {
        sizing_ = edge;
        sizingLeft_ = ColumnLeft(edge);
        SetCapture(WindowHandle());
        return;
    }
    int row = 0, column = 0;
    TDataSet* set = LinkedSet();
    if (!set || !CellAt(p, row, column)) return;
    const bool sameCell = row == set->ViewRow() && column == selectedIndex_;
    if (options_ & dgMultiSelect) {
        TBookmark bookmark = set->ViewBookmark(row);
        if (ctrl) {
            SelectRow(bookmark, !RowSelected(bookmark));
            anchorRow_ = row;
        } else if (shift) {
            SelectRange(anchorRow_, row);
        } else {
            selected_.clear();
            SelectRow(bookmark, true);
            anchorRow_ = row;
        }
    }
    GotoRow(row);
    SetSelectedIndex(column);
    if (sameCell && !shift && !ctrl && (options_ & dgEditing)) SetEditorMode(true);
}

void TDBGrid::MouseMove(POINT p) {
    if (sizing_ < 0 || sizing_ >= ColumnCount()) return;
    Columns(sizing_)->SetWidth(std::max<int>(p.x - sizingLeft_, 8));
}

void TDBGrid::MouseUp() {
    if (sizing_ < 0) return;
    sizing_ = -1;
    ReleaseCapture();
}

// The inserted row has no bookmark: it is the current row anyway.
void TDBGrid::GotoRow(int row) {
    TDataSet* set = LinkedSet();
    if (!set || row == set->ViewRow()) return;
    if (TBookmark bookmark = set->ViewBookmark(row)) set->GotoBookmark(bookmark);
}

void TDBGrid::SelectRange(int fromRow, int toRow) {
    TDataSet* set = LinkedSet();
    selected_.clear();
    for (int r = std::min(fromRow, toRow); r <= std::max(fromRow, toRow); ++r)
        if (TBookmark b = set->ViewBookmark(r)) selected_.insert(b);
    Invalidate();
}

// With several rows selectable, Shift extends the selection and a plain move ends it.
void TDBGrid::MoveBy(int distance, bool shift) {
    TDataSet* set = LinkedSet();
    const int from = set->ViewRow();
    set->MoveBy(distance);
    if (!(options_ & dgMultiSelect)) return;
    if (shift) {
        if (selected_.empty()) anchorRow_ = from;
        SelectRange(anchorRow_, set->ViewRow());
    } else {
        ClearSelection();
        anchorRow_ = set->ViewRow();
    }
}

int TDBGrid::VisibleColumnFrom(int from, int step) const {
    for (int c = from; c >= 0 && c < ColumnCount(); c += step)
        if (Columns(c)->Visible()) return c;
    return -1;
}

// To the next visible column; past the last (with wrap) to the first of the next row.
void TDBGrid::MoveColumn(int step, bool wrap) {
    int c = VisibleColumnFrom(selectedIndex_ + step, step);
    if (c < 0 && wrap && LinkedSet()->MoveBy(step) != 0)
        c = VisibleColumnFrom(step > 0 ? 0 : ColumnCount() - 1, step);
    if (c >= 0) SetSelectedIndex(c);
}

void TDBGrid::KeyDown(WORD key, bool shift, bool ctrl) {
    TDataSet* set = LinkedSet();
    if (!set) return;
    const bool rowSelect = options_ & dgRowSelect;
    const bool always = options_ & dgAlwaysShowEditor;
    const bool canChange = (options_ & dgEditing) && !readOnly_ && set->CanModify();
    switch (key) {
    case VK_UP:
        MoveBy(-1, shift);
        break;
    case VK_DOWN:
        MoveBy(1, shift);
        break;
    case VK_PRIOR:
        MoveBy(-std::max(VisibleRowCount(), 1), shift);
        break;
    case VK_NEXT:
        MoveBy(std::max(VisibleRowCount(), 1), shift);
        break;
    case VK_HOME:
        if (ctrl || rowSelect)
            set->First();
        else if (int c = VisibleColumnFrom(0, 1); c >= 0)
            SetSelectedIndex(c);
        break;
    case VK_END:
        if (ctrl || rowSelect)
            set->Last();
        else if (int c = VisibleColumnFrom(ColumnCount() - 1, -1); c >= 0)
            SetSelectedIndex(c);
        break;
    case VK_LEFT:
        if (rowSelect)
            ScrollTo(topRow_, scrollX_ - 16);
        else
            MoveColumn(-1, false);
        break;
    case VK_RIGHT:
        if (rowSelect)
            ScrollTo(topRow_, scrollX_ + 16);
        else
            MoveColumn(1, false);
        break;
    case VK_TAB:
        // Ctrl+Tab leaves a grid that keeps Tab for its columns.
        if (ctrl && ParentForm())
            ParentForm()->SelectNext(this, !shift, true);
        else if ((options_ & dgTabs) && !rowSelect)
            MoveColumn(shift ? -1 : 1, true);
        break;
    case VK_F2:
        if (options_ & dgEditing) SetEditorMode(!editorShown_);
        break;
    case VK_RETURN:
        if (editorShown_) {
            LinkUpdateData();
            if (!always) SetEditorMode(false);
        } else if ((options_ & dgEditing) && !rowSelect) {
            SetEditorMode(true);
        }
        break;
    case VK_ESCAPE:
        if (editorShown_ && editorModified_) {
            LoadEditor();
        } else if (link_->Editing()) {
            set->Cancel();
            if (!always) SetEditorMode(false);
        } else if (editorShown_ && !always) {
            SetEditorMode(false);
        }
        break;
    case VK_INSERT:
        if (canChange && !shift && !ctrl) set->Insert();
        break;
    case VK_DELETE:
        if (canChange && ctrl) DeleteRecords();
        break;
    }
}

// OnKeyPress sees every character first; a printable one typed on the grid starts the editor.
void TDBGrid::KeyPress(wchar_t& key) {
    if (OnKeyPress) OnKeyPress(this, key);
    if (key == 0 || key < 32 || (editor_ && editor_->Focused())) return;
    if (!CanEditCell()) return;
    const wchar_t typed = key;
    key = 0;
    SetEditorMode(true);
    if (editorShown_ && editor_->Visible()) {
        editor_->SetFocus();
        editor_->Type(typed);
    }
}

// The current record, or every selected one; asked first with dgConfirmDelete.
void TDBGrid::DeleteRecords() {
    TDataSet* set = LinkedSet();
    if (set->IsEmpty()) return;
    std::vector<TBookmark> marks = (options_ & dgMultiSelect) ? SelectedRows() : std::vector<TBookmark>{};
    if (options_ & dgConfirmDelete) {
        MessageBoxArgs box;
        box.text = marks.size() > 1
                       ? Format(L"Alle %d ausgewählten Datensätze löschen?", static_cast<int>(marks.size()))
                       : String(L"Datensatz löschen?");
        box.caption = ApplicationTitle();
        box.icon = MB_ICONQUESTION;
        box.buttons = MB_YESNO;
        box.defaultResult = IDNO;
        if (ShowMessageBox(box) != IDYES) return;
    }
    HideEditor();
    if (marks.empty()) {
        set->Delete();
        return;
    }
    for (TBookmark b : marks)
        if (set->GotoBookmark(b)) set->Delete();
    ClearSelection();
}
