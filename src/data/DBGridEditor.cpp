// The in-place editor and how the grid shows, fills and reads it.
#include "data/DBGridEditor.h"

#include <algorithm>

TDBGrid::TInplaceEdit::TInplaceEdit(TDBGrid* grid) : TCustomEdit(grid), grid_(grid) {
    SetBorderStyle(bsNone);
    SetTabStop(false);
    SetVisible(false);
    SetColor(grid->Color());
    Font().Assign(grid->Font());
}

void TDBGrid::TInplaceEdit::CreateParams(TCreateParams& p) {
    TCustomEdit::CreateParams(p);
    p.style &= ~static_cast<DWORD>(WS_CLIPSIBLINGS);
}

void TDBGrid::TInplaceEdit::Load(const String& text) {
    loading_ = true;
    SetText(text);
    loading_ = false;
}

void TDBGrid::TInplaceEdit::Type(wchar_t ch) {
    typing_ = true;
    SendMessageW(Handle(), WM_CHAR, ch, 1);
    typing_ = false;
}

void TDBGrid::TInplaceEdit::Change() {
    TCustomEdit::Change();
    if (!loading_) grid_->EditorChanged();
}

// Left and Right leave the cell only from its edge; the rest of the moving keys always go.
bool TDBGrid::TInplaceEdit::ForGrid(WORD key, bool ctrl) const {
    switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
    case VK_F2:
    case VK_INSERT:
        return true;
    case VK_HOME:
    case VK_END:
    case VK_DELETE:
        return ctrl;
    case VK_LEFT:
        return SelLength() == 0 && SelStart() == 0;
    case VK_RIGHT:
        return SelLength() == 0 && SelStart() >= static_cast<int>(Text().size());
    default:
        return false;
    }
}

void TDBGrid::TInplaceEdit::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_GETDLGCODE:
        m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTALLKEYS |
                   ((grid_->options_ & dgTabs) ? DLGC_WANTTAB : 0);
        return;
    case WM_KEYDOWN: {
        WORD key = LOWORD(m.WParam);
        bool ctrl = GetKeyState(VK_CONTROL) < 0;
        if (ForGrid(key, ctrl)) {
            grid_->KeyDown(key, GetKeyState(VK_SHIFT) < 0, ctrl);
            m.Result = 0;
            return;
        }
        break;
    }
    case WM_CHAR: {
        auto ch = static_cast<wchar_t>(m.WParam);
        if (!typing_) grid_->KeyPress(ch);
        // Return, Tab and Escape did their work as keys; the edit would only beep.
        if (ch == 0 || ch == L'\r' || ch == L'\t' || ch == 27) {
            m.Result = 0;
            return;
        }
        m.WParam = ch;
        break;
    }
    case WM_KILLFOCUS:
        TCustomEdit::WndProc(m);
        if (reinterpret_cast<HWND>(m.WParam) != grid_->WindowHandle())
            grid_->FocusLeft(reinterpret_cast<HWND>(m.WParam));
        grid_->Invalidate();
        return;
    }
    TCustomEdit::WndProc(m);
}

// An editable cell: the grid edits, its data set can be changed, the column's field can too, and
// typing may start an edit (or one is under way).
bool TDBGrid::CanEditCell() const {
    TDataSet* set = LinkedSet();
    TField* field = SelectedField();
    return set && field && (options_ & dgEditing) && !(options_ & dgRowSelect) && !readOnly_ &&
           set->CanModify() && !field->ReadOnly() && (link_->Editing() || DataSource()->AutoEdit());
}

void TDBGrid::SetEditorMode(bool on) {
    if (on == editorMode_ && on == editorShown_) return;
    if (!on) LinkUpdateData();
    editorMode_ = on && CanEditCell();
    UpdateEditor();
    if (editorShown_ && HandleAllocated() && GetFocus() == WindowHandle()) editor_->SetFocus();
}

// Shows, moves and fills the editor as the current cell and the options say.
void TDBGrid::UpdateEditor() {
    const bool want = (editorMode_ || (options_ & dgAlwaysShowEditor)) && CanEditCell() && HandleAllocated();
    if (!want) {
        HideEditor();
        return;
    }
    if (!editor_) {
        editor_ = new TInplaceEdit(this);
        editor_->SetParent(this);
    }
    const int row = LinkedSet()->ViewRow();
    const bool sameCell = editorShown_ && row == editorRow_ && selectedIndex_ == editorColumn_;
    editorShown_ = true;
    if (!sameCell || !editorModified_) LoadEditor();
    PlaceEditor();
}

void TDBGrid::PlaceEditor() {
    if (!editor_) return;
    TDataSet* set = LinkedSet();
    bool inView =
        editorShown_ && set && set->ViewRow() >= topRow_ && set->ViewRow() < topRow_ + VisibleRowCount();
    if (inView) {
        RECT r = CellRect(set->ViewRow(), selectedIndex_);
        r.left = std::max<int>(r.left, IndicatorWidth());
        editor_->SetBounds(r.left + 2, r.top + 2, r.right - r.left - 4, r.bottom - r.top - 3);
    }
    const bool focused = editor_->Focused();
    editor_->SetVisible(inView);
    if (focused && !inView && HandleAllocated()) ::SetFocus(WindowHandle());
}

void TDBGrid::LoadEditor() {
    TField* field = SelectedField();
    editor_->Load(field ? field->Text() : String());
    editor_->SelectAll();
    editorModified_ = false;
    editorRow_ = LinkedSet() ? LinkedSet()->ViewRow() : -1;
    editorColumn_ = selectedIndex_;
}

// The user typed: the record goes into edit state, unless it cannot, and then the cell's own
// value comes back.
void TDBGrid::EditorChanged() {
    TDataSet* set = LinkedSet();
    if (!set || !editorShown_) return;
    if (set->State() == dsBrowse) {
        try {
            editorModified_ = true;
            set->Edit();
        } catch (...) {
            LoadEditor();
            throw;
        }
    }
    editorModified_ = true;
    Invalidate();
}

void TDBGrid::HideEditor() {
    if (!editor_ || !editorShown_) return;
    editorShown_ = false;
    editorModified_ = false;
    const bool focused = editor_->Focused();
    editor_->SetVisible(false);
    if (focused && HandleAllocated()) ::SetFocus(WindowHandle());
}

// Leaving the grid drops a new record nobody typed into, with dgCancelOnExit.
void TDBGrid::FocusLeft(HWND to) {
    if (editor_ && editor_->HandleAllocated() && to == editor_->Handle()) return;
    TDataSet* set = LinkedSet();
    if ((options_ & dgCancelOnExit) && set && set->State() == dsInsert && !set->Modified() &&
        !editorModified_)
        set->Cancel();
}
