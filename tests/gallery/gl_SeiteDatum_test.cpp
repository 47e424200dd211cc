#include "controls/kv7_DatumButton.h"
#include "controls/kv7_DatumEdit.h"
#include "controls/kv7_EingabeVonBis.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "sys/Ordner.h"
#include "sys/Startup.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"
#include "Bildschirmfoto.h"
#include "GalerieSeite.h"
#include "Programmdatum.h"
#include "Schritte.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TDateTime D(int j, int m, int t) {
    return EncodeDate(j, m, t);
}

// The gallery on its date page, with its settings file beside the test program.
class GalerieDatum : public GalerieSeite {
protected:
    GalerieDatum() : GalerieSeite(L"wz_Datum") {}
    void Geoeffnet() override {
        knopf = K<TkivDatumButton>(L"db_Zeitraum");
        edit = K<TkivDatumEdit>(L"de_Datum");
        ASSERT_TRUE(knopf && edit);
        ASSERT_TRUE(knopf->Showing());
    }
    TkivDatumButton* knopf = nullptr;
    TkivDatumEdit* edit = nullptr;
};
} // namespace

// The labels say what the controls hold after every change (the load of the settings already
// wrote the period twice); the period and the date come back from Bausteine.ini after the window
// was closed.
TEST_F(GalerieDatum, LabelsFollowTheControlsWhichSurviveAReopening) {
    if (!StartMitProgrammdatum(D(2024, 3, 20))) GTEST_SKIP() << "the program date was fixed before";
    Oeffnen();
    EXPECT_EQ(Text(L"lb_DatumVon"), L"DatumVon: 01.03.2024");
    EXPECT_EQ(Text(L"lb_AnzeigeModus"), L"AnzeigeModus: kivdbm_Monat (3)");
    EXPECT_EQ(Text(L"lb_Date"), L"Date: 20.03.2024");
    SendMessageW(knopf->bb_Vor->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(L"lb_DatumBis"), L"DatumBis: 30.04.2024");
    EXPECT_EQ(Text(L"lb_DatumChanged"), L"OnDatumChanged: 3-mal");
    knopf->Eintrag(kivdbm_Quartal)->Click();
    SendMessageW(knopf->bb_Vor->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(L"lb_AnzeigeModus"), L"AnzeigeModus: kivdbm_Quartal (4)");
    EXPECT_EQ(Text(L"lb_DatumVon"), L"DatumVon: 01.04.2024");
    EXPECT_EQ(Text(L"lb_DatumChanged"), L"OnDatumChanged: 5-mal");
    edit->SetFocus();
    PressKey(VK_DELETE);
    EXPECT_EQ(Text(L"lb_Date"), L"Date: leer (-700000)");
    PressKey(VK_SPACE);
    edit->SetDate(D(2024, 12, 24));
    EXPECT_EQ(Text(L"lb_Date"), L"Date: 24.12.2024");
    Schliessen();

    Oeffnen();
    EXPECT_EQ(knopf->AnzeigeModus(), kivdbm_Quartal);
    EXPECT_EQ(knopf->Datum(), D(2024, 6, 20));
    EXPECT_EQ(knopf->bb_Heute->Caption(), L"II/2024");
    EXPECT_EQ(Text(L"lb_DatumBis"), L"DatumBis: 30.06.2024");
    EXPECT_EQ(edit->Date(), D(2024, 12, 24));
    EXPECT_EQ(Text(L"lb_Date"), L"Date: 24.12.2024");
}

// Pictures of the page with its period menu open and of the from-to dialog, into the folder the
// screenshot command names.
TEST_F(GalerieDatum, Bildschirmfotos) {
    const String ordner = Medium("SICHERUNG_BILDER");
    StartEinstellungen(); // dates as the program writes them
    Oeffnen();
    RECT r;
    GetWindowRect(knopf->bb_Heute->Handle(), &r);
    SetCursorPos(r.left + 20, r.bottom - 4);
    bool menuOffen = false;
    {
        Schritte lauf({[] {},
                       [&] {
                           menuOffen = FindWindowW(L"#32768", nullptr) != nullptr;
                           if (!ordner.empty()) FensterFoto(f->Handle(), ordner + L"datum_menu.bmp");
                           EndMenu();
                       }});
        PostMessageW(knopf->bb_Heute->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 10));
        PostMessageW(knopf->bb_Heute->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(20, 10));
        Pump();
    }
    EXPECT_TRUE(menuOffen);
    Tkv7EingabeVonBis* dialog = kv7EingabeVonBis();
    Schritte lauf({[] {},
                   [&] {
                       if (!ordner.empty()) {
                           FensterFoto(dialog->Handle(), ordner + L"datum_dialog.bmp");
                           FensterFoto(f->Handle(), ordner + L"datum_dialog_seite.bmp");
                       }
                       dialog->ax_Cancel->Execute();
                   }},
                  [&] { dialog->SetModalResult(mrCancel); });
    knopf->Eintrag(kivdbm_FreierZeitraum)->Click();
    EXPECT_FALSE(lauf.Gebremst());
    EXPECT_EQ(lauf.Gelaufen(), 2u);
}
