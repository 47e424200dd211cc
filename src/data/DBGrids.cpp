#include "data/DBGrids.h"

#include "data/DBGridEditor.h"
#include "toolkit/SysUtils.h"

#include <algorithm>

// The grid's view of its data source.
class TDBGrid::TGridLink : public TDataLink {
public:
    explicit TGridLink(TDBGrid* grid) : grid_(grid) {}

protected:
    void ActiveChanged() override { grid_->LinkActiveChanged(); }
    void DataSetChanged() override { grid_->LinkDataChanged(); }
    void DataSetScrolled(int) override { grid_->LinkDataChanged(); }
    void LayoutChanged() override { grid_->LinkLayoutChanged(); }
    void RecordChanged(TField* field) override { grid_->LinkRecordChanged(field); }
    void EditingChanged() override { grid_->LinkEditingChanged(); }
    void UpdateData() override { grid_->LinkUpdateData(); }

private:
    TDBGrid* grid_;
};

TColumn::TColumn(TDBGrid* grid, String fieldName) : grid_(grid), fieldName_(std::move(fieldName)) {}

void TColumn::SetFieldName(const String& name) {
    if (name == fieldName_) return;
    fieldName_ = name;
    grid_->BindColumns();
    grid_->LayoutChanged();
}

String TColumn::Title() const {
    if (!title_.empty()) return title_;
    return field_ ? field_->DisplayLabel() : fieldName_;
}

void TColumn::SetTitle(const String& title) {
    if (title == title_) return;
    title_ = title;
    grid_->LayoutChanged();
}

void TColumn::SetWidth(int width) {
    width = std::max(width, 0);
    widthSet_ = true;
    if (width == width_) return;
    width_ = width;
    grid_->LayoutChanged();
}

void TColumn::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    grid_->LayoutChanged();
}

TDBGrid::TDBGrid(TComponent* owner) : TWinControl(owner), link_(std::make_unique<TGridLink>(this)) {
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 320, 120);
}

TDBGrid::~TDBGrid() {
    link_.reset();
}

void TDBGrid::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicDBGrid";
    p.classStyle = CS_DBLCLKS;
    p.style |= WS_HSCROLL | WS_VSCROLL;
    p.exStyle |= WS_EX_CLIENTEDGE;
}

TDataSource* TDBGrid::DataSource() const {
    return link_->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* source) {
    link_->SetDataSource(source);
}

TDataSet* TDBGrid::LinkedSet() const {
    return link_ && link_->Active() ? link_->DataSet() : nullptr;
}

bool TDBGrid::LinkActive() const {
    return LinkedSet() != nullptr;
}

void TDBGrid::SetOptions(TDBGridOptions options) {
    if (options == options_) return;
    options_ = options;
    if (!(options_ & dgMultiSelect)) selected_.clear();
    if (!(options_ & dgEditing)) editorMode_ = false;
    LayoutChanged();
    UpdateEditor();
}

void TDBGrid::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    UpdateEditor();
}

void TDBGrid::SetFixedColor(TColor color) {
    if (color == fixedColor_) return;
    fixedColor_ = color;
    Invalidate();
}

TColumn* TDBGrid::AddColumn(const String& fieldName) {
    if (!customized_) columns_.clear();
    customized_ = true;
    columns_.push_back(std::make_unique<TColumn>(this, fieldName));
    BindColumns();
    LayoutChanged();
    return columns_.back().get();
}

void TDBGrid::ClearColumns() {
    HideEditor();
    columns_.clear();
    customized_ = false;
    BuildColumns();
    LayoutChanged();
}

// Default columns are made anew from the fields; custom ones only find their fields again.
void TDBGrid::BuildColumns() {
    if (!customized_) {
        columns_.clear();
        if (TDataSet* set = LinkedSet())
            for (int i = 0; i < set->FieldCount(); ++i)
                if (set->Fields(i)->Visible())
                    columns_.push_back(std::make_unique<TColumn>(this, set->Fields(i)->FieldName()));
    }
    BindColumns();
    selectedIndex_ = std::clamp(selectedIndex_, 0, std::max(ColumnCount() - 1, 0));
}

void TDBGrid::BindColumns() {
    TDataSet* set = LinkedSet();
    for (auto& c : columns_) {
        c->field_ = set ? set->FindField(c->fieldName_) : nullptr;
        if (!c->widthSet_) DefaultWidth(c.get());
    }
}

// Wide enough for the field's display width in average characters, and for the title.
void TDBGrid::DefaultWidth(TColumn* column) const {
    const int average = std::max<int>(TextExtent(Font(), L"0", DT_SINGLELINE).cx, 1);
    int chars = column->field_ ? column->field_->DisplayWidth() : 10;
    int width = chars * average + 4;
    width = std::max<int>(width, TextExtent(Font(), column->Title(), DT_SINGLELINE | DT_NOPREFIX).cx + 6);
    column->width_ = width;
}

TField* TDBGrid::SelectedField() const {
    return selectedIndex_ < ColumnCount() ? Columns(selectedIndex_)->Field() : nullptr;
}

void TDBGrid::SetSelectedIndex(int index) {
    index = std::clamp(index, 0, std::max(ColumnCount() - 1, 0));
    if (index == selectedIndex_) return;
    LinkUpdateData();
    selectedIndex_ = index;
    MakeCurrentVisible();
    UpdateEditor();
    Invalidate();
}

void TDBGrid::SelectRow(TBookmark bookmark, bool select) {
    if (!bookmark) return;
    if (select)
        selected_.insert(bookmark);
    else
        selected_.erase(bookmark);
    Invalidate();
}

void TDBGrid::ClearSelection() {
    if (selected_.empty()) return;
    selected_.clear();
    Invalidate();
}

