#pragma once
#include "util/Basis.h"

#include <exception>

// The application's error report: exceptions that reach the message loop or a window
// procedure end up here. EAbort is swallowed; every other error is shown in the general
// error box with its own text.
void HandleException(std::exception_ptr error);
void ShowException(const std::exception& error);

// Title of the general error box (the program's name).
const String& ApplicationTitle();
void SetApplicationTitle(const String& title);

#include <windows.h>

// Handles the window messages pending for this thread, then returns (Application()->ProcessMessages).
void ProcessMessages();

// The application's main window; null until it exists. Boxes are centred on it.
HWND ApplicationMainWindow();
void SetApplicationMainWindow(HWND wnd);
