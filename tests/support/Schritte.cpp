#include "Schritte.h"

namespace {
Schritte* g_schritte = nullptr;
}

bool DialogboxOffen() {
    bool offen = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM lParam) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(wnd, cls, 16);
            if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(wnd)) return TRUE;
            *reinterpret_cast<bool*>(lParam) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&offen));
    return offen;
}

Schritte::Schritte(std::vector<Schritt> schritte, Schritt notbremse)
    : schritte_(std::move(schritte)), notbremse_(std::move(notbremse)) {
    g_schritte = this;
    timer_ = SetTimer(nullptr, 0, 60, Takt);
}

Schritte::~Schritte() {
    KillTimer(nullptr, timer_);
    g_schritte = nullptr;
}

// A step that opens a box of its own runs the box's loop, in which the timer ticks on: such
// ticks wait.
void CALLBACK Schritte::Takt(HWND, UINT, UINT_PTR, DWORD) {
    Schritte* s = g_schritte;
    if (!s || s->laeuft_ || DialogboxOffen()) return;
    s->laeuft_ = true;
    if (s->gelaufen_ < s->schritte_.size()) {
        s->schritte_[s->gelaufen_++]();
    } else if (s->notbremse_) {
        s->gebremst_ = true;
        s->notbremse_();
    }
    if (g_schritte == s) s->laeuft_ = false;
}
