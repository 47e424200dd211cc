// The browser panel and its navigator on a real SQLite database (the host's driver through Wine's
// odbc32): browse, insert, edit, delete and refresh through buttons and keys, the file read back
// through a second connection.
#include "controls/kv7_BrowserPanel.h"
#include "data/OdbcDataSet.h"
#include "toolkit/Forms.h"
#include "Datenbank.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

TEST(TkivBrowserPanel, BrowsesAndChangesASQLiteTableThroughButtonsAndKeys) {
    TestOrdner ordner;
    const String verbindung = L"Driver={SQLite3};Database=" + ordner / L"kunden.db" + L";";
    TOdbcConnection db(nullptr);
    db.SetConnectionString(verbindung);
    db.ExecSQL(L"CREATE TABLE Kunden (Nr INTEGER PRIMARY KEY, Name TEXT NOT NULL, Ort TEXT)");
    db.ExecSQL(
        L"INSERT INTO Kunden VALUES (1, 'Kunde 1', 'Köln'), (2, 'Kunde 2', 'Köln'), (3, 'Kunde 3', 'Köln')");

    TForm* form = Application()->CreateForm<TForm>();
    form->SetBounds(40, 40, 480, 260);
    auto* q = new TOdbcDataSet(form);
    q->SetConnection(&db);
    q->SetSQL(L"SELECT * FROM Kunden ORDER BY Nr");
    q->SetTableName(L"Kunden");
    q->SetKeyFields(L"Nr");
    auto* source = new TDataSource(form);
    source->SetDataSet(q);
    auto* panel = new TkivBrowserPanel(form);
    panel->SetParent(form);
    panel->SetPanelButtonVisible(true);
    panel->SetDataSource(source);
    panel->SetOnNewClick([q](TComponent*) {
        q->Append();
        q->FieldByName(L"Name")->SetAsString(L"Neu");
        q->Post();
    });
    panel->SetOnEditClick([q](TComponent*) {
        q->Edit();
        q->FieldByName(L"Ort")->SetAsString(L"Bonn");
        q->Post();
    });
    panel->SetOnDeleteClick([q](TComponent*) { q->Delete(); });
    panel->SetOnRefreshClick([q](TComponent*) { q->Refresh(); });
    q->Open();
    form->Show();
    Pump();
    TkivNavigator* nav = panel->Navigator();
    auto klick = [](TSpeedButton* b) { SendMessageW(b->Handle(), BM_CLICK, 0, 0); };

    klick(nav->Button(nbLast));
    EXPECT_EQ(q->FieldByName(L"Name")->AsString(), L"Kunde 3");
    EXPECT_FALSE(nav->Button(nbNext)->Enabled());
    panel->Grid()->SetFocus();
    PressKey(VK_F2);
    klick(panel->NewButton());
    EXPECT_EQ(q->FieldByName(L"Nr")->AsString(), L"4") << "the new record is current after the refresh";
    EXPECT_TRUE(panel->Grid()->Focused());
    PressKey(VK_DELETE);
    klick(nav->Button(nbFirst));
    EXPECT_EQ(q->RecNo(), 1);
    PressKey(VK_INSERT);
    EXPECT_EQ(q->RecordCount(), 4);

    TOdbcConnection andere(nullptr);
    andere.SetConnectionString(verbindung);
    andere.ExecSQL(L"INSERT INTO Kunden VALUES (10, 'Von außen', 'Hürth')");
    klick(nav->Button(nbRefresh));
    EXPECT_EQ(q->RecordCount(), 5);
    form->Free();
    EXPECT_EQ(TabelleLesen(verbindung, L"SELECT * FROM Kunden ORDER BY Nr"),
              L"1,Kunde 1,Köln;2,Kunde 2,Köln;3,Kunde 3,Bonn;4,Neu,NULL;10,Von außen,Hürth;");
}
