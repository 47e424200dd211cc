// The least a Win32 program does to show a window of the main window's size: the floor against
// which the benchmark sets the program's start-up. Marks its first painting, then ends.
#include "sys/Zeitmarken.h"

#include <windows.h>

namespace {
LRESULT CALLBACK Fenster(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != WM_PAINT) return DefWindowProcW(wnd, msg, wParam, lParam);
    Zeitmarke("fenster_gemalt");
    PAINTSTRUCT ps;
    BeginPaint(wnd, &ps);
    EndPaint(wnd, &ps);
    PostQuitMessage(0);
    return 0;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instanz, HINSTANCE, PWSTR, int) {
    Zeitmarke("wwinmain");
    WNDCLASSW klasse{};
    klasse.lpfnWndProc = Fenster;
    klasse.hInstance = instanz;
    klasse.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klasse.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    klasse.lpszClassName = L"Minimalfenster";
    RegisterClassW(&klasse);
    RECT r{0, 0, 545, 757};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    HWND wnd = CreateWindowExW(0, L"Minimalfenster", L"Minimalfenster", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                               CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instanz,
                               nullptr);
    ShowWindow(wnd, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
