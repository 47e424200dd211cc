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
