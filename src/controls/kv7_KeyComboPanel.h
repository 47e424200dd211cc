#pragma once
// What the file and the directory key combo box share: a borderless panel holding a keyed combo
// box whose keys are paths and, flush right, a small square "..." button that opens a chooser.
#include "controls/kv7_KeyComboBox.h"
#include "toolkit/ExtCtrls.h"

class TkivKeyComboPanel : public TPanel {
public:
    ~TkivKeyComboPanel() override;

    virtual void AddKey(const String& key, const String& text);
    void Clear();
    const TStrings& Items() const;
    const TStrings& KeyList() const;
    bool kivPAR_Save_Keys() const;
    void SetkivPAR_Save_Keys(bool save);
    // Lets the user choose a path; a chosen one becomes an entry and is selected.
    virtual void Browse() = 0;

    // The parts, owned by the panel: for reading what the box shows and for hooking its OnChange.
    TkivKeyComboBox* KeyComboBox() const { return box_; }
    TButton* BrowseButton() const { return button_; }

protected:
    TkivKeyComboPanel(TComponent* owner, const String& hint);
    void AlignControls(RECT rect) override;
    // The listed key naming the same path, else the path itself as a new entry: a path is listed
    // once however it is written.
    String Aufnehmen(const String& pfad);
    // The listed key naming the same path; empty when none does.
    String Gelistet(const String& pfad) const;

private:
    void Anordnen();
    TkivKeyComboBox* box_ = nullptr;
    TButton* button_ = nullptr;
};
