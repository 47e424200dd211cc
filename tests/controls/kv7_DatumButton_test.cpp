#include "controls/kv7_DatumButton.h"
#include "controls/kv7_DatumEdit.h"
#include "controls/kv7_EingabeVonBis.h"
#include "settings/kv7_Parameter.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"
#include "IniText.h"
#include "MenuLeser.h"
#include "Programmdatum.h"
#include "Schritte.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TDateTime D(int j, int m, int t) {
    return EncodeDate(j, m, t);
}
const TDateTime kHeute = D(2024, 3, 20); // a Wednesday

struct KnopfForm : TForm {
    explicit KnopfForm(TComponent* owner) : TForm(owner) {
        SetName(L"KnopfForm");
        knopf = new TkivDatumButton(this);
        knopf->SetName(L"db_Zeitraum");
        knopf->SetTag(1);
        knopf->SetParent(this);
        knopf->SetLeft(10);
        knopf->OnDatumChanged = [this](TDateTime& d) { gemeldet.push_back(d); };
    }
    TkivDatumButton* knopf;
    std::vector<TDateTime> gemeldet;
};

class DatumButton : public ::testing::Test {
protected:
    void SetUp() override {
        if (!StartMitProgrammdatum(kHeute)) GTEST_SKIP() << "the program date was fixed before";
        f = Application()->CreateForm<KnopfForm>();
        f->Show();
        Pump();
        k = f->knopf;
    }
    void TearDown() override {
        if (f) f->Free();
    }
    static void Klick(TButton* b) { SendMessageW(b->Handle(), BM_CLICK, 0, 0); }
    KnopfForm* f = nullptr;
    TkivDatumButton* k = nullptr;
};
} // namespace

// Caption, Datum and period of every kind for the worked dates; a new control shows "Heute" and
// no period until a kind or a date is written.
TEST_F(DatumButton, CaptionsAndPeriodsOfEveryKind) {
    auto* neu = new TkivDatumButton(f);
    EXPECT_EQ(neu->bb_Heute->Caption(), L"Heute");
    EXPECT_EQ(neu->DatumVon(), 0);
    EXPECT_EQ(neu->DatumBis(), 0);
    EXPECT_EQ(neu->AnzeigeModus(), kivdbm_Monat);
    EXPECT_EQ(neu->Datum(), kHeute);

    struct Fall {
        TkivDatumButtonModus modus;
        TDateTime geschrieben, datum;
        const wchar_t* caption;
        TDateTime von, bis;
    };
    const Fall faelle[] = {
        {kivdbm_Monat, D(2024, 3, 15), D(2024, 3, 15), L"03/2024", D(2024, 3, 1), D(2024, 3, 31)},
        {kivdbm_Woche, D(2024, 12, 30), D(2024, 12, 30), L"01.KW 2024", D(2024, 12, 30), D(2025, 1, 5)},
        {kivdbm_Quartal, D(2024, 8, 10), D(2024, 8, 10), L"III/2024", D(2024, 7, 1), D(2024, 9, 30)},
        {kivdbm_Halbjahr, D(2024, 7, 1), D(2024, 7, 1), L"2.HJ 2024", D(2024, 7, 1), D(2024, 12, 31)},
        {kivdbm_Jahr, D(2024, 3, 15), D(2024, 3, 15), L"2024", D(2024, 1, 1), D(2024, 12, 31)},
        {kivdbm_Tag, D(2024, 2, 14), D(2024, 2, 14), L"14.02.2024", D(2024, 2, 14), D(2024, 2, 14)},
        {kivdbm_KitaHalbJahr, D(2024, 10, 15), D(2024, 10, 15), L"08/2024 - 12/2024", D(2024, 8, 1),
         D(2024, 12, 31)},
        {kivdbm_KitaJahr, D(2024, 3, 10), D(2024, 3, 10), L"2023/2024", D(2023, 8, 1), D(2024, 7, 31)},
        {kivdbm_12Monate, D(2024, 3, 20), D(2023, 4, 1), L"04/2023-03/2024", D(2023, 4, 1), D(2024, 3, 31)},
        {kivdbm_13Monate, D(2024, 3, 15), D(2023, 3, 1), L"03/2023-03/2024", D(2023, 3, 1), D(2024, 3, 31)},
        {kivdbm_Nop, D(2024, 3, 15), D(2024, 3, 15), L"Alles", 0, 0},
    };
    for (const Fall& fall : faelle) {
        k->SetAnzeigeModus(fall.modus);
        k->SetDatum(fall.geschrieben);
        EXPECT_EQ(k->Datum(), fall.datum) << fall.caption;
        EXPECT_EQ(k->bb_Heute->Caption(), fall.caption);
        EXPECT_EQ(k->DatumVon(), fall.von) << fall.caption;
        EXPECT_EQ(k->DatumBis(), fall.bis) << fall.caption;
    }
}

