#pragma once
// A short list of folders to pick one from, with a button that chooses a new one.
#include "controls/kv7_KeyComboPanel.h"

class TkivDirectoryKeyComboBox : public TkivKeyComboPanel {
public:
    explicit TkivDirectoryKeyComboBox(TComponent* owner);

    // The selected folder, ending in a backslash; empty when none is selected. Only a listed
    // folder can be selected by writing it, with or without its final backslash.
    String Directory() const;
    void SetDirectory(const String& directory);

    void Browse() override;
};
