// Procedures the system calls: an exception thrown in one reaches the error box, and the system
// call that ran it returns, so the program goes on. The 32-bit build cannot unwind through the
// system's frames; there a missing guard ends the test program.
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/SysUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

[[noreturn]] void Werfen() { throw Exception(L"Fehler im Rückruf"); }

LRESULT CALLBACK Haken(int code, WPARAM wParam, LPARAM lParam) {
    GuardCallback([] { Werfen(); });
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The message arrives in the hook first, then in the loop as usual.
bool ImHaken() {
    HHOOK haken = SetWindowsHookExW(WH_GETMESSAGE, Haken, nullptr, GetCurrentThreadId());
    PostThreadMessageW(GetCurrentThreadId(), WM_APP, 7, 0);
    MSG msg{};
    bool angekommen = PeekMessageW(&msg, nullptr, WM_APP, WM_APP, PM_REMOVE) && msg.wParam == 7;
    UnhookWindowsHookEx(haken);
    return angekommen;
}

INT_PTR CALLBACK Dialog(HWND dialog, UINT msg, WPARAM, LPARAM) {
    if (msg == WM_INITDIALOG) PostMessageW(dialog, WM_APP, 0, 0);
    if (msg == WM_APP) EndDialog(dialog, 7);
    if (msg != WM_INITDIALOG) return FALSE;
    return GuardCallback(INT_PTR{TRUE}, [] () -> INT_PTR { Werfen(); });
}

// The dialog still runs and ends with its own result.
bool ImDialog() {
    alignas(DWORD) WORD vorlage[16] = {};
    auto* kopf = reinterpret_cast<DLGTEMPLATE*>(vorlage);
    kopf->style = WS_POPUP | WS_CAPTION;
    kopf->cx = 80;
    kopf->cy = 40;
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), kopf, nullptr, Dialog, 0) == 7;
}

BOOL CALLBACK Aufzaehlen(HWND, LPARAM gesehen) {
    ++*reinterpret_cast<int*>(gesehen);
    return GuardCallback(TRUE, [] () -> BOOL { Werfen(); });
}

// The enumeration goes on past the failed window.
bool InAufzaehlung() {
    HWND a = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    int gesehen = 0;
    EnumThreadWindows(GetCurrentThreadId(), Aufzaehlen, reinterpret_cast<LPARAM>(&gesehen));
    DestroyWindow(a);
    DestroyWindow(b);
    return gesehen >= 2;
}

void CALLBACK Takt(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    GuardCallback([] { Werfen(); });
}

// The timer procedure runs inside DispatchMessage, which returns.
bool ImTakt() {
    SetTimer(nullptr, 0, 1, Takt);
    for (DWORD ende = GetTickCount() + 5000; GetTickCount() < ende; Sleep(1)) {
        MSG msg;
        if (!PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) continue;
        DispatchMessageW(&msg);
        return true;
    }
    return false;
}

} // namespace

TEST(GuardCallback, ExceptionInASystemCallbackReachesTheErrorBoxAndTheProgramGoesOn) {
    struct Fall {
        const char* art;
        bool (*ausfuehren)();
    } faelle[] = {{"hook procedure", ImHaken},
                  {"dialog procedure", ImDialog},
                  {"enumeration callback", InAufzaehlung},
                  {"timer procedure", ImTakt}};
    for (const Fall& f : faelle) {
        std::vector<String> gezeigt;
        auto vorher = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
            gezeigt.push_back(a.text);
            return IDOK;
        });
        EXPECT_TRUE(f.ausfuehren()) << f.art;
        SetMessageBoxCapture(std::move(vorher));
        ASSERT_FALSE(gezeigt.empty()) << f.art;
        EXPECT_EQ(gezeigt.front(), L"Fehler im Rückruf.") << f.art;
    }
}
