// The date page: a period button with its full period menu, a date edit, and labels that say
// what they hold.
#include "controls/kv7_DatumButton.h"
#include "controls/kv7_DatumEdit.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "gallery/gl_Seiten.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"

#include <memory>

namespace {
const wchar_t* const kModusNamen[] = {
    L"kivdbm_Nop",      L"kivdbm_Tag",      L"kivdbm_Woche",        L"kivdbm_Monat",
    L"kivdbm_Quartal",  L"kivdbm_Halbjahr", L"kivdbm_Jahr",         L"kivdbm_KitaJahr",
    L"kivdbm_12Monate", L"kivdbm_13Monate", L"kivdbm_KitaHalbJahr", L"kivdbm_FreierZeitraum",
};

// What the labels show, from the controls of the window (which outlive every call).
struct TDatumAnzeige {
    TkivDatumButton* knopf = nullptr;
    TkivDatumEdit* edit = nullptr;
    TLabel *von = nullptr, *bis = nullptr, *modus = nullptr, *meldungen = nullptr, *datum = nullptr;
    int anzahl = 0;

    void Zeitraum() {
        von->SetCaption(L"DatumVon: " + DatumZuText(knopf->DatumVon()));
        bis->SetCaption(L"DatumBis: " + DatumZuText(knopf->DatumBis()));
        modus->SetCaption(L"AnzeigeModus: " + String(kModusNamen[knopf->AnzeigeModus()]) + L" (" +
                          std::to_wstring(knopf->AnzeigeModus()) + L")");
        meldungen->SetCaption(L"OnDatumChanged: " + std::to_wstring(anzahl) + L"-mal");
    }
    void Datum() {
        const TDateTime d = edit->Date();
        datum->SetCaption(L"Date: " + (d == DatumLeer ? String(L"leer (-700000)") : DatumZuText(d)));
    }
};

TLabel* Anzeige(Tgl_Main& f, TWinControl* seite, const wchar_t* name, int left, int top) {
    TLabel* l = f.Beschriftung(seite, L"", left, top);
    l->SetName(name);
    return l;
}
} // namespace

void DatumSeite(Tgl_Main& f) {
    TqelWizardPage* seite =
        f.NeueSeite(L"wz_Datum", L"Datum und Zeitraum",
                    L"\"<\" und \">\" blättern durch Zeiträume, der mittlere Knopf springt zum heutigen. "
                    L"Rechtsklick oder Umschalt+F10 wählt die Art des Zeitraums.");
    const int oben = Tgl_Main::SeitenInhaltOben;
    auto a = std::make_shared<TDatumAnzeige>();

    f.Beschriftung(seite, L"Zeitraum:", 12, oben + 5);
    a->knopf = new TkivDatumButton(&f);
    a->knopf->SetName(L"db_Zeitraum");
    a->knopf->SetTag(99);
    a->knopf->SetParent(seite);
    a->knopf->SetLeft(110);
    a->knopf->SetTop(oben);
    a->knopf->SetBBHeuteWidth(150);
    a->knopf->SetPeriodMenuVisible(true);
    a->knopf->SetNoPeriodAllowed(true);
    a->knopf->SetAnzeigeModus(kivdbm_Monat);
    a->von = Anzeige(f, seite, L"lb_DatumVon", 110, oben + 34);
    a->bis = Anzeige(f, seite, L"lb_DatumBis", 110, oben + 52);
    a->modus = Anzeige(f, seite, L"lb_AnzeigeModus", 110, oben + 70);
    a->meldungen = Anzeige(f, seite, L"lb_DatumChanged", 110, oben + 88);

    f.Beschriftung(seite, L"Datum:", 12, oben + 128);
    a->edit = new TkivDatumEdit(&f);
    a->edit->SetName(L"de_Datum");
    a->edit->SetTag(99);
    a->edit->SetParent(seite);
    a->edit->SetBounds(110, oben + 124, 110, 21);
    a->edit->SetDate(ProgramDate());
    a->datum = Anzeige(f, seite, L"lb_Date", 232, oben + 128);
    f.Beschriftung(seite,
                   L"Entf leert das Feld, die Leertaste füllt es wieder; der Knopf rechts klappt den "
                   L"Kalender auf.",
                   110, oben + 152);

    a->knopf->OnDatumChanged = [a](TDateTime&) {
        ++a->anzahl;
        a->Zeitraum();
    };
    a->edit->OnChange = [a](TComponent*) { a->Datum(); };
    a->Zeitraum();
    a->Datum();
}
