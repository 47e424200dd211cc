#include "framework/kv7_ColorButton.h"

#include "settings/Einstellungsarten.h"
#include "sys/Auswahl.h"
#include "toolkit/Dialogs.h"

#include <commctrl.h>

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

bool IstFarbwert(TColor colour) {
    if (colour >= 0) return colour <= 0xFFFFFF;
    const TColor index = colour & 0x00FFFFFF;
    return colour == SystemColor(index) && index <= COLOR_MENUBAR;
}

TkivColorButton::TkivColorButton(TComponent* owner) : TButton(owner) {
    ArtRegistrieren();
    SetBounds(Left(), Top(), 80, 25);
}

void TkivColorButton::CreateWnd() {
    creating_ = false;
    TButton::CreateWnd();
}

void TkivColorButton::SetColor(TColor color) {
    if (color == color_ || !IstFarbwert(color)) return;
    color_ = color;
    if (!creating_ && HandleAllocated()) RedrawWindow(WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// The face, its focus frame and its pressed look are the system's; the swatch goes on top once
// they are drawn, however the button came to paint itself.
LRESULT TkivColorButton::CNNotify(NMHDR* header) {
    if (header->code != NM_CUSTOMDRAW) return CDRF_DODEFAULT;
    auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
    if (draw->dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYPOSTPAINT;
    if (draw->dwDrawStage == CDDS_POSTPAINT) {
        customDraw_ = true;
        PaintSwatch(draw->hdc, draw->rc);
    }
    return CDRF_DODEFAULT;
}

void TkivColorButton::PaintSwatch(HDC dc, const RECT& client) {
    RECT area = client;
    InflateRect(&area, -2, -2);
    const LRESULT state = SendMessageW(WindowHandle(), BM_GETSTATE, 0, 0);
    if (state & BST_PUSHED) OffsetRect(&area, 1, 1);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.Font().Assign(Font());
    DrawColorSwatch(canvas, area, Caption(), color_);
    // Outside the focus frame, which one system draws over the swatch's surroundings afterwards.
    if (hot_ || (state & BST_HOT)) FrameRect(dc, &area, GetSysColorBrush(COLOR_HIGHLIGHT));
}

// The system's buttons do not all tell their parent when the mouse comes and goes. The older
// buttons (without common controls 6) tell nothing of their painting and redraw themselves on a
// change of state outside WM_PAINT: there the swatch follows each paint and each such change.
void TkivColorButton::WndProc(TMessage& m) {
    if (!customDraw_) {
        switch (m.Msg) {
        case WM_PAINT: {
            TButton::WndProc(m);
            if (customDraw_) return;
            RECT client;
            GetClientRect(WindowHandle(), &client);
            HDC dc = GetDC(WindowHandle());
            PaintSwatch(dc, client);
            ReleaseDC(WindowHandle(), dc);
            return;
        }
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_UPDATEUISTATE:
            TButton::WndProc(m);
            InvalidateRect(WindowHandle(), nullptr, FALSE);
            return;
        }
    }
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, WindowHandle(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(WindowHandle(), nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        InvalidateRect(WindowHandle(), nullptr, FALSE);
        break;
    }
    TButton::WndProc(m);
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
        if (AuswahlAusfuehren(dialog)) {
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
