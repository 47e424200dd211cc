#include "Schritte.h"
#include "WinInput.h"

namespace {
Schritte* g_schritte = nullptr;
}

bool DialogboxOffen() {
    return VisibleThreadWindow(L"#32770") != nullptr;
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
