#include "BoxReader.h"

namespace {
BoxReader* g_reader = nullptr;
HWND g_box = nullptr;

String Text(HWND wnd) {
    int n = GetWindowTextLengthW(wnd);
    String s(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(wnd, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
}

bool IsClass(HWND wnd, const wchar_t* name) {
    wchar_t cls[32] = {};
    GetClassNameW(wnd, cls, 32);
    return lstrcmpiW(cls, name) == 0;
}
} // namespace

HICON SystemIcon(LPCWSTR id) {
    return LoadIconW(nullptr, id);
}

BoxReader::BoxReader(int answer) : answer_(answer) {
    g_reader = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

BoxReader::~BoxReader() {
    UnhookWindowsHookEx(hook_);
    g_reader = nullptr;
}

LRESULT CALLBACK BoxReader::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_reader) {
        HWND wnd = reinterpret_cast<HWND>(wParam);
        if (IsClass(wnd, L"#32770") && wnd != g_box) {
            g_box = wnd;
            // Read once the box runs its own loop, after everything has set it up.
            SetTimer(nullptr, 0, 30, Timer);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK BoxReader::Timer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    HWND box = g_box;
    if (!g_reader || !IsWindow(box)) return;
    SeenBox seen;
    seen.caption = Text(box);
    GetWindowRect(box, &seen.rect);
    seen.owner = GetWindow(box, GW_OWNER);
    HWND answer = nullptr;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(c, GWL_STYLE);
        if (IsClass(c, L"Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON)
                seen.icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
            else if (!Text(c).empty())
                seen.text = Text(c);
        } else if (IsClass(c, L"Button")) {
            int id = GetDlgCtrlID(c);
            seen.buttons.push_back(id);
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) seen.defaultButton = id;
            if (!answer || id == g_reader->answer_) answer = c;
        }
    }
    g_reader->boxes_.push_back(seen);
    if (answer) SendMessageW(answer, BM_CLICK, 0, 0);
}
