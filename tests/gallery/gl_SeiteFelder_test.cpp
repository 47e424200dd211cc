#include "framework/kv7_ColorButton.h"
#include "framework/kv7_Groupbox.h"
#include "framework/qelButtonEdit.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "sys/Ordner.h"
#include "Bildschirmfoto.h"
#include "GalerieSeite.h"
#include "DialogFahrer.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {

// The gallery on the page of the fields.
class FelderSeite : public GalerieSeite {
protected:
    FelderSeite() : GalerieSeite(L"wz_Felder") {}
    String Beschriftung(TControl* neben) {
        for (int i = 0; i < f->ComponentCount(); ++i)
            if (auto* l = dynamic_cast<TLabel*>(f->Components(i)); l && l->Parent() == neben->Parent() &&
                                                                   l->Top() == neben->Top() + 3 &&
                                                                   l->Left() > neben->Left())
                return l->Caption();
        return L"?";
    }
};

} // namespace

// Labels say whether the named file and folder are there and how the group switches stand; the
// sample shows the colours. All of it comes back after closing and opening the gallery.
TEST_F(FelderSeite, LabelsFollowTheControlsAndTheControlsSurviveAReopen) {
    TestOrdner ort;
    Schreiben(ort / L"da.txt", "");
    Oeffnen();
    auto* datei = K<TqelFileEdit>(L"ed_Datei");
    auto* ordner = K<TqelDirectoryEdit>(L"ed_Verzeichnis");
    auto* filter = K<Tkiv_Groupbox>(L"gb_Filter");
    auto* unterhalb = K<Tkiv_Groupbox>(L"gb_Unterhalb");
    auto* hintergrund = K<TkivColorButton>(L"fb_Hintergrund");
    ASSERT_TRUE(datei && ordner && filter && unterhalb && hintergrund);

    datei->SetText(ort / L"fehlt.txt");
    EXPECT_EQ(Beschriftung(datei), L"nicht vorhanden");
    datei->SetText(ort / L"da.txt");
    EXPECT_EQ(Beschriftung(datei), L"vorhanden");
    ordner->SetText(ort.Pfad());
    EXPECT_EQ(Beschriftung(ordner), L"vorhanden");

    SendMessageW(unterhalb->CheckBox()->Handle(), BM_CLICK, 0, 0);
    SendMessageW(filter->CheckBox()->Handle(), BM_CLICK, 0, 0);
    String stand;
    for (int i = 0; i < f->ComponentCount(); ++i)
        if (auto* l = dynamic_cast<TLabel*>(f->Components(i)); l && l->Caption().rfind(L"Filter:", 0) == 0)
            stand = l->Caption();
    EXPECT_EQ(stand, L"Filter: aus\r\nUnterhalb: aus\r\nOnAfterClick: 2-mal");

    {
        DialogFahrer bestaetigen({[](HWND d) { DialogKnopf(d, IDOK); }});
        hintergrund->SetColor(0x00FF00);
        hintergrund->Click();
    }
    GdiFlush();
    Sleep(100);
    EXPECT_EQ(Aufnehmen(K<TWinControl>(L"pb_Probe")->Handle()).At(2, 2), RGB(0, 255, 0));

    SchliessenUndOeffnen();
    EXPECT_EQ(K<TqelFileEdit>(L"ed_Datei")->Text(), ort / L"da.txt");
    EXPECT_EQ(K<TqelFileEdit>(L"ed_Datei")->Dialog()->InitialDir(), ort.Pfad());
    EXPECT_EQ(K<TqelDirectoryEdit>(L"ed_Verzeichnis")->Text(), ort.Pfad());
    EXPECT_FALSE(K<Tkiv_Groupbox>(L"gb_Filter")->AllEnabled());
    EXPECT_FALSE(K<Tkiv_Groupbox>(L"gb_Unterhalb")->AllEnabled());
    EXPECT_FALSE(K<TqelDirectoryEdit>(L"ed_Unterhalb")->Enabled());
    EXPECT_EQ(K<TkivColorButton>(L"fb_Hintergrund")->Color(), 0x00FF00);
    EXPECT_EQ(Beschriftung(K<TqelFileEdit>(L"ed_Datei")), L"vorhanden");
    Zeichnen(f->Handle());
    EXPECT_EQ(Aufnehmen(K<TWinControl>(L"pb_Probe")->Handle()).At(2, 2), RGB(0, 255, 0));
}

// Pictures of the page with the mouse over a button (the hot image), with its group switched off
// (the disabled image), and of the colour dialog with the shared custom colours.
TEST_F(FelderSeite, BildschirmfotosDerZustaende) {
    String ordner = Medium("SICHERUNG_BILDER");
    InitSharedCustomColors(); // as the program starts
    Oeffnen();
    auto foto = [&](HWND wnd, const wchar_t* name) {
        if (!ordner.empty()) {
            EXPECT_TRUE(FensterFoto(wnd, ordner + L"felder_" + name + L".bmp"));
        }
    };
    MouseTo(K<TqelFileEdit>(L"ed_Datei")->RightButton()->Handle());
    EXPECT_TRUE(K<TqelFileEdit>(L"ed_Datei")->RightButton()->Hot());
    Zeichnen(f->Handle());
    foto(f->Handle(), L"1_heisser_knopf");
    MouseToPoint(0, 0);

    auto* filter = K<Tkiv_Groupbox>(L"gb_Filter");
    filter->SetAllEnabled(false);
    Zeichnen(f->Handle());
    foto(f->Handle(), L"2_gruppe_aus");
    filter->SetAllEnabled(true);
    MouseTo(K<TkivColorButton>(L"fb_Hintergrund")->Handle());
    Zeichnen(f->Handle());
    foto(f->Handle(), L"4_farbknopf_unter_der_maus");
    MouseToPoint(0, 0);

    DialogFahrer farbe({[&](HWND d) {
        foto(d, L"3_farbdialog");
        DialogKnopf(d, IDCANCEL);
    }});
    K<TkivColorButton>(L"fb_Hintergrund")->Click();
}
