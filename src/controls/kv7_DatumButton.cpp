#include "controls/kv7_DatumButton.h"

#include "controls/kv7_EingabeVonBis.h"
#include "settings/Einstellungsarten.h"
#include "toolkit/Menus.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"

namespace {
// The menu's entries in their order, with the kind each one chooses.
struct TMenueEintrag {
    TkivDatumButtonModus modus;
    const wchar_t* caption;
};
const TMenueEintrag kMenue[] = {
    {kivdbm_Nop, L"ohne Zeitraum"},
    {kivdbm_Jahr, L"Zeitraum ein Jahr"},
    {kivdbm_Halbjahr, L"Zeitraum ein halbes Jahr"},
    {kivdbm_Quartal, L"Zeitraum ein Quartal"},
    {kivdbm_Monat, L"Zeitraum ein Monat"},
    {kivdbm_Woche, L"Zeitraum eine Woche"},
    {kivdbm_Tag, L"Zeitraum ein Tag"},
    {kivdbm_KitaHalbJahr, L"Zeitraum ein Kindergartenhalbjahr"},
    {kivdbm_KitaJahr, L"Zeitraum ein Kindergartenjahr"},
    {kivdbm_12Monate, L"Zeitraum 12 Monate"},
    {kivdbm_13Monate, L"Zeitraum 13 Monate"},
    {kivdbm_FreierZeitraum, L"freier Zeitraum"},
};

// The months a month window spans; 0 for the other kinds.
int FensterMonate(TkivDatumButtonModus modus) {
    return modus == kivdbm_12Monate ? 12 : modus == kivdbm_13Monate ? 13 : 0;
}

// Months of one step of "<" and ">"; 0 where the step counts days or Kita half-years.
int SchrittMonate(TkivDatumButtonModus modus) {
    switch (modus) {
    case kivdbm_Jahr:
    case kivdbm_KitaJahr:
        return 12;
    case kivdbm_Halbjahr:
        return 6;
    case kivdbm_Quartal:
        return 3;
    default:
        return 1;
    }
}
} // namespace

TkivDatumButton::TkivDatumButton(TComponent* owner) : TPanel(owner) {
    static const bool registriert =
        (EinstellungsartRegistrieren<TkivDatumButton>(TArtZeile::DatumButton, Laden, Speichern), true);
    (void)registriert;
    SetCaption(L"");
    MenueBauen();
    modus_ = kivdbm_Monat;
    eintraege_[kivdbm_Monat]->SetChecked(true);
    datum_ = ProgramDate();
    SetBevelOuter(bvNone);
    SetBevelInner(bvNone);
    bb_Zurueck = Knopf(L"bb_Zurueck", L"<", L"Zurück", &TkivDatumButton::Zurueck);
    bb_Heute = Knopf(L"bb_Heute", L"Heute", L"Heute", &TkivDatumButton::Heute);
    bb_Vor = Knopf(L"bb_Vor", L">", L"Vor", &TkivDatumButton::Vor);
    SetBounds(0, 0, bbHeuteWidth_ + 50, 24);
    SetPeriodMenuVisible(false);
    SetNoPeriodAllowed(false);
}

TButton* TkivDatumButton::Knopf(const wchar_t* name, const wchar_t* caption, const wchar_t* hint,
                                void (TkivDatumButton::*klick)()) {
    auto* b = new TButton(this);
    b->SetName(name);
    b->SetCaption(caption);
    b->SetHint(hint);
    b->SetShowHint(true);
    b->SetTabStop(false);
    b->SetParent(this);
    b->OnClick = [this, klick](TComponent*) { (this->*klick)(); };
    return b;
}

void TkivDatumButton::MenueBauen() {
    pm_Zeitraum = new TPopupMenu(this);
    pm_Zeitraum->SetName(L"pm_Zeitraum");
    for (const TMenueEintrag& e : kMenue) {
        const TkivDatumButtonModus modus = e.modus;
        eintraege_[modus] =
            pm_Zeitraum->NewItem(e.caption, [this, modus](TComponent*) { EintragGewaehlt(modus); });
        eintraege_[modus]->SetTag(modus);
    }
    SetPopupMenu(pm_Zeitraum);
}

// The window's size is fixed here once; the events start with the window.
void TkivDatumButton::CreateWnd() {
    TPanel::CreateWnd();
    if (!creating_) return;
    creating_ = false;
    SetBounds(Left(), Top(), bbHeuteWidth_ + 50, 24);
}

