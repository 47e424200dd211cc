#include "framework/kv7_ColorButton.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "Bildschirmfoto.h"
#include "DialogFahrer.h"
#include "IniText.h"
#include "Speicherfenster.h"
#include "Steuerelemente6.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <colordlg.h>

namespace {

struct Fenster {
    Fenster() {
        form.SetBounds(80, 80, 300, 120);
        a = new TkivColorButton(&form);
        a->SetParent(&form);
        b = new TkivColorButton(&form);
        b->SetParent(&form);
        a->SetBounds(10, 10, 120, 40);
        b->SetBounds(140, 10, 80, 25);
        a->SetCaption(L"Hintergrund");
        b->SetCaption(L"Schrift");
    }
    void Zeigen() {
        form.Show();
        Pump();
    }
    TForm form{nullptr};
    TkivColorButton* a;
    TkivColorButton* b;
};

constexpr TColor Farbe(int r, int g, int b) {
    return static_cast<TColor>(RGB(r, g, b));
}

const String kStart = L"ColorA=A6CAF0;ColorB=C0DCC0;ColorC=FFFBF0;ColorD=A56E3A;ColorE=808000;ColorF=F0CAA6;";

} // namespace

TEST(ContrastTextColor, BlackWhereTwoWeightedChannelsPassTheThreshold) {
    struct Fall {
        const char* was;
        TColor farbe, schrift;
    } faelle[] = {
        {"white", Farbe(255, 255, 255), clBlack},    {"blue", Farbe(0, 0, 255), clWhite},
        {"green", Farbe(0, 255, 0), clBlack},        {"magenta", Farbe(255, 0, 255), clBlack},
        {"red", Farbe(255, 0, 0), clWhite},          {"grey 159", Farbe(159, 159, 159), clWhite},
        {"grey 160", Farbe(160, 160, 160), clBlack}, {"black", Farbe(0, 0, 0), clWhite},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(ContrastTextColor(f.farbe, 159), f.schrift) << f.was;
}

// On a bitmap: the colour fills the area less 2 pixels on every side, the caption stands centred
// on it in the contrast colour, and the canvas keeps its brush style and pen.
TEST(DrawColorSwatch, FillsInsideTheAreaAndCentresTheCaptionInTheContrastColour) {
    const COLORREF vorher = RGB(12, 34, 56);
    for (COLORREF farbe : {RGB(255, 255, 255), RGB(0, 0, 255), RGB(0, 160, 0)}) {
        TBitmap bild;
        bild.SetSize(80, 25);
        TCanvas& c = bild.Canvas();
        c.Brush().SetColor(static_cast<TColor>(vorher));
        c.FillRect({0, 0, 80, 25});
        c.Brush().SetStyle(bsClear);
        c.Pen().SetColor(Farbe(255, 0, 0));
        c.Pen().SetWidth(3);
        c.Pen().SetMode(pmXor);
        DrawColorSwatch(c, {2, 2, 78, 23}, L"Farbe", static_cast<TColor>(farbe));
        EXPECT_EQ(c.Brush().Style(), bsClear);
        EXPECT_EQ(c.Pen().Color(), Farbe(255, 0, 0));
        EXPECT_EQ(c.Pen().Width(), 3);
        EXPECT_EQ(c.Pen().Mode(), pmXor);

        for (auto [x, y] : {std::pair{4, 4}, {75, 4}, {4, 20}, {75, 20}})
            EXPECT_EQ(c.Pixel(x, y), farbe) << x << "," << y;
        for (auto [x, y] : {std::pair{3, 4}, {4, 3}, {76, 20}, {75, 21}, {0, 0}})
            EXPECT_EQ(c.Pixel(x, y), vorher) << x << "," << y;
        const COLORREF schrift = ColorToRGB(ContrastTextColor(static_cast<TColor>(farbe), 159));
        int links = 80, rechts = -1, oben = 25, unten = -1, anzahl = 0;
        for (int y = 4; y < 21; ++y)
            for (int x = 4; x < 76; ++x) {
                COLORREF p = c.Pixel(x, y);
                if (p == farbe) continue;
                links = std::min(links, x), rechts = std::max(rechts, x);
                oben = std::min(oben, y), unten = std::max(unten, y);
                if (p == schrift) ++anzahl;
            }
        EXPECT_GT(anzahl, 15) << "caption in the contrast colour";
        EXPECT_LE(std::abs((links + rechts) - 79), 4) << "centred across";
        EXPECT_LE(std::abs((oben + unten) - 24), 6) << "centred down";
    }
}

// The swatch leaves a margin of 4 pixels of the button's own face, also for a colour set before
// the button's window was made.
TEST(TkivColorButton, TheSwatchLeavesAFourPixelMargin) {
    Steuerelemente6 wieDieProgramme;
    Fenster f;
    const COLORREF rot = RGB(255, 0, 0);
    f.a->SetColor(static_cast<TColor>(rot));
    EXPECT_TRUE(f.a->Creating());
    f.Zeigen();
    EXPECT_FALSE(f.a->Creating());
    Zeichnen(f.form.Handle());
    Bild b = Aufnehmen(f.a->Handle());
    ASSERT_EQ(b.width, 120);
    for (auto [x, y] : {std::pair{4, 4}, {115, 4}, {4, 35}, {115, 35}, {4, 20}})
        EXPECT_EQ(b.At(x, y), rot) << x << "," << y;
    for (auto [x, y] : {std::pair{3, 4}, {4, 3}, {116, 35}, {115, 36}, {3, 20}, {1, 1}})
        EXPECT_NE(b.At(x, y), rot) << x << "," << y;
    // A new colour shows at once.
    f.a->SetColor(Farbe(0, 0, 255));
    GdiFlush();
    Sleep(100);
    EXPECT_EQ(Aufnehmen(f.a->Handle()).At(4, 4), RGB(0, 0, 255));
    // With the focus, the button's focus frame shows in the margin; the swatch stays.
    f.b->SetFocus();
    Pump();
    GdiFlush();
    Sleep(100);
    Bild ohne = Aufnehmen(f.a->Handle());
    f.a->SetFocus();
    Pump();
    GdiFlush();
    Sleep(100);
    Bild mit = Aufnehmen(f.a->Handle());
    int geaendert = 0;
    for (int x = 2; x < 118; ++x)
        geaendert += (ohne.At(x, 3) != mit.At(x, 3)) + (ohne.At(x, 36) != mit.At(x, 36));
    EXPECT_GT(geaendert, 20);

    EXPECT_EQ(mit.At(20, 6), RGB(0, 0, 255));

    // The mouse reaches the button itself: over it the swatch is framed, pressed it moves down
    // and right by a pixel.
    const COLORREF rahmen = GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_NE(mit.At(2, 20), rahmen);
    MouseTo(f.a->Handle());
    GdiFlush();
    Sleep(100);
    EXPECT_EQ(Aufnehmen(f.a->Handle()).At(2, 20), rahmen);
    SendMessageW(f.a->Handle(), BM_SETSTATE, TRUE, 0);
    Pump();
    GdiFlush();
    Sleep(100);
    Bild gedrueckt = Aufnehmen(f.a->Handle());
    EXPECT_NE(gedrueckt.At(4, 4), RGB(0, 0, 255));
    EXPECT_EQ(gedrueckt.At(116, 36), RGB(0, 0, 255));
    SendMessageW(f.a->Handle(), BM_SETSTATE, FALSE, 0);
    // The mouse leaves: the frame goes.
    EXPECT_TRUE(MouseAway([&] {
        GdiFlush();
        return Aufnehmen(f.a->Handle()).At(2, 20) != rahmen;
    }));
}

// Cancelled, the dialog raises only the events around it and leaves colour and custom colours;
// confirmed unchanged, it still reports the colour changed and hands back its custom colours. A
// colour added to them in one button's dialog is among them in the next, opened from the other.
TEST(TkivColorButton, TheDialogReportsConfirmationAndHandsOnTheCustomColours) {
    InitSharedCustomColors();
    EXPECT_EQ(SharedCustomColors, kStart);
    Fenster f;
    f.Zeigen();
    f.a->SetColor(Farbe(10, 20, 30));
    std::vector<String> ereignisse;
    f.a->OnClick = [&](TComponent*) { ereignisse.push_back(L"Klick"); };
    f.a->OnBeforeDialog = [&](TComponent*) { ereignisse.push_back(L"vorher"); };
    f.a->OnColorChanged = [&](TComponent*) { ereignisse.push_back(L"geändert"); };
    f.a->OnAfterDialog = [&](TComponent*) { ereignisse.push_back(L"nachher"); };
    {
        DialogFahrer abbrechen({[](HWND d) { DialogKnopf(d, IDCANCEL); }});
        f.a->Click();
    }
    EXPECT_EQ(ereignisse, (std::vector<String>{L"Klick", L"vorher", L"nachher"}));
    EXPECT_EQ(SharedCustomColors, kStart);
    EXPECT_EQ(f.a->Color(), Farbe(10, 20, 30));

    ereignisse.clear();
    {
        DialogFahrer bestaetigen({[](HWND d) { DialogKnopf(d, IDOK); }});
        SendMessageW(f.a->Handle(), BM_CLICK, 0, 0);
    }
    EXPECT_EQ(ereignisse, (std::vector<String>{L"Klick", L"vorher", L"geändert", L"nachher"}));
    EXPECT_EQ(f.a->Color(), Farbe(10, 20, 30));
    String weiss;
    for (wchar_t c = L'G'; c <= L'P'; ++c)
        weiss += String(L"Color") + c + L"=FFFFFF;";
    EXPECT_EQ(SharedCustomColors, kStart + weiss);

    f.a->SetColor(Farbe(1, 2, 3));
    {
        DialogFahrer hinzufuegen({[](HWND d) { DialogKnopf(d, COLOR_MIX); },
                                  [](HWND d) { DialogKnopf(d, COLOR_ADD); },
                                  [](HWND d) { DialogKnopf(d, IDOK); }});
        f.a->Click();
        EXPECT_FALSE(hinzufuegen.Abgebrochen());
    }
    EXPECT_NE(SharedCustomColors.find(L"=030201;"), String::npos) << NachUtf8(SharedCustomColors);
    {
        DialogFahrer bestaetigen({[](HWND d) { DialogKnopf(d, IDOK); }});
        f.b->Click();
    }
    EXPECT_NE(SharedCustomColors.find(L"=030201;"), String::npos) << NachUtf8(SharedCustomColors);
    EXPECT_EQ(f.b->Color(), static_cast<TColor>(ColorToRGB(clBtnFace)))
        << "confirmed unchanged: the face colour as a colour value";
}

// Kept as an integer, a system colour as its negative value; restored through the writer.
TEST(TkivColorButton, TheColourIsKeptAsAnInteger) {
    TestOrdner t;
    const String datei = t / L"farben.ini";
    {
        TfoSpeicher a(nullptr, datei);
        a.Neu<TkivColorButton>(L"cb_Gruen")->SetColor(Farbe(0, 255, 0));
        a.Neu<TkivColorButton>(L"cb_Flaeche");
        a.par->Speichern();
    }
    EXPECT_EQ(IniZeilen(datei),
              (std::vector<String>{L"[TfoSpeicher]", L"cb_Gruen=65280", L"cb_Flaeche=-16777201"}));
    // Values that are no colour leave the button's colour as it was.
    Schreiben(datei, "[TfoSpeicher]\r\ncb_Gruen=65280\r\ncb_Flaeche=-16777201\r\ncb_Gross=305419896\r\n"
                     "cb_Negativ=-5\r\ncb_Index=-16777000\r\n");
    TfoSpeicher b(nullptr, datei);
    auto* gruen = b.Neu<TkivColorButton>(L"cb_Gruen");
    auto* flaeche = b.Neu<TkivColorButton>(L"cb_Flaeche");
    flaeche->SetColor(Farbe(1, 1, 1));
    std::vector<TkivColorButton*> falsch;
    for (const wchar_t* name : {L"cb_Gross", L"cb_Negativ", L"cb_Index"}) {
        falsch.push_back(b.Neu<TkivColorButton>(name));
        falsch.back()->SetColor(Farbe(1, 2, 3));
    }
    b.par->Laden();
    EXPECT_EQ(gruen->Color(), Farbe(0, 255, 0));
    EXPECT_EQ(flaeche->Color(), clBtnFace);
    for (TkivColorButton* knopf : falsch)
        EXPECT_EQ(knopf->Color(), Farbe(1, 2, 3)) << NachUtf8(knopf->Name());
}
