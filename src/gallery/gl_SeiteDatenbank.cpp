// The database page: a browser panel over the sample database beside the program, reached through
// the connection string in the gallery's settings file; where the driver is missing, the same
// records from memory.
#include "controls/kv7_BrowserPanel.h"
#include "data/MemDataSet.h"
#include "data/OdbcDataSet.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Eintrag.h"
#include "gallery/gl_Main.h"
#include "gallery/gl_Seiten.h"
#include "sys/Ordner.h"
#include "sys/Qel_ini.h"
#include "toolkit/Dialogs.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_str.h"

#include <memory>

namespace {
constexpr int kGespeichert = 99; // the gallery's store takes this Tag

struct TBeispiel {
    const wchar_t* name;
    const wchar_t* ort;
    const wchar_t* umsatz; // as the database stores it; empty: none
};
const TBeispiel kBeispiele[] = {
    {L"Bäckerei Müller", L"Köln", L"1250.5"},
    {L"Schäfer & Söhne", L"München", L"-80"},
    {L"Weiß GmbH", L"Düsseldorf", L""},
    {L"Jürgen Groß", L"Lübeck", L"12"},
    {L"Blumenhaus Öztürk", L"Nürnberg", L"15300"},
    {L"Café Fröhlich", L"Würzburg", L"642.25"},
};

const wchar_t* const kModi[] = {
    L"Zeilen wählen (bp_RowSelect)",
    L"Mehrere Zeilen wählen (bp_RowMultiSelect)",
    L"In der Tafel bearbeiten (bp_Editing)",
    L"Bearbeiten, mehrere Zeilen (bp_EditMultiSelect)",
    L"Bearbeiten mit Transaktion (bp_EditTransaction)",
    L"Transaktion, mehrere Zeilen (bp_EditMultiTransaction)",
};

const wchar_t* const kZustaende[] = {L"geschlossen", L"Durchblättern", L"Bearbeiten", L"Einfügen"};

// A database file named without a folder lies beside the program, wherever the stick is mounted.
String NebenDemProgramm(const String& verbindung) {
    return MapConnectionString(verbindung, [](const String& key, const String& value) {
        const bool datei = TextGleich(key, L"Database") || TextGleich(key, L"DBQ");
        if (!datei || value.empty() || value.find_first_of(L"\\/:") != String::npos) return value;
        return MitBackslash(ProgrammVerzeichnis()) + value;
    });
}

// The connection string from the settings file, written there on first start so that it can be
// changed; a settings file that cannot be written leaves the default in use.
String Verbindung() {
    TqelIniFile ini(ProgrammDateiMitEndung(L".ini"));
    const String vorgabe = L"Driver={SQLite3};Database=" + DateiBasisname(ProgrammDatei()) + L".db;";
    if (std::optional<String> wert = ini.ReadValue(L"Datenbank", L"Verbindung")) return *wert;
    try {
        ini.WriteString(L"Datenbank", L"Verbindung", vorgabe);
    } catch (const Exception&) {
    }
    return vorgabe;
}

// The sample table, made and filled when the database does not have it yet.
void BeispielAnlegen(TOdbcConnection& db) {
    try {
        db.ExecSQL(L"SELECT COUNT(*) FROM Adressen");
        return;
    } catch (const EDatabaseError&) {
    }
    db.StartTransaction();
    try {
        db.ExecSQL(
            L"CREATE TABLE Adressen (Nr INTEGER PRIMARY KEY, Name TEXT NOT NULL, Ort TEXT, Umsatz REAL)");
        for (const TBeispiel& b : kBeispiele)
            db.ExecSQL(L"INSERT INTO Adressen (Name, Ort, Umsatz) VALUES (?, ?, ?)",
                       {{FieldValue(b.name)},
                        {FieldValue(b.ort)},
                        {b.umsatz[0] ? FieldValue(b.umsatz) : TFieldValue{}}});
        db.Commit();
    } catch (...) {
        if (db.InTransaction()) db.Rollback();
        throw;
    }
}

// Why the page shows the records from memory, in one sentence.
String OhneDatenbank(const String& verbindung, const Exception& fehler) {
    const String datei = DateiBasisname(ProgrammDatei()) + L".db";
    const auto* db = dynamic_cast<const EDatabaseError*>(&fehler);
    if (!db || !db->DriverMissing())
        return L"Die Beispieldatenbank " + datei + L" lässt sich nicht öffnen (" + fehler.Message() +
               L"), darum zeigt die Tafel dieselben Beispielsätze aus dem Speicher.";
    const String treiber = ConnectionStringValue(verbindung, L"Driver");
    const bool sqlite = GrossBuchstaben(treiber).find(L"SQLITE") != String::npos;
    return L"Der ODBC-Treiber „" + treiber +
           L"“ ist auf diesem Rechner nicht installiert, darum zeigt die Tafel " +
           L"die Beispielsätze aus dem Speicher; installieren Sie " +
           (sqlite ? String(L"den SQLite-ODBC-Treiber (sqliteodbc)") : String(L"diesen Treiber")) +
           L", dann kommen sie aus " + datei + L".";
}

// What the page holds: the panel, the data behind it and the labels that report on it.
struct TDatenbankSeite {
    Tgl_Main* fenster;
    TkivBrowserPanel* panel = nullptr;
    TDataSource* quelle = nullptr;
    TDataSet* daten = nullptr;
    TLabel *herkunft = nullptr, *stand = nullptr;
    String zuletzt = L"–";
    int naechsteNr = 1;

