// The browser panel in a real window over records in memory: modes, commands with their keys and
// menu, the hook on the data source's state, the cell colours and the column layout it saves.
#include "controls/kv7_BrowserPanel.h"
#include "data/MemDataSet.h"
#include "settings/kv7_Parameter.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "Bildschirmfoto.h"
#include "BoxReader.h"
#include "IniText.h"
#include "MenuLeser.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
// Counts the refreshes the panel asks for.
struct Kunden : TMemDataSet {
    using TMemDataSet::TMemDataSet;
    int refreshes = 0;
    void InternalRefresh() override {
        ++refreshes;
        TMemDataSet::InternalRefresh();
    }
};

struct TfoListe : TForm {
    using TForm::TForm;
};

struct Tafel {
    TForm* form = Application()->CreateForm<TfoListe>();
    Kunden* set = new Kunden(form);
    TDataSource* source = new TDataSource(form);
    TkivBrowserPanel* panel = new TkivBrowserPanel(form);
    TEdit* anderes = new TEdit(form);
    std::vector<String> klicks;

    explicit Tafel(int records = 4) {
        form->SetBounds(40, 40, 480, 260);
        set->AddFieldDef(L"Nr", ftInteger);
        set->AddFieldDef(L"Name", ftString, 20);
        set->AddFieldDef(L"Ort", ftString, 12);
        const wchar_t* namen[] = {L"Bäckerei Müller", L"Schäfer & Söhne", L"Weiß GmbH", L"Jürgen Groß"};
        for (int i = 0; i < records; ++i)
            set->AppendRecord({std::to_wstring(i + 1), namen[i % 4], L"Köln"});
        source->SetDataSet(set);
        anderes->SetParent(form);
        anderes->SetAlign(alTop);
        panel->SetParent(form);
        panel->SetDataSource(source);
        set->Open();
        form->Show();
        Pump();
    }
    ~Tafel() { form->Free(); }
    void AlleBefehle() {
        panel->SetOnNewClick([this](TComponent*) { klicks.push_back(L"New"); });
        panel->SetOnEditClick([this](TComponent*) { klicks.push_back(L"Edit"); });
        panel->SetOnDeleteClick([this](TComponent*) { klicks.push_back(L"Delete"); });
    }
};
} // namespace

// Each mode gives the grid its options and shows "Speichern" and "Abbruch" while the grid edits;
// New, Edit and Delete (button and menu entry) only while rows are selected, not read-only, and
// handled. Read-only also hides the menu entries tagged 100.
TEST(TkivBrowserPanel, ModesSetTheGridOptionsAndWhichCommandsShow) {
    Tafel t;
    TDBGrid* g = t.panel->Grid();
    EXPECT_EQ(g->Options(), (kDBGridDefaultOptions & ~(dgEditing | dgCancelOnExit)) | dgRowSelect)
        << "at creation";
    EXPECT_FALSE(t.panel->PanelButtonVisible());
    EXPECT_FALSE(t.panel->NewButton()->Visible()) << "no handler";
    EXPECT_FALSE(t.panel->AnzeigeItem()->Visible());
    EXPECT_EQ(t.panel->Navigator()->VisibleButtons(), kivMoveButtons | NavButton(nbRefresh));
    EXPECT_EQ(t.panel->Navigator()->Width(), 120);
    t.AlleBefehle();
    t.panel->SetOnAnzeigeClick([](TComponent*) {});
    EXPECT_TRUE(t.panel->AnzeigeItem()->Visible());
    auto* eigener = t.panel->Menu()->NewItem(L"Eigener Eintrag");
    eigener->SetTag(100);

    const TDBGridOptions base = dgTitles | dgIndicator | dgColumnResize | dgColLines | dgRowLines |
                                dgAlwaysShowSelection | dgConfirmDelete;
    const TDBGridOptions edit = dgEditing | dgAlwaysShowEditor;
    struct Fall {
        TkivBrowserPanelModus modus;
        bool readOnly;
        TDBGridOptions options;
        bool okCancel, commands;
    };
    const Fall faelle[] = {
        {bp_RowSelect, false, base | dgRowSelect, false, true},
        {bp_RowMultiSelect, false, base | dgRowSelect | dgMultiSelect, false, true},
        {bp_Editing, false, base | edit, true, false},
        {bp_EditMultiSelect, false, base | edit | dgMultiSelect, true, false},
        {bp_EditTransaction, false, base | edit, true, false},
        {bp_EditMultiTransaction, false, base | edit | dgMultiSelect, true, false},
        {bp_RowSelect, true, base | dgRowSelect, false, false},
        {bp_RowMultiSelect, true, base | dgRowSelect | dgMultiSelect, false, false},
        {bp_Editing, true, base, false, false},
        {bp_EditMultiTransaction, true, base | dgMultiSelect, false, false},
    };
    for (const Fall& f : faelle) {
        t.panel->SetkivReadOnly(f.readOnly);
        t.panel->SetBrowserPanelModus(f.modus);
        const int n = static_cast<int>(&f - faelle);
        EXPECT_EQ(g->Options(), f.options) << n;
        EXPECT_EQ(t.panel->OKButton()->Parent()->Visible(), f.okCancel) << n;
        for (TControl* c :
             {static_cast<TControl*>(t.panel->NewButton()), static_cast<TControl*>(t.panel->EditButton()),
              static_cast<TControl*>(t.panel->DeleteButton())})
            EXPECT_EQ(c->Visible(), f.commands) << n;
        EXPECT_EQ(t.panel->DeleteItem()->Visible(), f.commands) << n;
        EXPECT_EQ(eigener->Visible(), !f.readOnly) << n;
    }
    t.panel->SetkivReadOnly(false);
    t.panel->SetBrowserPanelModus(bp_RowSelect);
    t.panel->SetOnEditClick(nullptr);
    EXPECT_FALSE(t.panel->EditButton()->Visible());
    EXPECT_FALSE(t.panel->EditItem()->Visible());
    EXPECT_TRUE(t.panel->NewItem()->Visible());
}

