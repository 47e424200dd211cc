// The data grid in a real window over records in memory and over a SQLite table.
#include "data/DBGrids.h"
#include "data/MemDataSet.h"
#include "data/OdbcDataSet.h"
#include "toolkit/Forms.h"
#include "BoxReader.h"
#include "Bildschirmfoto.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>

namespace {
struct Fenster {
    TForm* form = new TForm(nullptr);
    TMemDataSet* set = new TMemDataSet(form);
    TDataSource* source = new TDataSource(form);
    TDBGrid* grid = new TDBGrid(form);

    explicit Fenster(TDBGridOptions options = kDBGridDefaultOptions) {
        form->FinishCreate();
        form->SetBounds(40, 40, 420, 220);
        form->SetCaption(L"Kunden");
        set->AddFieldDef(L"Nr", ftInteger);
        set->AddFieldDef(L"Name", ftString, 20);
        set->AddFieldDef(L"Ort", ftString, 12);
        set->AddFieldDef(L"Umsatz", ftFloat);
        set->AppendRecord({L"1", L"Bäckerei Müller", L"Köln", L"1250.5"});
        set->AppendRecord({L"2", L"Schäfer & Söhne", L"München", L"-80"});
        set->AppendRecord({L"3", L"Weiß GmbH", L"Düsseldorf", L""});
        set->AppendRecord({L"4", L"Jürgen Groß", L"Lübeck", L"12"});
        source->SetDataSet(set);
        grid->SetParent(form);
        grid->SetAlign(alClient);
        grid->SetOptions(options);
        grid->SetDataSource(source);
        set->Open();
        form->Show();
        grid->SetFocus();
        Pump();
    }
    ~Fenster() { form->Free(); }
    POINT Mitte(int row, int column) const {
        RECT r = grid->CellRect(row, column);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Klick(POINT p, WPARAM keys = 0) {
        SendMessageW(grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(p.x, p.y));
        SendMessageW(grid->Handle(), WM_LBUTTONUP, keys, MAKELPARAM(p.x, p.y));
    }
    void Tippen(const wchar_t* text) {
        for (; *text; ++text)
            TypeChar(GetFocus(), *text);
    }
};

void MitStrg(WORD key) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = 0x80;
    SetKeyboardState(state);
    PressKey(key);
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}
} // namespace

TEST(TDBGrid, ColumnsFollowTheFieldsAndTheirLayoutIsWrittenAsText) {
    Fenster f;
    ASSERT_EQ(f.grid->ColumnCount(), 4);
    EXPECT_EQ(f.grid->Columns(1)->Title(), L"Name");
    EXPECT_GT(f.grid->Columns(1)->Width(), f.grid->Columns(0)->Width()) << "20 characters are wider than 10";
    f.set->FieldByName(L"Nr")->SetVisible(false); // as a program does in AfterOpen
    f.set->FieldByName(L"Name")->SetDisplayLabel(L"Firma");
    ASSERT_EQ(f.grid->ColumnCount(), 3);
    EXPECT_EQ(f.grid->Columns(0)->Title(), L"Firma");
    TColumn* ort = f.grid->AddColumn(L"Ort");
    f.grid->AddColumn(L"Name")->SetTitle(L"Kunde");
    ort->SetWidth(90);
    ort->SetVisible(false);
    ASSERT_EQ(f.grid->ColumnCount(), 2);
    EXPECT_EQ(f.grid->Columns(1)->Field(), f.set->FieldByName(L"Name"));
    f.set->Close();
    EXPECT_EQ(f.grid->Columns(1)->Field(), nullptr);
    f.set->Open();
    EXPECT_EQ(f.grid->Columns(1)->Field(), f.set->FieldByName(L"Name")) << "found again after reopening";

    TestOrdner ordner;
    f.grid->SetName(L"dbg_Kunden");
    f.grid->SaveColumnsToFile(ordner / L"layout.dat");
    EXPECT_EQ(Lesen(ordner / L"layout.dat"),
              "\xEF\xBB\xBF; Spalten des Gitters dbg_Kunden\r\n"
              "[Spalte00]\r\nFeld=Ort\r\nTitel=Ort\r\nBreite=90\r\nSichtbar=Nein\r\n"
              "[Spalte01]\r\nFeld=Name\r\nTitel=Kunde\r\nBreite=" +
                  std::to_string(f.grid->Columns(1)->Width()) + "\r\nSichtbar=Ja\r\n");
    EXPECT_THROW(f.grid->SaveColumnsToFile(ordner / L"fehlt\\layout.dat"), Exception);
}

