#include "Bildschirmfoto.h"

#include "WinInput.h"

#include <vector>

bool FensterFoto(HWND fenster, const String& datei) {
    RECT r;
    GetWindowRect(fenster, &r);
    int w = r.right - r.left, h = r.bottom - r.top;
    HDC bildschirm = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(bildschirm);
    HBITMAP bild = CreateCompatibleBitmap(bildschirm, w, h);
    HGDIOBJ alt = SelectObject(dc, bild);
    BitBlt(dc, 0, 0, w, h, bildschirm, r.left, r.top, SRCCOPY);
    SelectObject(dc, alt);
    BITMAPINFOHEADER info{sizeof info, w, h, 1, 24, BI_RGB};
    int zeile = ((w * 3 + 3) / 4) * 4;
    std::vector<char> pixel(static_cast<size_t>(zeile) * static_cast<size_t>(h));
    GetDIBits(dc, bild, 0, static_cast<UINT>(h), pixel.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bild);
    DeleteDC(dc);
    ReleaseDC(nullptr, bildschirm);
    BITMAPFILEHEADER kopf{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof info + pixel.size()),
                          0, 0, sizeof(BITMAPFILEHEADER) + sizeof info};
    HANDLE f = CreateFileW(datei.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD n;
    bool ok = WriteFile(f, &kopf, sizeof kopf, &n, nullptr) &&
              WriteFile(f, &info, sizeof info, &n, nullptr) &&
              WriteFile(f, pixel.data(), static_cast<DWORD>(pixel.size()), &n, nullptr);
    CloseHandle(f);
    return ok;
}

Bild Aufnehmen(HWND wnd) {
    RECT r;
    GetClientRect(wnd, &r);
    MapWindowPoints(wnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    Bild b;
    b.width = r.right - r.left;
    b.height = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, b.width, b.height);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, b.width, b.height, screen, r.left, r.top, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), b.width, -b.height, 1, 32, BI_RGB};
    b.pixels.resize(static_cast<size_t>(b.width) * static_cast<size_t>(b.height));
    GetDIBits(dc, bmp, 0, static_cast<UINT>(b.height), b.pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return b;
}

void Zeichnen(HWND wnd) {
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
    GdiFlush();
    Sleep(100); // the X server catches up with what was drawn
}
