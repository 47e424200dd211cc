#pragma once
// A drop-down selection box whose entries each carry a hidden key beside the text the user sees.
// Programs fill it with key/text pairs and read and write the selection through the key; the user
// picks an entry from the list or jumps to it by typing the first letters of its text.
#include "toolkit/StdCtrls.h"
#include "util/Waehrung.h"

struct TkivKeyString {
    String Key;
    String Text;
};

class TkivKeyComboBox : public TCustomComboBox {
public:
    explicit TkivKeyComboBox(TComponent* owner);
    ~TkivKeyComboBox() override;

    virtual void AddKey(const String& key, const String& text);
    virtual void AddKeyInt(int key, const String& text);
    // The minutes as key, shown as hours:minutes (90 shows 01:30).
    void AddKeyDplMinutenHH_MM(int minuten);
    void AddKeyString(const TkivKeyString& paar);
    // The entry "[nicht zugeordnet]" under the key, which also becomes ErsterEintrag.
    void AddKeyNZ(const String& key);
    void AddKeyIntNZ();
    void Clear() override;
    // Selects the entry of the key and raises OnChange; false when there is none.
    bool SelectKey(const String& key);
    bool HasKey(const String& key) const;

    // Shown while no entry is selected.
    const String& ErsterEintrag() const { return ersterEintrag_; }
    void SetErsterEintrag(const String& text);
    // Typing: false jumps to the first entry that begins with all letters typed so far, true walks
    // through the entries that begin with the letter typed.
    bool Wraparound() const { return wraparound_; }
    void SetWraparound(bool wraparound) { wraparound_ = wraparound; }
    // Empty when no entry is selected. Writing it never raises OnChange.
    const String& Key() const { return key_; }
    void SetKey(const String& key);
    int KeyAsInteger() const;
    void SetKeyAsInteger(int key);
    Currency KeyAsCurrency() const;
    void SetKeyAsCurrency(Currency key);
    const TStrings& KeyList() const { return keyList_; }
    // The shown texts, parallel to KeyList; entries come and go only with their keys.
    const TStrings& Items() const { return TCustomComboBox::Items(); }
    // The settings store keeps all pairs too, not only the key.
    bool kivPAR_Save_Keys() const { return saveKeys_; }
    void SetkivPAR_Save_Keys(bool save) { saveKeys_ = save; }

    // The letters typed so far, upper-cased, and the last match of the walking search.
    const String& SearchText() const { return searchText_; }
    int LastFoundIndex() const { return lastFoundIndex_; }

    // The most rows any keyed box's list shows; never below 8.
    static int MaxDropDownCount();
    static void SetMaxDropDownCount(int count);

protected:
    void Change() override;
    void KeyPress(wchar_t& key) override;
    void DoEnter() override;
    void Resize() override;

private:
    // Entries, index and text follow the keys; written from outside they would leave Key behind.
    using TCustomComboBox::SetCaption;
    using TCustomComboBox::SetItemIndex;
    using TCustomComboBox::SetStyle;
    using TCustomComboBox::SetText;
    TStrings& Liste() { return TCustomComboBox::Items(); }
    void Select(int index);
    void Show(int index);
    void Found(int index);
    int PrefixSearch();
    int WalkingSearch();

    String key_;
    TStringList keyList_;
    String ersterEintrag_;
    String searchText_;
    int lastFoundIndex_ = 0;
    bool wraparound_ = false;
    bool saveKeys_ = false;
};
