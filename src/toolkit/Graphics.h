#pragma once
#include "util/Basis.h"

#include <windows.h>
#include <cstdint>
#include <functional>
#include <memory>

// Colours: an RGB value, or a system colour as 0xFF000000 plus its COLOR_ index.
using TColor = int32_t;
constexpr TColor SystemColor(int index) {
    return static_cast<TColor>(0xFF000000u | static_cast<uint32_t>(index));
}
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SystemColor(COLOR_BTNSHADOW);
constexpr TColor clBtnHighlight = SystemColor(COLOR_BTNHIGHLIGHT);
constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
constexpr TColor clHighlight = SystemColor(COLOR_HIGHLIGHT);
constexpr TColor clGrayText = SystemColor(COLOR_GRAYTEXT);
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;

COLORREF ColorToRGB(TColor color);

// A solid brush for one colour, made when first asked for.
class TBrush {
public:
    TBrush() = default;
    ~TBrush();
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    HBRUSH Handle(TColor color);

private:
    HBRUSH handle_ = nullptr;
    bool owned_ = false;
    TColor color_ = 0;
};

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// A font description. Copies made with Assign share one GDI font until one of them changes.
class TFont {
public:
    TFont() = default;
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;

    const String& Name() const { return name_; }
    void SetName(const String& name);
    // Negative: character height in pixels (the forms' -11 is Tahoma 8 pt at 96 dpi).
    int Height() const { return height_; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles style);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    HFONT Handle() const;
    void Assign(const TFont& source);
    bool SameAs(const TFont& other) const;

    std::function<void()> OnChange;

private:
    void Changed();
    String name_ = L"Tahoma";
    int height_ = -11;
    TFontStyles style_ = 0;
    TColor color_ = clWindowText;
    mutable std::shared_ptr<std::remove_pointer_t<HFONT>> handle_;
};

// Size of a text drawn in a font with DrawText flags (DT_SINGLELINE, DT_WORDBREAK with maxWidth).
SIZE TextExtent(const TFont& font, const String& text, UINT flags, int maxWidth = 0);

enum TBrushStyle { bsSolid, bsClear };
// How the pen combines with what is there (the R2_ mix modes).
enum TPenMode { pmCopy = R2_COPYPEN, pmNot = R2_NOT, pmXor = R2_XORPEN, pmNotXor = R2_NOTXORPEN };

class TCanvasBrush {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle style) { style_ = style; }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

// The pen's colour, width and mix mode, part of a canvas's drawing state.
class TPen {
public:
    TColor Color() const { return color_; }
    void SetColor(TColor color) { color_ = color; }
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode mode) { mode_ = mode; }

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenMode mode_ = pmCopy;
};

// Drawing on a device context with a brush, a pen and a font of its own. The context is lent to it
// (a window's paint context, a bitmap's memory context) and stays its lender's.
class TCanvas {
public:
    TCanvas() = default;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle() const { return dc_; }
    void SetHandle(HDC dc) { dc_ = dc; }
    TCanvasBrush& Brush() { return brush_; }
    TPen& Pen() { return pen_; }
    TFont& Font() { return font_; }

    // Fills with the brush; a clear brush leaves the rectangle as it is.
    void FillRect(const RECT& rect);
    SIZE TextExtent(const String& text);
    int TextWidth(const String& text) { return TextExtent(text).cx; }
    int TextHeight(const String& text) { return TextExtent(text).cy; }
    // Draws text at x, y clipped to rect; with a solid brush the whole rect takes the brush's colour
    // behind the text.
    void TextRect(const RECT& rect, int x, int y, const String& text);
    COLORREF Pixel(int x, int y) const;

private:
    HDC Required() const;
    HDC dc_ = nullptr;
    TCanvasBrush brush_;
    TPen pen_;
    TFont font_;
};

// A device-independent bitmap with a canvas on a memory context of its own.
class TBitmap {
public:
    TBitmap() = default;
    ~TBitmap();
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return width_; }
    int Height() const { return height_; }
    // A new 24-bit bitmap of that size, white.
    void SetSize(int width, int height);
    // Replaces the bitmap with the named bitmap resource of module (null: the program's own).
    void LoadFromResourceName(HINSTANCE module, const String& name);
    // The bitmap, selected into no context (the canvas gives it up until it is used again).
    HBITMAP Handle();
    TCanvas& Canvas();

private:
    void Replace(HBITMAP bitmap);
    void Dormant();
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int width_ = 0, height_ = 0;
    TCanvas canvas_;
};
