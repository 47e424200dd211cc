#include "Bildschirmfoto.h"

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
