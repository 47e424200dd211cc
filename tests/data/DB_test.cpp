// The data set's rules on records in memory: the cursor, changes, fields, links, master and detail.
#include "data/MemDataSet.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <gtest/gtest.h>

namespace {
struct Kunden : TMemDataSet {
    explicit Kunden(TComponent* owner = nullptr) : TMemDataSet(owner) {
        SetName(L"Kunden");
        AddFieldDef(L"Nr", ftInteger);
        AddFieldDef(L"Name", ftString, 40);
        AddFieldDef(L"Umsatz", ftFloat);
    }
    void Fill(int n) {
        for (int i = 1; i <= n; ++i)
            AppendRecord({std::to_wstring(i), L"Kunde " + std::to_wstring(i), L"1.5"});
    }
};

String Names(TDataSet& set) {
    String out;
    set.First();
    while (!set.Eof()) {
        out += set.FieldByName(L"Name")->AsString() + L";";
        set.Next();
    }
    return out;
}

// Records what a control on the data source is told, one letter per notification.
struct Protokoll : TDataLink {
    String log;
    void ActiveChanged() override { log += Active() ? L"A" : L"a"; }
    void EditingChanged() override { log += Editing() ? L"E" : L"e"; }
    void DataSetChanged() override { log += L"D"; }
    void DataSetScrolled(int distance) override { log += L"S" + std::to_wstring(distance); }
    void RecordChanged(TField*) override { log += L"R"; }
    void UpdateData() override { log += L"U"; }
    void DataSourceChanged() override { log += L"Q"; }
};
} // namespace

TEST(TDataSet, CursorMovesAndBofEofFollowTheirRule) {
    struct Schritt {
        const char* was;
        int recNo;
        bool bof, eof;
    };
    Kunden set;
    set.Fill(3);
    set.Open();
    auto check = [&](const Schritt& s) {
        EXPECT_EQ(set.RecNo(), s.recNo) << s.was;
        EXPECT_EQ(set.Bof(), s.bof) << s.was;
        EXPECT_EQ(set.Eof(), s.eof) << s.was;
    };
    check({"open", 1, true, false});
    set.Next();
    check({"next", 2, false, false});
    set.Prior();
    check({"prior onto the first: not yet Bof", 1, false, false});
    set.Prior();
    check({"prior past the first", 1, true, false});
    set.Last();
    check({"last", 3, false, true});
    set.First();
    set.MoveBy(2);
    check({"onto the last by moving: not yet Eof", 3, false, false});
    EXPECT_EQ(set.MoveBy(5), 0);
    check({"past the last", 3, false, true});
    EXPECT_EQ(set.MoveBy(-9), -2);
    check({"back past the first", 1, true, false});
    set.SetRecNo(2);
    check({"record number", 2, false, false});
    EXPECT_EQ(Names(set), L"Kunde 1;Kunde 2;Kunde 3;");

    Kunden empty;
    empty.Open();
    EXPECT_TRUE(empty.IsEmpty());
    empty.Next();
    EXPECT_TRUE(empty.Bof() && empty.Eof());
    EXPECT_EQ(empty.RecordCount(), 0);
}

