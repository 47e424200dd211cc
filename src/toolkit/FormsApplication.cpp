#include "toolkit/Forms.h"
#include "toolkit/Menus.h"

#include "toolkit/Application.h"

#include <commctrl.h>
#include <algorithm>

TApplication* Application() {
    // Never destroyed: windows must not be torn down during the program's static teardown.
    static TApplication* application = new TApplication;
    return application;
}

TApplication::TApplication() : TComponent(nullptr) {}

void TApplication::Initialize() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

const String& TApplication::Title() const {
    return ApplicationTitle();
}
void TApplication::SetTitle(const String& title) {
    SetApplicationTitle(title);
}

void TApplication::FormAdded(TForm* form) {
    forms_.push_back(form);
}

void TApplication::FormCreated(TForm* form) {
    if (mainForm_) return;
    form->HandleNeeded();
    mainForm_ = form;
    SetApplicationMainWindow(form->Handle());
    // A new main form begins the application anew: the end of an earlier one, already freed,
    // would otherwise cancel every modal window of the new one at once.
    terminated_ = false;
}

void TApplication::FormRemoved(TForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    released_.erase(std::remove(released_.begin(), released_.end(), form), released_.end());
    if (mainForm_ == form) {
        mainForm_ = nullptr;
        SetApplicationMainWindow(nullptr);
    }
}

void TApplication::ControlDestroyed(TWinControl* control) {
    for (TForm* form : forms_)
        form->ControlGone(control);
}

void TApplication::ReleaseLater(TForm* form) {
    if (std::find(released_.begin(), released_.end(), form) != released_.end()) return;
    released_.push_back(form);
    PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0); // wakes the loop
}

// Only outside every window procedure: a form never goes while one of its messages runs.
void TApplication::FreeReleased() {
    while (DispatchDepth() == 0 && !released_.empty()) {
        TForm* form = released_.front();
        released_.erase(released_.begin());
        form->Free();
    }
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage() {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    bool handled = false;
    try {
        handled = IsKeyMsg(msg);
    } catch (...) {
        handled = true;
        HandleException(std::current_exception());
    }
    if (!handled) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    try {
        FreeReleased();
    } catch (...) {
        HandleException(std::current_exception());
    }
    return true;
}

void TApplication::ProcessMessages() {
    while (ProcessMessage()) {
    }
}

void TApplication::HandleMessage() {
    if (!ProcessMessage()) WaitMessage();
}

void TApplication::HandleException(std::exception_ptr error) {
    ::HandleException(error);
}

void TApplication::Run() {
    if (mainForm_) {
        try {
            mainForm_->Show();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }
    while (!terminated_)
        HandleMessage();
    DestroyComponents();
}

namespace {
// Shift+F10 and the context-menu key. Handled here, press and release alike, because the
// systems differ in which of the two their default handling turns into the request.
bool IsContextMenuKey(WORD key) {
    return key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0);
}
} // namespace

// The keyboard rules of our forms, before the focused control sees the key.
bool TApplication::IsKeyMsg(MSG& msg) {
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!down && !up && msg.message != WM_SYSCHAR) return false;
    TWinControl* control = nullptr;
    for (HWND w = msg.hwnd; w && !control; w = GetAncestor(w, GA_PARENT))
        control = TWinControl::FindControl(w);
    if (!control) return false;
    TForm* form = dynamic_cast<TForm*>(control);
    if (!form) form = control->ParentForm();
    if (!form) return false;
    if (msg.message == WM_SYSCHAR) return form->DialogChar(static_cast<wchar_t>(msg.wParam));

    WORD key = LOWORD(msg.wParam);
    if (IsContextMenuKey(key)) {
        if (down)
            SendMessageW(msg.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(msg.hwnd), MAKELPARAM(-1, -1));
        return true;
    }
    if (up) return false;
    const TShortCut shortCut = ShortCutOfKey(key);
    // The menus of the focused control and of what contains it come before the form's actions.
    for (TControl* c = control; c && c != form; c = c->Parent())
        if (c->PopupMenu() && c->PopupMenu()->IsShortCut(shortCut)) return true;
    if (form->IsShortCut(shortCut)) return true;
    if (msg.message != WM_KEYDOWN) return false;
    LRESULT mask;
    switch (key) {
    case VK_TAB:
        mask = DLGC_WANTTAB;
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        mask = DLGC_WANTARROWS;
        break;
    case VK_RETURN:
    case VK_ESCAPE:
        mask = DLGC_WANTALLKEYS;
        break;
    default:
        return false;
    }
    if (GetKeyState(VK_MENU) < 0) return false;
    // Asked without the message: an edit told it runs in a dialog starts acting on its parent.
    LRESULT code = SendMessageW(msg.hwnd, WM_GETDLGCODE, 0, 0);
    if (control->HandleAllocated() && control->Handle() != msg.hwnd)
        code |= SendMessageW(control->Handle(), WM_GETDLGCODE, 0, 0);
    if (code & mask) return false;
    if (key == VK_RETURN) {
        wchar_t cls[16] = {};
        GetClassNameW(msg.hwnd, cls, 16);
        LONG style = GetWindowLongW(msg.hwnd, GWL_STYLE);
        if (lstrcmpiW(cls, L"Edit") == 0 && (style & ES_MULTILINE) && (style & ES_WANTRETURN)) return false;
    }
    form->DialogKey(key, GetKeyState(VK_SHIFT) < 0);
    return key == 0;
}
