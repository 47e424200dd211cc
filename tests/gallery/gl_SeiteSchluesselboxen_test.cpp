#include "controls/kv7_DirectoryKeyComboBox.h"
#include "controls/kv7_FileKeyComboBox.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "sys/Ordner.h"
#include "Bildschirmfoto.h"
#include "DialogFahrer.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// The gallery opened on the page of the keyed boxes, with a fresh settings file.
class Schluesselboxen : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileW(ProgrammDateiMitEndung(L".ini").c_str()); }
    void TearDown() override {
        if (f) f->Free();
        DeleteFileW(ProgrammDateiMitEndung(L".ini").c_str());
    }
    void Oeffnen() {
        f = Application()->CreateForm<Tgl_Main>();
        f->Show();
        Application()->ProcessMessages();
        for (int i = 0; i < f->wz->PageCount(); ++i)
            if (f->wz->Pages(i)->Name() == L"wz_Schluesselboxen") f->wz->SetActivePageIndex(i);
        Pump();
    }
    void Schliessen() {
        f->Free();
        f = nullptr;
    }
    template <class T> T* Teil(const wchar_t* name) { return dynamic_cast<T*>(f->FindComponent(name)); }
    String Bericht(const wchar_t* name) { return Teil<TLabel>((String(L"lb_") + name).c_str())->Caption(); }
    Tgl_Main* f = nullptr;
};
} // namespace

// Each label reports what its box says, after the user's choice and after a restart, which brings
// every box back as it was left.
TEST_F(Schluesselboxen, LabelsFollowTheBoxesAndEverythingComesBack) {
    Oeffnen();
    auto* zahlung = Teil<TkivKeyComboBox>(L"cb_Zahlungsart");
    auto* ordner = Teil<TkivDirectoryKeyComboBox>(L"cb_Verzeichnis");
    auto* datei = Teil<TkivFileKeyComboBox>(L"cb_Datei");
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
    Teil<TkivKeyComboBox>(L"cb_Betrag")->SelectKey(L"12,5");
    Schliessen();

    Oeffnen();
    EXPECT_EQ(Teil<TkivKeyComboBox>(L"cb_Zahlungsart")->Text(), L"Karte");
    EXPECT_EQ(Bericht(L"cb_Zahlungsart"), L"OnChange: 0    Key = \"2\"");
    EXPECT_EQ(Bericht(L"cb_Betrag"), L"OnChange: 0    KeyAsCurrency = 12,5");
    EXPECT_EQ(Teil<TkivDirectoryKeyComboBox>(L"cb_Verzeichnis")->Items().Count(), 4);
    EXPECT_EQ(Bericht(L"cb_Verzeichnis"), L"OnChange: 0    Directory = \"" + ort.Pfad() + L"\"");
    EXPECT_EQ(Bericht(L"cb_Datei"), L"OnChange: 0    FileName = \"" + (ort / L"a.ini") + L"\"");
}

// The page with the list of cities open (eight rows of twenty), and the folder chooser.
TEST_F(Schluesselboxen, Bildschirmfotos) {
    String ordner = Medium("SICHERUNG_BILDER");
    Oeffnen();
    auto* stadt = Teil<TkivKeyComboBox>(L"cb_Stadt");
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
    SendMessageW(Teil<TkivDirectoryKeyComboBox>(L"cb_Verzeichnis")->BrowseButton()->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(foto);
}
