#pragma once
#include "toolkit/StdCtrls.h"

#include <memory>

// A push-like BUTTON that shows Down as pressed and never takes the focus: the mouse is handled
// here, so a click leaves the focus where it was.
class TDownButton : public TWinControl {
public:
    explicit TDownButton(TComponent* owner);
    bool Down() const { return down_; }
    void CNCommand(WORD code) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    // Stores and shows the state; no event.
    void ShowDown(bool down);

private:
    bool down_ = false;
    TPressTracker press_;
};

class TImageList;

// A button of our own drawing that never takes the focus, so a click leaves the focus where it was.
// It shows a caption, a glyph, or the glyph left of the caption. A flat one shows its edge only
// under the mouse or while down. With a GroupIndex it stays down when clicked and releases the
// others of its group on the same parent; AllowAllUp lets a click release it again. It answers
// BM_CLICK, BM_GETCHECK and BM_GETSTATE as a system button does.
class TSpeedButton : public TWinControl {
public:
    explicit TSpeedButton(TComponent* owner);
    ~TSpeedButton() override;

    bool Down() const { return down_; }
    void SetDown(bool down);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index) { groupIndex_ = index; }
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool allow) { allowAllUp_ = allow; }
    bool Flat() const { return flat_; }
    void SetFlat(bool flat);
    // The glyph: NumGlyphs images of equal width side by side, the normal one first, then the
    // disabled one. The colour of the bottom left pixel is transparent.
    void LoadGlyph(HINSTANCE module, const String& resourceName);
    bool HasGlyph() const { return images_ != nullptr; }
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int count);
    bool Hot() const { return mouse_.Hot(); }
    bool CanFocus() const override { return false; }

    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void TextChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;

private:
    void CutGlyph();
    void Paint(HDC dc);
    void PaintFace(HDC dc, RECT r, bool pushed);
    void Redraw();

    bool down_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool flat_ = false;
    TBitmap glyph_;
    int numGlyphs_ = 1;
    std::unique_ptr<TImageList> images_;
    TButtonMouse mouse_;
};
