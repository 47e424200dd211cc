#include "controls/kv7_BrowserPanel.h"
#include "data/MemDataSet.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "sys/Ordner.h"
#include "sys/Qel_ini.h"
#include "toolkit/StdCtrls.h"
#include "Bildschirmfoto.h"
#include "BoxReader.h"
#include "Datenbank.h"
#include "GalerieSeite.h"
#include "Schritte.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// The gallery on its database page; settings file, database and layout file beside the test
// program are removed before and after.
class DatenbankSeite : public GalerieSeite {
protected:
    DatenbankSeite() : GalerieSeite(L"wz_Datenbank", {L".ini", L".db", L"__grid.dat"}) {}
    void Geoeffnet() override {
        panel = K<TkivBrowserPanel>(L"bp_Adressen");
        ASSERT_TRUE(panel);
    }
    TDataSet* Daten() { return panel->DataSource()->DataSet(); }
    TkivBrowserPanel* panel = nullptr;
};

// Types into the entry window once it is up, then confirms it.
std::vector<Schritte::Schritt> Eintragen(std::vector<std::pair<const wchar_t*, const wchar_t*>> werte) {
    return {[] {},
            [werte] {
                auto* fenster = dynamic_cast<TForm*>(TWinControl::FindControl(GetActiveWindow()));
                ASSERT_TRUE(fenster);
                for (const auto& [name, wert] : werte)
                    dynamic_cast<TEdit*>(fenster->FindComponent(name))->SetText(wert);
                SendMessageW(dynamic_cast<TButton*>(fenster->FindComponent(L"bb_OK"))->Handle(), BM_CLICK, 0,
                             0);
            }};
}
} // namespace

