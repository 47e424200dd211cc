#include "controls/kv7_FileKeyComboBox.h"

#include "sys/Auswahl.h"
#include "util/kv7_str.h"

TkivFileKeyComboBox::TkivFileKeyComboBox(TComponent* owner) : TkivKeyComboPanel(owner, L"Datei wählen") {}

String TkivFileKeyComboBox::FileName() const {
    return KeyComboBox()->Key();
}

// An empty name selects nothing and adds no blank entry to the list.
void TkivFileKeyComboBox::SetFileName(const String& fileName) {
    if (!Trimmen(fileName).empty() && !KeyComboBox()->HasKey(fileName)) AddKey(fileName, fileName);
    KeyComboBox()->SetKey(fileName);
}

void TkivFileKeyComboBox::Browse() {
    String datei = KeyComboBox()->Key();
    if (!DateiWaehlen(dlgCaption_, datei, dlgJoker_)) return;
    AddKey(datei, datei);
    KeyComboBox()->SelectKey(datei);
}