// ">" and "<" move Datum by the kind's step; a month window moves by one month either way, so
// that there the two undo each other. A kind change shows the period of the program date;
// "ohne Zeitraum" disables the arrows, and so do the other kinds only through the control's own
// enabling.
TEST_F(DatumButton, StepsModeChangesAndHeute) {
    struct Fall {
        TkivDatumButtonModus modus;
        TDateTime start, vor, vorZurueck, zurueck;
        const wchar_t* captionVor;
    };
    const Fall faelle[] = {
        {kivdbm_Monat, D(2024, 3, 15), D(2024, 4, 15), D(2024, 3, 15), D(2024, 2, 15), L"04/2024"},
        {kivdbm_Monat, D(2024, 1, 31), D(2024, 2, 29), D(2024, 1, 29), D(2023, 12, 31), L"02/2024"},
        {kivdbm_Woche, D(2024, 3, 20), D(2024, 3, 27), D(2024, 3, 20), D(2024, 3, 13), L"13.KW 2024"},
        {kivdbm_Tag, D(2024, 2, 28), D(2024, 2, 29), D(2024, 2, 28), D(2024, 2, 27), L"29.02.2024"},
        {kivdbm_Quartal, D(2024, 8, 10), D(2024, 11, 10), D(2024, 8, 10), D(2024, 5, 10), L"IV/2024"},
        {kivdbm_KitaHalbJahr, D(2024, 10, 15), D(2025, 1, 1), D(2024, 8, 1), D(2024, 1, 1),
         L"01/2025 - 07/2025"},
        {kivdbm_12Monate, D(2024, 3, 20), D(2023, 5, 1), D(2023, 4, 1), D(2023, 3, 1), L"05/2023-04/2024"},
        {kivdbm_13Monate, D(2024, 3, 20), D(2023, 4, 1), D(2023, 3, 1), D(2023, 2, 1), L"04/2023-04/2024"},
    };
    for (const Fall& fall : faelle) {
        k->SetAnzeigeModus(fall.modus);
        k->SetDatum(fall.start);
        Klick(k->bb_Vor);
        EXPECT_EQ(k->Datum(), fall.vor) << fall.captionVor;
        EXPECT_EQ(k->bb_Heute->Caption(), fall.captionVor);
        Klick(k->bb_Zurueck);
        EXPECT_EQ(k->Datum(), fall.vorZurueck) << fall.captionVor;
        k->SetDatum(fall.start);
        Klick(k->bb_Zurueck);
        EXPECT_EQ(k->Datum(), fall.zurueck) << fall.captionVor;
    }

    Klick(k->bb_Heute); // back to the window that ends with the program date's month
    EXPECT_EQ(k->bb_Heute->Caption(), L"03/2023-03/2024");
    k->SetAnzeigeModus(kivdbm_Nop);
    EXPECT_EQ(k->bb_Heute->Caption(), L"Alles");
    EXPECT_FALSE(k->bb_Zurueck->Enabled());
    EXPECT_FALSE(k->bb_Vor->Enabled());
    EXPECT_TRUE(k->Eintrag(kivdbm_Nop)->Checked());
    EXPECT_FALSE(k->Eintrag(kivdbm_13Monate)->Checked());
    k->Vor();
    EXPECT_EQ(k->Datum(), kHeute);
    k->SetEnabled(false);
    EXPECT_FALSE(k->bb_Heute->Enabled());
    k->SetEnabled(true);
    EXPECT_TRUE(k->bb_Vor->Enabled()); // until the next kind change
    k->SetAnzeigeModus(kivdbm_Woche);
    EXPECT_EQ(k->bb_Heute->Caption(), L"12.KW 2024");
    EXPECT_EQ(k->DatumVon(), D(2024, 3, 18));
    EXPECT_EQ(k->DatumBis(), D(2024, 3, 24));
}

