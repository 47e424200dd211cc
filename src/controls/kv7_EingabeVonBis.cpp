#include "controls/kv7_EingabeVonBis.h"

#include "controls/kv7_DatumEdit.h"
#include "sys/Meldungen.h"
#include "toolkit/ActnList.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"

namespace {
Tkv7EingabeVonBis* g_instanz = nullptr;

template <class T> T* Neu(TComponent* owner, TWinControl* parent, const wchar_t* name) {
    auto* c = new T(owner);
    c->SetName(name);
    c->SetParent(parent);
    return c;
}

TPanel* Leiste(Tkv7EingabeVonBis* f, TWinControl* parent, const wchar_t* name, TAlign align) {
    auto* p = Neu<TPanel>(f, parent, name);
    p->SetBevelOuter(bvNone);
    p->SetAlign(align);
    return p;
}

TAction* Aktion(Tkv7EingabeVonBis* f, const wchar_t* name, const wchar_t* caption,
                void (Tkv7EingabeVonBis::*handler)(TComponent*)) {
    auto* a = new TAction(f);
    a->SetName(name);
    a->SetCaption(caption);
    a->SetActionList(f->ax);
    a->OnExecute = [f, handler](TComponent* s) { (f->*handler)(s); };
    return a;
}
} // namespace

Tkv7EingabeVonBis* kv7EingabeVonBis() {
    if (!g_instanz) g_instanz = Application()->CreateForm<Tkv7EingabeVonBis>();
    return g_instanz;
}

Tkv7EingabeVonBis::Tkv7EingabeVonBis(TComponent* owner) : TQelForm(owner) {
    SetName(L"kv7EingabeVonBis");
    SetCaption(L"kv7EingabeVonBis");
    SetBorderStyle(bsDialog);
    Font().SetName(L"Tahoma");
    Font().SetHeight(-11);
    SetClientWidth(304);
    SetClientHeight(106);

    ax = new TActionList(this);
    ax->SetName(L"ax");
    ax_OK = Aktion(this, L"ax_OK", L"Speichern", &Tkv7EingabeVonBis::ax_OKExecute);
    ax_OK->SetShortCut(ShortCut(VK_F2));
    ax_Cancel = Aktion(this, L"ax_Cancel", L"Abbruch", &Tkv7EingabeVonBis::ax_CancelExecute);

    Label1 = Neu<TLabel>(this, this, L"Label1");
    Label1->SetBounds(12, 16, 0, 13);
    Label1->SetCaption(L"von");
    Label2 = Neu<TLabel>(this, this, L"Label2");
    Label2->SetBounds(12, 44, 0, 13);
    Label2->SetCaption(L"bis");

    pa_button = Leiste(this, this, L"pa_button", alBottom);
    pa_button->SetHeight(30);
    pa_ButtonRight = Leiste(this, pa_button, L"pa_ButtonRight", alRight);
    pa_ButtonRight->SetWidth(168);
    bb_OK = Neu<TButton>(this, pa_ButtonRight, L"bb_OK");
    bb_OK->SetBounds(4, 4, 75, 25);
    bb_OK->SetAction(ax_OK);
    bb_Cancel = Neu<TButton>(this, pa_ButtonRight, L"bb_Cancel");
    bb_Cancel->SetBounds(88, 4, 75, 25);
    bb_Cancel->SetAction(ax_Cancel);

    ed_Von = Neu<TkivDatumEdit>(this, this, L"ed_Von");
    // Wider than the 88 pixels of the old layout: the field also holds the check box of its
    // empty state.
    ed_Von->SetBounds(72, 12, 110, 21);
    ed_Bis = Neu<TkivDatumEdit>(this, this, L"ed_Bis");
    ed_Bis->SetBounds(72, 44, 110, 21);
    pa_button->SetTabOrder(0);
    ed_Von->SetTabOrder(1);
    ed_Bis->SetTabOrder(2);

    OnActivate = [this](TComponent* s) { QelFormActivate(s); };
    OnCloseQuery = [this](TComponent* s, bool& canClose) { QelFormCloseQuery(s, canClose); };
    OnDestroy = [this](TComponent* s) { QelFormDestroy(s); };
}

Tkv7EingabeVonBis::~Tkv7EingabeVonBis() {
    if (g_instanz == this) g_instanz = nullptr;
}

// The top left corner goes where the mouse is, even where the dialog then reaches past the edge
// of the screen.
bool Tkv7EingabeVonBis::Execute(TDateTime& von, TDateTime& bis) {
    POINT maus{};
    GetCursorPos(&maus);
    SetBounds(maus.x, maus.y, Width(), Height());
    SetCaption(L"Zeitraum festlegen");
    SetWholeMonths(true);
    ed_Von->SetDate(MonthStart(von));
    ed_Bis->SetDate(MonthEnd(bis));
    if (ShowModal() != mrOk) return false;
    von = ed_Von->Date();
    bis = ed_Bis->Date();
    return true;
}

bool Tkv7EingabeVonBis::Annehmbar(TDateTime von, TDateTime bis) {
    return TkivDatumEdit::Darstellbar(von) && TkivDatumEdit::Darstellbar(bis) && DateOf(von) == MonthStart(von) &&
           DateOf(bis) == MonthEnd(bis) && IsValidPeriod(von, bis);
}

void Tkv7EingabeVonBis::QelFormDestroy(TComponent*) {
    if (g_instanz == this) g_instanz = nullptr;
}

// One message per attempt, in this order; a corrected date waits for the user to confirm again.
void Tkv7EingabeVonBis::QelFormCloseQuery(TComponent*, bool& canClose) {
    if (ModalResult() == mrCancel) return;
    canClose = false;
    const TDateTime von = ed_Von->Date();
    if (!(von > 0)) {
        MeldungWertFehlt();
        ed_Von->SetFocus();
        return;
    }
    if (WholeMonths() && DateOf(von) != MonthStart(von)) {
        ed_Von->SetDate(MonthStart(von));
        MeldungMonatserster();
        return;
    }
    const TDateTime bis = ed_Bis->Date();
    if (bis == DatumLeer) {
        MeldungWertFehlt();
        ed_Bis->SetFocus();
        return;
    }
    if (WholeMonths() && DateOf(bis) != MonthEnd(bis)) {
        ed_Bis->SetDate(MonthEnd(bis));
        MeldungMonatsletzter();
        return;
    }
    if (IsValidPeriod(von, bis))
        canClose = true;
    else
        MeldungZeitraumUngueltig();
}

void Tkv7EingabeVonBis::QelFormActivate(TComponent*) {
    ed_Von->SetFocus();
}

void Tkv7EingabeVonBis::ax_OKExecute(TComponent*) {
    SetModalResult(mrOk);
}

void Tkv7EingabeVonBis::ax_CancelExecute(TComponent*) {
    SetModalResult(mrCancel);
}