// Edit on a data set without records is New; Delete there does nothing. Each command refreshes
// the data set unless that is switched off or a master leads it, and focuses the grid.
TEST(TkivBrowserPanel, CommandsRaiseTheirEventsThenRefreshAndFocusTheGrid) {
    {
        Tafel t(0);
        t.AlleBefehle();
        t.panel->EditClick();
        t.panel->DeleteClick();
        EXPECT_EQ(t.klicks, std::vector<String>{L"New"});
    }
    Tafel t;
    t.AlleBefehle();
    t.anderes->SetFocus();
    t.panel->EditClick();
    EXPECT_TRUE(t.panel->Grid()->Focused());
    t.panel->DeleteClick();
    t.panel->SetOnAnzeigeClick(
        [&](TComponent* sender) { t.klicks.push_back(sender == t.panel ? L"Anzeige" : L"?"); });
    t.panel->AnzeigeClick();
    EXPECT_EQ(t.klicks, (std::vector<String>{L"Edit", L"Delete", L"Anzeige"}));
    EXPECT_EQ(t.set->refreshes, 3);

    t.anderes->SetFocus();
    t.panel->SetkivOwnerVisible(false);
    t.panel->EditClick();
    EXPECT_TRUE(t.anderes->Focused()) << "Edit leaves the focus where it was";
    t.panel->SetkivAutoRefresh(false);
    t.panel->NewClick();
    EXPECT_EQ(t.set->refreshes, 4);
    t.panel->SetkivAutoRefresh(true);
    TMemDataSet master(nullptr);
    master.AddFieldDef(L"Ort", ftString);
    master.AppendRecord({L"Köln"});
    TDataSource masterSource(nullptr);
    masterSource.SetDataSet(&master);
    master.Open();
    t.set->SetMasterSource(&masterSource);
    t.set->SetMasterFields(L"Ort");
    const int vorher = t.set->refreshes;
    t.panel->NewClick();
    EXPECT_EQ(t.set->refreshes, vorher) << "a detail follows its master instead";
    t.set->SetMasterSource(nullptr);
}

