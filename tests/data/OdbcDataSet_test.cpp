// The ODBC data set on a real SQLite database (the host's driver, reached through Wine's odbc32),
// read back through a second connection.
#include "data/OdbcDataSet.h"
#include "Datenbank.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
// Sees how many rows the data set has read.
struct Abfrage : TOdbcDataSet {
    using TOdbcDataSet::TOdbcDataSet;
    size_t Gelesen() const { return RowsHeld(); }
};

struct Datenbank {
    TestOrdner ordner;
    String datei = ordner / L"kunden.db";
    String verbindung = L"Driver={SQLite3};Database=" + datei + L";";
    TOdbcConnection db{nullptr};

    Datenbank() {
        db.SetConnectionString(verbindung);
        db.ExecSQL(
            L"CREATE TABLE Kunden (Nr INTEGER PRIMARY KEY, Name TEXT NOT NULL, Ort TEXT, Umsatz REAL)");
    }
    void Fuellen(int n) {
        db.StartTransaction();
        for (int i = 1; i <= n; ++i)
            db.ExecSQL(
                L"INSERT INTO Kunden (Name, Ort, Umsatz) VALUES (?, ?, ?)",
                {{FieldValue(L"Kunde " + std::to_wstring(i))}, {FieldValue(L"Köln")}, {FieldValue(L"2.5")}});
        db.Commit();
    }
    // Through its own connection, as another program would see the file.
    String Lesen(const String& sql) { return TabelleLesen(verbindung, sql); }
    // The query on this database; without a table and its key it can only read.
    void Binden(Abfrage& q, const String& sql, const String& tabelle = L"", const String& schluessel = L"") {
        q.SetConnection(&db);
        q.SetSQL(sql);
        q.SetTableName(tabelle);
        q.SetKeyFields(schluessel);
    }
    void Kunden(Abfrage& q) { Binden(q, L"SELECT * FROM Kunden ORDER BY Nr", L"Kunden", L"Nr"); }
};

} // namespace

// The Windows path in the connection string reaches the driver as the host's path, so the file
// is where the program asked for it.
TEST(TOdbcDataSet, WritesThroughTheDataSetAndAnotherConnectionReadsIt) {
    Datenbank d;
    EXPECT_TRUE(Existiert(d.datei));
    Abfrage q(nullptr);
    d.Kunden(q);
    q.Open();
    ASSERT_EQ(q.FieldCount(), 4);
    EXPECT_EQ(q.Fields(0)->DataType(), ftInteger);
    EXPECT_EQ(q.Fields(1)->DataType(), ftString) << "TEXT comes as a long character column";
    EXPECT_EQ(q.Fields(3)->DataType(), ftFloat);
    q.Append();
    q.FieldByName(L"Name")->SetAsString(L"Müller & Söhne €");
    q.FieldByName(L"Umsatz")->SetText(L"1234,5");
    q.Post();
    EXPECT_EQ(q.FieldByName(L"Nr")->AsString(), L"1") << "the generated key is read back";
    q.Append();
    q.FieldByName(L"Name")->SetAsString(L"Łukasz");
    q.FieldByName(L"Ort")->SetAsString(L"Gdańsk");
    q.Post();
    q.First();
    q.Edit();
    q.FieldByName(L"Ort")->SetAsString(L"Düsseldorf");
    q.Post();
    EXPECT_EQ(d.Lesen(L"SELECT * FROM Kunden ORDER BY Nr"),
              L"1,Müller & Söhne €,Düsseldorf,1234.5;2,Łukasz,Gdańsk,NULL;");
    q.Last();
    q.Edit(); // the record just inserted is found again by its read-back key
    q.FieldByName(L"Umsatz")->SetAsFloat(7);
    q.Post();
    q.First();
    q.Delete();
    EXPECT_EQ(d.Lesen(L"SELECT Nr, Umsatz FROM Kunden"), L"2,7.0;");
}

TEST(TOdbcDataSet, ReadsOnlyTheRowsTheCursorReaches) {
    Datenbank d;
    d.Fuellen(500);
    Abfrage q(nullptr);
    d.Kunden(q);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 500) << "counted by the database";
    q.MoveBy(9);
    EXPECT_EQ(q.Gelesen(), 10u);
    q.Last();
    EXPECT_EQ(q.Gelesen(), 500u);
    EXPECT_EQ(q.FieldByName(L"Name")->AsString(), L"Kunde 500");

    // Refresh reads anew and finds the current record by its key, after another program
    // inserted one before it.
    q.SetRecNo(250);
    TOdbcConnection zweite(nullptr);
    zweite.SetConnectionString(d.verbindung);
    zweite.ExecSQL(L"INSERT INTO Kunden (Nr, Name) VALUES (0, 'Neu')");
    q.Refresh();
    EXPECT_EQ(q.RecNo(), 251);
    EXPECT_EQ(q.FieldByName(L"Name")->AsString(), L"Kunde 250");
    EXPECT_EQ(q.RecordCount(), 501);
}

