#pragma once
#include "toolkit/Controls.h"
#include "toolkit/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

// A container of our own class with a bevelled edge and a centred caption.
class TPanel : public TWinControl {
public:
    explicit TPanel(TComponent* owner);

    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut);
    void AdjustClientRect(RECT& rect) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;

private:
    void Paint(HDC dc);
    TBevelCut bevelOuter_ = bvRaised;
    TBevelCut bevelInner_ = bvNone;
};

// Lines and frames drawn in the 3-D colours; the separator above a button bar is a top line.
class TBevel : public TWinControl {
public:
    explicit TBevel(TComponent* owner);

    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape shape);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle style);

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void Paint(HDC dc);
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};
