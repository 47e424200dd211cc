#include "toolkit/Forms.h"

#include "toolkit/Application.h"

#include "toolkit/SysUtils.h"

#include <functional>

namespace {
void LoadedTree(TComponent* c) {
    if (c->Loading()) c->Loaded();
    for (int i = 0; i < c->ComponentCount(); ++i)
        if (TComponent* child = c->Components(i)) LoadedTree(child);
}

RECT WorkArea() {
    RECT r{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// Where the system would put a new window of its own choosing.
RECT DefaultWindowRect() {
    RECT r{0, 0, 0, 0};
    HWND probe =
        CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (probe) {
        GetWindowRect(probe, &r);
        DestroyWindow(probe);
    }
    return r;
}
} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    BeginLoading();
    SetVisible(false);
    SetParentFont(false);
    SetBounds(0, 0, 400, 300);
    Application()->FormAdded(this);
}

// OnDestroy runs in BeforeDestruction while the derived form is whole; a plain delete comes
// here first, with the derived parts already gone.
TForm::~TForm() {
    BeginDestroy();
    activeControl_ = nullptr;
    Application()->FormRemoved(this);
}

void TForm::BeforeDestruction() {
    TWinControl::BeforeDestruction();
    if (destroyRaised_) return;
    destroyRaised_ = true;
    if (HandleAllocated()) ShowWindow(WindowHandle(), SW_HIDE);
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            Application()->HandleException(std::current_exception());
        }
    }
}

void TForm::FinishCreate() {
    if (created_) return;
    created_ = true;
    LoadedTree(this);
    if (OnCreate) {
        try {
            OnCreate(this);
        } catch (...) {
            Application()->HandleException(std::current_exception());
        }
    }
    Application()->FormCreated(this);
}

void TForm::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicForm";
    p.exStyle = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case bsNone:
        p.style = WS_POPUP;
        break;
    case bsSingle:
        p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsDialog:
        p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        p.exStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        p.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
        p.exStyle |= WS_EX_TOOLWINDOW;
        break;
    default:
        p.style = WS_OVERLAPPEDWINDOW;
        break;
    }
    p.style |= WS_CLIPCHILDREN;
    if (!Enabled()) p.style |= WS_DISABLED;
    if (formStyle_ == fsStayOnTop) p.exStyle |= WS_EX_TOPMOST;
    TForm* main = Application()->MainForm();
    if (main && main != this && Application()->MainFormOnTaskBar() && main->HandleAllocated())
        p.parentWnd = main->WindowHandle(); // owned: no task bar button of its own, stays above
    else if (!main || main == this)
        p.exStyle |= WS_EX_APPWINDOW;
}

void TForm::CreateWnd() {
    TWinControl::CreateWnd();
    if (Application()->MainForm() == this) SetApplicationMainWindow(WindowHandle());
    if (windowState_ == wsMaximized && Visible()) ShowWindow(WindowHandle(), SW_SHOWMAXIMIZED);
}

void TForm::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CLOSE:
        Close();
        return;
    case WM_ACTIVATE:
        WMActivate(m);
        return;
    case WM_SIZE:
        WMSize(m);
        break;
    case WM_SETFOCUS:
        if (activeControl_ && activeControl_->HandleAllocated() && activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            return;
        }
        break;
    }
    TWinControl::WndProc(m);
}

void TForm::WMActivate(TMessage& m) {
    if (LOWORD(m.WParam) == WA_INACTIVE) {
        DefaultHandler(m);
        Deactivate();
        return;
    }
    if (!HIWORD(m.WParam)) SetWindowFocus(); // not minimized
    Activate();
}

// The focus goes back to the control that had it, else to the first tab stop.
void TForm::SetWindowFocus() {
    TWinControl* target = activeControl_;
    if (!target || !target->CanFocus()) target = FindNextControl(nullptr, true, true, false);
    if (target && target->CanFocus())
        ::SetFocus(target->Handle());
    else
        ::SetFocus(WindowHandle());
}

void TForm::Activate() {
    if (OnActivate) OnActivate(this);
}

void TForm::Deactivate() {
    if (OnDeactivate) OnDeactivate(this);
}