// The page makes its sample database beside the program and shows it; the labels report the
// record and the last event; a new record entered through "Neu..." reaches the file. The mode and
// read-only choice come back after closing, and the grid's layout is written beside the settings.
TEST_F(DatenbankSeite, ShowsTheSampleDatabaseAndKeepsItsChoices) {
    Oeffnen();
    EXPECT_TRUE(Existiert(ProgrammDateiMitEndung(L".db")));
    EXPECT_EQ(TqelIniFile(ProgrammDateiMitEndung(L".ini")).ReadString(L"Datenbank", L"Verbindung", L""),
              L"Driver={SQLite3};Database=test_gallery.db;");
    EXPECT_EQ(Text(L"lb_Herkunft"), L"Die Datensätze kommen aus der Tabelle Adressen über die Verbindung "
                                    L"„Driver={SQLite3};Database=test_gallery.db;“.");
    EXPECT_EQ(Text(L"lb_Stand"), L"Datensatz 1 von 6; Zustand: Durchblättern; zuletzt: –");
    SendMessageW(panel->Navigator()->Button(nbNext)->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(L"lb_Stand"), L"Datensatz 2 von 6; Zustand: Durchblättern; zuletzt: –");

    {
        Schritte lauf(
            Eintragen({{L"ed_Name", L"Gärtnerei Kühn"}, {L"ed_Ort", L"Bonn"}, {L"ed_Umsatz", L"99,5"}}));
        SendMessageW(panel->NewButton()->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(lauf.Gelaufen(), 2u);
    }
    EXPECT_EQ(Text(L"lb_Stand"), L"Datensatz 7 von 7; Zustand: Durchblättern; zuletzt: OnNewClick");
    EXPECT_EQ(TabelleLesen(L"Driver={SQLite3};Database=" + ProgrammDateiMitEndung(L".db") + L";",
                           L"SELECT Name, Ort, Umsatz FROM Adressen WHERE Nr = 7"),
              L"Gärtnerei Kühn,Bonn,99.5;");

    K<TComboBox>(L"cb_Modus")->SetItemIndex(2);
    K<TCheckBox>(L"ck_NurLesen")->SetChecked(true);
    EXPECT_TRUE(panel->kivReadOnly());
    SchliessenUndOeffnen();
    EXPECT_TRUE(Existiert(ProgrammDateiMitEndung(L"__grid.dat")));
    EXPECT_EQ(panel->BrowserPanelModus(), bp_Editing);
    EXPECT_TRUE(panel->kivReadOnly());
    EXPECT_TRUE(K<TCheckBox>(L"ck_NurLesen")->Checked());
    EXPECT_EQ(Daten()->RecordCount(), 7) << "the database is not made anew";
}

// A connection string naming a driver that is not installed: one sentence says which driver to
// install, and the panel shows the same records from memory.
TEST_F(DatenbankSeite, WithoutItsDriverSaysWhichToInstallAndShowsTheRecordsFromMemory) {
    TqelIniFile(ProgrammDateiMitEndung(L".ini"))
        .WriteString(L"Datenbank", L"Verbindung", L"Driver={SQLite9};Database=beispiel.db;");
    Oeffnen();
    EXPECT_EQ(
        Text(L"lb_Herkunft"),
        L"Der ODBC-Treiber „SQLite9“ ist auf diesem Rechner nicht installiert, darum zeigt die Tafel die "
        L"Beispielsätze aus dem Speicher; installieren Sie den SQLite-ODBC-Treiber (sqliteodbc), dann "
        L"kommen sie aus test_gallery.db.");
    ASSERT_TRUE(dynamic_cast<TMemDataSet*>(Daten()));
    EXPECT_EQ(Daten()->RecordCount(), 6);
    EXPECT_EQ(Daten()->FieldByName(L"Name")->AsString(), L"Bäckerei Müller");
    EXPECT_FALSE(Existiert(ProgrammDateiMitEndung(L".db")));
    Daten()->Last();
    {
        Schritte lauf(Eintragen({{L"ed_Ort", L"Hürth"}}));
        panel->Grid()->SetFocus();
        PressKey(VK_F2);
    }
    EXPECT_EQ(Daten()->FieldByName(L"Ort")->AsString(), L"Hürth");
    EXPECT_EQ(Text(L"lb_Stand"), L"Datensatz 6 von 6; Zustand: Durchblättern; zuletzt: OnEditClick");
    // New records are numbered on saving, as the database numbers them; deleting works alike.
    {
        Schritte lauf(Eintragen({{L"ed_Name", L"Neu im Speicher"}}));
        PressKey(VK_INSERT);
        EXPECT_EQ(lauf.Gelaufen(), 2u);
    }
    EXPECT_EQ(Daten()->FieldByName(L"Nr")->AsString(), L"7");
    EXPECT_EQ(Daten()->RecordCount(), 7);
    {
        BoxReader ja(IDYES);
        PressKey(VK_DELETE);
    }
    EXPECT_EQ(Daten()->RecordCount(), 6);
}

// The page on a PostgreSQL server through a plain connection string: Database= names the server's
// database, the sample table is made there, and a new record reaches the server.
TEST_F(DatenbankSeite, WritesToAServerDatabase) {
    if (auto grund = OhneServer()) GTEST_SKIP() << *grund;
    Testdatenbank server(Datenbankart::PostgreSQL);
    TqelIniFile(ProgrammDateiMitEndung(L".ini")).WriteString(L"Datenbank", L"Verbindung", server.verbindung);
    Oeffnen();
    EXPECT_EQ(Text(L"lb_Herkunft"),
              L"Die Datensätze kommen aus der Tabelle Adressen über die Verbindung „" + server.verbindung + L"“.");
    ASSERT_EQ(Daten()->RecordCount(), 6);
    {
        Schritte lauf(Eintragen({{L"ed_Name", L"Gärtnerei Kühn"}, {L"ed_Umsatz", L"1.000,5"}}));
        SendMessageW(panel->NewButton()->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(lauf.Gelaufen(), 2u);
    }
    EXPECT_EQ(Daten()->FieldByName(L"Nr")->AsString(), L"7");
    if (const String bilder = Medium("SICHERUNG_BILDER"); !bilder.empty()) {
        Zeichnen(f->Handle());
        FensterFoto(f->Handle(), bilder + L"datenbank_server.bmp");
    }
    EXPECT_EQ(server.Lesen(L"SELECT Nr, Name, Ort, Umsatz FROM Adressen WHERE Nr = 7"), L"7,Gärtnerei Kühn,NULL,1000.5;");
}

// Pictures of the page with its entry window and its menu, into the folder the screenshot command
// names.
TEST_F(DatenbankSeite, Bildschirmfotos) {
    const String ordner = Medium("SICHERUNG_BILDER");
    if (ordner.empty()) GTEST_SKIP() << "only for the screenshot command";
    Oeffnen();
    Daten()->Next();
    panel->Grid()->SetFocus();
    Zeichnen(f->Handle());
    EXPECT_TRUE(FensterFoto(f->Handle(), ordner + L"datenbank_seite.bmp"));
    {
        Schritte lauf({[] {},
                       [&] {
                           HWND fenster = GetActiveWindow();
                           Zeichnen(fenster);
                           FensterFoto(fenster, ordner + L"datenbank_eintrag.bmp");
                           PostMessageW(fenster, WM_CLOSE, 0, 0);
                       }});
        panel->EditClick();
    }
    {
        Schritte lauf({[] {},
                       [&] {
                           FensterFoto(f->Handle(), ordner + L"datenbank_menu.bmp");
                           EndMenu();
                       }});
        RECT r = panel->Grid()->CellRect(1, 1);
        POINT p{r.left + 5, r.top + 5};
        ClientToScreen(panel->Grid()->Handle(), &p);
        SendMessageW(panel->Grid()->Handle(), WM_CONTEXTMENU, 0, MAKELPARAM(p.x, p.y));
    }
}
