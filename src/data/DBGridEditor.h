#pragma once
// The grid's in-place editor: an edit without border over the current cell. The keys that move
// through the grid go to the grid; what the user types counts as a change of the cell.
#include "data/DBGrids.h"

class TDBGrid::TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TDBGrid* grid);
    // The cell's text, not counted as the user's change.
    void Load(const String& text);
    // A character typed on the grid, passed on as if typed here.
    void Type(wchar_t ch);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void Change() override;

private:
    bool ForGrid(WORD key, bool ctrl) const;
    TDBGrid* grid_;
    bool loading_ = false;
    bool typing_ = false;
};
