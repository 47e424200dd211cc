#pragma once
// A push button that shows a colour, its caption on it in black or white, and lets the user change
// the colour through the system's colour dialog.
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

// The colour dialogs' custom colours, shared by every colour button of the process: entries
// "ColorA=hex" to "ColorP=hex", each ended by ";". Kept in memory for the run only.
extern String SharedCustomColors;
// The start value; each program sets it before its first window.
void InitSharedCustomColors();

// Black when at least two of the channels blue, green (counting twice) and red lie above the
// threshold, else white.
TColor ContrastTextColor(TColor colour, int threshold);
// Fills area less 2 pixels on every side with colour and writes text centred on it in the
// contrast colour; the canvas's brush style and pen come back as they were.
void DrawColorSwatch(TCanvas& canvas, const RECT& area, const String& text, TColor colour);

// A colour the button can show: an RGB value (0 to 0xFFFFFF) or one of the system colours.
bool IstFarbwert(TColor colour);

// The swatch is drawn in the button's own paint, over its face, so the face keeps the system's
// look and the button gets every mouse message: hovered, the swatch is framed; pressed, it moves
// by a pixel.
class TkivColorButton : public TButton {
public:
    explicit TkivColorButton(TComponent* owner);

    // The colour shown, in place of the button's own colour. A value that is no colour is ignored.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // True until the button's window is first made; meanwhile a new colour is only stored.
    bool Creating() const { return creating_; }

    // The button's own click, then the colour dialog.
    void Click() override;

    TNotifyEvent OnColorChanged; // the dialog was confirmed, the colour changed or not
    TNotifyEvent OnBeforeDialog;
    TNotifyEvent OnAfterDialog; // confirmed or not

protected:
    void CreateWnd() override;
    void WndProc(TMessage& message) override;
    LRESULT CNNotify(NMHDR* header) override;

private:
    void PaintSwatch(HDC dc, const RECT& client);
    TColor color_ = clBtnFace;
    bool creating_ = true;
    bool hot_ = false;        // the mouse is over the button
    bool customDraw_ = false; // the button has told its parent of a paint
};
