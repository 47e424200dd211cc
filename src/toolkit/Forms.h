#pragma once
#include "toolkit/Controls.h"
#include "toolkit/ShortCuts.h"

#include <exception>
#include <functional>
#include <utility>
#include <vector>

enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poDesktopCenter, poScreenCenter, poMainFormCenter };
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrClose = 11;

using TCloseQueryEvent = std::function<void(TComponent* sender, bool& canClose)>;
using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;

// A top-level window of our own class. Build its controls in the constructor, then let
// FinishCreate run the loaded step (Application()->CreateForm<T>() does both).
class TForm : public TWinControl {
public:
    explicit TForm(TComponent* owner);
    ~TForm() override;
    void BeforeDestruction() override;

    // Loaded for the form and everything built while it was loading, then OnCreate.
    // The first form to get here becomes the application's main form.
    virtual void FinishCreate();

    void SetBounds(int left, int top, int width, int height) override;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState state);
    // Where a minimized or maximized window returns to: its normal rectangle on the screen, and
    // for a minimized one whether it comes back maximized.
    RECT NormalBoundsRect() const;
    bool RestoresMaximized() const;
    TPosition Position() const { return position_; }
    void SetPosition(TPosition position) { position_ = position; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle style);
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);

    int ShowModal();
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the message loop has left its messages.
    void Release();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    bool Active() const;

    // The control that has, or last had, the focus on this form.
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    void FocusControl(TWinControl* control);

    // A key such as Tab, Return, Escape or an arrow reached a focused control that does not take
    // it. Set key to 0 when it is handled. Tab moves the focus, Return presses a focused push
    // button (else the default button), Escape the cancel button; every such key ends here.
    virtual void DialogKey(WORD& key, bool shift);
    // Alt+letter: the control whose caption carries the mnemonic acts.
    virtual bool DialogChar(wchar_t ch);
    // A key combination reached the form before its focused control: an enabled action the form
    // owns with that shortcut runs. True when one ran.
    virtual bool IsShortCut(TShortCut shortCut);

    virtual void Activate();
    virtual void Deactivate();

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    // Bookkeeping the controls report.
    void FocusChanged(TWinControl* control);
    void ControlHidden(TWinControl* control);
    void ControlGone(TWinControl* control);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    void BoundsChanged() override;
    void VisibleChanged() override;
    void AlignChanged() override;
    virtual void DoClose(TCloseAction& action);
    void SetWindowFocus();

private:
    void ApplyPosition();
    void WMActivate(TMessage& m);
    void WMSize(TMessage& m);
    void CloseModal();

    bool created_ = false;
    bool shownOnce_ = false;
    bool destroyRaised_ = false;
    bool modal_ = false;
    TModalResult modalResult_ = mrNone;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDesigned;
    TFormStyle formStyle_ = fsNormal;
    TBorderStyle borderStyle_ = bsSizeable;
    TWinControl* activeControl_ = nullptr;
    TWinControl* entered_ = nullptr; // the control whose OnEnter came last, not owned
};

// A container that groups controls inside a form.
class TFrame : public TWinControl {
public:
    explicit TFrame(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
};

// The process-wide application object: main form, message loop, error report.
class TApplication : public TComponent {
public:
    TApplication();

    // Common controls, once, before the first window.
    void Initialize();
    template <class T, class... Args> T* CreateForm(Args&&... args) {
        T* form = new T(this, std::forward<Args>(args)...);
        form->FinishCreate();
        return form;
    }

    TForm* MainForm() const { return mainForm_; }
    bool MainFormOnTaskBar() const { return mainFormOnTaskBar_; }
    void SetMainFormOnTaskBar(bool value) { mainFormOnTaskBar_ = value; }
    const String& Title() const;
    void SetTitle(const String& title);

    // Shows the main form and handles messages until Terminate; then frees the forms it owns.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every pending message, keyboard rules included.
    void ProcessMessages();
    // One message; false when none was waiting.
    bool ProcessMessage();
    // One message, waiting for it when none is there.
    void HandleMessage();
    void HandleException(std::exception_ptr error);

    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_.at(static_cast<size_t>(index)); }

    // Bookkeeping of forms and controls.
    void FormCreated(TForm* form);
    void FormAdded(TForm* form);
    void FormRemoved(TForm* form);
    void ControlDestroyed(TWinControl* control);
    void ReleaseLater(TForm* form);

private:
    bool IsKeyMsg(MSG& msg);
    void FreeReleased();

    TForm* mainForm_ = nullptr;
    bool mainFormOnTaskBar_ = false;
    bool terminated_ = false;
    std::vector<TForm*> forms_;
    std::vector<TForm*> released_;
};

TApplication* Application();
