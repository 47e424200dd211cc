#include "controls/kv7_DirectoryKeyComboBox.h"

#include "sys/Auswahl.h"
#include "util/kv7_str.h"

TkivDirectoryKeyComboBox::TkivDirectoryKeyComboBox(TComponent* owner)
    : TkivKeyComboPanel(owner, L"Verzeichnis wählen") {}

// Always with backslashes, whatever separator the key was written with.
String TkivDirectoryKeyComboBox::Directory() const {
    return MitBackslash(MitBackslashes(KeyComboBox()->Key()));
}

// Only a listed folder is selected, however its path is written; an empty one selects no folder.
void TkivDirectoryKeyComboBox::SetDirectory(const String& directory) {
    const String ordner = Trimmen(directory);
    const String key = Gelistet(ordner);
    KeyComboBox()->SetKey(key.empty() ? ordner : key);
}

// The chooser starts in the selected folder; a chosen one is listed once and selected.
void TkivDirectoryKeyComboBox::Browse() {
    String ordner = Directory();
    if (!VerzeichnisWaehlen(ordner, L"*.*")) return;
    KeyComboBox()->SelectKey(Aufnehmen(ordner));
}
