#pragma once
// A grid over a data source: one row per record, one column per field, a title row, the
// record indicator, an in-place editor, and several selected rows if asked.
#include "data/DB.h"
#include "toolkit/StdCtrls.h"

#include <memory>
#include <set>

enum TDBGridOption : unsigned {
    dgEditing = 1u << 0,
    dgAlwaysShowEditor = 1u << 1,
    dgTitles = 1u << 2,
    dgIndicator = 1u << 3,
    dgColumnResize = 1u << 4,
    dgColLines = 1u << 5,
    dgRowLines = 1u << 6,
    dgTabs = 1u << 7,
    dgRowSelect = 1u << 8,
    dgAlwaysShowSelection = 1u << 9,
    dgConfirmDelete = 1u << 10,
    dgCancelOnExit = 1u << 11,
    dgMultiSelect = 1u << 12,
};
using TDBGridOptions = unsigned;
constexpr TDBGridOptions kDBGridDefaultOptions = dgEditing | dgTitles | dgIndicator | dgColumnResize |
                                                 dgColLines | dgRowLines | dgTabs | dgConfirmDelete |
                                                 dgCancelOnExit;

enum TGridDrawFlag : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

class TDBGrid;

// A column of the grid: a field by name, its title and width in pixels.
class TColumn {
public:
    TColumn(TDBGrid* grid, String fieldName);
    TColumn(const TColumn&) = delete;
    TColumn& operator=(const TColumn&) = delete;

    const String& FieldName() const { return fieldName_; }
    void SetFieldName(const String& name);
    // The field of the open data set, or null.
    TField* Field() const { return field_; }
    // Empty: the field's display label.
    String Title() const;
    void SetTitle(const String& title);
    int Width() const { return width_; }
    void SetWidth(int width);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

private:
    friend class TDBGrid;
    TDBGrid* grid_;
    String fieldName_;
    String title_;
    TField* field_ = nullptr;
    int width_ = 64;
    bool widthSet_ = false;
    bool visible_ = true;
};

// What a cell is drawn with. During OnDrawColumnCell: the grid's device context while it paints,
// and the colours the default drawing then uses.
struct TGridCanvas {
    HDC Handle = nullptr;
    TColor BrushColor = clWindow;
    TColor FontColor = clWindowText;
};

using TDrawColumnCellEvent = std::function<void(TComponent* sender, const RECT& rect, int dataCol,
                                                TColumn* column, TGridDrawState state)>;
using TKeyPressEvent = std::function<void(TComponent* sender, wchar_t& key)>;

class TDBGrid : public TWinControl {
public:
    explicit TDBGrid(TComponent* owner);
    ~TDBGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    TDBGridOptions Options() const { return options_; }
    void SetOptions(TDBGridOptions options);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    // Cells are drawn the grid's way before OnDrawColumnCell runs.
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value) { defaultDrawing_ = value; }
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);

    // Until a column is added, the columns follow the data set's visible fields.
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TColumn* Columns(int index) const { return columns_.at(static_cast<size_t>(index)).get(); }
    TColumn* AddColumn(const String& fieldName);
    void ClearColumns();
    bool ColumnsCustomized() const { return customized_; }
    // The column definitions as readable text (a section per column); raises the file system's error.
    void SaveColumnsToFile(const String& file) const;

    // The current column, counted among all columns.
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);
    TField* SelectedField() const;
    bool EditorMode() const { return editorMode_; }
    void SetEditorMode(bool on);

    // Several rows, with dgMultiSelect.
    std::vector<TBookmark> SelectedRows() const { return {selected_.begin(), selected_.end()}; }
    bool RowSelected(TBookmark bookmark) const { return selected_.count(bookmark) != 0; }
    void SelectRow(TBookmark bookmark, bool select);
    void ClearSelection();

    TGridCanvas& Canvas() { return canvas_; }
    void DefaultDrawColumnCell(const RECT& rect, int dataCol, TColumn* column, TGridDrawState state);

    int RowHeight() const;
    int TopRow() const { return topRow_; }
    int VisibleRowCount() const;
    // The view row and column under a client point; false outside the cells.
    bool CellAt(POINT point, int& row, int& column) const;
    RECT CellRect(int row, int column) const;

    TDrawColumnCellEvent OnDrawColumnCell;
    TNotifyEvent OnDblClick;
    TKeyPressEvent OnKeyPress;

    // Keys as the grid takes them, also those its editor passes on.
    void KeyDown(WORD key, bool shift, bool ctrl);
    void KeyPress(wchar_t& key);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void FontChanged() override;
    void ColorChanged() override;