// Einfg, F2 and Entf choose the menu's entries while the focus is in the panel's grid, not in
// another control of the form; the right-click menu lists them with their keys.
TEST(TkivBrowserPanel, KeysAndTheMenuRunTheCommandsOnlyFromTheGrid) {
    Tafel t;
    t.AlleBefehle();
    t.panel->Grid()->SetFocus();
    PressKey(VK_INSERT);
    PressKey(VK_F2);
    PressKey(VK_DELETE);
    EXPECT_EQ(t.klicks, (std::vector<String>{L"New", L"Edit", L"Delete"}));

    t.anderes->SetText(L"abc");
    t.anderes->SetFocus();
    SendMessageW(t.anderes->Handle(), EM_SETSEL, 0, 0);
    PressKey(VK_DELETE);
    EXPECT_EQ(t.klicks.size(), 3u) << "Entf in another field is that field's";
    EXPECT_EQ(t.anderes->Text(), L"bc");

    t.panel->SetBrowserPanelModus(bp_Editing); // the entries are hidden: the keys are the grid's again
    t.panel->Grid()->SetFocus();
    PressKey(VK_F2);
    EXPECT_EQ(t.klicks.size(), 3u);
    t.panel->SetBrowserPanelModus(bp_RowSelect);

    MenuLeser leser(L"Eintrag bearbeiten");
    RECT r = t.panel->Grid()->CellRect(1, 1);
    POINT p{r.left + 5, r.top + 5};
    ClientToScreen(t.panel->Grid()->Handle(), &p);
    SendMessageW(t.panel->Grid()->Handle(), WM_CONTEXTMENU,
                 reinterpret_cast<WPARAM>(t.panel->Grid()->Handle()), MAKELPARAM(p.x, p.y));
    Pump();
    ASSERT_EQ(leser.Menus().size(), 1u);
    std::vector<String> texte;
    for (const SeenMenuEntry& e : leser.Menus()[0].entries)
        texte.push_back(e.text);
    EXPECT_EQ(texte, (std::vector<String>{L"Neuer Eintrag\tEinfg", L"Eintrag löschen\tEntf",
                                          L"Eintrag bearbeiten\tF2"}));
    EXPECT_EQ(t.klicks.back(), L"Edit");
}

// The panel's hook runs first, then the handler it found; it is never chained behind itself, and
// it leaves no trace to a panel that left the source or was freed, also when another hook was
// chained behind it.
TEST(TkivBrowserPanel, TheStateHookChainsOnceAndGoesWithThePanel) {
    Tafel t;
    int vorige = 0;
    bool okBeimVorigen = false;
    t.source->OnStateChange = [&](TComponent*) {
        ++vorige;
        okBeimVorigen = t.panel && t.panel->OKButton()->Enabled();
    };
    t.panel->SetDataSource(nullptr);
    t.panel->SetDataSource(t.source);
    t.panel->SetDataSource(t.source);
    t.panel->SetBrowserPanelModus(bp_Editing);
    t.set->Edit();
    EXPECT_EQ(vorige, 1);
    EXPECT_TRUE(okBeimVorigen) << "the panel's work comes first";
    t.set->Cancel();
    EXPECT_EQ(vorige, 2);
    EXPECT_FALSE(t.panel->OKButton()->Enabled());

    // Another source: the first gets its own handler back.
    TMemDataSet zweite(nullptr);
    zweite.AddFieldDef(L"Nr", ftInteger);
    zweite.Open();
    TDataSource andere(nullptr);
    andere.SetDataSet(&zweite);
    t.panel->SetDataSource(&andere);
    t.set->Edit();
    EXPECT_EQ(vorige, 3);
    EXPECT_FALSE(t.panel->OKButton()->Enabled()) << "the panel no longer follows the first source";
    t.set->Cancel();

    // A hook chained behind the panel's, then the panel freed: both the later hook and the first
    // handler still run, nothing reaches the freed panel.
    int spaeter = 0;
    TNotifyEvent vorher = andere.OnStateChange;
    andere.OnStateChange = [&, vorher](TComponent* s) {
        ++spaeter;
        if (vorher) vorher(s);
    };
    t.panel->Free();
    t.panel = nullptr;
    zweite.Insert();
    EXPECT_EQ(spaeter, 1);
    zweite.Cancel();
    EXPECT_EQ(spaeter, 2);

    // A source freed under the panel leaves it without one.
    auto* panel = new TkivBrowserPanel(t.form);
    panel->SetParent(t.form);
    auto* kurz = new TDataSource(t.form);
    kurz->SetDataSet(t.set);
    panel->SetDataSource(kurz);
    kurz->Free();
    EXPECT_EQ(panel->DataSource(), nullptr);
    panel->SetDataSource(t.source);
    panel->Free();
    t.set->Edit();
    EXPECT_EQ(vorige, 5) << "the first source's own handler is back";
    t.set->Cancel();
}

