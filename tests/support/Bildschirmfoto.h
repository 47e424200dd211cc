#pragma once
#include "util/Basis.h"

#include <windows.h>

// Writes what the screen shows of the window (frame included) as a 24-bit BMP file.
bool FensterFoto(HWND fenster, const String& datei);

#include <vector>

// What the screen shows of a window's client area, 32 bits per pixel, top row first.
struct Bild {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    COLORREF At(int x, int y) const {
        DWORD p = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};
Bild Aufnehmen(HWND wnd);

// Draws the window and everything in it now and lets the X server catch up.
void Zeichnen(HWND wnd);
