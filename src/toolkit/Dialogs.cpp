#include "toolkit/Dialogs.h"

#include "toolkit/Application.h"

#include <commctrl.h>

namespace {

MessageBoxCapture g_capture;
HWND g_owner = nullptr;

// The box being opened by this thread; read by the CBT hook.
struct PendingBox {
    const MessageBoxArgs* args;
    HHOOK hook;
};
thread_local PendingBox* t_pending = nullptr;

bool IstPushButton(HWND wnd) {
    wchar_t cls[16] = {};
    GetClassNameW(wnd, cls, 16);
    if (lstrcmpiW(cls, L"Button") != 0) return false;
    LONG style = GetWindowLongW(wnd, GWL_STYLE) & BS_TYPEMASK;
    return style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON;
}

void Platzieren(HWND box, const MessageBoxArgs& a) {
    RECT r;
    GetWindowRect(box, &r);
    int x = r.left, y = r.top;
    if (a.left >= 0) x = a.left;
    if (a.top >= 0) y = a.top;
    if (a.left < 0 && a.top < 0) {
        if (!g_owner || !IsWindow(g_owner)) return;
        RECT o;
        GetWindowRect(g_owner, &o);
        x = o.left + ((o.right - o.left) - (r.right - r.left)) / 2;
        y = o.top + ((o.bottom - o.top) - (r.bottom - r.top)) / 2;
    }
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Exactly the button whose result is the wanted one carries the default mark.
void DefaultSetzen(HWND box, int result) {
    bool found = false;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!IstPushButton(c)) continue;
        bool isDefault = GetDlgCtrlID(c) == result;
        found |= isDefault;
        SendMessageW(c, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
    if (found) SendMessageW(box, DM_SETDEFID, static_cast<WPARAM>(result), 0);
}

// Runs after the box has laid itself out, so placement and default mark are ours.
LRESULT CALLBACK BoxSubclass(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    if (msg != WM_INITDIALOG) return DefSubclassProc(wnd, msg, wParam, lParam);
    LRESULT result = DefSubclassProc(wnd, msg, wParam, lParam);
    GuardCallback([&] {
        const auto* args = reinterpret_cast<const MessageBoxArgs*>(data);
        Platzieren(wnd, *args);
        DefaultSetzen(wnd, args->defaultResult);
    });
    RemoveWindowSubclass(wnd, BoxSubclass, id);
    return result;
}

LRESULT CALLBACK BoxHook(int code, WPARAM wParam, LPARAM lParam) {
    PendingBox* p = t_pending;
    if (p && code == HCBT_CREATEWND) GuardCallback([&] {
        HWND wnd = reinterpret_cast<HWND>(wParam);
        wchar_t cls[16] = {};
        GetClassNameW(wnd, cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) {
            t_pending = nullptr;  // the first dialog is ours, later ones are not
            SetWindowSubclass(wnd, BoxSubclass, 1, reinterpret_cast<DWORD_PTR>(p->args));
        }
    });
    return CallNextHookEx(p ? p->hook : nullptr, code, wParam, lParam);
}

// The box belongs to the window the user works in, which it disables while it is open and which
// gets the focus back when it closes: a modal dialog over the main window is such a window, the
// disabled main window is not.
HWND BoxOwner() {
    HWND active = GetActiveWindow();
    if (active && IsWindowEnabled(active) && IsWindowVisible(active)) return active;
    return (g_owner && IsWindow(g_owner)) ? g_owner : nullptr;
}

}  // namespace

MessageBoxCapture SetMessageBoxCapture(MessageBoxCapture capture) {
    MessageBoxCapture old = std::move(g_capture);
    g_capture = std::move(capture);
    return old;
}

void SetMessageBoxOwner(HWND owner) { g_owner = owner; }
HWND MessageBoxOwner() { return g_owner; }

int ShowMessageBox(const MessageBoxArgs& args) {
    if (args.beep) MessageBeep(0);
    if (g_capture) return g_capture(args);

    PendingBox pending{&args, nullptr};
    pending.hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    PendingBox* outer = t_pending;
    t_pending = &pending;
    HWND owner = BoxOwner();
    UINT flags = args.icon | args.buttons | (owner ? MB_APPLMODAL : MB_TASKMODAL);
    int result = MessageBoxW(owner, args.text.c_str(), args.caption.c_str(), flags);
    t_pending = outer;
    if (pending.hook) UnhookWindowsHookEx(pending.hook);
    return result;
}
