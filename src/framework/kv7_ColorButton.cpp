#include "framework/kv7_ColorButton.h"

#include "settings/Einstellungsarten.h"
#include "toolkit/Dialogs.h"

String SharedCustomColors;

void InitSharedCustomColors() {
    SharedCustomColors =
        L"ColorA=A6CAF0;ColorB=C0DCC0;ColorC=FFFBF0;ColorD=A56E3A;ColorE=808000;ColorF=F0CAA6;";
}

namespace {
void ArtRegistrieren() {
    static const bool registriert = [] {
        using Z = const TEinstellungsZugriff&;
        EinstellungsartRegistrieren<TkivColorButton>(
            TArtZeile::ColorButton,
            [](TkivColorButton& b, Z z) { b.SetColor(z.IntegerLesen(b.Name(), b.Color())); },
            [](TkivColorButton& b, Z z) { z.IntegerSchreiben(b.Name(), b.Color()); });
        return true;
    }();
    (void)registriert;
}
} // namespace

TColor ContrastTextColor(TColor colour, int threshold) {
    COLORREF rgb = ColorToRGB(colour);
    int score = (GetBValue(rgb) > threshold ? 1 : 0) + (GetGValue(rgb) > threshold ? 2 : 0) +
                (GetRValue(rgb) > threshold ? 1 : 0);
    return score >= 2 ? clBlack : clWhite;
}

void DrawColorSwatch(TCanvas& canvas, const RECT& area, const String& text, TColor colour) {
    TBrushStyle brushStyle = canvas.Brush().Style();
    TColor penColor = canvas.Pen().Color();
    int penWidth = canvas.Pen().Width();
    TPenMode penMode = canvas.Pen().Mode();

    RECT fill = area;
    InflateRect(&fill, -2, -2);
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(colour);
    canvas.FillRect(fill);

    SIZE size = canvas.TextExtent(text);
    int left = area.left + (area.right - area.left - size.cx - 4) / 2;
    int top = area.top + (area.bottom - area.top - size.cy - 4) / 2;
    RECT box{left, top, left + size.cx + 4, top + size.cy + 4};
    canvas.Font().SetColor(ContrastTextColor(colour, 159));
    canvas.TextRect(box, left + 2, top + 2, text);

    canvas.Brush().SetStyle(brushStyle);
    canvas.Pen().SetColor(penColor);
    canvas.Pen().SetWidth(penWidth);
    canvas.Pen().SetMode(penMode);
}

TkivColorButton::TkivColorButton(TComponent* owner) : TButton(owner) {
    ArtRegistrieren();
    SetBounds(Left(), Top(), 80, 25);
    swatchBox_ = new TPaintBox(this);
    swatchBox_->SetParent(this);
    // A click on the swatch is a click on the button, which takes the focus as a button does.
    swatchBox_->OnClick = [this](TComponent*) {
        if (CanFocus()) SetFocus();
        Click();
    };
    swatchBox_->OnPaint = [this](TComponent*) { PaintSwatch(); };
    SetColor(clBtnFace);
}

// The button draws around the swatch only; the swatch shows the button's face at its margin.
void TkivColorButton::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.style |= WS_CLIPCHILDREN;
}

void TkivColorButton::CreateWnd() {
    creating_ = false;
    TButton::CreateWnd();
    swatchBox_->SetAlign(alClient);
}

void TkivColorButton::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    if (!creating_) swatchBox_->Repaint();
}

void TkivColorButton::PaintSwatch() {
    RECT area = swatchBox_->ClientRect();
    InflateRect(&area, -2, -2);
    DrawColorSwatch(swatchBox_->Canvas(), area, Caption(), color_);
}

// The button drew itself (focus, pressed or default look): the swatch takes the new face at its
// margin.
void TkivColorButton::WndProc(TMessage& m) {
    TButton::WndProc(m);
    switch (m.Msg) {
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
        if (swatchBox_->HandleAllocated()) InvalidateRect(swatchBox_->Handle(), nullptr, TRUE);
        break;
    }
}

void TkivColorButton::Click() {
    TButton::Click();
    if (OnBeforeDialog) OnBeforeDialog(this);
    {
        TColorDialog dialog(nullptr);
        dialog.SetColor(color_);
        TStrings& custom = dialog.CustomColors();
        custom.Clear();
        size_t start = 0;
        for (size_t end = SharedCustomColors.find(L';'); end != String::npos;
             end = SharedCustomColors.find(L';', start)) {
            custom.Add(SharedCustomColors.substr(start, end - start));
            start = end + 1;
        }
        if (dialog.Execute()) {
            SetColor(dialog.Color());
            String shared;
            for (int i = 0; i < custom.Count(); ++i)
                shared += custom[i] + L";";
            SharedCustomColors = shared;
            if (OnColorChanged) OnColorChanged(this);
        }
    }
    if (OnAfterDialog) OnAfterDialog(this);
}
