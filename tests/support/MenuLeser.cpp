#include "MenuLeser.h"
#include "WinInput.h"

namespace {
MenuLeser* g_leser = nullptr;

// The visible menu window of this thread, if one is open.
HWND OpenMenuWindow() {
    return VisibleThreadWindow(L"#32768");
}

void Key(HWND target, WORD vk) {
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(target, WM_KEYUP, vk, scan | 1 | (3u << 30));
}
} // namespace

MenuLeser::MenuLeser(String choose) : choose_(std::move(choose)) {
    g_leser = this;
    timer_ = SetTimer(nullptr, 0, 40, Tick);
}

MenuLeser::~MenuLeser() {
    KillTimer(nullptr, timer_);
    g_leser = nullptr;
}

std::vector<String> MenuLeser::Captions() const {
    std::vector<String> captions;
    if (menus_.empty()) return captions;
    for (const SeenMenuEntry& e : menus_.back().entries)
        captions.push_back(e.text.substr(0, e.text.find(L'\t')));
    return captions;
}

// Timers run inside the menu's own loop as well; each open menu is handled once.
void CALLBACK MenuLeser::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_leser) return;
    HWND menu = OpenMenuWindow();
    if (!menu) {
        g_leser->handled_ = nullptr;
        return;
    }
    if (menu == g_leser->handled_) return;
    g_leser->handled_ = menu;
    g_leser->Read(menu);
}

void MenuLeser::Read(HWND menuWindow) {
    SeenMenu seen;
    GetWindowRect(menuWindow, &seen.rect);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    int downs = 0, choice = -1;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        SeenMenuEntry e;
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if (!(state & MF_SEPARATOR)) {
            wchar_t text[256] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
            e.text = text;
            ++downs;
            if (choice < 0 && !choose_.empty() && e.text.compare(0, choose_.size(), choose_) == 0)
                choice = downs;
        }
        e.checked = (state & MF_CHECKED) != 0;
        e.grayed = (state & (MF_GRAYED | MF_DISABLED)) != 0;
        seen.entries.push_back(e);
    }
    menus_.push_back(seen);
    if (choice < 0) {
        EndMenu();
        return;
    }
    // The first arrow selects the first entry; separators are skipped.
    HWND target = GetFocus() ? GetFocus() : menuWindow;
    for (int i = 0; i < choice; ++i)
        Key(target, VK_DOWN);
    Key(target, VK_RETURN);
}