private:
    class TGridLink;
    class TInplaceEdit;
    friend class TColumn;
    friend class TGridLink;

    TDataSet* LinkedSet() const;
    bool LinkActive() const;
    // Columns and layout.
    void BuildColumns();
    void BindColumns();
    void DefaultWidth(TColumn* column) const;
    int TitleHeight() const;
    int IndicatorWidth() const;
    int ColumnLeft(int column) const;
    int ContentWidth() const;
    void LayoutChanged();
    // What the link reports.
    void LinkActiveChanged();
    void LinkLayoutChanged();
    void LinkDataChanged();
    void LinkRecordChanged(TField* field);
    void LinkEditingChanged();
    void LinkUpdateData();
    // Scrolling.
    void UpdateScrollBars();
    void ScrollTo(int topRow, int scrollX);
    void MakeCurrentVisible();
    void VScroll(WORD code);
    void HScroll(WORD code);
    // Painting.
    void Paint(HDC dc, const RECT& clip);
    void PaintTitles(HDC dc);
    void PaintRow(HDC dc, int row, int y);
    void PaintIndicator(HDC dc, int row, const RECT& rect);
    TGridDrawState CellState(int row, int column, TBookmark bookmark, bool focused) const;
    // Mouse and keys.
    void MouseDown(POINT point, bool shift, bool ctrl);
    void MouseMove(POINT point);
    void MouseUp();
    int ResizeEdgeAt(POINT point) const;
    void GotoRow(int row);
    void MoveBy(int distance, bool shift);
    int VisibleColumnFrom(int from, int step) const;
    void MoveColumn(int step, bool wrap);
    void SelectRange(int fromRow, int toRow);
    void DeleteRecords();
    UINT DialogCode() const;
    // The in-place editor.
    bool CanEditCell() const;
    void UpdateEditor();
    void PlaceEditor();
    void LoadEditor();
    void EditorChanged();
    void HideEditor();
    void FocusLeft(HWND to);
    void Invalidate();

    std::unique_ptr<TDataLink> link_;
    std::vector<std::unique_ptr<TColumn>> columns_;
    bool customized_ = false;
    TDBGridOptions options_ = kDBGridDefaultOptions;
    bool readOnly_ = false;
    bool defaultDrawing_ = true;
    TColor fixedColor_ = clBtnFace;
    TGridCanvas canvas_;
    int selectedIndex_ = 0;
    int topRow_ = 0;
    int scrollX_ = 0;
    int rowCount_ = 0;
    mutable int rowHeight_ = 0;
    std::set<TBookmark> selected_;
    int anchorRow_ = 0;
    // Column resizing with the mouse.
    int sizing_ = -1;
    int sizingLeft_ = 0;
    // The editor: shown while editorMode_ (or always, with dgAlwaysShowEditor) on an editable cell,
    // placed over it while that cell is in view. Owned as a child window.
    TInplaceEdit* editor_ = nullptr;
    bool editorMode_ = false;
    bool editorShown_ = false;
    int editorRow_ = -1, editorColumn_ = -1;
    bool editorModified_ = false;
    bool loadingEditor_ = false;
    bool writingEditor_ = false;
};
