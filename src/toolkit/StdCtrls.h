#pragma once
#include "toolkit/ActnList.h"
#include "toolkit/Controls.h"
#include "toolkit/Forms.h"

#include <memory>
#include <optional>

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// True when caption marks ch as its mnemonic ("&Weiter" and W or w).
bool IsAccel(wchar_t ch, const String& caption);

// An EDIT control. OnChange fires on every change of the text, by the user or the program.
class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* owner);

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // 0: no limit of our own.
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int length);
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    void SelectAll();
    void Clear() { SetText(L""); }

    void CNCommand(WORD code) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void TextChanged() override;
    virtual void Change();

private:
    bool readOnly_ = false;
    TBorderStyle borderStyle_ = bsSingle;
    int maxLength_ = 0;
    bool settingText_ = false;
    int selStart_ = 0, selLength_ = 0;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

// A multi-line EDIT. Lines is a live view of the control's text: a final empty line after the
// last line break does not count, so an empty memo has no lines and "\r\n" is one empty line.
class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* owner);
    ~TMemo() override;

    TStrings& Lines();
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    bool WantReturns() const { return wantReturns_; }
    void SetWantReturns(bool wantReturns);
    bool WantTabs() const { return wantTabs_; }
    void SetWantTabs(bool wantTabs);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    String GetText() const override;

private:
    class TMemoStrings;
    std::unique_ptr<TMemoStrings> lines_;
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
    bool wantReturns_ = true;
    bool wantTabs_ = false;
};

// A push button. Click sets the form's ModalResult, then raises OnClick; derived buttons may
// replace what a click does. Bound to an action it shows the action's caption and enabled state
// and runs the action when clicked (an OnClick of its own comes first).
class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    TAction* Action() const { return actionLink_.Action(); }
    void SetAction(TAction* action) { actionLink_.SetAction(action); }

    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }

    void Click() override;
    void CNCommand(WORD code) override;
    bool AcceleratorHit(wchar_t ch) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    TModalResult modalResult_ = mrNone;
    TActionLink actionLink_{[this](TAction& a) {
        SetCaption(a.Caption());
        SetEnabled(a.Enabled());
    }};
};

// A STATIC text. With AutoSize it takes the size of its text.
class TLabel : public TWinControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    // The control its mnemonic focuses; not owned.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* control) { focusControl_ = control; }
    void AdjustSize();

    bool AcceleratorHit(wchar_t ch) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void TextChanged() override;
    void FontChanged() override;

private:
    bool autoSize_ = true;
    bool wordWrap_ = false;
    TAlignment alignment_ = taLeftJustify;
    TWinControl* focusControl_ = nullptr;
};

// A BUTTON group box that holds controls; aligned children share the area inside its frame. It
// draws frame and caption itself: the caption in the font's colour, grey while disabled.
class TCustomGroupBox : public TWinControl {
public:
    explicit TCustomGroupBox(TComponent* owner);
    void AdjustClientRect(RECT& rect) override;
    bool AcceleratorHit(wchar_t ch) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void WndProc(TMessage& message) override;

private:
    void Paint(HDC dc);
};

class TGroupBox : public TCustomGroupBox {
public:
    using TCustomGroupBox::TCustomGroupBox;
};

// What check boxes and radio buttons share: a BUTTON window of the given style showing Checked.
class TButtonControl : public TWinControl {
public:
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool checked) = 0;
    bool AcceleratorHit(wchar_t ch) override;

protected:
    TButtonControl(TComponent* owner, DWORD buttonStyle);
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    // Stores the state and shows it; false when it was already so.
    bool StoreChecked(bool checked);
    // The state a click or the caption's mnemonic gives.
    virtual bool CheckedAfterClick() const = 0;

private:
    DWORD buttonStyle_;
    bool checked_ = false;
};

// A BUTTON check box. Setting Checked raises OnClick, as the user's click does.
class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* owner);
    void SetChecked(bool checked) override;
    void CNCommand(WORD code) override;

protected:
    bool CheckedAfterClick() const override { return !Checked(); }
};

// A BUTTON radio button; checking one clears its siblings on the same parent and raises OnClick.
// Only the checked one is a tab stop.
class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* owner);
    void SetChecked(bool checked) override;
    void CNCommand(WORD code) override;

protected:
    bool CheckedAfterClick() const override { return true; }
};

// Items of a LISTBOX or COMBOBOX: the window's list once it exists, kept here before.
class TListItems : public TStrings {
public:
    struct Codes {
        UINT count, textLength, text, insert, remove, reset;
    };
    TListItems(TWinControl* control, Codes codes) : control_(control), codes_(codes) {}

    int Count() const override;
    String Get(int index) const override;
    void Insert(int index, const String& s) override;
    void Delete(int index) override;
    void Clear() override;

    // The window was made: it gets the kept items. It goes: they are kept again.
    void WindowCreated(HWND wnd);
    void WindowGoing(HWND wnd);

protected:
    void SetUpdateState(bool updating) override;

private:
    HWND Window() const;
    void CheckIndex(int index, bool allowEnd) const;
    TWinControl* control_;
    Codes codes_;
    TStringList kept_;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// A COMBOBOX. OnChange follows the user's choice or typing; ItemIndex set by the program is silent.
// Controls built on a combo box derive from this base, so that they are no TComboBox to those who
// tell the kinds apart (the settings store keeps a TComboBox by its ItemIndex).
class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* owner);
    ~TCustomComboBox() override;

    TStrings& Items() { return items_; }
    const TStrings& Items() const { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    // Rows the open list shows at most.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);
    bool DroppedDown() const;
    void SetDroppedDown(bool dropped);
    // The highlighted part of the edit field.
    int SelStart() const;
    void SetSelStart(int start);
    int SelLength() const;
    void SetSelLength(int length);
    // Typing completes the text from the first entry it begins; typing opens the list; choosing an
    // entry closes it.
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool on) { autoComplete_ = on; }
    bool AutoDropDown() const { return autoDropDown_; }
    void SetAutoDropDown(bool on) { autoDropDown_ = on; }
    bool AutoCloseUp() const { return autoCloseUp_; }
    void SetAutoCloseUp(bool on) { autoCloseUp_ = on; }
    // Empties the list and the text.
    virtual void Clear();

    void CNCommand(WORD code) override;

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged() override;
    String GetText() const override;
    void TextChanged() override;
    void KeyPress(wchar_t& key) override;
    // The user chose an entry or edited the text: raises OnChange.
    virtual void Change();
    int ShownIndex() const;

private:
    static LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT EditChar(HWND edit, WPARAM wParam, LPARAM lParam);
    void Complete();
    void KeepSelection();
    int ListHeight() const;
    void ApplyListHeight();
    TListItems items_;
    int itemIndex_ = -1;
    TComboBoxStyle style_ = csDropDown;
    int dropDownCount_ = 8;
    bool autoComplete_ = true;
    bool autoDropDown_ = false;
    bool autoCloseUp_ = false;
    bool typing_ = false;        // inside a character the edit field is taking
    bool changePending_ = false; // the text changed while typing_
    struct Shown {
        int index;
        String text;
    };
    std::optional<Shown> keep_; // what the box showed when its list began to open
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

// A LISTBOX. A click on an entry raises OnClick.
class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    TStrings& Items() { return items_; }
    int ItemIndex() const;
    void SetItemIndex(int index);

    void CNCommand(WORD code) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;

private:
    TListItems items_;
    int itemIndex_ = -1;
};
