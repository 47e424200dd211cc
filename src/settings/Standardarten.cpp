// The toolkit's own controls in the settings file: text boxes, check and radio buttons, speed
// buttons, combo, radio group and list boxes, tool bars.
#include "settings/Einstellungsarten.h"
#include "settings/Listenregeln.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

namespace {
using Z = const TEinstellungsZugriff&;

// A shown list redraws and copies its whole text for every line added on its own (about 16 ms a
// line under Wine): the lines read reach the control together, as one change.
void ListeInEinemSchrittLaden(Z z, const String& name, TStrings& zeilen) {
    zeilen.BeginUpdate();
    try {
        ListeLaden(z, name, zeilen);
    } catch (...) {
        zeilen.EndUpdate();
        throw;
    }
    zeilen.EndUpdate();
}

void MemoLaden(TMemo& m, Z z) {
    ListeInEinemSchrittLaden(z, m.Name(), m.Lines());
}
// The lines as the text holds them: with word wrap on, Lines counts the display lines, and a long
// path would come back as two entries.
void MemoSpeichern(TMemo& m, Z z) {
    TStringList zeilen;
    zeilen.SetText(m.Text());
    ListeSpeichern(z, m.Name(), zeilen);
}

void ListBoxLaden(TListBox& l, Z z) {
    const int vorher = l.ItemIndex();
    ListeInEinemSchrittLaden(z, l.Name(), l.Items());
    l.SetItemIndex(z.IntegerLesen(l.Name(), vorher));
}
void ListBoxSpeichern(TListBox& l, Z z) {
    z.IntegerSchreiben(l.Name(), l.ItemIndex());
    ListeSpeichern(z, l.Name(), l.Items());
}

// The tool bar's Tag decides; its buttons are found among its child controls by their names.
template <class Weg> void JedeToolButton(TToolBar& bar, Weg weg) {
    for (int i = 0; i < bar.ControlCount(); ++i)
        if (auto* b = dynamic_cast<TToolButton*>(bar.Controls(i))) weg(*b);
}
void ToolBarLaden(TToolBar& bar, Z z) {
    JedeToolButton(bar, [&](TToolButton& b) { b.SetDown(z.JaNeinLesen(b.Name(), b.Down())); });
}
void ToolBarSpeichern(TToolBar& bar, Z z) {
    JedeToolButton(bar, [&](TToolButton& b) { z.JaNeinSchreiben(b.Name(), b.Down()); });
}
} // namespace

void StandardartenRegistrieren() {
    EinstellungsartRegistrieren<TMemo>(TArtZeile::Memo, MemoLaden, MemoSpeichern);

    TEinstellungsart edit;
    edit.Gehoert = [](TComponent* k) { return dynamic_cast<TCustomEdit*>(k) && !dynamic_cast<TMemo*>(k); };
    edit.Laden = [](TComponent* k, Z z) {
        auto* e = static_cast<TCustomEdit*>(k);
        e->SetText(z.TextLesen(e->Name(), e->Text()));
    };
    edit.Speichern = [](TComponent* k, Z z) {
        auto* e = static_cast<TCustomEdit*>(k);
        z.TextSchreiben(e->Name(), e->Text());
    };
    EinstellungsartRegistrieren(TArtZeile::Edit, std::move(edit));

    EinstellungsartRegistrieren<TCheckBox>(
        TArtZeile::CheckBox, [](TCheckBox& c, Z z) { c.SetChecked(z.JaNeinLesen(c.Name(), c.Checked())); },
        [](TCheckBox& c, Z z) { z.JaNeinSchreiben(c.Name(), c.Checked()); });
    EinstellungsartRegistrieren<TRadioButton>(
        TArtZeile::RadioButton,
        [](TRadioButton& r, Z z) { r.SetChecked(z.JaNeinLesen(r.Name(), r.Checked())); },
        [](TRadioButton& r, Z z) { z.JaNeinSchreiben(r.Name(), r.Checked()); });
    EinstellungsartRegistrieren<TSpeedButton>(
        TArtZeile::SpeedButton, [](TSpeedButton& b, Z z) { b.SetDown(z.JaNeinLesen(b.Name(), b.Down())); },
        [](TSpeedButton& b, Z z) { z.JaNeinSchreiben(b.Name(), b.Down()); });
    EinstellungsartRegistrieren<TComboBox>(
        TArtZeile::ComboBox,
        [](TComboBox& c, Z z) { c.SetItemIndex(z.IntegerLesen(c.Name(), c.ItemIndex())); },
        [](TComboBox& c, Z z) { z.IntegerSchreiben(c.Name(), c.ItemIndex()); });
    EinstellungsartRegistrieren<TRadioGroup>(
        TArtZeile::RadioGroup,
        [](TRadioGroup& r, Z z) { r.SetItemIndex(z.IntegerLesen(r.Name(), r.ItemIndex())); },
        [](TRadioGroup& r, Z z) { z.IntegerSchreiben(r.Name(), r.ItemIndex()); });
    EinstellungsartRegistrieren<TListBox>(TArtZeile::ListBox, ListBoxLaden, ListBoxSpeichern);
    EinstellungsartRegistrieren<TToolBar>(TArtZeile::ToolBar, ToolBarLaden, ToolBarSpeichern);
}
