#pragma once
// Drives our windows the way the keyboard does, through the application's message processing.
#include "util/Basis.h"

#include <windows.h>

#include <functional>

// Posts WM_KEYDOWN and WM_KEYUP of vk to the focused window, with Shift held if asked, and
// lets the application process them.
void PressKey(WORD vk, bool shift = false);

// Marks a modifier key (VK_SHIFT, VK_CONTROL) held or released in the thread's key state, which
// posted key messages do not change.
void KeyHeld(WORD vk, bool down);

// Posts a typed character to the window and processes it.
void TypeChar(HWND wnd, wchar_t ch);

// The first visible top-level window of this thread with that class ("#32770" a dialog box,
// "#32768" a menu), or null.
HWND VisibleThreadWindow(const wchar_t* windowClass);

// Processes pending messages a few times over, so that posted follow-ups run too.
void Pump();

// Moves the mouse pointer to the centre of the window (or to a screen point) as the user does,
// and lets the application process what follows.
void MouseTo(HWND wnd);
void MouseToPoint(int x, int y);
// Moves the mouse pointer off our windows and processes messages until left() holds, for two
// seconds at most; returns left(). Windows reports the leave of a tracked window at once, Wine
// only when its tracking timer comes round (every hover time, 400 ms by default).
bool MouseAway(const std::function<bool()>& left);
// Presses and releases the left button where the pointer is.
void MouseClick();

// The text on the clipboard; empty when there is none.
String ZwischenablageText();
