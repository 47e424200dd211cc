#pragma once
#include "util/Basis.h"

#include <exception>

// The application's error report: exceptions that reach the message loop or a window
// procedure end up here. EAbort is swallowed; every other error is shown in the general
// error box with its own text.
void HandleException(std::exception_ptr error);
void ShowException(const std::exception& error);

// The error report for an exception caught in a procedure the system calls; never throws.
void HandleCallbackException(std::exception_ptr error) noexcept;

// Runs the body of a procedure we hand to the system (window, subclass, hook, dialog,
// enumeration, timer and console procedures). No exception may unwind through the system's
// frames (the 32-bit build unwinds with tables that cannot pass them, and the process ends),
// so one that reaches here goes to the error report and the procedure returns onError.
template <class R, class Body> R GuardCallback(R onError, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        HandleCallbackException(std::current_exception());
        return onError;
    }
}

template <class Body> void GuardCallback(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
        HandleCallbackException(std::current_exception());
    }
}

// Title of the general error box (the program's name).
const String& ApplicationTitle();
void SetApplicationTitle(const String& title);

#include <windows.h>

// Handles the window messages pending for this thread, then returns (Application()->ProcessMessages).
void ProcessMessages();

// The application's main window; null until it exists. Boxes are centred on it.
HWND ApplicationMainWindow();
void SetApplicationMainWindow(HWND wnd);
