#pragma once
// Drives a modal window of our own from inside its loop: one step per tick of a thread timer,
// each only while no message box of the thread is open, so that a step sees what the previous
// one and the box it raised left behind.
#include <windows.h>

#include <functional>
#include <vector>

class Schritte {
public:
    using Schritt = std::function<void()>;
    // notbremse runs on every tick after the last step, until the caller's loop has ended.
    explicit Schritte(std::vector<Schritt> schritte, Schritt notbremse = nullptr);
    ~Schritte();
    Schritte(const Schritte&) = delete;
    Schritte& operator=(const Schritte&) = delete;
    size_t Gelaufen() const { return gelaufen_; }
    bool Gebremst() const { return gebremst_; }

private:
    static void CALLBACK Takt(HWND, UINT, UINT_PTR id, DWORD);
    std::vector<Schritt> schritte_;
    Schritt notbremse_;
    size_t gelaufen_ = 0;
    bool gebremst_ = false;
    bool laeuft_ = false;
    UINT_PTR timer_ = 0;
};

// True while a dialog box (a message box, say) of this thread is shown.
bool DialogboxOffen();