TEST(TDataSet, InsertAppendPostCancelDeleteKeepOrderAndPosition) {
    Kunden set;
    set.Fill(3);
    set.Open();
    set.Next();
    set.Insert();
    EXPECT_EQ(set.State(), dsInsert);
    EXPECT_EQ(set.ViewRow(), 1);
    EXPECT_EQ(set.ViewCount(), 4);
    set.FieldByName(L"Name")->SetAsString(L"Neu davor");
    set.Post();
    EXPECT_EQ(set.State(), dsBrowse);
    EXPECT_EQ(set.RecNo(), 2);
    set.Append();
    set.FieldByName(L"Name")->SetAsString(L"Neu am Ende");
    set.Post();
    EXPECT_EQ(set.RecNo(), 5);
    EXPECT_EQ(Names(set), L"Kunde 1;Neu davor;Kunde 2;Kunde 3;Neu am Ende;");

    set.SetRecNo(3);
    set.Insert();
    set.Cancel();
    EXPECT_EQ(set.RecNo(), 3) << "a cancelled insert returns to the record it started from";
    set.Edit();
    set.FieldByName(L"Name")->SetAsString(L"verworfen");
    set.Cancel();
    EXPECT_EQ(set.FieldByName(L"Name")->AsString(), L"Kunde 2");

    set.Delete();
    EXPECT_EQ(set.FieldByName(L"Name")->AsString(), L"Kunde 3") << "the next record follows";
    set.Last();
    set.Delete();
    EXPECT_EQ(set.FieldByName(L"Name")->AsString(), L"Kunde 3");
    EXPECT_TRUE(set.Eof()) << "deleting the last record ends at the end";
    EXPECT_EQ(set.RecordCount(), 3);
    EXPECT_EQ(set.StoredCount(), 3);
    set.Close();
    set.Open();
    EXPECT_EQ(Names(set), L"Kunde 1;Neu davor;Kunde 3;") << "the store kept the changes";
}

// A new record nobody typed into is dropped when the cursor moves on; defaults set in OnNewRecord
// do not count as typing. Edit on an empty set starts a new record.
TEST(TDataSet, CheckBrowseModePostsChangesAndDropsUntouchedNewRecords) {
    Kunden set;
    set.Fill(2);
    set.OnNewRecord = [](TDataSet* s) { s->FieldByName(L"Umsatz")->SetAsFloat(0); };
    set.Open();
    set.Append();
    EXPECT_EQ(set.FieldByName(L"Umsatz")->AsString(), L"0");
    set.First();
    EXPECT_EQ(set.RecordCount(), 2);
    set.Edit();
    set.FieldByName(L"Name")->SetAsString(L"Geändert");
    set.Next();
    EXPECT_EQ(set.State(), dsBrowse);
    set.First();
    EXPECT_EQ(set.FieldByName(L"Name")->AsString(), L"Geändert");

    Kunden empty;
    empty.Open();
    empty.Edit();
    EXPECT_EQ(empty.State(), dsInsert);
    EXPECT_FALSE(empty.IsEmpty());
}

TEST(TDataSet, RefusalsNameTheirReason) {
    struct Fall {
        const char* was;
        std::function<void(Kunden&)> tun;
        const wchar_t* meldung;
    };
    const Fall faelle[] = {
        {"read-only", [](Kunden& s) { s.SetReadOnly(true), s.Edit(); },
         L"Die Datensätze können nur gelesen werden: Die Datenmenge ist schreibgeschützt"},
        {"write outside an edit", [](Kunden& s) { s.FieldByName(L"Name")->SetAsString(L"x"); },
         L"Das Feld 'Name' kann nur beim Bearbeiten eines Datensatzes geändert werden"},
        {"unknown field", [](Kunden& s) { s.FieldByName(L"Ort"); },
         L"Das Feld 'Ort' gibt es in der Datenmenge 'Kunden' nicht"},
        {"delete on empty",
         [](Kunden& s) { s.Close(), s.Open(), s.First(), s.Delete(), s.Delete(), s.Delete(); },
         L"Die Datenmenge ist leer: Es gibt keinen Datensatz zum Löschen"},
        {"own master",
         [](Kunden& s) {
             TDataSource ds(nullptr);
             ds.SetDataSet(&s);
             s.SetMasterSource(&ds);
         },
         L"Die Datenmenge 'Kunden' kann nicht ihre eigene Hauptdatenquelle sein"},
    };
    for (const Fall& f : faelle) {
        Kunden set;
        set.Fill(2);
        set.Open();
        try {
            f.tun(set);
            ADD_FAILURE() << f.was << ": no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), f.meldung) << f.was;
        }
    }
}

