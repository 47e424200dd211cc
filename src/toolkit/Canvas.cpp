// Drawing on a lent device context, and bitmaps with a canvas of their own.
#include "toolkit/Graphics.h"

#include "toolkit/SysUtils.h"

HDC TCanvas::Required() const {
    if (!dc_) throw Exception(L"Die Zeichenfläche hat keinen Gerätekontext");
    return dc_;
}

void TCanvas::FillRect(const RECT& rect) {
    if (brush_.Style() == bsClear) return;
    HBRUSH brush = CreateSolidBrush(ColorToRGB(brush_.Color()));
    ::FillRect(Required(), &rect, brush);
    DeleteObject(brush);
}

SIZE TCanvas::TextExtent(const String& text) {
    HDC dc = Required();
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return size;
}

void TCanvas::TextRect(const RECT& rect, int x, int y, const String& text) {
    HDC dc = Required();
    HGDIOBJ old = SelectObject(dc, font_.Handle());
    SetTextColor(dc, ColorToRGB(font_.Color()));
    UINT options = ETO_CLIPPED;
    if (brush_.Style() == bsSolid) {
        options |= ETO_OPAQUE;
        SetBkColor(dc, ColorToRGB(brush_.Color()));
        SetBkMode(dc, OPAQUE);
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    ExtTextOutW(dc, x, y, options, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    SelectObject(dc, old);
}

COLORREF TCanvas::Pixel(int x, int y) const {
    return GetPixel(Required(), x, y);
}

TBitmap::~TBitmap() {
    Dormant();
    if (dc_) DeleteDC(dc_);
    if (bitmap_) DeleteObject(bitmap_);
}

void TBitmap::Dormant() {
    if (dc_ && oldBitmap_) SelectObject(dc_, oldBitmap_);
    oldBitmap_ = nullptr;
}

void TBitmap::Replace(HBITMAP bitmap) {
    Dormant();
    if (bitmap_) DeleteObject(bitmap_);
    bitmap_ = bitmap;
    BITMAP info{};
    GetObjectW(bitmap_, sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
}

void TBitmap::SetSize(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        throw Exception(Format(L"Ein Bild von %d x %d Punkten kann nicht angelegt werden: %s", width, height,
                               SystemFehlerText(GetLastError()).c_str()));
    Replace(bitmap);
    RECT all{0, 0, width, height};
    TCanvas& canvas = Canvas();
    canvas.Brush().SetColor(clWhite);
    canvas.Brush().SetStyle(bsSolid);
    canvas.FillRect(all);
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const String& name) {
    if (!module) module = GetModuleHandleW(nullptr);
    auto bitmap =
        static_cast<HBITMAP>(LoadImageW(module, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (!bitmap)
        throw Exception(Format(L"Das Bild \"%s\" fehlt in den Ressourcen des Programms: %s", name.c_str(),
                               SystemFehlerText(GetLastError()).c_str()));
    Replace(bitmap);
}

HBITMAP TBitmap::Handle() {
    Dormant();
    return bitmap_;
}

TCanvas& TBitmap::Canvas() {
    if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) throw Exception(L"Für das Bild kann kein Gerätekontext angelegt werden");
        canvas_.SetHandle(dc_);
    }
    if (bitmap_ && !oldBitmap_) oldBitmap_ = SelectObject(dc_, bitmap_);
    return canvas_;
}
