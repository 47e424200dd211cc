#include "gallery/gl_Main.h"
#include "framework/qelWizard.h"
#include "settings/kv7_Parameter.h"
#include "sys/Ordner.h"
#include "toolkit/Dialogs.h"
#include "toolkit/StdCtrls.h"
#include "Bildschirmfoto.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

String IniDatei() {
    return ProgrammDateiMitEndung(L".ini");
}

// The gallery as the program opens it, beside the test program: its settings file is removed
// before and after each test.
class Galerie : public ::testing::Test {
protected:
    void SetUp() override { DeleteFileW(IniDatei().c_str()); }
    void TearDown() override {
        if (f) f->Free();
        DeleteFileW(IniDatei().c_str());
    }
    void Oeffnen() {
        f = Application()->CreateForm<Tgl_Main>();
        f->Show();
        Application()->ProcessMessages();
    }
    void Schliessen() {
        f->wz->ButtonClick(wbkCancel);
        Application()->ProcessMessages();
        EXPECT_TRUE(Application()->Terminated()); // the gallery is the main window
        f->Free();
        f = nullptr;
    }
    Tgl_Main* f = nullptr;
};

} // namespace

// The overview comes first and names every later page; the wizard walks them all and stops at the
// last; "Schließen" closes the window, which keeps its settings beside the program.
TEST_F(Galerie, OverviewFirstEveryPageReachableAndSettingsKeptOnClosing) {
    Oeffnen();
    ASSERT_EQ(f->wz->PageCount(), static_cast<int>(f->Titel().size()));
    EXPECT_EQ(f->wz->ActivePageIndex(), 0);
    EXPECT_EQ(f->Titel()[0], L"Bausteine");
    EXPECT_EQ(f->wz->StatusLabel()->Caption(), L"Seite 1 von " + std::to_wstring(f->wz->PageCount()));
    EXPECT_EQ(f->PAR->IniDateiName(), IniDatei());
    for (int i = 1; i < f->wz->PageCount(); ++i) {
        f->wz->ButtonClick(wbkNext);
        EXPECT_EQ(f->wz->ActivePageIndex(), i) << "page " << i;
    }
    EXPECT_FALSE(f->wz->BtnNext()->Button()->Enabled());
    EXPECT_EQ(f->wz->BtnCancel()->Button()->Caption(), L"Schließen");

    f->SetBounds(40, 50, 700, 520);
    Schliessen();
    std::vector<String> zeilen = IniZeilen(IniDatei());
    EXPECT_NE(std::find(zeilen.begin(), zeilen.end(), L"[Tgl_Main]"), zeilen.end());

    Oeffnen();
    EXPECT_EQ(f->BoundsRect().left, 40);
    EXPECT_EQ(f->Width(), 700);
}

// A picture of every page into the folder the screenshot command names.
TEST_F(Galerie, Bildschirmfotos) {
    String ordner = Medium("SICHERUNG_BILDER");
    Oeffnen();
    for (int i = 0; i < f->wz->PageCount(); ++i) {
        f->wz->SetActivePageIndex(i);
        Application()->ProcessMessages();
        EXPECT_TRUE(f->wz->Pages(i)->Showing());
        if (!ordner.empty()) {
            EXPECT_TRUE(FensterFoto(f->Handle(), ordner + L"bausteine_" + std::to_wstring(i + 1) + L"_" +
                                                     f->wz->Pages(i)->Name() + L".bmp"));
        }
    }
}
