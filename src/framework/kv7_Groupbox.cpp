#include "framework/kv7_Groupbox.h"

#include "settings/Einstellungsarten.h"

namespace {
// Restored through the writer, so a state that differs raises OnAfterClick.
void ArtRegistrieren() {
    static const bool registriert = [] {
        using Z = const TEinstellungsZugriff&;
        EinstellungsartRegistrieren<Tkiv_Groupbox>(
            TArtZeile::Groupbox,
            [](Tkiv_Groupbox& g, Z z) { g.SetAllEnabled(z.JaNeinLesen(g.Name(), g.AllEnabled())); },
            [](Tkiv_Groupbox& g, Z z) { z.JaNeinSchreiben(g.Name(), g.AllEnabled()); });
        return true;
    }();
    (void)registriert;
}
} // namespace

Tkiv_Groupbox::Tkiv_Groupbox(TComponent* owner) : TCustomGroupBox(owner) {
    ArtRegistrieren();
    checkBox_ = new TCheckBox(this);
    checkBox_->SetParent(this);
    checkBox_->SetBounds(8, -1, 22, checkBox_->Height());
    checkBox_->SetChecked(true);
    checkBox_->OnClick = [this](TComponent*) { CheckBoxClick(); };
}

// The caption belongs to the check box; the frame shows none.
void Tkiv_Groupbox::CreateParams(TCreateParams& p) {
    TCustomGroupBox::CreateParams(p);
    p.caption.clear();
}

void Tkiv_Groupbox::TextChanged() {
    checkBox_->SetCaption(text_);
    FitCheckBox();
}

// The box and its gap take 22 pixels before the text.
void Tkiv_Groupbox::FitCheckBox() {
    if (checkBox_ && !Destroying()) checkBox_->SetWidth(TextExtent(Font(), text_, DT_SINGLELINE).cx + 22);
}

void Tkiv_Groupbox::FontChanged() {
    TCustomGroupBox::FontChanged();
    FitCheckBox();
}

// OnAfterClick comes last, after the children took the new state: a handler that disables one of
// them again is not undone.
void Tkiv_Groupbox::SetAllEnabled(bool value) {
    const bool geaendert = value != checkBox_->Checked();
    allEnabled_ = value;
    checkBox_->SetChecked(value); // its click finds the state taken and leaves the rest to here
    EnableChildren(this, value);
    if (geaendert && OnAfterClick) OnAfterClick(this);
}

// The user's click; a state written from code arrives here already taken.
void Tkiv_Groupbox::CheckBoxClick() {
    const bool value = checkBox_->Checked();
    if (value == allEnabled_) return;
    allEnabled_ = value;
    EnableChildren(this, value);
    if (OnAfterClick) OnAfterClick(this);
}

// Plain group boxes inside are greyed and gone through too; a switchable one inside follows its
// own enabled writer.
void Tkiv_Groupbox::EnableChildren(TWinControl* container, bool value) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (child == checkBox_) continue;
        child->SetEnabled(value);
        if (auto* group = dynamic_cast<TGroupBox*>(child)) {
            group->Font().SetColor(value ? clWindowText : clGrayText);
            EnableChildren(group, value);
        }
    }
}

// Switched off, the group also clears its box, so switched on again its controls stay off until
// the box is ticked.
void Tkiv_Groupbox::EnabledChanged() {
    TCustomGroupBox::EnabledChanged();
    if (Enabled()) {
        SetAllEnabled(checkBox_->Checked());
        checkBox_->SetEnabled(true);
    } else {
        SetAllEnabled(false);
        checkBox_->SetEnabled(false);
    }
}