// Under the German locale the test command sets: the user types and reads a comma.
TEST(TField, TextAndNumbersConvertBothWays) {
    struct Fall {
        const wchar_t* feld;
        const wchar_t* eingabe;
        const wchar_t* gespeichert; // nullptr: refused
        const wchar_t* angezeigt;
        bool null;
    };
    const Fall faelle[] = {
        {L"Umsatz", L"3,25", L"3.25", L"3,25", false},
        {L"Umsatz", L" -7 ", L"-7", L"-7", false},
        {L"Umsatz", L"1.5", nullptr, nullptr, false}, // the dot groups thousands here
        {L"Umsatz", L"1.000", L"1000", L"1000", false},
        {L"Umsatz", L"", L"", L"", true},
        {L"Umsatz", L"drei", nullptr, nullptr, false},
        {L"Umsatz", L"1,2,3", nullptr, nullptr, false},
        {L"Nr", L"42", L"42", L"42", false},
        {L"Nr", L"4,5", nullptr, nullptr, false},
        {L"Nr", L"", L"", L"", true},
        {L"Name", L"", L"", L"", true}, // an emptied text that may be NULL is NULL
        {L"Name", L" Zöllner ", L" Zöllner ", L" Zöllner ", false},
    };
    Kunden set;
    set.Open();
    for (const Fall& f : faelle) {
        set.Append();
        TField* field = set.FieldByName(f.feld);
        if (!f.gespeichert) {
            EXPECT_THROW(field->SetText(f.eingabe), Exception) << f.eingabe;
            EXPECT_TRUE(field->IsNull()) << "a refused text leaves the value alone";
        } else {
            field->SetText(f.eingabe);
            EXPECT_EQ(field->AsString(), f.gespeichert) << f.eingabe;
            EXPECT_EQ(field->Text(), f.angezeigt) << f.eingabe;
            EXPECT_EQ(field->IsNull(), f.null) << f.eingabe;
        }
        set.Cancel();
    }
    set.Append();
    set.FieldByName(L"Umsatz")->SetAsFloat(-0.125);
    EXPECT_EQ(set.FieldByName(L"Umsatz")->AsString(), L"-0.125");
    EXPECT_DOUBLE_EQ(set.FieldByName(L"Umsatz")->AsFloat(), -0.125);
    set.FieldByName(L"Nr")->SetAsString(L"12.0");
    EXPECT_EQ(set.FieldByName(L"Nr")->AsInteger(), 12);
    set.FieldByName(L"Nr")->SetAsString(L"x1");
    EXPECT_THROW(set.FieldByName(L"Nr")->AsInteger(), Exception);
    set.Cancel();

    // A record given as texts, closed or open: an empty number is no value, an empty name is one.
    Kunden texte;
    texte.AppendRecord({L"", L"", L""});
    texte.Open();
    texte.AppendRecord({L"2", L"", L""});
    for (texte.First(); !texte.Eof(); texte.Next()) {
        EXPECT_TRUE(texte.FieldByName(L"Umsatz")->IsNull());
        EXPECT_FALSE(texte.FieldByName(L"Name")->IsNull());
    }
}

TEST(TDataLink, FollowsTheSourceThroughOpenEditPostAndTheEndOfEither) {
    auto* set = new Kunden;
    set->Fill(2);
    auto* source = new TDataSource(nullptr);
    Protokoll link;
    link.SetDataSource(source);
    source->SetDataSet(set);
    String states;
    source->OnStateChange = [&](TComponent*) { states += std::to_wstring(source->State()); };
    set->Open();
    set->Next();
    set->Edit();
    set->FieldByName(L"Name")->SetAsString(L"x");
    set->Post();
    EXPECT_EQ(link.log, L"QADS1ERUeD");
    EXPECT_EQ(states, L"121");

    link.log.clear();
    source->SetEnabled(false);
    set->First();
    source->SetEnabled(true);
    EXPECT_EQ(link.log, L"aA") << "a disabled source passes nothing on";

    link.log.clear();
    delete set; // the link goes inactive and never touches the freed set
    EXPECT_EQ(link.log, L"a");
    EXPECT_EQ(source->DataSet(), nullptr);
    delete source;
    EXPECT_EQ(link.DataSource(), nullptr);
    EXPECT_EQ(link.log, L"aQ");
}

