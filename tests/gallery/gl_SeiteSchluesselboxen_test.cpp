#include "controls/kv7_DirectoryKeyComboBox.h"
#include "controls/kv7_FileKeyComboBox.h"
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
// The gallery opened on the page of the keyed boxes, with a fresh settings file.
class Schluesselboxen : public GalerieSeite {
protected:
    Schluesselboxen() : GalerieSeite(L"wz_Schluesselboxen") {}
    String Bericht(const wchar_t* name) { return Text((String(L"lb_") + name).c_str()); }
};
} // namespace

// Each label reports what its box says, after the user's choice and after a restart, which brings
// every box back as it was left.
TEST_F(Schluesselboxen, LabelsFollowTheBoxesAndEverythingComesBack) {
    Oeffnen();
    auto* zahlung = K<TkivKeyComboBox>(L"cb_Zahlungsart");
    auto* ordner = K<TkivDirectoryKeyComboBox>(L"cb_Verzeichnis");
    auto* datei = K<TkivFileKeyComboBox>(L"cb_Datei");
    ASSERT_TRUE(zahlung && ordner && datei);
    EXPECT_EQ(zahlung->Text(), L"[nicht zugeordnet]");
    EXPECT_EQ(Bericht(L"cb_Zahlungsart"), L"OnChange: 0    Key = \"0\"");
    EXPECT_EQ(ordner->KeyList().Get(0), ProgrammVerzeichnis()) << "a first start offers a few folders";

    zahlung->SetFocus();
    Pump();
    TypeChar(GetFocus(), L'k');
    EXPECT_EQ(Bericht(L"cb_Zahlungsart"), L"OnChange: 1    Key = \"2\"");
    TestOrdner ort;
    ordner->AddKey(ort.Pfad(), ort.Pfad());
    ordner->KeyComboBox()->SelectKey(ort.Pfad());
    EXPECT_EQ(Bericht(L"cb_Verzeichnis"), L"OnChange: 1    Directory = \"" + ort.Pfad() + L"\"");
    datei->AddKey(ort / L"a.ini", ort / L"a.ini");
    datei->KeyComboBox()->SelectKey(ort / L"a.ini");
    K<TkivKeyComboBox>(L"cb_Betrag")->SelectKey(L"12,5");
    Schliessen();

    Oeffnen();
    EXPECT_EQ(K<TkivKeyComboBox>(L"cb_Zahlungsart")->Text(), L"Karte");
    EXPECT_EQ(Bericht(L"cb_Zahlungsart"), L"OnChange: 0    Key = \"2\"");
    EXPECT_EQ(Bericht(L"cb_Betrag"), L"OnChange: 0    KeyAsCurrency = 12,5");
    EXPECT_EQ(K<TkivDirectoryKeyComboBox>(L"cb_Verzeichnis")->Items().Count(), 4);
    EXPECT_EQ(Bericht(L"cb_Verzeichnis"), L"OnChange: 0    Directory = \"" + ort.Pfad() + L"\"");
    EXPECT_EQ(Bericht(L"cb_Datei"), L"OnChange: 0    FileName = \"" + (ort / L"a.ini") + L"\"");
}

// The page with the list of cities open (eight rows of twenty), and the folder chooser.
TEST_F(Schluesselboxen, Bildschirmfotos) {
    String ordner = Medium("SICHERUNG_BILDER");
    Oeffnen();
    auto* stadt = K<TkivKeyComboBox>(L"cb_Stadt");
    stadt->SetFocus();
    TypeChar(GetFocus(), L'b');
    stadt->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(stadt->DroppedDown());
    if (!ordner.empty()) {
        EXPECT_TRUE(FensterFoto(f->Handle(), ordner + L"bausteine_schluesselboxen_offen.bmp"));
    }
    stadt->SetDroppedDown(false);

    bool foto = false;
    DialogFahrer fahrer({[&](HWND d) {
        foto = ordner.empty() || FensterFoto(d, ordner + L"bausteine_schluesselboxen_verzeichnis.bmp");
        DialogKnopf(d, IDCANCEL);
    }});
    SendMessageW(K<TkivDirectoryKeyComboBox>(L"cb_Verzeichnis")->BrowseButton()->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(foto);
}