void TForm::WMSize(TMessage& m) {
    if (!Visible()) return;
    if (m.WParam == SIZE_MAXIMIZED)
        windowState_ = wsMaximized;
    else if (m.WParam == SIZE_MINIMIZED)
        windowState_ = wsMinimized;
    else if (m.WParam == SIZE_RESTORED)
        windowState_ = wsNormal;
}

bool TForm::Active() const {
    return HandleAllocated() && GetActiveWindow() == WindowHandle();
}

// An aligned form hugs the left or right edge of the work area, at full height.
void TForm::SetBounds(int left, int top, int width, int height) {
    if (Align() == alLeft || Align() == alRight) {
        RECT work = WorkArea();
        left = Align() == alLeft ? work.left : work.right - width;
        top = work.top;
        height = work.bottom - work.top;
    }
    TWinControl::SetBounds(left, top, width, height);
}

void TForm::AlignChanged() {
    SetBounds(Left(), Top(), Width(), Height());
}

void TForm::BoundsChanged() {
    HWND wnd = WindowHandle();
    if (wnd && (IsZoomed(wnd) || IsIconic(wnd))) {
        // Keep the state; the bounds become those it returns to.
        WINDOWPLACEMENT wp{sizeof wp};
        GetWindowPlacement(wnd, &wp);
        // The placement counts from the work area's corner, the bounds from the screen's.
        RECT work = WorkArea();
        wp.rcNormalPosition = BoundsRect();
        OffsetRect(&wp.rcNormalPosition, -work.left, -work.top);
        wp.showCmd = IsZoomed(wnd) ? SW_SHOWMAXIMIZED : SW_SHOWMINIMIZED;
        SetWindowPlacement(wnd, &wp);
        return;
    }
    TWinControl::BoundsChanged();
}

RECT TForm::NormalBoundsRect() const {
    WINDOWPLACEMENT wp{sizeof wp};
    if (!HandleAllocated() || !GetWindowPlacement(WindowHandle(), &wp)) return BoundsRect();
    RECT work = WorkArea();
    OffsetRect(&wp.rcNormalPosition, work.left, work.top);
    return wp.rcNormalPosition;
}

bool TForm::RestoresMaximized() const {
    WINDOWPLACEMENT wp{sizeof wp};
    return HandleAllocated() && IsIconic(WindowHandle()) && GetWindowPlacement(WindowHandle(), &wp) &&
           (wp.flags & WPF_RESTORETOMAXIMIZED);
}

TWindowState TForm::WindowState() const {
    HWND wnd = WindowHandle();
    if (wnd && Visible()) return IsZoomed(wnd) ? wsMaximized : IsIconic(wnd) ? wsMinimized : wsNormal;
    return windowState_;
}

void TForm::SetWindowState(TWindowState state) {
    if (state == WindowState()) return;
    windowState_ = state;
    HWND wnd = WindowHandle();
    if (wnd && Visible())
        ShowWindow(wnd, state == wsMaximized   ? SW_SHOWMAXIMIZED
                        : state == wsMinimized ? SW_SHOWMINIMIZED
                                               : SW_RESTORE);
}

