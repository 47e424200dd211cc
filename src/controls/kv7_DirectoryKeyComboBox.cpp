#include "controls/kv7_DirectoryKeyComboBox.h"

#include "sys/Auswahl.h"
#include "util/kv7_str.h"

TkivDirectoryKeyComboBox::TkivDirectoryKeyComboBox(TComponent* owner)
    : TkivKeyComboPanel(owner, L"Verzeichnis wählen") {}

String TkivDirectoryKeyComboBox::Directory() const {
    return MitBackslash(KeyComboBox()->Key());
}

// A folder is the same with or without its final backslash: Directory reads both alike, so a
// selection stored from it must find its entry again either way.
void TkivDirectoryKeyComboBox::SetDirectory(const String& directory) {
    TkivKeyComboBox* box = KeyComboBox();
    String ordner = Trimmen(directory);
    if (!box->HasKey(ordner)) {
        String anders =
            LetztesZeichen(ordner) == L'\\' ? OhneEndzeichen(ordner, L'\\') : MitBackslash(ordner);
        if (box->HasKey(anders)) ordner = anders;
    }
    box->SetKey(ordner);
}

// The chooser starts in the selected folder; a chosen one is listed once and selected.
void TkivDirectoryKeyComboBox::Browse() {
    String ordner = KeyComboBox()->Key();
    if (!VerzeichnisWaehlen(ordner, L"*.*")) return;
    AddKey(ordner, ordner);
    KeyComboBox()->SelectKey(ordner);
}