// "Speichern" and "Abbruch" are enabled while editing; in a transaction mode they stay enabled
// after the post. Return in the grid posts in bp_Editing only.
TEST(TkivBrowserPanel, SaveAndCancelFollowTheEditingAndReturnPostsInEditingMode) {
    Tafel t;
    t.panel->SetBrowserPanelModus(bp_Editing);
    t.panel->Grid()->SetFocus();
    Pump();
    const HWND editor = GetFocus();
    ASSERT_NE(editor, t.panel->Grid()->Handle()) << "the editor is always shown";
    SendMessageW(editor, EM_SETSEL, 0, -1);
    TypeChar(editor, L'7');
    TypeChar(editor, L'0');
    EXPECT_EQ(t.set->State(), dsEdit);
    EXPECT_TRUE(t.panel->OKButton()->Enabled());
    PressKey(VK_RETURN);
    TypeChar(GetFocus(), L'\r');
    EXPECT_EQ(t.set->State(), dsBrowse) << "Return posted";
    EXPECT_EQ(t.set->FieldByName(L"Nr")->AsString(), L"70");
    EXPECT_FALSE(t.panel->CancelButton()->Enabled());

    t.panel->SetBrowserPanelModus(bp_EditTransaction);
    t.set->Edit();
    t.set->FieldByName(L"Ort")->SetAsString(L"Bonn");
    TypeChar(GetFocus(), L'\r');
    EXPECT_EQ(t.set->State(), dsEdit) << "here \"Speichern\" posts";
    int ok = 0;
    t.panel->OnOKClick = [&](TComponent*) {
        ++ok;
        t.set->Post();
    };
    SendMessageW(t.panel->OKButton()->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(ok, 1);
    EXPECT_EQ(t.set->State(), dsBrowse);
    EXPECT_TRUE(t.panel->OKButton()->Enabled()) << "the transaction may hold what was posted";
}

// An ordinary cell takes the handler's background and black or white text, whichever reads
// better; the selected row keeps the grid's own colours.
TEST(TkivBrowserPanel, CellsTakeTheHandlersColourAndAContrastingText) {
    Tafel t;
    t.panel->Grid()->SetFocus();
    std::set<int> spalten;
    t.panel->OnGetColorDataCol = [&](TComponent* sender, int spalte) {
        EXPECT_EQ(sender, t.panel->Grid());
        spalten.insert(spalte);
        return spalte == 1 ? TColor(0x00FFFF) : TColor(0xFF0000); // Name yellow, the others blue
    };
    Zeichnen(t.form->Handle());
    const Bild bild = Aufnehmen(t.panel->Grid()->Handle());
    EXPECT_EQ(spalten, (std::set<int>{0, 1, 2}));
    auto zaehlen = [&](int row, int column, COLORREF farbe) {
        RECT r = t.panel->Grid()->CellRect(row, column);
        int n = 0;
        for (int y = r.top; y < r.bottom - 1; ++y)
            for (int x = r.left; x < r.right - 1; ++x)
                n += bild.At(x, y) == farbe;
        return n;
    };
    EXPECT_GT(zaehlen(1, 1, RGB(255, 255, 0)), 0);
    EXPECT_GT(zaehlen(1, 1, RGB(0, 0, 0)), 0) << "black on yellow";
    EXPECT_EQ(zaehlen(1, 1, RGB(255, 255, 255)), 0);
    EXPECT_GT(zaehlen(1, 2, RGB(0, 0, 255)), 0);
    EXPECT_GT(zaehlen(1, 2, RGB(255, 255, 255)), 0) << "white on blue";
    EXPECT_EQ(zaehlen(0, 1, RGB(255, 255, 0)), 0) << "the current row is drawn as selected";
    EXPECT_GT(zaehlen(0, 1, GetSysColor(COLOR_HIGHLIGHT)), 0);

    t.panel->OnGetColorDataCol = nullptr;
    t.panel->OnGetColor = [](TComponent*) { return TColor(0x00FFFF); };
    Zeichnen(t.form->Handle());
    const Bild zweites = Aufnehmen(t.panel->Grid()->Handle());
    RECT r = t.panel->Grid()->CellRect(2, 2);
    EXPECT_EQ(zweites.At(r.left + 1, r.top + 1), RGB(255, 255, 0));
}

// Saving the window writes the grid's layout: widths and visibility into the window's section,
// the column definitions beside the settings file when there is more than one column.
TEST(TkivBrowserPanel, TheSettingsStoreWritesTheGridLayout) {
    TestOrdner ort;
    Tafel t;
    auto* par = new TkivParameter(t.form);
    par->SetTagInclusive(7);
    par->SetDateiName(ort / L"Liste.ini");
    t.panel->SetTag(7);
    t.panel->Grid()->Columns(2)->SetVisible(false);
    t.panel->Grid()->Columns(0)->SetWidth(33);
    par->Speichern();
    EXPECT_TRUE(Existiert(ort / L"Liste__grid.dat"));
    const std::vector<String> zeilen = IniZeilen(ort / L"Liste.ini");
    ASSERT_EQ(zeilen.size(), 7u);
    EXPECT_EQ(zeilen[0], L"[TfoListe]");
    EXPECT_EQ(zeilen[1], L"__Width_00=33");
    EXPECT_EQ(zeilen[2], L"__Visible_00=Ja");
    EXPECT_EQ(zeilen[6], L"__Visible_02=Nein");

    DeleteFileW((ort / L"Liste__grid.dat").c_str());
    t.panel->Grid()->AddColumn(L"Name");
    par->Speichern();
    EXPECT_FALSE(Existiert(ort / L"Liste__grid.dat")) << "one column: no layout file";
    EXPECT_EQ(IniZeilen(ort / L"Liste.ini").size(), 3u);
}

// Typing in a cell is never dropped without a word: changing the mode or the read-only switch,
// closing the data set or the window posts it; where the post fails, "Änderungen speichern?"
// decides: Yes keeps the record in its edit (and what was asked for does not happen), No drops
// the typing.
TEST(TkivBrowserPanel, TypingInACellIsPostedOrAskedAboutBeforeItWouldGo) {
    struct Fall {
        const char* weg;
        std::function<bool(Tafel&)> tun; // true: done
        bool scheitert;
        int antwort;
        const wchar_t* nr;
        TDataSetState danach;
    };
    auto modus = [](Tafel& t) {
        t.panel->SetBrowserPanelModus(bp_RowSelect);
        return t.panel->BrowserPanelModus() == bp_RowSelect;
    };
    auto nurLesen = [](Tafel& t) {
        t.panel->SetkivReadOnly(true);
        return t.panel->kivReadOnly();
    };
    auto fenster = [](Tafel& t) { return t.form->CloseQuery(); };
    const Fall faelle[] = {
        {"mode", modus, false, IDOK, L"70", dsBrowse},
        {"read-only", nurLesen, false, IDOK, L"70", dsBrowse},
        {"window", fenster, false, IDOK, L"70", dsBrowse},
        {"mode, kept", modus, true, IDYES, L"70", dsEdit},
        {"mode, dropped", modus, true, IDNO, L"1", dsBrowse},
        {"read-only, kept", nurLesen, true, IDYES, L"70", dsEdit},
        {"window, kept", fenster, true, IDYES, L"70", dsEdit},
        {"window, dropped", fenster, true, IDNO, L"1", dsBrowse},
    };
    for (const Fall& f : faelle) {
        Tafel t;
        t.panel->SetBrowserPanelModus(bp_Editing);
        t.panel->Grid()->SetFocus();
        Pump();
        SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
        TypeChar(GetFocus(), L'7');
        TypeChar(GetFocus(), L'0');
        if (f.scheitert) t.set->BeforePost = [](TDataSet*) { throw Exception(L"Abgelehnt"); };
        BoxReader boxen(f.antwort);
        const bool getan = f.tun(t);
        EXPECT_EQ(getan, f.antwort != IDYES) << f.weg;
        EXPECT_EQ(boxen.Boxes().size(), f.scheitert ? 1u : 0u) << f.weg;
        if (f.scheitert && !boxen.Boxes().empty()) {
            EXPECT_EQ(boxen.Boxes()[0].caption, L"Änderungen speichern?") << f.weg;
        }
        EXPECT_EQ(t.set->State(), f.danach) << f.weg;
        EXPECT_EQ(t.set->FieldByName(L"Nr")->AsString(), f.nr) << f.weg;
        t.set->BeforePost = nullptr;
        t.set->Cancel();
    }
    // Closed from the program, the data set posts first, and stays open where that fails.
    Tafel t;
    t.set->Edit();
    t.set->FieldByName(L"Ort")->SetAsString(L"Bonn");
    t.set->Close();
    t.set->Open();
    EXPECT_EQ(t.set->FieldByName(L"Ort")->AsString(), L"Bonn");
    t.set->Edit();
    t.set->FieldByName(L"Ort")->SetAsString(L"Hürth");
    t.set->BeforePost = [](TDataSet*) { throw Exception(L"Abgelehnt"); };
    EXPECT_THROW(t.set->Close(), Exception);
    EXPECT_EQ(t.set->State(), dsEdit);
    t.set->BeforePost = nullptr;
}
