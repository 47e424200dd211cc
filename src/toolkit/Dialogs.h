#pragma once
#include "util/Basis.h"

#include <functional>
#include <windows.h>

// Everything one message box needs. Every box of the program goes through ShowMessageBox.
struct MessageBoxArgs {
    String text;
    String caption;
    UINT icon = 0;              // MB_ICONERROR, MB_ICONINFORMATION, ...
    UINT buttons = MB_OK;       // MB_OK, MB_YESNO, ...
    int defaultResult = IDOK;   // the button with this result carries the default mark; none if no such button
    int left = -1, top = -1;    // negative: keep; both negative: centre on the main window
    bool beep = false;          // sound the default beep first
};

// Shows the box modally and returns the result of the button that closed it.
int ShowMessageBox(const MessageBoxArgs& args);

// A capture replaces the real box (tests, the unattended run). Returns the previous one.
using MessageBoxCapture = std::function<int(const MessageBoxArgs&)>;
MessageBoxCapture SetMessageBoxCapture(MessageBoxCapture capture);

// The window a box is centred on, and owned by unless another window of the thread is active;
// the application sets it to its main window.
void SetMessageBoxOwner(HWND owner);
HWND MessageBoxOwner();
