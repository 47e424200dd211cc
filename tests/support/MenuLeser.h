#pragma once
// Reads and answers the real popup menus a test opens.
#include "util/Basis.h"

#include <windows.h>
#include <vector>

struct SeenMenuEntry {
    String text; // caption, a tab and the shortcut text; empty for a separator
    bool checked = false;
    bool grayed = false;
};

struct SeenMenu {
    std::vector<SeenMenuEntry> entries;
    RECT rect{};
};

// While alive, every popup menu this thread opens is read once it runs its loop, then the entry
// whose text begins with `choose` is chosen with the keyboard, or the menu is closed without a
// choice when there is none such.
class MenuLeser {
public:
    explicit MenuLeser(String choose = L"");
    ~MenuLeser();
    MenuLeser(const MenuLeser&) = delete;
    MenuLeser& operator=(const MenuLeser&) = delete;
    const std::vector<SeenMenu>& Menus() const { return menus_; }
    // The captions of the last menu read, without shortcut texts.
    std::vector<String> Captions() const;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    void Read(HWND menuWindow);
    String choose_;
    UINT_PTR timer_ = 0;
    HWND handled_ = nullptr;
    std::vector<SeenMenu> menus_;
};