// At both ends of the calendar every kind's period reaches the end, and a step further stays.
TEST_F(DatumButton, StepsStopAtTheEndsOfTheCalendar) {
    for (TkivDatumButtonModus modus :
         {kivdbm_Tag, kivdbm_Woche, kivdbm_Monat, kivdbm_Quartal, kivdbm_Halbjahr, kivdbm_Jahr, kivdbm_KitaJahr,
          kivdbm_KitaHalbJahr, kivdbm_12Monate, kivdbm_13Monate}) {
        k->SetAnzeigeModus(modus);
        for (TButton* schritt : {k->bb_Vor, k->bb_Zurueck}) {
            const bool vor = schritt == k->bb_Vor;
            k->SetDatum(vor ? D(9999, 12, 31) : D(1, 1, 1));
            EXPECT_EQ(vor ? k->DatumBis() : k->DatumVon(), vor ? D(9999, 12, 31) : D(1, 1, 1)) << modus;
            const TDateTime datum = k->Datum();
            const String caption = k->bb_Heute->Caption();
            Klick(schritt);
            EXPECT_EQ(k->Datum(), datum) << modus << (vor ? " >" : " <");
            EXPECT_EQ(k->bb_Heute->Caption(), caption) << modus;
        }
    }
}

// OnDatumChanged gets Datum itself, from the window's creation on: a handler that moves its
// argument moves Datum and leaves the caption. A confirmed free period raises it twice, a
// cancelled one not at all and changes nothing.
TEST_F(DatumButton, OnDatumChangedAndTheFreePeriod) {
    auto* ohneFenster = new TkivDatumButton(f);
    int frueh = 0;
    ohneFenster->OnDatumChanged = [&](TDateTime&) { ++frueh; };
    ohneFenster->SetAnzeigeModus(kivdbm_Jahr);
    EXPECT_EQ(frueh, 0);
    EXPECT_EQ(ohneFenster->bb_Heute->Caption(), L"2024");

    k->SetAnzeigeModus(kivdbm_Tag);
    k->OnDatumChanged = [](TDateTime& d) { d = MonthStart(d); };
    k->SetDatum(D(2024, 2, 14));
    EXPECT_EQ(k->Datum(), D(2024, 2, 1));
    EXPECT_EQ(k->bb_Heute->Caption(), L"14.02.2024");
    k->OnDatumChanged = [this](TDateTime& d) { f->gemeldet.push_back(d); };

    Tkv7EingabeVonBis* dialog = kv7EingabeVonBis();
    std::vector<TDateTime> angeboten;
    auto zeitraum = [&](bool speichern, TDateTime von, TDateTime bis) {
        return Schritte({[&, speichern, von, bis] {
                            angeboten = {dialog->ed_Von->Date(), dialog->ed_Bis->Date()};
                            dialog->ed_Von->SetDate(von);
                            dialog->ed_Bis->SetDate(bis);
                            (speichern ? dialog->ax_OK : dialog->ax_Cancel)->Execute();
                        }},
                        [&] { dialog->SetModalResult(mrCancel); });
    };
    // Without a period the dialog offers the program date's month.
    k->SetAnzeigeModus(kivdbm_Nop);
    f->gemeldet.clear();
    {
        auto lauf = zeitraum(false, D(2024, 3, 1), D(2024, 5, 31));
        k->Eintrag(kivdbm_FreierZeitraum)->Click();
    }
    EXPECT_EQ(angeboten, (std::vector<TDateTime>{D(2024, 3, 1), D(2024, 3, 31)}));
    EXPECT_EQ(k->AnzeigeModus(), kivdbm_Nop);
    EXPECT_EQ(k->Datum(), kHeute);
    EXPECT_EQ(k->DatumVon(), 0);
    EXPECT_TRUE(f->gemeldet.empty());
    {
        auto lauf = zeitraum(true, D(2024, 3, 1), D(2024, 5, 31));
        k->Eintrag(kivdbm_FreierZeitraum)->Click();
    }
    EXPECT_EQ(f->gemeldet, (std::vector<TDateTime>{kHeute, D(2024, 3, 1)}));
    EXPECT_EQ(k->AnzeigeModus(), kivdbm_FreierZeitraum);
    EXPECT_EQ(k->bb_Heute->Caption(), L"01.03.2024-31.05.2024");
    EXPECT_EQ(k->DatumBis(), D(2024, 5, 31));
    EXPECT_FALSE(k->bb_Vor->Enabled());

    // In a free period the middle button asks again.
    f->gemeldet.clear();
    {
        auto lauf = zeitraum(true, D(2024, 6, 1), D(2024, 6, 30));
        Klick(k->bb_Heute);
    }
    EXPECT_EQ(angeboten, (std::vector<TDateTime>{D(2024, 3, 1), D(2024, 5, 31)})) << "it offers the current period";
    EXPECT_EQ(f->gemeldet, std::vector<TDateTime>{D(2024, 6, 1)});
    EXPECT_EQ(k->bb_Heute->Caption(), L"01.06.2024-30.06.2024");
}

