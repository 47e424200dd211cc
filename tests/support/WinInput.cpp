#include "WinInput.h"

#include "toolkit/Forms.h"

void KeyHeld(WORD vk, bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[vk] = down ? 0x80 : 0;
    if (vk == VK_SHIFT) state[VK_LSHIFT] = state[VK_SHIFT];
    if (vk == VK_CONTROL) state[VK_LCONTROL] = state[VK_CONTROL];
    SetKeyboardState(state);
}

namespace {
struct WindowSearch {
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    wchar_t cls[16] = {};
    GetClassNameW(wnd, cls, 16);
    if (lstrcmpW(cls, search->windowClass) != 0 || !IsWindowVisible(wnd)) return TRUE;
    search->found = wnd;
    return FALSE;
}
} // namespace

HWND VisibleThreadWindow(const wchar_t* windowClass) {
    WindowSearch search{windowClass, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Pump() {
    for (int i = 0; i < 3; ++i)
        Application()->ProcessMessages();
}

void PressKey(WORD vk, bool shift) {
    HWND target = GetFocus();
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    if (shift) KeyHeld(VK_SHIFT, true);
    PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(target, WM_KEYUP, vk, scan | 1 | (3u << 30));
    Pump();
    if (shift) KeyHeld(VK_SHIFT, false);
}

void TypeChar(HWND wnd, wchar_t ch) {
    PostMessageW(wnd, WM_CHAR, ch, 1);
    Pump();
}

void MouseToPoint(int x, int y) {
    SetCursorPos(x, y);
    for (int i = 0; i < 5; ++i) {
        Sleep(20);
        Pump();
    }
}

bool MouseAway(const std::function<bool()>& left) {
    MouseToPoint(0, 0);
    for (int i = 0; i < 100 && !left(); ++i) {
        Sleep(20);
        Pump();
    }
    return left();
}

void MouseTo(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    MouseToPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void MouseClick() {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    for (int i = 0; i < 5; ++i) {
        Sleep(20);
        Pump();
    }
}

String ZwischenablageText() {
    String text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text = p;
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}