void TkivDatumButton::SetAnzeigeModus(TkivDatumButtonModus modus) {
    modus_ = modus;
    const bool pfeile = modus != kivdbm_Nop && modus != kivdbm_FreierZeitraum;
    bb_Zurueck->SetEnabled(pfeile);
    bb_Vor->SetEnabled(pfeile);
    for (int m = 0; m < kivdbm_Anzahl; ++m)
        eintraege_[m]->SetChecked(m == modus);
    SetDatum(ProgramDate());
}

void TkivDatumButton::SetDatum(TDateTime datum) {
    if (int monate = FensterMonate(modus_)) datum = AddMonths(MonthStart(datum), -(monate - 1));
    datum_ = datum;
    Beschriften();
    if (OnDatumChanged && !creating_) OnDatumChanged(datum_);
}

// Caption and period of the kind, from Datum.
void TkivDatumButton::Beschriften() {
    const TDateTime d = datum_;
    String text;
    switch (modus_) {
    case kivdbm_Nop:
        text = L"Alles";
        von_ = bis_ = 0;
        break;
    case kivdbm_Jahr:
        text = YearLabel(d);
        von_ = YearStart(d);
        bis_ = YearEnd(d);
        break;
    case kivdbm_Halbjahr:
        text = HalfYearLabel(L".HJ ", d);
        von_ = HalfYearStart(d);
        bis_ = HalfYearEnd(d);
        break;
    case kivdbm_Quartal:
        text = QuarterLabel(L"/", d);
        von_ = QuarterStart(d);
        bis_ = QuarterEnd(d);
        break;
    case kivdbm_Monat:
        text = MonthLabel(d);
        von_ = MonthStart(d);
        bis_ = MonthEnd(d);
        break;
    case kivdbm_Woche:
        text = WeekLabel(L".KW ", d);
        von_ = WeekStart(d);
        bis_ = WeekEnd(d);
        break;
    case kivdbm_Tag:
        text = DatumZuText(d);
        von_ = bis_ = d;
        break;
    case kivdbm_KitaHalbJahr:
        text = KitaHalfYearLabel(d);
        von_ = KitaHalfYearStart(d);
        bis_ = KitaHalfYearEnd(d);
        break;
    case kivdbm_KitaJahr:
        text = KitaYearLabel(d);
        von_ = KitaYearStart(d);
        bis_ = KitaYearEnd(d);
        break;
    case kivdbm_12Monate:
    case kivdbm_13Monate:
        text = modus_ == kivdbm_12Monate ? TwelveMonthLabel(d) : ThirteenMonthLabel(d);
        von_ = MonthStart(d);
        bis_ = MonthWindowEnd(d, FensterMonate(modus_));
        break;
    case kivdbm_FreierZeitraum:
        text = DatumZuText(von_) + L"-" + DatumZuText(bis_);
        break;
    }
    bb_Heute->SetCaption(text);
}

// A month window moves by one month either way: the date written names its new last month. At
// either end of the calendar there is no period further on.
void TkivDatumButton::Schritt(int richtung) {
    if (richtung > 0 ? bis_ >= CalendarEnd() : von_ <= CalendarStart()) return;
    switch (modus_) {
    case kivdbm_Nop:
    case kivdbm_FreierZeitraum:
        return;
    case kivdbm_Tag:
        SetDatum(datum_ + richtung);
        return;
    case kivdbm_Woche:
        SetDatum(datum_ + 7 * richtung);
        return;
    case kivdbm_KitaHalbJahr:
        SetDatum(KitaHalfYearStep(richtung, datum_));
        return;
    case kivdbm_12Monate:
    case kivdbm_13Monate:
        SetDatum(AddMonths(datum_, FensterMonate(modus_) - 1 + richtung));
        return;
    default:
        SetDatum(AddMonths(datum_, SchrittMonate(modus_) * richtung));
        return;
    }
}

void TkivDatumButton::Heute() {
    if (modus_ != kivdbm_FreierZeitraum) {
        SetDatum(ProgramDate());
        return;
    }
    if (ZeitraumAbfragen()) SetDatum(von_);
}