// Nothing the user typed is lost and nothing is reported done that was not: a failed write
// leaves the record in edit state with its values.
TEST(TOdbcDataSet, FailedWritesKeepTheEditAndSayWhy) {
    Datenbank d;
    d.Fuellen(3);
    d.db.ExecSQL(L"CREATE TABLE Doppelt (Gruppe INTEGER, Name TEXT)");
    d.db.ExecSQL(L"INSERT INTO Doppelt VALUES (1, 'a'), (1, 'b')");
    Abfrage q(nullptr);
    d.Kunden(q);
    q.Open();

    q.Edit();
    q.FieldByName(L"Name")->Clear();
    String meldung = Meldung([&] { q.Post(); });
    EXPECT_EQ(meldung.rfind(L"Datenbankfehler: ", 0), 0u) << meldung;
    EXPECT_NE(meldung.find(L"NOT NULL"), String::npos) << meldung;
    EXPECT_EQ(q.State(), dsEdit);
    q.FieldByName(L"Name")->SetAsString(L"Repariert");
    q.Post();

    q.Next();
    TOdbcConnection zweite(nullptr);
    zweite.SetConnectionString(d.verbindung);
    zweite.ExecSQL(L"DELETE FROM Kunden WHERE Nr = 2");
    q.Edit();
    q.FieldByName(L"Ort")->SetAsString(L"Bonn");
    EXPECT_EQ(
        Meldung([&] { q.Post(); }),
        L"Der Datensatz wurde nicht gefunden: Er wurde inzwischen geändert oder gelöscht. Bitte die Anzeige "
        L"aktualisieren");
    EXPECT_EQ(q.FieldByName(L"Ort")->AsString(), L"Bonn");
    q.Cancel();

    Abfrage doppelt(nullptr);
    d.Binden(doppelt, L"SELECT * FROM Doppelt", L"Doppelt", L"Gruppe");
    doppelt.Open();
    doppelt.Edit();
    doppelt.FieldByName(L"Name")->SetAsString(L"c");
    EXPECT_EQ(
        Meldung([&] { doppelt.Post(); }),
        L"Die Schlüsselspalten (Gruppe) bezeichnen mehr als einen Datensatz der Tabelle Doppelt: Es wurde "
        L"nichts geändert");
    EXPECT_EQ(d.Lesen(L"SELECT Name FROM Doppelt"), L"a;b;");
    EXPECT_EQ(d.Lesen(L"SELECT Name FROM Kunden ORDER BY Nr"), L"Repariert;Kunde 3;");
}

TEST(TOdbcDataSet, RefusesWhatItCannotDoInGermanWords) {
    Datenbank d;
    d.Fuellen(1);
    Abfrage ohneSchluessel(nullptr);
    d.Binden(ohneSchluessel, L"SELECT Name FROM Kunden");
    ohneSchluessel.Open();
    EXPECT_FALSE(ohneSchluessel.CanModify());
    EXPECT_EQ(Meldung([&] { ohneSchluessel.Edit(); }),
              L"Die Datensätze können nur gelesen werden: Zum Ändern fehlen der Name der Tabelle und ihre "
              L"Schlüsselspalten");

    Abfrage falsch(nullptr);
    d.Binden(falsch, L"SELEC Name FROM Kunden");
    String meldung = Meldung([&] { falsch.Open(); });
    EXPECT_EQ(meldung.rfind(L"Datenbankfehler: ", 0), 0u) << meldung;
    EXPECT_NE(meldung.find(L"syntax error"), String::npos) << meldung;
    EXPECT_FALSE(falsch.Active());
    EXPECT_EQ(falsch.FieldCount(), 0);

    TOdbcConnection ohneTreiber(nullptr);
    ohneTreiber.SetConnectionString(L"Driver={Kein Treiber};Database=x.db;");
    EXPECT_THROW(ohneTreiber.Open(), EDatabaseError);
    EXPECT_FALSE(ohneTreiber.Connected());
}

