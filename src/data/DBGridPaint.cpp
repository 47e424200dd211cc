// The grid's scrolling and painting: titles, the indicator column, the rows on screen.
#include "data/DBGrids.h"

#include "data/DBGridEditor.h"

#include <algorithm>

namespace {
constexpr TColor kHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);
constexpr COLORREF kLineColor = RGB(0xC0, 0xC0, 0xC0);

void Fill(HDC dc, const RECT& r, COLORREF color) {
    SetBkColor(dc, color);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void Lines(HDC dc, const RECT& r, bool right, bool bottom) {
    if (right) Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, kLineColor);
    if (bottom) Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, kLineColor);
}
} // namespace

void TDBGrid::UpdateScrollBars() {
    if (!HandleAllocated()) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL};
    si.nMax = std::max(rowCount_ - 1, 0);
    si.nPage = static_cast<UINT>(VisibleRowCount());
    si.nPos = topRow_;
    SetScrollInfo(WindowHandle(), SB_VERT, &si, TRUE);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = std::max(ContentWidth() - 1, 0);
    si.nPage = static_cast<UINT>(std::max(ClientWidth() - IndicatorWidth(), 0));
    si.nPos = scrollX_;
    SetScrollInfo(WindowHandle(), SB_HORZ, &si, TRUE);
}

void TDBGrid::ScrollTo(int topRow, int scrollX) {
    topRow = std::clamp(topRow, 0, std::max(rowCount_ - VisibleRowCount(), 0));
    scrollX = std::clamp(scrollX, 0, std::max(ContentWidth() - (ClientWidth() - IndicatorWidth()), 0));
    if (topRow == topRow_ && scrollX == scrollX_) return;
    topRow_ = topRow;
    scrollX_ = scrollX;
    UpdateScrollBars();
    PlaceEditor();
    Invalidate();
}

// The current row (and, without whole-row selection, the current column) comes into view.
void TDBGrid::MakeCurrentVisible() {
    TDataSet* set = LinkedSet();
    int top = topRow_, x = scrollX_;
    if (set) {
        int row = set->ViewRow();
        int visible = std::max(VisibleRowCount(), 1);
        if (row < top) top = row;
        if (row >= top + visible) top = row - visible + 1;
    }
    top = std::clamp(top, 0, std::max(rowCount_ - VisibleRowCount(), 0));
    if (!(options_ & dgRowSelect) && selectedIndex_ < ColumnCount()) {
        int left = ColumnLeft(selectedIndex_) + scrollX_ - IndicatorWidth();
        int right = left + Columns(selectedIndex_)->Width();
        int page = ClientWidth() - IndicatorWidth();
        if (right > x + page) x = right - page;
        if (left < x) x = left;
    }
    topRow_ = top;
    scrollX_ = std::clamp(x, 0, std::max(ContentWidth() - (ClientWidth() - IndicatorWidth()), 0));
}

void TDBGrid::VScroll(WORD code) {
    int page = std::max(VisibleRowCount(), 1);
    int top = topRow_;
    switch (code) {
    case SB_LINEUP:
        --top;
        break;
    case SB_LINEDOWN:
        ++top;
        break;
    case SB_PAGEUP:
        top -= page;
        break;
    case SB_PAGEDOWN:
        top += page;
        break;
    case SB_TOP:
        top = 0;
        break;
    case SB_BOTTOM:
        top = rowCount_;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS};
        GetScrollInfo(WindowHandle(), SB_VERT, &si);
        top = si.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollTo(top, scrollX_);
}

void TDBGrid::HScroll(WORD code) {
    int x = scrollX_;
    int page = std::max(ClientWidth() - IndicatorWidth(), 1);
    switch (code) {
    case SB_LINELEFT:
        x -= 16;
        break;
    case SB_LINERIGHT:
        x += 16;
        break;
    case SB_PAGELEFT:
        x -= page;
        break;
    case SB_PAGERIGHT:
        x += page;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si{sizeof si, SIF_TRACKPOS};
        GetScrollInfo(WindowHandle(), SB_HORZ, &si);
        x = si.nTrackPos;
        break;
    }
    default:
        return;
    }
    ScrollTo(topRow_, x);
}