// The menu shows the period entries only with PeriodMenuVisible, "ohne Zeitraum" only with
// NoPeriodAllowed too; it opens on a right click over the buttons. Choosing a month window widens
// a narrow middle button to 100; the three buttons share the control's width by the layout rule.
TEST_F(DatumButton, MenuVisibilityMonthWindowWidthAndLayout) {
    auto sichtbar = [&] {
        std::vector<String> s;
        for (int i = 0; i < k->pm_Zeitraum->Count(); ++i)
            if (k->pm_Zeitraum->Items(i)->Visible()) s.push_back(k->pm_Zeitraum->Items(i)->Caption());
        return s;
    };
    EXPECT_TRUE(sichtbar().empty());
    k->SetNoPeriodAllowed(true);
    EXPECT_TRUE(sichtbar().empty());
    k->SetPeriodMenuVisible(true);
    EXPECT_EQ(sichtbar().size(), 12u);
    k->SetNoPeriodAllowed(false);
    ASSERT_EQ(sichtbar().size(), 11u);
    EXPECT_EQ(sichtbar().front(), L"Zeitraum ein Jahr");
    EXPECT_EQ(sichtbar().back(), L"freier Zeitraum");

    EXPECT_EQ(k->Height(), 24);
    EXPECT_EQ(k->Width(), 170);
    k->SetBBHeuteWidth(80);
    EXPECT_EQ(k->Width(), 80 + 48);
    k->SetAnzeigeModus(kivdbm_12Monate); // written directly: the width stays
    EXPECT_EQ(k->BBHeuteWidth(), 80);
    {
        MenuLeser leser(L"Zeitraum 13 Monate");
        POINT pt{30, 10};
        PostMessageW(k->bb_Heute->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(pt.x, pt.y));
        PostMessageW(k->bb_Heute->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
        Pump();
        ASSERT_EQ(leser.Menus().size(), 1u);
        EXPECT_EQ(leser.Captions(), sichtbar());
        EXPECT_TRUE(leser.Menus()[0].entries[8].checked); // "Zeitraum 12 Monate"
    }
    EXPECT_EQ(k->AnzeigeModus(), kivdbm_13Monate);
    EXPECT_EQ(k->BBHeuteWidth(), 100);
    EXPECT_EQ(k->Width(), 148);
    EXPECT_EQ(k->bb_Zurueck->BoundsRect().right, 24);
    EXPECT_EQ(k->bb_Heute->Left(), 25);
    EXPECT_EQ(k->bb_Heute->Width(), 148 - 48 - 2);
    EXPECT_EQ(k->bb_Vor->Left(), 148 - 24);
    EXPECT_EQ(k->bb_Vor->Height(), 24);
}

// The settings store keeps the day and the kind's number and loads the kind first; a month window
// and a free period come back as they were; an unknown kind number is ignored.
TEST_F(DatumButton, TheSettingsStoreKeepsKindAndDay) {
    TestOrdner ordner;
    const String datei = ordner / L"knopf.ini";
    auto* par = new TkivParameter(f);
    par->SetDateiName(datei);
    par->SetTagInclusive(1);
    auto laden = [&] {
        auto* g = Application()->CreateForm<KnopfForm>();
        g->Show();
        auto* p = new TkivParameter(g);
        p->SetDateiName(datei);
        p->SetTagInclusive(1);
        p->Laden();
        return g;
    };

    k->SetAnzeigeModus(kivdbm_12Monate);
    Klick(k->bb_Zurueck);
    par->Speichern();
    EXPECT_EQ(IniZeilen(datei), (std::vector<String>{L"[KnopfForm]", L"db_Zeitraum=01.03.2023",
                                                     L"db_Zeitraum_AnzeigeModus=8"}));
    KnopfForm* g = laden();
    EXPECT_EQ(g->gemeldet, (std::vector<TDateTime>{D(2023, 4, 1), D(2023, 3, 1)})); // kind, then day
    EXPECT_EQ(g->knopf->bb_Heute->Caption(), L"03/2023-02/2024");
    g->Free();

    Schreiben(datei, "[KnopfForm]\r\ndb_Zeitraum=01.03.2024\r\ndb_Zeitraum_AnzeigeModus=11\r\n"
                     "db_Zeitraum_Von=01.03.2024\r\ndb_Zeitraum_Bis=31.05.2024\r\n");
    g = laden();
    EXPECT_EQ(g->knopf->AnzeigeModus(), kivdbm_FreierZeitraum);
    EXPECT_EQ(g->knopf->bb_Heute->Caption(), L"01.03.2024-31.05.2024");
    EXPECT_EQ(g->knopf->DatumBis(), D(2024, 5, 31));
    g->Free();

    // A free period the dialog would refuse counts as no stored kind: reversed, incomplete, not
    // whole months.
    for (const char* zeitraum :
         {"_Von=01.06.2024\r\ndb_Zeitraum_Bis=31.05.2024", "_Von=01.03.2024", "_Von=15.03.2024\r\ndb_Zeitraum_Bis=31.05.2024"}) {
        Schreiben(datei, std::string("[KnopfForm]\r\ndb_Zeitraum=01.05.2024\r\ndb_Zeitraum_AnzeigeModus=11\r\n"
                                     "db_Zeitraum") + zeitraum + "\r\n");
        g = laden();
        EXPECT_EQ(g->knopf->AnzeigeModus(), kivdbm_Monat) << zeitraum;
        EXPECT_EQ(g->knopf->bb_Heute->Caption(), L"05/2024") << zeitraum;
        g->Free();
    }

    Schreiben(datei, "[KnopfForm]\r\ndb_Zeitraum=01.05.2024\r\ndb_Zeitraum_AnzeigeModus=12\r\n");
    g = laden();
    EXPECT_EQ(g->knopf->AnzeigeModus(), kivdbm_Monat);
    EXPECT_EQ(g->knopf->bb_Heute->Caption(), L"05/2024");
    g->Free();
}
