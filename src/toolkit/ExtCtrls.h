#pragma once
#include "toolkit/Controls.h"
#include "toolkit/ImgList.h"
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

// Drags the edge of the control aligned just before it (the one it touches on the same side).
class TSplitter : public TWinControl {
public:
    explicit TSplitter(TComponent* owner);

    // Smallest size the resized control and the filling control keep.
    int MinSize() const { return minSize_; }
    void SetMinSize(int size) { minSize_ = size; }
    // The control the splitter resizes now, or null.
    TControl* ResizedControl() const;

    TNotifyEvent OnMoved;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void AlignChanged() override;

private:
    bool Vertical() const { return Align() == alLeft || Align() == alRight; }
    void StartDrag(LPARAM lParam);
    void Drag(LPARAM lParam);
    POINT ScreenPoint(LPARAM lParam) const;
    int minSize_ = 30;
    TControl* dragged_ = nullptr;
    POINT start_{};
    int startSize_ = 0;
    int maxSize_ = 0;
};

// A group box with one radio button per item, in Columns columns.
class TRadioGroup : public TGroupBox {
public:
    explicit TRadioGroup(TComponent* owner);
    ~TRadioGroup() override;

    TStrings& Items() { return items_; }
    int ItemIndex() const { return itemIndex_; }
    // Out of range means none; a change raises OnClick, as the user's choice does.
    void SetItemIndex(int index);
    int Columns() const { return columns_; }
    void SetColumns(int columns);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TRadioButton* Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }

protected:
    void Resize() override;
    void FontChanged() override;

private:
    // Every change of the items rebuilds the buttons (once at the end of an update).
    class TGroupItems : public TStringList {
    public:
        explicit TGroupItems(TRadioGroup* group) : group_(group) {}
        void Put(int index, const String& s) override;
        void Insert(int index, const String& s) override;
        void Delete(int index) override;
        void Clear() override;

    protected:
        void SetUpdateState(bool updating) override;

    private:
        void Changed();
        TRadioGroup* group_;
    };

    void UpdateButtons();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* button);

    std::vector<TRadioButton*> buttons_; // owned by the group, not by the form
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false;
    TGroupItems items_{this};
};

// A surface that OnPaint draws on through Canvas; where it draws nothing, its parent shows through.
// A click on it raises OnClick; it never takes the focus.
class TPaintBox : public TWinControl {
public:
    explicit TPaintBox(TComponent* owner);

    // Holds the paint context while OnPaint runs.
    TCanvas& Canvas() { return canvas_; }
    // Draws the box now.
    void Repaint();
    bool CanFocus() const override { return false; }

    TNotifyEvent OnPaint;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    TCanvas canvas_;
    TPressTracker press_;
};

class TCustomButtonedEdit;

// A button inside a buttoned edit, at its left or right end. It draws an image of the edit's
// image list: DisabledImageIndex while disabled, PressedImageIndex while held down, HotImageIndex
// while the mouse is over it, else ImageIndex (-1 for any of the first three: ImageIndex).
// Hidden until made visible.
class TEditButton : public TWinControl {
public:
    TEditButton(TCustomButtonedEdit* edit, bool right);

    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    int DisabledImageIndex() const { return disabledIndex_; }
    void SetDisabledImageIndex(int index);
    int HotImageIndex() const { return hotIndex_; }
    void SetHotImageIndex(int index);
    int PressedImageIndex() const { return pressedIndex_; }
    void SetPressedImageIndex(int index);
    bool Hot() const { return hot_; }
    bool CanFocus() const override { return false; }

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;
    void VisibleChanged() override;
    void EnabledChanged() override;

private:
    void SetIndex(int& field, int index);
    int ShownIndex() const;
    void Paint(HDC dc);
    void MouseMove();
    void Redraw();
    TCustomButtonedEdit* edit_;
    int imageIndex_ = -1, disabledIndex_ = -1, hotIndex_ = -1, pressedIndex_ = -1;
    bool hot_ = false;
    TPressTracker press_;
};

// A single-line edit with a button at either end; the text keeps clear of the visible ones.
class TCustomButtonedEdit : public TCustomEdit {
public:
    explicit TCustomButtonedEdit(TComponent* owner);

    // Not owned; forgotten when it is freed.
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);
    TEditButton* LeftButton() const { return left_; }
    TEditButton* RightButton() const { return right_; }

    TNotifyEvent OnLeftButtonClick;
    TNotifyEvent OnRightButtonClick;

protected:
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void Resize() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TEditButton;
    void ArrangeButtons();
    TImageList* images_ = nullptr;
    TEditButton* left_ = nullptr;
    TEditButton* right_ = nullptr;
};