// Drawn off screen and copied at once, so scrolling does not flicker.
void TDBGrid::Paint(HDC target, const RECT& clip) {
    RECT client = ClientRect();
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap =
        CreateCompatibleBitmap(target, std::max<int>(client.right, 1), std::max<int>(client.bottom, 1));
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    Fill(dc, client, ColorToRGB(Color()));
    PaintTitles(dc);
    if (TDataSet* set = LinkedSet()) {
        for (int row = topRow_, y = TitleHeight(); y < client.bottom && set->ViewRowExists(row);
             ++row, y += RowHeight())
            PaintRow(dc, row, y);
    }
    BitBlt(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, dc, clip.left,
           clip.top, SRCCOPY);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void TDBGrid::PaintTitles(HDC dc) {
    if (!(options_ & dgTitles)) return;
    const COLORREF fixed = ColorToRGB(fixedColor_);
    SetTextColor(dc, ColorToRGB(clBtnText));
    RECT corner{0, 0, IndicatorWidth(), TitleHeight()};
    if (corner.right > 0) {
        Fill(dc, corner, fixed);
        DrawEdge(dc, &corner, BDR_RAISEDINNER, BF_RECT);
    }
    HRGN region = CreateRectRgn(IndicatorWidth(), 0, ClientWidth(), TitleHeight());
    SelectClipRgn(dc, region);
    for (int c = 0; c < ColumnCount(); ++c) {
        if (!Columns(c)->Visible()) continue;
        RECT r{ColumnLeft(c), 0, ColumnLeft(c) + Columns(c)->Width(), TitleHeight()};
        if (r.right <= IndicatorWidth() || r.left >= ClientWidth()) continue;
        Fill(dc, r, fixed);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        RECT text{r.left + 3, r.top, r.right - 3, r.bottom};
        String title = Columns(c)->Title();
        DrawTextW(dc, title.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(region);
}

TGridDrawState TDBGrid::CellState(int row, int column, TBookmark bookmark, bool focused) const {
    TDataSet* set = LinkedSet();
    const bool current = set && row == set->ViewRow();
    const bool show = focused || (options_ & dgAlwaysShowSelection);
    TGridDrawState state = 0;
    if (bookmark && RowSelected(bookmark)) state |= gdSelected;
    if (current && show) {
        if (options_ & dgRowSelect) state |= gdSelected;
        if (column == selectedIndex_) state |= focused ? gdFocused : gdSelected;
    }
    return state;
}

void TDBGrid::PaintRow(HDC dc, int row, int y) {
    TDataSet* set = LinkedSet();
    const TBookmark bookmark = set->ViewBookmark(row);
    // Asked once a row: each question goes to the window server.
    const HWND focus = GetFocus();
    const bool focused = focus && (focus == WindowHandle() ||
                                   (editor_ && editor_->HandleAllocated() && focus == editor_->Handle()));
    if (IndicatorWidth() > 0) PaintIndicator(dc, row, {0, y, IndicatorWidth(), y + RowHeight()});
    HRGN region = CreateRectRgn(IndicatorWidth(), y, ClientWidth(), y + RowHeight());
    SelectClipRgn(dc, region);
    canvas_.Handle = dc;
    struct DrawRow {
        TDataSet* set;
        ~DrawRow() { set->EndDrawRow(); }
    } drawing{set};
    set->BeginDrawRow(row);
    for (int c = 0; c < ColumnCount(); ++c) {
        TColumn* column = Columns(c);
        if (!column->Visible()) continue;
        RECT r{ColumnLeft(c), y, ColumnLeft(c) + column->Width(), y + RowHeight()};
        if (r.right <= IndicatorWidth() || r.left >= ClientWidth()) continue;
        TGridDrawState state = CellState(row, c, bookmark, focused);
        const bool highlight = state & (gdSelected | gdFocused);
        canvas_.BrushColor = highlight ? clHighlight : Color();
        canvas_.FontColor = highlight ? kHighlightText : Font().Color();
        if (defaultDrawing_) DefaultDrawColumnCell(r, c, column, state);
        if (OnDrawColumnCell) OnDrawColumnCell(this, r, c, column, state);
        Lines(dc, r, options_ & dgColLines, options_ & dgRowLines);
        if ((state & gdFocused) && !(options_ & dgRowSelect)) {
            RECT focus{r.left, r.top, r.right - 1, r.bottom - 1};
            SetTextColor(dc, ColorToRGB(clWindowText));
            DrawFocusRect(dc, &focus);
        }
    }
    canvas_.Handle = nullptr;
    SelectClipRgn(dc, nullptr);
    DeleteObject(region);
}

// The cell in the canvas's colours: background, then the value of the row being drawn, numbers
// to the right.
void TDBGrid::DefaultDrawColumnCell(const RECT& rect, int, TColumn* column, TGridDrawState) {
    HDC dc = canvas_.Handle;
    if (!dc) return;
    Fill(dc, rect, ColorToRGB(canvas_.BrushColor));
    TField* field = column ? column->Field() : nullptr;
    if (!field) return;
    String text = field->Text();
    const bool number = field->DataType() == ftInteger || field->DataType() == ftFloat;
    RECT r{rect.left + 2, rect.top, rect.right - 3, rect.bottom - 1};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(canvas_.FontColor));
    // Clipped, not shortened with an ellipsis: measuring every cell would double the cost of a page.
    SetTextAlign(dc, number ? TA_RIGHT : TA_LEFT);
    ExtTextOutW(dc, number ? r.right : r.left, rect.top + 2, ETO_CLIPPED, &r, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    SetTextAlign(dc, TA_LEFT);
    SetBkMode(dc, OPAQUE);
}

// The current row: a triangle while browsing, a bar while editing, a star for a new record;
// further selected rows: a dot.
void TDBGrid::PaintIndicator(HDC dc, int row, const RECT& rect) {
    Fill(dc, rect, ColorToRGB(fixedColor_));
    RECT edge = rect;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    TDataSet* set = LinkedSet();
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnText));
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(clBtnText));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    if (row == set->ViewRow() && set->State() == dsBrowse) {
        POINT tri[3] = {{cx - 2, cy - 4}, {cx + 2, cy}, {cx - 2, cy + 4}};
        Polygon(dc, tri, 3);
    } else if (row == set->ViewRow() && set->State() == dsEdit) {
        Fill(dc, {cx - 1, cy - 5, cx + 1, cy + 5}, ColorToRGB(clBtnText));
        Fill(dc, {cx - 3, cy - 5, cx + 3, cy - 4}, ColorToRGB(clBtnText));
        Fill(dc, {cx - 3, cy + 4, cx + 3, cy + 5}, ColorToRGB(clBtnText));
    } else if (row == set->ViewRow() && set->State() == dsInsert) {
        RECT text = rect;
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(clBtnText));
        DrawTextW(dc, L"*", 1, &text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        SetBkMode(dc, OPAQUE);
    } else if (RowSelected(set->ViewBookmark(row))) {
        Ellipse(dc, cx - 2, cy - 2, cx + 3, cy + 3);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}