    void Melden(const String& ereignis) {
        zuletzt = ereignis;
        Zeigen();
    }
    void Zeigen() {
        if (fenster->Destroying()) return; // the data set may already be gone
        String satz = daten->Active() && !daten->IsEmpty()
                          ? L"Datensatz " + std::to_wstring(daten->RecNo()) + L" von " +
                                std::to_wstring(daten->RecordCount())
                          : String(L"Keine Datensätze");
        stand->SetCaption(satz + L"; Zustand: " + kZustaende[daten->State()] + L"; zuletzt: " + zuletzt);
    }
};

void Felder(TDataSet* set) {
    set->FieldByName(L"Nr")->SetDisplayLabel(L"Nr.");
    set->FieldByName(L"Nr")->SetReadOnly(true);
    set->FieldByName(L"Name")->SetDisplayWidth(24);
    set->FieldByName(L"Ort")->SetDisplayWidth(14);
}

// The records in the database the settings file names; false with the reason in `herkunft`.
bool AusDerDatenbank(TDatenbankSeite& s, String& herkunft) {
    const String verbindung = Verbindung();
    auto* db = new TOdbcConnection(s.fenster);
    auto* q = new TOdbcDataSet(s.fenster);
    try {
        db->SetConnectionString(NebenDemProgramm(verbindung));
        db->Open();
        BeispielAnlegen(*db);
        q->SetConnection(db);
        q->SetSQL(L"SELECT Nr, Name, Ort, Umsatz FROM Adressen ORDER BY Nr");
        q->SetTableName(L"Adressen");
        q->SetKeyFields(L"Nr");
        q->AfterOpen = Felder;
        q->Open();
    } catch (const Exception& e) {
        herkunft = OhneDatenbank(verbindung, e);
        q->Free();
        db->Free();
        return false;
    }
    s.daten = q;
    herkunft = L"Die Datensätze kommen aus der Tabelle Adressen über die Verbindung „" + verbindung + L"“.";
    return true;
}

void AusDemSpeicher(TDatenbankSeite& s) {
    auto* m = new TMemDataSet(s.fenster);
    m->AddFieldDef(L"Nr", ftInteger);
    m->AddFieldDef(L"Name", ftString);
    m->AddFieldDef(L"Ort", ftString);
    m->AddFieldDef(L"Umsatz", ftFloat);
    for (const TBeispiel& b : kBeispiele)
        m->AppendRecord({std::to_wstring(s.naechsteNr++), b.name, b.ort, b.umsatz});
    m->AfterOpen = Felder;
    // The database numbers its records itself; here the page does.
    m->OnNewRecord = [&s](TDataSet* set) { set->FieldByName(L"Nr")->SetAsInteger(s.naechsteNr++); };
    m->Open();
    s.daten = m;
}

// Negative sales on dark red, large ones on light green; the panel picks the text colour.
TColor UmsatzFarbe(const TDatenbankSeite& s, int spalte) {
    TDBGrid* grid = s.panel->Grid();
    TField* feld = grid->Columns(spalte)->Field();
    if (!feld || feld->FieldName() != L"Umsatz" || feld->IsNull()) return grid->Color();
    const double umsatz = feld->AsFloat();
    return umsatz < 0 ? 0x000080 : umsatz >= 10000 ? 0xC0FFC0 : grid->Color();
}

int Fragen(const String& text) {
    MessageBoxArgs box;
    box.text = text;
    box.caption = L"Bausteine";
    box.icon = MB_ICONQUESTION;
    box.buttons = MB_YESNO;
    box.defaultResult = IDNO;
    return ShowMessageBox(box);
}

// The selected rows or, without a selection, the current one, after asking.
void Loeschen(TDatenbankSeite& s) {
    std::vector<TBookmark> marken = s.panel->Grid()->SelectedRows();
    const String frage = marken.size() > 1
                             ? L"Die " + std::to_wstring(marken.size()) + L" ausgewählten Einträge löschen?"
                             : L"Den Eintrag „" + s.daten->FieldByName(L"Name")->AsString() + L"“ löschen?";
    if (Fragen(frage) != IDYES) return;
    if (marken.size() <= 1) {
        s.daten->Delete();
        return;
    }
    for (TBookmark b : marken)
        if (s.daten->GotoBookmark(b)) s.daten->Delete();
    s.panel->Grid()->ClearSelection();
}

void Befehle(const std::shared_ptr<TDatenbankSeite>& s) {
    TkivBrowserPanel* p = s->panel;
    TDataSet* d = s->daten;
    p->SetOnNewClick([s, d](TComponent*) {
        s->Melden(L"OnNewClick");
        d->Append();
        EintragBearbeiten(*d, L"Neuer Eintrag");
    });
    p->SetOnEditClick([s, d](TComponent*) {
        s->Melden(L"OnEditClick");
        d->Edit();
        EintragBearbeiten(*d, L"Eintrag bearbeiten");
    });
    p->SetOnDeleteClick([s](TComponent*) {
        s->Melden(L"OnDeleteClick");
        Loeschen(*s);
    });
    p->SetOnAnzeigeClick([s, d](TComponent*) {
        s->Melden(L"OnAnzeigeClick");
        MessageBoxArgs box;
        box.text = L"Nr. " + d->FieldByName(L"Nr")->Text() + L": " + d->FieldByName(L"Name")->Text() + L", " +
                   d->FieldByName(L"Ort")->Text();
        box.caption = L"Bausteine";
        box.icon = MB_ICONINFORMATION;
        ShowMessageBox(box);
    });
    p->SetOnRefreshClick([s, d](TComponent*) {
        s->Melden(L"OnRefreshClick");
        d->Refresh();
    });
    p->SetOnDblClick([p](TComponent*) {
        if (p->BrowserPanelModus() < bp_Editing) p->EditClick();
    });
    p->OnOKClick = [s, d](TComponent*) {
        s->Melden(L"OnOKClick");
        if (d->State() == dsEdit || d->State() == dsInsert) d->Post();
    };
    p->OnCancelClick = [s, d](TComponent*) {
        s->Melden(L"OnCancelClick");
        if (d->State() == dsEdit || d->State() == dsInsert) d->Cancel();
    };
    p->OnGetColorDataCol = [s](TComponent*, int spalte) { return UmsatzFarbe(*s, spalte); };
}
} // namespace