TEST(TDataSet, DetailFollowsTheMasterAndTakesItsKeyForNewRecords) {
    Kunden kunden;
    kunden.Fill(2);
    TMemDataSet auftraege(nullptr);
    auftraege.AddFieldDef(L"Kunde", ftInteger);
    auftraege.AddFieldDef(L"Artikel", ftString, 20);
    auftraege.AppendRecord({L"1", L"Tisch"});
    auftraege.AppendRecord({L"2", L"Stuhl"});
    auftraege.AppendRecord({L"1", L"Lampe"});
    TDataSource quelle(nullptr);
    quelle.SetDataSet(&kunden);
    auftraege.SetMasterFields(L"Kunde=Nr");
    auftraege.SetMasterSource(&quelle);
    auftraege.Open();
    EXPECT_EQ(auftraege.RecordCount(), 0) << "no master record, no details";

    kunden.Open();
    EXPECT_EQ(auftraege.RecordCount(), 2);
    kunden.Next();
    EXPECT_EQ(auftraege.RecordCount(), 1);
    EXPECT_EQ(auftraege.FieldByName(L"Artikel")->AsString(), L"Stuhl");
    auftraege.Append();
    EXPECT_EQ(auftraege.FieldByName(L"Kunde")->AsString(), L"2");
    auftraege.FieldByName(L"Artikel")->SetAsString(L"Regal");
    kunden.First(); // posts the detail's new record before following
    EXPECT_EQ(auftraege.RecordCount(), 2);
    EXPECT_EQ(auftraege.StoredCount(), 4);
    kunden.Next();
    EXPECT_EQ(auftraege.RecordCount(), 2);
}

// What the user types becomes the stored form or is refused, never silently another value: with
// German settings "1.000" is a thousand (the dot groups), "1.5" is refused, not read as 15 or 1.5.
// Dates are typed day first; a time only where the column has one.
TEST(TField, TypedTextBecomesTheStoredFormOrIsRefused) {
    if (DezimalTrenner() != L",") GTEST_SKIP() << "the cases are written for German regional settings";
    struct Fall {
        TFieldType typ;
        const wchar_t* getippt;
        const wchar_t* gespeichert; // null: refused
    };
    const Fall faelle[] = {
        {ftFloat, L"1.234.567,25", L"1234567.25"}, {ftFloat, L"-1.000,5", L"-1000.5"},
        {ftFloat, L"12.34,5", nullptr},            {ftFloat, L"1,000.5", nullptr},
        {ftFloat, L"1.0000", nullptr},             {ftInteger, L"1.000", nullptr},
        {ftDate, L"1.3.2024", L"2024-03-01"}, {ftDate, L"29.02.2023", nullptr},
        {ftDate, L"01.03.2024 10:00", nullptr}, {ftDate, L"2024-03-01", nullptr},
        {ftDateTime, L"01.03.2024", L"2024-03-01 00:00:00"},
        {ftDateTime, L"01.03.2024 9:05:30", L"2024-03-01 09:05:30"},
        {ftDateTime, L"01.03.2024 24:00", nullptr},
    };
    for (const Fall& f : faelle) {
        TMemDataSet set(nullptr);
        set.AddFieldDef(L"Wert", f.typ);
        set.Open();
        set.Append();
        TField* feld = set.Fields(0);
        bool abgelehnt = false;
        try {
            feld->SetText(f.getippt);
        } catch (const Exception&) {
            abgelehnt = true;
        }
        EXPECT_EQ(abgelehnt ? String(L"(abgelehnt)") : feld->IsNull() ? String(L"(NULL)") : feld->AsString(),
                  f.gespeichert ? f.gespeichert : L"(abgelehnt)")
            << f.getippt;
    }
    TMemDataSet set(nullptr);
    set.AddFieldDef(L"Text", ftString);
    set.AddFieldDef(L"Am", ftDateTime);
    set.Open();
    set.Append();
    set.Fields(0)->SetRequired(true);
    set.Fields(0)->SetText(L"");
    set.Fields(1)->SetAsString(L"2024-03-01 00:00:00");
    EXPECT_FALSE(set.Fields(0)->IsNull()) << "a column without NULL keeps the empty text";
    EXPECT_EQ(set.Fields(1)->Text(), L"01.03.2024") << "no time at midnight";
}