// The dialog works on copies: a cancelled dialog leaves the period as it was. Without a period
// it offers the month of the program date rather than December 1899.
bool TkivDatumButton::ZeitraumAbfragen() {
    TDateTime von = von_ > 0 ? von_ : ProgramDate();
    TDateTime bis = von_ > 0 ? bis_ : ProgramDate();
    if (!kv7EingabeVonBis()->Execute(von, bis)) return false;
    von_ = von;
    bis_ = bis;
    return true;
}

void TkivDatumButton::EintragGewaehlt(TkivDatumButtonModus modus) {
    if (modus == kivdbm_FreierZeitraum) {
        FreierZeitraum();
        return;
    }
    if (FensterMonate(modus) && bbHeuteWidth_ < 100) SetBBHeuteWidth(100);
    SetAnzeigeModus(modus);
}

void TkivDatumButton::FreierZeitraum() {
    if (!ZeitraumAbfragen()) return;
    SetAnzeigeModus(kivdbm_FreierZeitraum);
    SetDatum(von_);
}

void TkivDatumButton::SetBBHeuteWidth(int width) {
    bbHeuteWidth_ = width;
    SetWidth(width + 2 * Height());
}

void TkivDatumButton::SetPeriodMenuVisible(bool visible) {
    periodMenuVisible_ = visible;
    MenueSichtbarkeit();
}

void TkivDatumButton::SetNoPeriodAllowed(bool allowed) {
    noPeriodAllowed_ = allowed;
    MenueSichtbarkeit();
}

void TkivDatumButton::MenueSichtbarkeit() {
    for (int m = 0; m < kivdbm_Anzahl; ++m)
        eintraege_[m]->SetVisible(periodMenuVisible_ && (m != kivdbm_Nop || noPeriodAllowed_));
}

// Enabling or disabling takes all three buttons alike, whatever the kind.
void TkivDatumButton::EnabledChanged() {
    TPanel::EnabledChanged();
    for (TButton* b : {bb_Zurueck, bb_Heute, bb_Vor})
        b->SetEnabled(Enabled());
}

// Square arrows at the ends, the middle button between them with a pixel's gap each side.
void TkivDatumButton::Resize() {
    if (bb_Zurueck && bb_Heute && bb_Vor) {
        const int h = Height();
        bb_Zurueck->SetBounds(0, 0, h, h);
        bb_Vor->SetBounds(Width() - h, 0, h, h);
        bb_Heute->SetBounds(h + 1, 0, Width() - 2 * h - 2, h);
    }
    TPanel::Resize();
}

// The buttons keep their pixel size when the window is scaled; only the place moves.
void TkivDatumButton::ChangeScale(int m, int d) {
    if (m == d) return;
    SetBounds(MulDiv(Left(), m, d), MulDiv(Top(), m, d), Width(), Height());
}

// The kind first, then the day; a month window and a free period come back as they were saved.
// A free period is taken only as the dialog would take it; one it would refuse (missing, reversed,
// not whole months) counts as no stored kind at all.
void TkivDatumButton::Laden(TkivDatumButton& b, const TEinstellungsZugriff& z) {
    const int modus = z.IntegerLesen(b.Name() + L"_AnzeigeModus", b.AnzeigeModus());
    if (modus == kivdbm_FreierZeitraum) {
        const TDateTime von = z.DatumLesen(b.Name() + L"_Von", 0), bis = z.DatumLesen(b.Name() + L"_Bis", 0);
        if (Tkv7EingabeVonBis::Annehmbar(von, bis)) {
            b.SetAnzeigeModus(kivdbm_FreierZeitraum);
            b.von_ = von;
            b.bis_ = bis;
        }
    } else if (modus >= 0 && modus < kivdbm_Anzahl) {
        b.SetAnzeigeModus(static_cast<TkivDatumButtonModus>(modus));
    }
    TDateTime datum = z.DatumLesen(b.Name(), b.Datum());
    if (int monate = FensterMonate(b.modus_)) datum = AddMonths(datum, monate - 1);
    b.SetDatum(datum);
}

// A free period also keeps its bounds, which Datum alone cannot bring back.
void TkivDatumButton::Speichern(TkivDatumButton& b, const TEinstellungsZugriff& z) {
    z.DatumSchreiben(b.Name(), b.Datum());
    z.IntegerSchreiben(b.Name() + L"_AnzeigeModus", b.AnzeigeModus());
    if (b.modus_ != kivdbm_FreierZeitraum) return;
    z.DatumSchreiben(b.Name() + L"_Von", b.von_);
    z.DatumSchreiben(b.Name() + L"_Bis", b.bis_);
}
