#include "toolkit/Hints.h"

#include <commctrl.h>
#include <iterator>

namespace {

HWND g_hintWindow = nullptr;

// The older structure size, which every version of the common controls accepts.
TTTOOLINFOW ToolInfo(HWND control) {
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    HWND parent = GetParent(control);
    info.hwnd = parent ? parent : control;
    info.uId = reinterpret_cast<UINT_PTR>(control);
    return info;
}

} // namespace

HWND HintWindow() {
    if (g_hintWindow && IsWindow(g_hintWindow)) return g_hintWindow;
    // Shown also while the window is inactive, and "&" is text, not a mnemonic.
    g_hintWindow = CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (g_hintWindow) SendMessageW(g_hintWindow, TTM_SETMAXTIPWIDTH, 0, 400);
    return g_hintWindow;
}

void SetWindowHint(HWND control, const String& text) {
    if (!control || (text.empty() && !g_hintWindow)) return;
    HWND tip = HintWindow();
    if (!tip) return;
    TTTOOLINFOW info = ToolInfo(control);
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    if (text.empty()) return;
    info.lpszText = const_cast<wchar_t*>(text.c_str()); // the window keeps its own copy
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

String WindowHint(HWND control) {
    if (!g_hintWindow || !control) return L"";
    TTTOOLINFOW info = ToolInfo(control);
    if (!SendMessageW(g_hintWindow, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) return L"";
    wchar_t text[1024] = L"";
    info.lpszText = text;
    SendMessageW(g_hintWindow, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&info));
    return text;
}
