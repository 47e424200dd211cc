#pragma once
#include "toolkit/Classes.h"
#include "toolkit/Graphics.h"

#include <windows.h>
#include <vector>

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Edits know bsNone and bsSingle; forms all of them.
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};

class TWinControl;
class TForm;
class TPopupMenu;

using TKeyPressEvent = std::function<void(TComponent* sender, wchar_t& key)>;

// Anything placed on a window: a parent (whose window contains it, separate from the owner,
// who frees it), position and size relative to the parent's client area, visibility, alignment,
// text, font and colour.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* parent);

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
    void SetBoundsRect(const RECT& r) { SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); }

    virtual int ClientWidth() const { return width_; }
    virtual int ClientHeight() const { return height_; }
    void SetClientWidth(int width) { SetWidth(width_ + width - ClientWidth()); }
    void SetClientHeight(int height) { SetHeight(height_ + height - ClientHeight()); }
    RECT ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Makes the control visible and asks its parents to bring it into view.
    void Show();
    void Hide() { SetVisible(false); }
    // Visible, and every parent up to the top-level window too.
    bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    TAlign Align() const { return align_; }
    void SetAlign(TAlign align);

    String Text() const { return GetText(); }
    void SetText(const String& text);
    String Caption() const { return GetText(); }
    void SetCaption(const String& caption) { SetText(caption); }

    // Changing the font clears ParentFont; while ParentFont is set the control follows its parent's.
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    // While ParentColor is set Color is the parent's.
    TColor Color() const;
    void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    // The form the control lies on, or null.
    TForm* ParentForm() const;

    // Scales bounds and font by m/d. A control that keeps its pixel size overrides it.
    virtual void ChangeScale(int m, int d);

    virtual void Click();

    // Shown in a tooltip while the mouse rests on the control, when ShowHint is set.
    const String& Hint() const { return hint_; }
    void SetHint(const String& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);

    // Opens on a right click, Shift+F10 or the context-menu key over the control; not owned.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* menu);

    TNotifyEvent OnClick;
    TNotifyEvent OnResize;

protected:
    virtual String GetText() const { return text_; }
    // Hooks that run after the property was stored.
    virtual void TextChanged() {}
    virtual void BoundsChanged() {}
    virtual void VisibleChanged();
    virtual void EnabledChanged() {}
    virtual void FontChanged() {}
    virtual void ColorChanged() {}
    virtual void AlignChanged() { RequestAlign(); }
    virtual void HintChanged() {}
    // The size changed: realign what lies inside, then OnResize.
    virtual void Resize();
    // The parent lays out its aligned children again (not while it is doing so).
    void RequestAlign();
    // Bounds as the window reports them; runs Resize when the size changed.
    void UpdateBounds(int left, int top, int width, int height);

    String text_;

private:
    friend class TWinControl;
    friend class TPopupMenu;
    void ParentFontChanged();
    void ParentColorChanged();
    bool ContainsParentCycle(TWinControl* parent) const;

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TAlign align_ = alNone;
    bool alignPlaced_ = false; // placed by an align pass; newly aligned controls go after those
    TFont font_;
    bool parentFont_ = true;
    bool followingParent_ = false;
    TColor color_ = clBtnFace;
    bool parentColor_ = false;
    String hint_;
    bool showHint_ = false;
    TPopupMenu* popupMenu_ = nullptr;
};

// What CreateWnd passes to CreateWindowEx.
struct TCreateParams {
    String sysClass;                 // a system class, subclassed after creation; empty: our own class
    String ownClass = L"SicControl"; // our own class; the first registration of a name fixes its style
    UINT classStyle = CS_DBLCLKS;
    String caption;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    HWND parentWnd = nullptr; // parent of a child, owner of a top-level window
};