// Selected and focused cells are told so; a handler reads the drawn row's fields, sets colours
// and lets the default drawing paint with them.
TEST(TDBGrid, DrawsEachCellWithItsStateAndTheColoursAHandlerSets) {
    struct Fall {
        TDBGridOptions optionen;
        bool fokus;
        TGridDrawState aktuelleZeile[2]; // columns 0 and 1 of the current row
    };
    const Fall faelle[] = {
        {kDBGridDefaultOptions, true, {gdFocused, 0}},
        {kDBGridDefaultOptions, false, {0, 0}},
        {kDBGridDefaultOptions | dgAlwaysShowSelection, false, {gdSelected, 0}},
        {kDBGridDefaultOptions | dgRowSelect, true, {gdSelected | gdFocused, gdSelected}},
        {kDBGridDefaultOptions | dgRowSelect | dgAlwaysShowSelection, false, {gdSelected, gdSelected}},
    };
    for (const Fall& fall : faelle) {
        Fenster f(fall.optionen);
        f.set->Next();
        TEdit anderes(f.form);
        anderes.SetParent(f.form);
        if (!fall.fokus) anderes.SetFocus();
        std::map<std::pair<String, int>, TGridDrawState> gesehen;
        auto zustand = [&](const wchar_t* name, int col) {
            return gesehen[std::make_pair(String(name), col)];
        };
        f.grid->OnDrawColumnCell = [&](TComponent*, const RECT& r, int col, TColumn* c, TGridDrawState s) {
            gesehen[std::make_pair(f.set->FieldByName(L"Name")->AsString(), col)] = s;
            if (c->FieldName() == L"Ort" && !(s & (gdSelected | gdFocused))) {
                f.grid->Canvas().BrushColor = 0x00FFFF; // yellow
                f.grid->DefaultDrawColumnCell(r, col, c, s);
            }
        };
        InvalidateRect(f.grid->Handle(), nullptr, FALSE);
        UpdateWindow(f.grid->Handle());
        EXPECT_EQ(zustand(L"Schäfer & Söhne", 0), fall.aktuelleZeile[0]) << fall.optionen << fall.fokus;
        EXPECT_EQ(zustand(L"Schäfer & Söhne", 1), fall.aktuelleZeile[1]) << fall.optionen << fall.fokus;
        EXPECT_EQ(zustand(L"Jürgen Groß", 0), 0u);
        RECT ort = f.grid->CellRect(3, 2);
        HDC dc = GetDC(f.grid->Handle());
        EXPECT_EQ(GetPixel(dc, ort.right - 4, ort.top + 2), RGB(255, 255, 0));
        ReleaseDC(f.grid->Handle(), dc);
    }
}

// Typing starts the edit; Return hands the typed text to the field before OnKeyPress sees the
// key, so a handler posting there posts what was typed.
TEST(TDBGrid, KeysMoveTypeAndPostThroughTheDataSet) {
    Fenster f(kDBGridDefaultOptions);
    wchar_t gesehen = 0;
    String wertBeimReturn;
    f.grid->OnKeyPress = [&](TComponent*, wchar_t& key) {
        gesehen = key;
        if (key != L'\r') return;
        wertBeimReturn = f.set->FieldByName(L"Name")->AsString();
        f.set->Post();
    };
    PressKey(VK_DOWN);
    EXPECT_EQ(f.set->RecNo(), 2);
    PressKey(VK_RIGHT);
    EXPECT_EQ(f.grid->SelectedIndex(), 1);
    f.Tippen(L"Zoë");
    EXPECT_EQ(gesehen, L'ë');
    EXPECT_TRUE(f.grid->EditorMode());
    EXPECT_EQ(f.set->State(), dsEdit);
    PressKey(VK_RETURN);
    EXPECT_EQ(wertBeimReturn, L"Zoë");
    EXPECT_EQ(f.set->State(), dsBrowse);
    EXPECT_EQ(f.set->FieldByName(L"Name")->AsString(), L"Zoë");

    f.Tippen(L"x");
    PressKey(VK_ESCAPE); // first the editor's text goes back
    PressKey(VK_ESCAPE); // then the edit is cancelled
    EXPECT_EQ(f.set->State(), dsBrowse);
    EXPECT_EQ(f.set->FieldByName(L"Name")->AsString(), L"Zoë");

    f.grid->OnKeyPress = nullptr;
    PressKey(VK_RIGHT);
    PressKey(VK_RIGHT);
    f.Tippen(L"12,5");
    PressKey(VK_DOWN); // moving on posts
    f.set->Prior();
    EXPECT_EQ(f.set->FieldByName(L"Umsatz")->AsString(), L"12.5");

    PressKey(VK_INSERT);
    EXPECT_EQ(f.set->State(), dsInsert);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(f.set->RecordCount(), 4);
    {
        BoxReader nein(IDNO);
        MitStrg(VK_DELETE);
        ASSERT_EQ(nein.Boxes().size(), 1u);
        EXPECT_EQ(nein.Boxes()[0].text, L"Datensatz löschen?");
        EXPECT_EQ(f.set->RecordCount(), 4);
    }
    {
        BoxReader ja(IDYES);
        MitStrg(VK_DELETE);
        EXPECT_EQ(f.set->RecordCount(), 3);
    }

    // A number the field cannot take: the user is told and stays on the record with the text.
    f.set->First();
    f.grid->SetSelectedIndex(3);
    f.Tippen(L"viel");
    BoxReader fehler;
    PressKey(VK_DOWN);
    ASSERT_EQ(fehler.Boxes().size(), 1u);
    EXPECT_EQ(fehler.Boxes()[0].text, L"'viel' ist keine gültige Zahl (Feld 'Umsatz').");
    EXPECT_EQ(f.set->RecNo(), 1);
    EXPECT_EQ(f.set->State(), dsEdit);
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(f.set->State(), dsBrowse);
}