void TForm::SetFormStyle(TFormStyle style) {
    if (style == formStyle_) return;
    formStyle_ = style;
    if (HWND wnd = WindowHandle())
        SetWindowPos(wnd, style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The frame is fixed at creation: the window is made anew, keeping its outer size.
void TForm::SetBorderStyle(TBorderStyle style) {
    if (style == borderStyle_) return;
    borderStyle_ = style;
    RecreateWnd();
    if (HandleAllocated() && Visible()) ShowWindow(WindowHandle(), SW_SHOWNORMAL);
}

void TForm::ApplyPosition() {
    switch (position_) {
    case poDefault: {
        RECT r = DefaultWindowRect();
        if (r.right > r.left) SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        break;
    }
    case poDesktopCenter:
    case poScreenCenter:
        SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
                  (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(), Height());
        break;
    case poMainFormCenter:
        if (TForm* main = Application()->MainForm(); main && main != this)
            SetBounds(main->Left() + (main->Width() - Width()) / 2,
                      main->Top() + (main->Height() - Height()) / 2, Width(), Height());
        break;
    default:
        break;
    }
}

void TForm::VisibleChanged() {
    if (!Visible()) {
        if (!HandleAllocated()) return;
        if (OnHide) OnHide(this);
        ShowWindow(WindowHandle(), SW_HIDE);
        return;
    }
    if (!created_) FinishCreate();
    HWND wnd = Handle();
    if (!shownOnce_) {
        shownOnce_ = true;
        ApplyPosition();
    }
    if (OnShow) OnShow(this);
    ShowWindow(wnd, windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                    : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                  : SW_SHOWNORMAL);
    SetForegroundWindow(wnd);
}

void TForm::SetActiveControl(TWinControl* control) {
    if (control == this) control = nullptr;
    if (control && !ContainsControl(control)) return;
    activeControl_ = control;
    if (control && Visible() && HandleAllocated() && control->CanFocus()) ::SetFocus(control->Handle());
}

void TForm::FocusControl(TWinControl* control) {
    SetActiveControl(control);
}

// A control reports the focus, some more than once (a combo box and its edit field): the change of
// control is what raises OnExit and OnEnter, not the focus coming back from another window.
void TForm::FocusChanged(TWinControl* control) {
    if (control == this || !ContainsControl(control)) return;
    activeControl_ = control;
    if (control == entered_) return;
    TWinControl* left = entered_;
    entered_ = control;
    if (left) left->DoExit();
    control->DoEnter();
}

// A hidden control cannot keep the focus: the form takes it back.
void TForm::ControlHidden(TWinControl* control) {
    if (!activeControl_ || !control->ContainsControl(activeControl_)) return;
    bool hadFocus = activeControl_->Focused();
    activeControl_ = nullptr;
    if (hadFocus && HandleAllocated()) ::SetFocus(WindowHandle());
}

void TForm::ControlGone(TWinControl* control) {
    if (activeControl_ == control) activeControl_ = nullptr;
    if (entered_ == control) entered_ = nullptr;
}

bool TForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(this, canClose);
    return canClose && CanClose();
}

void TForm::DoClose(TCloseAction& action) {
    if (OnClose) OnClose(this, action);
}

void TForm::Close() {
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = formStyle_ == fsMDIChild ? caMinimize : caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application()->MainForm() == this)
        Application()->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        SetWindowState(wsMinimized);
    else
        Release();
}

void TForm::CloseModal() {
    TCloseAction action = caHide;
    if (!CloseQuery()) {
        modalResult_ = mrNone;
        return;
    }
    DoClose(action);
    if (action == caNone)
        modalResult_ = mrNone;
    else if (action == caFree)
        Release();
}

void TForm::Release() {
    Application()->ReleaseLater(this);
}

namespace {
BOOL CALLBACK DisableOthers(HWND wnd, LPARAM lParam) {
    return GuardCallback(FALSE, [&] {
        auto* list = reinterpret_cast<std::vector<HWND>*>(lParam);
        if (wnd != list->front() && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
            list->push_back(wnd);
            EnableWindow(wnd, FALSE);
        }
        return TRUE;
    });
}
} // namespace

int TForm::ShowModal() {
    if (Visible() || modal_) throw Exception(L"Ein sichtbares Fenster kann nicht modal gemacht werden");
    if (!created_) FinishCreate();
    HWND previous = GetActiveWindow();
    std::vector<HWND> disabled{Handle()};
    EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&disabled));
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    do {
        Application()->HandleMessage();
        if (Application()->Terminated())
            modalResult_ = mrCancel;
        else if (modalResult_ != mrNone)
            CloseModal();
    } while (modalResult_ == mrNone);
    // Enable the others first, so the system activates one of them and not some other program.
    for (size_t i = 1; i < disabled.size(); ++i)
        if (IsWindow(disabled[i])) EnableWindow(disabled[i], TRUE);
    modal_ = false;
    Hide();
    if (previous && IsWindow(previous)) SetActiveWindow(previous);
    return modalResult_;
}

TFrame::TFrame(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 320, 240);
}

void TFrame::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.ownClass = L"SicFrame";
    p.exStyle |= WS_EX_CONTROLPARENT;
}
