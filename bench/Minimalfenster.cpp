// The least a Win32 program does to show a window of the main window's size: the floor against
// which the benchmark sets the program's start-up. Marks its first painting, then ends.
//
// Built a second time as "Fensterboden" (MIT_KINDFENSTERN): the same window holding as many child
// windows of the system's own classes as the program's main window has, of the same kinds and
// with the common controls the program loads. Wine pays for every window when it is made, shown
// and drawn; this is what a window of that many windows costs at least, whatever draws it.
#include "sys/Zeitmarken.h"

#include <windows.h>
#ifdef MIT_KINDFENSTERN
#include <commctrl.h>
#endif

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

#ifdef MIT_KINDFENSTERN
struct Kinder {
    const wchar_t* klasse;
    DWORD stil;
    DWORD erweitert;
    int anzahl;
    bool sichtbar;
};

// The main window's 33 child windows by kind; our own window classes stand here as static ones.
const Kinder kKinder[] = {
    {L"BUTTON", BS_GROUPBOX, 0, 6, true},                                         // page 1's groups
    {L"BUTTON", BS_GROUPBOX, 0, 1, false},                                        // page 2's group
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 11, true},                         // tool and wizard buttons
    {L"EDIT", ES_MULTILINE | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 4, true}, // the four lists
    {L"EDIT", ES_READONLY | ES_AUTOHSCROLL, 0, 1, true},                          // the target folder
    {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE, 1, false},  // the status list
    {L"STATIC", 0, 0, 8, true},  // wizard, page 1, tool bar, splitters, separator, page label
    {L"STATIC", 0, 0, 1, false}, // page 2
};

void KinderErstellen(HWND wnd, HINSTANCE instanz) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    HFONT schrift = CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    int nummer = 0;
    for (const Kinder& k : kKinder)
        for (int i = 0; i < k.anzahl; ++i, ++nummer) {
            DWORD stil = WS_CHILD | WS_CLIPSIBLINGS | k.stil | (k.sichtbar ? WS_VISIBLE : 0);
            HWND kind = CreateWindowExW(k.erweitert, k.klasse, L"Verzeichnisse", stil, 8 + nummer % 4 * 132,
                                        8 + nummer / 4 * 80, 124, 72, wnd, nullptr, instanz, nullptr);
            SendMessageW(kind, WM_SETFONT, reinterpret_cast<WPARAM>(schrift), FALSE);
        }
}
#endif
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
    HWND wnd = CreateWindowExW(0, L"Minimalfenster", L"Minimalfenster", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr,
                               nullptr, instanz, nullptr);
#ifdef MIT_KINDFENSTERN
    KinderErstellen(wnd, instanz);
#endif
    ShowWindow(wnd, SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
