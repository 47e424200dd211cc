#include "controls/kv7_KeyComboPanel.h"

#include "util/kv7_str.h"

TkivKeyComboPanel::TkivKeyComboPanel(TComponent* owner, const String& hint) : TPanel(owner) {
    SetCaption(L"");
    SetBevelInner(bvNone);
    SetBevelOuter(bvNone);
    box_ = new TkivKeyComboBox(this);
    box_->SetParent(this);
    button_ = new TButton(this);
    button_->SetParent(this);
    button_->SetCaption(L"...");
    button_->SetHint(hint);
    button_->SetShowHint(true);
    button_->OnClick = [this](TComponent*) { Browse(); };
    Anordnen();
}

TkivKeyComboPanel::~TkivKeyComboPanel() = default;

void TkivKeyComboPanel::AddKey(const String& key, const String& text) {
    box_->AddKey(key, text);
}

void TkivKeyComboPanel::Clear() {
    box_->Clear();
}

const TStrings& TkivKeyComboPanel::Items() const {
    return box_->Items();
}

const TStrings& TkivKeyComboPanel::KeyList() const {
    return box_->KeyList();
}

bool TkivKeyComboPanel::kivPAR_Save_Keys() const {
    return box_->kivPAR_Save_Keys();
}

void TkivKeyComboPanel::SetkivPAR_Save_Keys(bool save) {
    box_->SetkivPAR_Save_Keys(save);
}

// A key the box takes as it is keeps the spelling written, as the key rule does.
String TkivKeyComboPanel::Gelistet(const String& pfad) const {
    if (box_->HasKey(pfad)) return pfad;
    const TStrings& keys = box_->KeyList();
    for (int i = 0; i < keys.Count(); ++i)
        if (GleicherPfad(keys.Get(i), pfad)) return keys.Get(i);
    return String();
}

String TkivKeyComboPanel::Aufnehmen(const String& pfad) {
    String key = Gelistet(pfad);
    if (!key.empty()) return key;
    AddKey(pfad, pfad);
    return pfad;
}

// The panel aligns its children after loading, on every resize and once their windows exist, when
// the box has the height its font gives it.
void TkivKeyComboPanel::AlignControls(RECT rect) {
    TPanel::AlignControls(rect);
    Anordnen();
}

void TkivKeyComboPanel::Anordnen() {
    if (!button_) return; // still being built
    const int hoehe = box_->Height();
    SetHeight(hoehe);
    const int seite = hoehe - 2;
    button_->SetTabStop(false);
    button_->SetBounds(ClientWidth() - seite, 0, seite, seite);
    box_->SetBounds(0, 0, ClientWidth() - seite - 2, hoehe);
}
