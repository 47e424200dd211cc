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

class TkivColorButton : public TButton {
public:
    explicit TkivColorButton(TComponent* owner);

    // The colour shown, in place of the button's own colour.
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    // True until the button's window is first made; meanwhile a new colour is only stored.
    bool Creating() const { return creating_; }
    // Covers the button and draws the swatch; owned by the button.
    TPaintBox* SwatchBox() const { return swatchBox_; }

    // The button's own click, then the colour dialog.
    void Click() override;

    TNotifyEvent OnColorChanged; // the dialog was confirmed, the colour changed or not
    TNotifyEvent OnBeforeDialog;
    TNotifyEvent OnAfterDialog; // confirmed or not

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void WndProc(TMessage& message) override;

private:
    void PaintSwatch();
    TColor color_ = clBtnFace;
    bool creating_ = true;
    TPaintBox* swatchBox_;
};
