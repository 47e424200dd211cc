// What the ODBC data set writes, case by case, against SQLite and against the private PostgreSQL
// server the test command starts: each case acts on a fresh database and reports what it saw and
// what another connection reads afterwards.
#include "data/OdbcDataSet.h"
#include "util/kv7_str.h"
#include "Datenbank.h"

#include <gtest/gtest.h>

namespace {
struct Umgebung {
    Testdatenbank& t;
    TOdbcDataSet q{nullptr};

    // Kunden 1 and 2 (2 without Ort and Umsatz); Orte names Köln with a Name column of its own.
    explicit Umgebung(Testdatenbank& d) : t(d) {
        t.db.ExecSQL(L"CREATE TABLE Kunden (Nr " + t.Zaehler() +
                     L", Name VARCHAR(100) NOT NULL, Ort VARCHAR(100), Umsatz DOUBLE PRECISION, Seit DATE, "
                     L"Zuletzt TIMESTAMP, Bild " + t.Bytes() + L")");
        t.db.ExecSQL(L"INSERT INTO Kunden (Name, Ort, Umsatz, Bild) VALUES ('Kunde 1', 'Köln', 2.5, " +
                     t.BytesWert(L"0102FF") + L"), ('Kunde 2', NULL, NULL, NULL)");
        t.db.ExecSQL(L"CREATE TABLE Orte (Ort VARCHAR(100) PRIMARY KEY, Name VARCHAR(100))");
        t.db.ExecSQL(L"INSERT INTO Orte VALUES ('Köln', 'Domstadt')");
        Oeffnen(L"SELECT * FROM Kunden ORDER BY Nr", L"Kunden");
    }
    void Oeffnen(const String& sql, const String& tabelle) {
        q.Close();
        q.SetConnection(&t.db);
        q.SetSQL(sql);
        q.SetTableName(tabelle);
        q.SetKeyFields(L"Nr");
        q.Open();
    }
    TField* F(const wchar_t* name) { return q.FieldByName(name); }
    // A new record of that name, written.
    void Neu(const wchar_t* name) {
        q.Append();
        F(L"Name")->SetAsString(name);
        q.Post();
    }
    String Kunden() { return t.Lesen(L"SELECT Nr, Name, Ort, Umsatz FROM Kunden ORDER BY Nr"); }
};

// The server gives column names in lower case; the cases compare without letter case there.
String Klein(String text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

struct Fall {
    const char* name;
    std::function<String(Umgebung&)> tun;
    const wchar_t* erwartet;
    bool nurSQLite = false;
};

const Fall kFaelle[] = {
    {"InsertReadsBackItsOwnKeyIntoAReadOnlyField",
     [](Umgebung& u) {
         u.F(L"Nr")->SetReadOnly(true);
         u.Neu(L"Neu");
         return u.F(L"Nr")->AsString() + L"|" + u.Kunden();
     },
     L"3|1,Kunde 1,Köln,2.5;2,Kunde 2,NULL,NULL;3,Neu,NULL,NULL;"},
    // An older record with the same values and a higher key must not be taken for the new one.
    {"TheNewRecordIsNotAnotherWithTheSameValues",
     [](Umgebung& u) {
         u.t.db.ExecSQL(L"INSERT INTO Kunden (Nr, Name) VALUES (100, 'Neu')");
         u.q.Refresh();
         u.Neu(L"Neu");
         u.q.Edit();
         u.F(L"Ort")->SetAsString(L"Bonn");
         u.q.Post();
         return u.t.Lesen(L"SELECT Name, Ort FROM Kunden WHERE Nr = 100") + L"|" +
                u.t.Lesen(L"SELECT Name FROM Kunden WHERE Ort = 'Bonn'");
     },
     L"Neu,NULL;|Neu;"},
    {"UpdateAndDelete",
     [](Umgebung& u) {
         u.q.Edit();
         u.F(L"Umsatz")->SetText(L"1.234,5");
         u.q.Post();
         u.q.Next();
         u.q.Delete();
         return u.Kunden();
     },
     L"1,Kunde 1,Köln,1234.5;"},
    {"UmlautsAndCharactersBeyondTheBasicPlane",
     [](Umgebung& u) {
         u.Neu(L"Łódź Straße € 東 \U0001F600 \U00020BB7");
         return u.t.Lesen(L"SELECT Name FROM Kunden WHERE Nr = 3");
     },
     L"Łódź Straße € 東 \U0001F600 \U00020BB7;"},
    // An untouched NULL stays NULL; an emptied column that takes NULL becomes NULL, one that does not
    // stays an empty text.
    {"NullStaysNull",
     [](Umgebung& u) {
         u.q.Edit();
         u.F(L"Ort")->SetText(L"");
         u.F(L"Name")->SetText(L"");
         u.q.Post();
         u.q.Next();
         u.q.Edit();
         u.F(L"Name")->SetText(L"Kunde zwei");
         u.q.Post();
         return u.Kunden();
     },
     L"1,,NULL,2.5;2,Kunde zwei,NULL,NULL;"},
    // Posts inside the program's transaction join it: its rollback undoes them.
    {"WritesJoinTheProgramsTransaction",
     [](Umgebung& u) {
         u.t.db.StartTransaction();
         u.q.Edit();
         u.F(L"Ort")->SetAsString(L"Bonn");
         u.q.Post();
         u.Neu(L"Neu");
         const bool offen = u.t.db.InTransaction();
         u.t.db.Rollback();
         return String(offen ? L"offen|" : L"beendet|") + u.Kunden();
     },
     L"offen|1,Kunde 1,Köln,2.5;2,Kunde 2,NULL,NULL;"},
    // A failed write leaves the transaction to the program with what was written before it, and the
    // record in its edit.
    {"AFailedWriteLeavesTheTransactionToTheProgram",
     [](Umgebung& u) {
         u.t.db.StartTransaction();
         u.Neu(L"Vorher");
         u.q.First();
         u.q.Edit();
         u.F(L"Name")->Clear();
         const String fehler = Meldung([&] { u.q.Post(); });
         const bool bearbeitet = u.q.State() == dsEdit && u.t.db.InTransaction();
         u.q.Cancel();
         u.t.db.Commit();
         return String(fehler.rfind(L"Datenbankfehler: ", 0) == 0 ? L"Fehler|" : fehler + L"|") +
                (bearbeitet ? L"bearbeitet|" : L"|") + u.Kunden();
     },
     L"Fehler|bearbeitet|1,Kunde 1,Köln,2.5;2,Kunde 2,NULL,NULL;3,Vorher,NULL,NULL;"},
    // A connection given up inside a transaction rolls back, even when the server is gone meanwhile.
    {"AConnectionFreedInATransactionRollsBack",
     [](Umgebung& u) {
         {
             TOdbcConnection eigene(nullptr);
             eigene.SetConnectionString(u.t.verbindung);
             eigene.StartTransaction();
             eigene.ExecSQL(L"INSERT INTO Kunden (Name) VALUES ('Verworfen')");
             if (u.t.art == Datenbankart::PostgreSQL)
                 u.t.db.ExecSQL(L"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE pid <> "
                                L"pg_backend_pid() AND datname = current_database()");
         }
         return u.t.Lesen(L"SELECT COUNT(*) FROM Kunden");
     },
     L"2;"},
    // Columns of another table and expressions are read-only; the named table's columns are written.
    {"OnlyColumnsOfTheNamedTableAreWritten",
     [](Umgebung& u) {
         u.Oeffnen(L"SELECT k.Nr, k.Ort, o.Name, k.Umsatz * 2 AS Doppelt FROM Kunden k JOIN Orte o ON o.Ort = "
                   L"k.Ort ORDER BY k.Nr",
                   L"Kunden");
         u.q.Edit();
         const String name = Meldung([&] { u.F(L"Name")->SetAsString(L"Falsch"); });
         const String doppelt = Meldung([&] { u.F(L"Doppelt")->SetAsString(L"9"); });
         u.F(L"Ort")->SetAsString(L"Bonn");
         u.q.Post();
         return Klein(name + L"|" + doppelt) + L"|" + u.Kunden() + u.t.Lesen(L"SELECT * FROM Orte");
     },
     L"das feld 'name' ist schreibgeschützt|das feld 'doppelt' ist schreibgeschützt|1,Kunde 1,Bonn,2.5;2,Kunde "
     L"2,NULL,NULL;Köln,Domstadt;"},
    {"DatesTimesAndBytes",
     [](Umgebung& u) {
         u.q.Edit();
         const String falsch = Meldung([&] { u.F(L"Seit")->SetText(L"30.02.2024"); });
         u.F(L"Seit")->SetText(L"29.2.2024");
         u.F(L"Zuletzt")->SetText(L"01.03.2024 13:45");
         const String bytes = Meldung([&] { u.F(L"Bild")->SetText(L"x"); });
         u.q.Post();
         u.q.Refresh();
         return Klein(falsch + L"|" + bytes) + L"|" + u.F(L"Seit")->Text() + L"|" + u.F(L"Zuletzt")->Text() + L"|" +
                u.F(L"Bild")->Text() + L"|" + u.t.Lesen(L"SELECT Seit, Zuletzt FROM Kunden WHERE Nr = 1");
     },
     L"'30.02.2024' ist kein gültiges datum (feld 'seit'): erwartet wird tt.mm.jjjj|das feld 'bild' enthält "
     L"binärdaten und kann hier nicht geändert werden|29.02.2024|01.03.2024 13:45|(Binärdaten, 3 "
     L"Bytes)|2024-02-29,2024-03-01 13:45:00;"},
    // A schema before the table name and names in any letter case reach the table the catalog holds;
    // a name with a blank is quoted.
    {"TableNamesByTheServersRules",
     [](Umgebung& u) {
         const String schema = u.t.art == Datenbankart::SQLite ? L"main" : L"verwaltung";
         if (u.t.art == Datenbankart::PostgreSQL) u.t.db.ExecSQL(L"CREATE SCHEMA verwaltung");
         u.t.db.ExecSQL(L"CREATE TABLE " + schema + L".Adressen (Nr INTEGER PRIMARY KEY, Name VARCHAR(50))");
         u.t.db.ExecSQL(L"CREATE TABLE \"Offene Posten\" (\"Nr\" INTEGER PRIMARY KEY, \"Betrag\" INTEGER)");
         u.t.db.ExecSQL(L"INSERT INTO \"Offene Posten\" VALUES (1, 10)");
         u.Oeffnen(L"SELECT * FROM " + schema + L".adressen", GrossBuchstaben(schema) + L".ADRESSEN");
         u.q.Append();
         u.F(L"Nr")->SetAsInteger(7);
         u.F(L"Name")->SetAsString(L"Sieben");
         u.q.Post();
         u.Oeffnen(L"SELECT * FROM \"Offene Posten\"", L"\"Offene Posten\"");
         u.q.Edit();
         u.F(L"Betrag")->SetAsInteger(20);
         u.q.Post();
         return u.t.Lesen(L"SELECT * FROM " + schema + L".Adressen") +
                u.t.Lesen(L"SELECT * FROM \"Offene Posten\"");
     },
     L"7,Sieben;1,20;"},
    // A key from a default the database has no way to report: taken only when one row holds the
    // values written; with two, the record asks for a refresh before it may be changed.
    {"AnUnsureNewKeyAsksForARefresh",
     [](Umgebung& u) {
         u.t.db.ExecSQL(L"CREATE TABLE Zufall (Nr INTEGER PRIMARY KEY DEFAULT (abs(random()) % 1000000000), "
                        L"Name TEXT) WITHOUT ROWID");
         u.Oeffnen(L"SELECT * FROM Zufall", L"Zufall");
         u.Neu(L"Einer");
         const String erster = u.F(L"Nr")->IsNull() ? L"unbekannt" : L"bekannt";
         u.Neu(L"Einer");
         u.q.Edit();
         u.F(L"Name")->SetAsString(L"Zwei");
         return erster + L"|" + Meldung([&] { u.q.Post(); });
     },
     L"bekannt|Welcher Datensatz der neue ist, ließ sich nicht sicher feststellen: Bitte die Anzeige "
     L"aktualisieren, bevor er geändert oder gelöscht wird",
     true},
};

} // namespace

// One suite per database, so that the server's cases show as skipped on their own where it is missing.
class OdbcSchreibenSQLite : public testing::TestWithParam<size_t> {};
class OdbcSchreibenPostgreSQL : public testing::TestWithParam<size_t> {};

namespace {
void Pruefen(Datenbankart art, const Fall& fall) {
    Testdatenbank t(art);
    Umgebung u(t);
    EXPECT_EQ(fall.tun(u), fall.erwartet);
}

std::vector<size_t> Faelle(bool server) {
    std::vector<size_t> faelle;
    for (size_t i = 0; i < std::size(kFaelle); ++i)
        if (!server || !kFaelle[i].nurSQLite) faelle.push_back(i);
    return faelle;
}

std::string FallName(const testing::TestParamInfo<size_t>& info) {
    return kFaelle[info.param].name;
}
} // namespace

TEST_P(OdbcSchreibenSQLite, AsAnotherConnectionReadsIt) {
    Pruefen(Datenbankart::SQLite, kFaelle[GetParam()]);
}

TEST_P(OdbcSchreibenPostgreSQL, AsAnotherConnectionReadsIt) {
    if (auto grund = OhneServer()) GTEST_SKIP() << *grund;
    Pruefen(Datenbankart::PostgreSQL, kFaelle[GetParam()]);
}

INSTANTIATE_TEST_SUITE_P(Faelle, OdbcSchreibenSQLite, testing::ValuesIn(Faelle(false)), FallName);
INSTANTIATE_TEST_SUITE_P(Faelle, OdbcSchreibenPostgreSQL, testing::ValuesIn(Faelle(true)), FallName);
