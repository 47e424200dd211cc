#include "toolkit/Graphics.h"

COLORREF ColorToRGB(TColor color) {
    if (color < 0) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color);
}

TBrush::~TBrush() {
    if (owned_) DeleteObject(handle_);
}

HBRUSH TBrush::Handle(TColor color) {
    if (handle_ && color == color_) return handle_;
    if (owned_) DeleteObject(handle_);
    color_ = color;
    // System colour brushes belong to the system and are never deleted.
    owned_ = color >= 0;
    handle_ = owned_ ? CreateSolidBrush(ColorToRGB(color)) : GetSysColorBrush(static_cast<int>(color & 0xFF));
    return handle_;
}

void TFont::SetName(const String& name) {
    if (name == name_) return;
    name_ = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == height_) return;
    height_ = height;
    Changed();
}

// The program is not DPI aware: the system shows it at 96 dpi and scales the whole window.
int TFont::Size() const {
    return -MulDiv(height_, 72, 96);
}
void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, 96, 72));
}

void TFont::SetStyle(TFontStyles style) {
    if (style == style_) return;
    style_ = style;
    Changed();
}

void TFont::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    Changed();
}

void TFont::Changed() {
    // The old GDI font lives on until the windows using it were given the new one.
    auto old = std::move(handle_);
    handle_.reset();
    if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
    if (!handle_) {
        LOGFONTW lf{};
        lf.lfHeight = height_;
        lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
        lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
        lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
        lf.lfStrikeOut = (style_ & fsStrikeOut) ? TRUE : FALSE;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
        HFONT font = CreateFontIndirectW(&lf);
        if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        bool stock = font == GetStockObject(DEFAULT_GUI_FONT);
        handle_.reset(font, [stock](HFONT f) {
            if (!stock) DeleteObject(f);
        });
    }
    return handle_.get();
}

bool TFont::SameAs(const TFont& other) const {
    return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ &&
           color_ == other.color_;
}

void TFont::Assign(const TFont& source) {
    if (&source == this || (SameAs(source) && handle_ == source.handle_)) return;
    name_ = source.name_;
    height_ = source.height_;
    style_ = source.style_;
    color_ = source.color_;
    source.Handle();
    handle_ = source.handle_;
    if (OnChange) OnChange();
}

SIZE TextExtent(const TFont& font, const String& text, UINT flags, int maxWidth) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font.Handle());
    RECT r{0, 0, maxWidth, 0};
    DrawTextW(dc, text.empty() ? L" " : text.c_str(), -1, &r, flags | DT_CALCRECT);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    SIZE size{r.right - r.left, r.bottom - r.top};
    if (text.empty()) size.cx = 0;
    return size;
}