// A control with a real window. The window is made on demand (Handle) or when the parent's window
// is made, so properties set before that are applied at creation.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    void SetParent(TWinControl* parent) override;

    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // The wrapper of one of our windows, or null.
    static TWinControl* FindControl(HWND wnd);

    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
    // True when control lies anywhere inside this one.
    bool ContainsControl(const TControl* control) const;

    int ClientWidth() const override;
    int ClientHeight() const override;
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(RECT& rect);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    void Realign();

    // Position in the parent's keyboard order.
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    virtual bool CanFocus() const;
    void SetFocus();
    bool Focused() const;
    // Every nested child, in keyboard order: each child followed by its own children.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);
    void BringToFront();

    // Called up the parent chain when a control inside is to be shown (a page brings itself forward).
    virtual void ShowControl(TControl* control);

    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // Posts to this control's window, making it if needed.
    bool PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

    // Reflected from the parent: a notification this control's window sent.
    virtual void CNCommand(WORD /*code*/) {}
    virtual LRESULT CNNotify(NMHDR* /*header*/) { return 0; }
    // An owner-drawn control's item is to be painted.
    virtual void CNDrawItem(DRAWITEMSTRUCT& /*item*/) {}
    // Colours of a WM_CTLCOLOR* request; returns the background brush.
    virtual HBRUSH CtlColor(HDC dc);
    // Alt+letter reached the form: act when the caption carries that mnemonic.
    virtual bool AcceleratorHit(wchar_t /*ch*/) { return false; }

    void Loaded() override;

    // The focus came from another control of the form, or went to one.
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyPressEvent OnKeyPress;

protected:
    virtual void DoEnter();
    virtual void DoExit();
    // A character typed into the control; a key set to 0 is consumed.
    virtual void KeyPress(wchar_t& key);
    virtual void CreateParams(TCreateParams& params);
    // Makes the window from CreateParams; derived classes act after calling it.
    virtual void CreateWnd();
    // Keeps what the window holds (its text), then destroys it.
    virtual void DestroyWnd();
    void DestroyHandle();
    // A style that only applies at creation changed: the window is made anew.
    void RecreateWnd();
    virtual void WndProc(TMessage& message);
    void DefaultHandler(TMessage& message);
    virtual void AlignControls(RECT rect);
    // A child came or went.
    virtual void ControlsChanged() {}

    String GetText() const override;
    void TextChanged() override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void EnabledChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void HintChanged() override;
    void Resize() override;
    // Window style bits follow a property.
    void SetStyleBit(DWORD bit, bool on, bool ex = false);
    HWND WindowHandle() const { return handle_; }
    // Fills the client area with Color.
    void WMEraseBkgnd(TMessage& message);
    // Handles WM_PAINT by running paint on the paint context; false for any other message.
    bool PaintMessage(TMessage& message, const std::function<void(HDC)>& paint);
    TBrush& Brush() { return brush_; }

private:
    friend LRESULT CALLBACK OwnWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK ControlSubclassProc(HWND, UINT, WPARAM, LPARAM);
    friend class TControl;
    friend class TForm;

    LRESULT MainWndProc(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateHandle();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void FrameSize(int& dx, int& dy) const;
    bool WMReflect(TMessage& message);
    void WMContextMenu(TMessage& message);
    void WMWindowPosChanged();
    void WMSetFocus();
    void WMNcDestroy();

    HWND handle_ = nullptr;
    WNDPROC previousProc_ = nullptr;    // a standard control's own procedure, under our subclass
    std::vector<TControl*> controls_;   // parented children, in the order they came
    std::vector<TWinControl*> tabList_; // the same, in keyboard order
    bool tabStop_ = false;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    bool alignPending_ = false;
    TBrush brush_;
};

// A left-button press on one of our windows: the mouse is captured while the button is held, and
// releasing it over the window is a click.
class TPressTracker {
public:
    enum TResult { prNone, prChanged, prClick };
    // Follows a mouse message of wnd; prChanged when Pressed changed, prClick for a finished click.
    TResult Message(HWND wnd, UINT msg, LPARAM lParam);
    // Held down, with the mouse over the window.
    bool Pressed() const { return tracking_ && inside_; }
    bool Tracking() const { return tracking_; }

private:
    bool tracking_ = false;
    bool inside_ = false;
};

// The mouse on a button of our own: hot while over it (the first move asks to be told when it
// leaves), pressed while the left button is held on it, a click when released over it.
class TButtonMouse {
public:
    enum TResult { bmNone, bmChanged, bmClick };
    // Follows a mouse message of wnd; bmChanged when Hot or Pressed changed.
    TResult Message(HWND wnd, UINT msg, LPARAM lParam);
    // The same for a window procedure: a changed look runs redraw, a finished click runs click;
    // true when the message was that click.
    bool Follow(HWND wnd, const TMessage& message, const std::function<void()>& redraw,
                const std::function<void()>& click);
    bool Hot() const { return hot_; }
    bool Pressed() const { return press_.Pressed(); }
    // A disabled window hears no more of the mouse.
    void Reset() { hot_ = false; }

private:
    bool hot_ = false;
    TPressTracker press_;
};

// Win32 dispatch depth of our window procedures; deferred deletions wait for zero.
int DispatchDepth();