void DatenbankSeite(Tgl_Main& f) {
    TqelWizardPage* seite = f.NeueSeite(
        L"wz_Datenbank", L"Datenbank: Navigator und Datentafel",
        L"Die Pfeile blättern, Einfg, F2 und Entf (oder die Knöpfe, der Rechtsklick) legen an, bearbeiten "
        L"und "
        L"löschen. In den Bearbeitungsarten schreibt man in der Tafel; Eingabe oder \"Speichern\" sichert.");
    const int oben = Tgl_Main::SeitenInhaltOben;
    auto s = std::make_shared<TDatenbankSeite>();
    s->fenster = &f;

    s->herkunft = f.Beschriftung(seite, L"", 12, oben);
    s->herkunft->SetName(L"lb_Herkunft");
    s->herkunft->SetAutoSize(false);
    s->herkunft->SetWordWrap(true);
    s->herkunft->SetBounds(12, oben, 616, 28);

    f.Beschriftung(seite, L"Art:", 12, oben + 36);
    auto* modus = new TComboBox(&f);
    modus->SetName(L"cb_Modus");
    modus->SetTag(kGespeichert);
    modus->SetParent(seite);
    modus->SetStyle(csDropDownList);
    modus->SetBounds(60, oben + 32, 300, 21);
    for (const wchar_t* m : kModi)
        modus->Items().Add(m);
    modus->SetItemIndex(0);
    auto* nurLesen = new TCheckBox(&f);
    nurLesen->SetName(L"ck_NurLesen");
    nurLesen->SetTag(kGespeichert);
    nurLesen->SetParent(seite);
    nurLesen->SetBounds(380, oben + 34, 200, 17);
    nurLesen->SetCaption(L"Nur lesen (kivReadOnly)");

    s->panel = new TkivBrowserPanel(&f);
    s->panel->SetName(L"bp_Adressen");
    s->panel->SetTag(kGespeichert);
    s->panel->SetParent(seite);
    s->panel->SetAlign(alNone);
    s->panel->SetBounds(12, oben + 62, 616, 240);
    s->panel->SetPanelTopCaption(L"Adressen");
    s->panel->SetPanelButtonVisible(true);

    String herkunft;
    if (!AusDerDatenbank(*s, herkunft)) AusDemSpeicher(*s);
    s->herkunft->SetCaption(herkunft);
    s->quelle = new TDataSource(&f);
    s->quelle->SetDataSet(s->daten);
    // Set before the panel takes the source: the panel's hook calls it after its own work.
    s->quelle->OnStateChange = [s](TComponent*) { s->Zeigen(); };
    s->quelle->OnDataChange = [s](TComponent*, TField*) { s->Zeigen(); };
    s->panel->SetDataSource(s->quelle);
    s->stand = f.Beschriftung(seite, L"", 12, oben + 308);
    s->stand->SetName(L"lb_Stand");
    Befehle(s);
    s->Zeigen();

    auto art = [s, modus] {
        s->panel->SetBrowserPanelModus(static_cast<TkivBrowserPanelModus>(modus->ItemIndex()));
    };
    modus->OnChange = [art](TComponent*) { art(); };
    nurLesen->OnClick = [s, nurLesen](TComponent*) { s->panel->SetkivReadOnly(nurLesen->Checked()); };
    f.NachDemLaden(art);
}
