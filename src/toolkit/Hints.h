#pragma once
// Hints: a short text the program's one tooltip window shows while the mouse rests on a control.
#include "util/Basis.h"

#include <windows.h>

// The tooltip window, made when first asked for.
HWND HintWindow();
// Makes text the hint of the window control; an empty text removes it.
void SetWindowHint(HWND control, const String& text);
// The hint registered for the window control, empty when none.
String WindowHint(HWND control);
