#pragma once
#include "util/Basis.h"

#include <windows.h>

// Writes what the screen shows of the window (frame included) as a 24-bit BMP file.
bool FensterFoto(HWND fenster, const String& datei);