void TDBGrid::LinkActiveChanged() {
    HideEditor();
    selected_.clear();
    anchorRow_ = 0;
    topRow_ = 0;
    scrollX_ = 0;
    BuildColumns();
    LinkDataChanged();
}

// A field's label, width or visibility changed: the columns are made again, the rest stays.
void TDBGrid::LinkLayoutChanged() {
    BuildColumns();
    LinkDataChanged();
}

// Anything may have moved: the count, the current row, the values.
void TDBGrid::LinkDataChanged() {
    TDataSet* set = LinkedSet();
    rowCount_ = set ? set->ViewCount() : 0;
    if (set && !selected_.empty())
        for (auto it = selected_.begin(); it != selected_.end();)
            it = set->BookmarkValid(*it) ? std::next(it) : selected_.erase(it);
    MakeCurrentVisible();
    UpdateScrollBars();
    UpdateEditor();
    Invalidate();
}

void TDBGrid::LinkRecordChanged(TField* field) {
    if (!writingEditor_ && editorShown_ && (!field || field == SelectedField())) LoadEditor();
    Invalidate();
}

void TDBGrid::LinkEditingChanged() {
    if (!link_->Editing()) editorModified_ = false;
    LinkDataChanged();
}

// Before a post (and before the grid moves): what the editor holds goes into its field.
void TDBGrid::LinkUpdateData() {
    if (!editorModified_ || !editorShown_) return;
    TField* field = SelectedField();
    TDataSet* set = LinkedSet();
    if (!field || !set) return;
    if (set->State() == dsBrowse) set->Edit();
    writingEditor_ = true;
    try {
        field->SetText(editor_->Text());
    } catch (...) {
        writingEditor_ = false;
        throw;
    }
    writingEditor_ = false;
    editorModified_ = false;
}

void TDBGrid::LayoutChanged() {
    if (!HandleAllocated()) return;
    rowHeight_ = 0;
    MakeCurrentVisible();
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

void TDBGrid::Invalidate() {
    if (HandleAllocated()) InvalidateRect(WindowHandle(), nullptr, FALSE);
}

void TDBGrid::Resize() {
    TWinControl::Resize();
    LayoutChanged();
}

void TDBGrid::FontChanged() {
    TWinControl::FontChanged();
    rowHeight_ = 0;
    for (auto& c : columns_)
        if (!c->widthSet_) DefaultWidth(c.get());
    LayoutChanged();
}

void TDBGrid::ColorChanged() {
    TWinControl::ColorChanged();
    if (editor_) editor_->SetColor(Color());
}

int TDBGrid::RowHeight() const {
    if (rowHeight_ == 0) rowHeight_ = TextExtent(Font(), L"Ág", DT_SINGLELINE).cy + 4;
    return rowHeight_;
}

int TDBGrid::TitleHeight() const {
    return (options_ & dgTitles) ? RowHeight() : 0;
}

int TDBGrid::IndicatorWidth() const {
    return (options_ & dgIndicator) ? 12 : 0;
}

int TDBGrid::VisibleRowCount() const {
    return std::max((ClientHeight() - TitleHeight()) / RowHeight(), 0);
}

// Left edge of a column in client coordinates, scrolled; hidden columns take no room.
int TDBGrid::ColumnLeft(int column) const {
    int x = IndicatorWidth() - scrollX_;
    for (int i = 0; i < column && i < ColumnCount(); ++i)
        if (Columns(i)->Visible()) x += Columns(i)->Width();
    return x;
}

int TDBGrid::ContentWidth() const {
    int width = 0;
    for (const auto& c : columns_)
        if (c->Visible()) width += c->Width();
    return width;
}

RECT TDBGrid::CellRect(int row, int column) const {
    int left = ColumnLeft(column);
    int top = TitleHeight() + (row - topRow_) * RowHeight();
    int width = column < ColumnCount() && Columns(column)->Visible() ? Columns(column)->Width() : 0;
    return {left, top, left + width, top + RowHeight()};
}

bool TDBGrid::CellAt(POINT p, int& row, int& column) const {
    if (p.y < TitleHeight() || p.x < IndicatorWidth()) return false;
    row = topRow_ + (p.y - TitleHeight()) / RowHeight();
    if (row >= rowCount_) return false;
    for (column = 0; column < ColumnCount(); ++column) {
        if (!Columns(column)->Visible()) continue;
        RECT r = CellRect(row, column);
        if (p.x >= r.left && p.x < r.right) return true;
    }
    return false;
}

void TDBGrid::SaveColumnsToFile(const String& file) const {
    String text = L"; Spalten des Gitters " + (Name().empty() ? String(L"grid") : Name()) + L"\r\n";
    for (int i = 0; i < ColumnCount(); ++i) {
        const TColumn* c = Columns(i);
        text +=
            Format(L"[Spalte%02d]\r\nFeld=%s\r\nTitel=%s\r\nBreite=%d\r\nSichtbar=%s\r\n", i,
                   c->FieldName().c_str(), c->Title().c_str(), c->Width(), c->Visible() ? L"Ja" : L"Nein");
    }
    std::string bytes = "\xEF\xBB\xBF" + NachUtf8(text);
    HANDLE f =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        throw Exception(Format(L"Die Datei %s kann nicht geschrieben werden: %s", file.c_str(),
                               SystemFehlerText(GetLastError()).c_str()));
    DWORD written = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    DWORD error = GetLastError();
    CloseHandle(f);
    if (!ok || written != bytes.size())
        throw Exception(Format(L"Die Datei %s kann nicht geschrieben werden: %s", file.c_str(),
                               SystemFehlerText(ok ? ERROR_DISK_FULL : error).c_str()));
}