TEST(TDBGrid, MouseMovesSelectsRowsAndResizesColumns) {
    Fenster f(kDBGridDefaultOptions | dgRowSelect | dgMultiSelect);
    f.Klick(f.Mitte(2, 1));
    EXPECT_EQ(f.set->RecNo(), 3);
    f.Klick(f.Mitte(0, 1), MK_CONTROL);
    f.Klick(f.Mitte(3, 0), MK_SHIFT);
    EXPECT_EQ(f.grid->SelectedRows().size(), 4u) << "rows 1 to 4 from the anchor at row 1";
    f.Klick(f.Mitte(1, 0));
    EXPECT_EQ(f.grid->SelectedRows(), std::vector<TBookmark>{f.set->Bookmark()});
    int dblClicks = 0;
    f.grid->OnDblClick = [&](TComponent*) { ++dblClicks; };
    POINT p = f.Mitte(1, 2);
    SendMessageW(f.grid->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(dblClicks, 1);

    const int breite = f.grid->Columns(0)->Width();
    const int rand = f.grid->CellRect(0, 0).right;
    const int mitte = f.grid->RowHeight() / 2;
    SendMessageW(f.grid->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rand, mitte));
    SendMessageW(f.grid->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rand + 30, mitte));
    SendMessageW(f.grid->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(rand + 30, mitte));
    EXPECT_EQ(f.grid->Columns(0)->Width(), breite + 30);
}

// The first screen of a long table costs one screen of rows; the scroll bar knows them all.
TEST(TDBGrid, ShowsTheFirstScreenOfALongTableWithoutReadingItAll) {
    struct Abfrage : TOdbcDataSet {
        using TOdbcDataSet::TOdbcDataSet;
        size_t Gelesen() const { return RowsHeld(); }
    };
    TestOrdner ordner;
    TOdbcConnection db(nullptr);
    db.SetConnectionString(L"Driver={SQLite3};Database=" + ordner / L"lang.db;");
    db.ExecSQL(L"CREATE TABLE Zeilen (Nr INTEGER PRIMARY KEY, Text TEXT)");
    db.ExecSQL(L"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
               L"INSERT INTO Zeilen SELECT i, 'Zeile ' || i FROM n");
    Fenster f;
    Abfrage q(nullptr);
    q.SetConnection(&db);
    q.SetSQL(L"SELECT * FROM Zeilen ORDER BY Nr");
    f.source->SetDataSet(&q);
    q.Open();
    UpdateWindow(f.grid->Handle());
    EXPECT_LE(q.Gelesen(), static_cast<size_t>(f.grid->VisibleRowCount() + 2));
    SCROLLINFO si{sizeof si, SIF_ALL};
    GetScrollInfo(f.grid->Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nMax, 2999);
    SendMessageW(f.grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
    UpdateWindow(f.grid->Handle());
    EXPECT_EQ(f.grid->TopRow(), 3000 - f.grid->VisibleRowCount());
    EXPECT_EQ(q.Gelesen(), 3000u);
    f.source->SetDataSet(nullptr);
}

// With SICHERUNG_BILDER set, the grid as the user sees it: a record being edited, selection.
TEST(TDBGrid, Bildschirmfoto) {
    const char* ordner = std::getenv("SICHERUNG_BILDER");
    if (!ordner) GTEST_SKIP() << "SICHERUNG_BILDER not set";
    Fenster f;
    PressKey(VK_DOWN);
    PressKey(VK_RIGHT);
    f.Tippen(L"Schäfer & Töchter");
    Pump();
    String pfad(ordner, ordner + std::strlen(ordner));
    EXPECT_TRUE(FensterFoto(f.form->Handle(), pfad + L"\\dbgrid.bmp"));
}
