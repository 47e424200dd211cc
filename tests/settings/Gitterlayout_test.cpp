#include "settings/Gitterlayout.h"
#include "settings/kv7_Parameter.h"
#include "sys/IniDokument.h"
#include "sys/Qel_ini.h"
#include "toolkit/Forms.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
using Zeilen = std::vector<String>;

struct TGitterDouble : IkivGitter {
    String name;
    std::vector<std::pair<int, bool>> spalten;
    mutable Zeilen gespeichert;
    String GridName() const override { return name; }
    int ColumnCount() const override { return static_cast<int>(spalten.size()); }
    int ColumnWidth(int i) const override { return spalten.at(static_cast<size_t>(i)).first; }
    bool ColumnVisible(int i) const override { return spalten.at(static_cast<size_t>(i)).second; }
    void SpaltenSpeichern(const String& datei) const override {
        gespeichert.push_back(datei);
        Schreiben(datei, "Spalten");
    }
};

struct TfoBrowser : TForm {
    using TForm::TForm;
};

// As a save's walk does it: into the document of the store's file, which is saved at the end.
void Speichern(TkivParameter& par, const IkivGitter& gitter) {
    TIniDokument dokument(par.WegDateiName());
    GitterlayoutSpeichern(TEinstellungsZugriff(par, dokument, par.SektionsName()), gitter);
    dokument.Speichern();
}
} // namespace

TEST(Gitterlayout, FileNameBesideTheSettingsFile) {
    EXPECT_EQ(GitterlayoutDatei(L"C:\\Prog\\Sicherung.ini", L"", L""), L"C:\\Prog\\Sicherung__grid.dat");
    EXPECT_EQ(GitterlayoutDatei(L"C:\\a.b\\x.y.ini", L"P", L"dbg"), L"C:\\a.b\\x.y_P_dbg.dat");
}

TEST(Gitterlayout, WidthsAndVisibilityGoToTheSectionAndTheColumnsBesideIt) {
    TestOrdner t;
    auto* form = Application()->CreateForm<TfoBrowser>();
    auto* par = new TkivParameter(form);
    par->SetDateiName(t / L"Sicherung.ini");

    TGitterDouble einspaltig;
    einspaltig.spalten = {{120, false}};
    Speichern(*par, einspaltig);
    EXPECT_TRUE(einspaltig.gespeichert.empty());
    EXPECT_EQ(IniZeilen(t / L"Sicherung.ini"),
              (Zeilen{L"[TfoBrowser]", L"__Width_00=120", L"__Visible_00=Nein"}));

    TGitterDouble zwei;
    zwei.spalten = {{80, true}, {40, false}};
    Speichern(*par, zwei);
    EXPECT_EQ(zwei.gespeichert, Zeilen{t / L"Sicherung__grid.dat"});
    EXPECT_EQ(IniZeilen(t / L"Sicherung.ini"), (Zeilen{L"[TfoBrowser]", L"__Width_00=80", L"__Visible_00=Ja",
                                                       L"__Width_01=40", L"__Visible_01=Nein"}));

    // A blank file name means the program-wide file, and the layout goes beside it.
    par->SetDateiName(L"   ");
    Speichern(*par, einspaltig);
    EXPECT_EQ(StandardIniDatei().ReadString(L"TfoBrowser", L"__width_00", L""), L"120");
    TGitterDouble ohneName;
    ohneName.spalten = {{80, true}, {40, false}};
    Speichern(*par, ohneName);
    ASSERT_EQ(ohneName.gespeichert.size(), 1u);
    const String dat = ohneName.gespeichert[0];
    EXPECT_EQ(dat.substr(1, 2), L":\\") << dat;
    EXPECT_NE(dat.find(L"\\VennkorbDaten\\test_settings__grid.dat"), String::npos) << dat;
    DeleteFileW(dat.c_str());
    StandardIniDatei().EraseSection(L"TfoBrowser");
    form->Free();
}

TEST(Gitterlayout, AnOwnerThatIsNoFormOrFrameGetsNoKeys) {
    TestOrdner t;
    TComponent owner(nullptr);
    auto* par = new TkivParameter(&owner);
    par->SetDateiName(t / L"Sicherung.ini");
    TGitterDouble g;
    g.name = L"dbg";
    g.spalten = {{80, true}, {40, false}};
    Speichern(*par, g);
    EXPECT_EQ(g.gespeichert, Zeilen{t / L"Sicherung__dbg.dat"});
    EXPECT_FALSE(Existiert(t / L"Sicherung.ini"));
}
