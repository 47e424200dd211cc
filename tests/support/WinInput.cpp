#include "WinInput.h"

#include "toolkit/Forms.h"

namespace {
// Posted key messages do not change the thread's key state: the test sets it.
void SetShift(bool down) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_SHIFT] = down ? 0x80 : 0;
    state[VK_LSHIFT] = state[VK_SHIFT];
    SetKeyboardState(state);
}
} // namespace

void Pump() {
    for (int i = 0; i < 3; ++i)
        Application()->ProcessMessages();
}

void PressKey(WORD vk, bool shift) {
    HWND target = GetFocus();
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    if (shift) SetShift(true);
    PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(target, WM_KEYUP, vk, scan | 1 | (3u << 30));
    Pump();
    if (shift) SetShift(false);
}

void TypeChar(HWND wnd, wchar_t ch) {
    PostMessageW(wnd, WM_CHAR, ch, 1);
    Pump();
}
