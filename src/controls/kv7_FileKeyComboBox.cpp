#include "controls/kv7_FileKeyComboBox.h"

#include "sys/Auswahl.h"
#include "util/kv7_str.h"

TkivFileKeyComboBox::TkivFileKeyComboBox(TComponent* owner) : TkivKeyComboPanel(owner, L"Datei wählen") {}

String TkivFileKeyComboBox::FileName() const {
    return KeyComboBox()->Key();
}

// Blanks at the ends are no part of the name (the key rule drops them too); an empty name selects
// nothing and adds no blank entry to the list.
void TkivFileKeyComboBox::SetFileName(const String& fileName) {
    const String name = Trimmen(fileName);
    KeyComboBox()->SetKey(name.empty() ? name : Aufnehmen(name));
}

void TkivFileKeyComboBox::Browse() {
    String datei = KeyComboBox()->Key();
    if (!DateiWaehlen(dlgCaption_, datei, dlgJoker_)) return;
    KeyComboBox()->SelectKey(Aufnehmen(datei));
}