TEST(TOdbcDataSet, DetailQueryFollowsTheMaster) {
    Datenbank d;
    d.Fuellen(2);
    d.db.ExecSQL(L"CREATE TABLE Auftraege (Id INTEGER PRIMARY KEY, Kunde INTEGER, Artikel TEXT)");
    d.db.ExecSQL(L"INSERT INTO Auftraege (Kunde, Artikel) VALUES (1, 'Tisch'), (2, 'Stuhl'), (1, 'Lampe')");
    Abfrage kunden(nullptr);
    d.Kunden(kunden);
    TDataSource quelle(nullptr);
    quelle.SetDataSet(&kunden);
    Abfrage auftraege(nullptr);
    d.Binden(auftraege, L"SELECT * FROM Auftraege ORDER BY Id", L"Auftraege", L"Id");
    auftraege.SetMasterSource(&quelle);
    auftraege.SetMasterFields(L"Kunde=Nr");
    kunden.Open();
    auftraege.Open();
    EXPECT_EQ(auftraege.RecordCount(), 2);
    kunden.Next();
    EXPECT_EQ(auftraege.RecordCount(), 1);
    auftraege.Append();
    auftraege.FieldByName(L"Artikel")->SetAsString(L"Regal");
    auftraege.Post();
    EXPECT_EQ(d.Lesen(L"SELECT Kunde, Artikel FROM Auftraege WHERE Artikel = 'Regal'"), L"2,Regal;");
}

// Under Wine the driver runs on the host and needs the host's path; on Windows nothing changes.
TEST(HostConnectionString, GivesTheDriverTheHostsPathUnderWine) {
    const bool wine = GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name") != nullptr;
    struct Fall {
        const wchar_t* text;
        const wchar_t* unterWine;
    };
    const Fall faelle[] = {
        {L"Driver={SQLite3};Database=Z:\\tmp\\k.db;", L"Driver={SQLite3};Database=/tmp/k.db;"},
        {L"DBQ={Z:\\tmp\\a;b.db};Driver={SQLite3}", L"DBQ={/tmp/a;b.db};Driver={SQLite3}"},
        {L"Driver={SQLite3};database = Z:\\tmp\\k.db", L"Driver={SQLite3};database=/tmp/k.db"},
        {L"Driver={SQLite3};Database=/tmp/k.db", L"Driver={SQLite3};Database=/tmp/k.db"},
        {L"Server=Z:\\tmp;Database=", L"Server=Z:\\tmp;Database="},
        // A server's database is a name, not a file beside the program.
        {L"Driver={PostgreSQL Unicode};Server=127.0.0.1;Database=bausteine;",
         L"Driver={PostgreSQL Unicode};Server=127.0.0.1;Database=bausteine;"},
        {L"Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=Z:\\tmp\\a.mdb",
         L"Driver={Microsoft Access Driver (*.mdb, *.accdb)};DBQ=/tmp/a.mdb"},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(HostConnectionString(f.text), wine ? f.unterWine : f.text) << f.text;
}

// Counting and narrowing wrap the query; a closing sort goes first, as some servers refuse a
// derived table that sorts. Sorting that picks rows stays.
TEST(WithoutOrderBy, DropsOnlyAClosingSort) {
    const std::pair<const wchar_t*, const wchar_t*> faelle[] = {
        {L"SELECT * FROM Kunden ORDER BY Nr;", L"SELECT * FROM Kunden"},
        {L"select * from k order\r\n  by a desc, b", L"select * from k"},
        {L"SELECT * FROM (SELECT * FROM k ORDER BY a) x", L"SELECT * FROM (SELECT * FROM k ORDER BY a) x"},
        {L"SELECT 'ORDER BY' AS t, \"order by\" FROM k", L"SELECT 'ORDER BY' AS t, \"order by\" FROM k"},
        {L"SELECT * FROM k ORDER BY a LIMIT 10", L"SELECT * FROM k ORDER BY a LIMIT 10"},
        {L"SELECT * FROM k ORDER BY a OFFSET 5 ROWS FETCH NEXT 5 ROWS ONLY",
         L"SELECT * FROM k ORDER BY a OFFSET 5 ROWS FETCH NEXT 5 ROWS ONLY"},
        {L"SELECT reorder FROM k", L"SELECT reorder FROM k"},
    };
    for (const auto& [sql, ohne] : faelle)
        EXPECT_EQ(WithoutOrderBy(sql), ohne) << sql;
}
