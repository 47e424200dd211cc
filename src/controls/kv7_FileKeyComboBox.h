#pragma once
// A short list of files to pick one from, with a button that chooses a new one.
#include "controls/kv7_KeyComboPanel.h"

class TkivFileKeyComboBox : public TkivKeyComboPanel {
public:
    explicit TkivFileKeyComboBox(TComponent* owner);

    // The chooser's file-name pattern and title.
    const String& kivDlgJoker() const { return dlgJoker_; }
    void SetkivDlgJoker(const String& joker) { dlgJoker_ = joker; }
    const String& kivDlgCaption() const { return dlgCaption_; }
    void SetkivDlgCaption(const String& caption) { dlgCaption_ = caption; }

    // The selected file. A file written here becomes an entry if it is none yet, and is selected.
    String FileName() const;
    void SetFileName(const String& fileName);

    void Browse() override;

private:
    String dlgJoker_ = L"*.*";
    String dlgCaption_ = L"Datei öffnen";
};
