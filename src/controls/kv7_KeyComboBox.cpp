#include "controls/kv7_KeyComboBox.h"

#include "controls/kv7_SchluesselArten.h"
#include "util/kv7_date.h"
#include "util/kv7_str.h"

#include <windows.h>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cwchar>

namespace {
int g_maxDropDownCount = 8;
const wchar_t kNichtZugeordnet[] = L"[nicht zugeordnet]";

bool IstZiffernfolge(const String& s, size_t von) {
    return von < s.size() && s.find_first_not_of(L"0123456789", von) == String::npos;
}

// A key is an integer when it is one in decimal, sign allowed, and fits; anything else reads as 0.
int GanzzahlLesen(const String& key) {
    String t = Trimmen(key);
    if (!IstZiffernfolge(t, t.empty() || (t[0] != L'-' && t[0] != L'+') ? 0 : 1)) return 0;
    errno = 0;
    long long wert = std::wcstoll(t.c_str(), nullptr, 10);
    if (errno == ERANGE || wert < INT_MIN || wert > INT_MAX) return 0;
    return static_cast<int>(wert);
}

// Dots are thousands marks, unless the user's decimal separator is the full stop itself: there a
// key written as 12.5 must read back as 12.5, not as 125.
long double BetragLesen(const String& key) {
    if (DezimalTrenner() != L".") return TextZuZahl(key);
    String t = Trimmen(key);
    size_t ziffern = t.empty() || (t[0] != L'-' && t[0] != L'+') ? 0 : 1;
    if (t.find_first_not_of(L"0123456789.", ziffern) != String::npos || ZeichenAnzahl(t, L'.') > 1 ||
        t.find_first_of(L"0123456789") == String::npos)
        return 0;
    return std::wcstold(t.c_str(), nullptr);
}

bool GleicherKey(const String& a, const String& b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool BeginntMit(const String& text, const String& anfang) {
    return GrossBuchstaben(text).starts_with(anfang);
}
} // namespace

int TkivKeyComboBox::MaxDropDownCount() {
    return g_maxDropDownCount;
}

void TkivKeyComboBox::SetMaxDropDownCount(int count) {
    g_maxDropDownCount = count;
}

// Typing belongs to the incremental search: the toolkit's own completion, opening and closing of
// the list stay off.
TkivKeyComboBox::TkivKeyComboBox(TComponent* owner) : TCustomComboBox(owner) {
    SchluesselArtenRegistrieren();
    SetAutoComplete(false);
    SetAutoDropDown(false);
    SetAutoCloseUp(false);
    SetDropDownCount(g_maxDropDownCount);
}

TkivKeyComboBox::~TkivKeyComboBox() = default;

// The first pair added under a key wins.
void TkivKeyComboBox::AddKey(const String& key, const String& text) {
    if (HasKey(key)) return;
    keyList_.Add(key);
    Liste().Add(text);
    if (GleicherKey(key_, key)) Show(keyList_.Count() - 1);
    g_maxDropDownCount = std::max(g_maxDropDownCount, 8);
    SetDropDownCount(std::min(Items().Count(), g_maxDropDownCount));
}

void TkivKeyComboBox::AddKeyInt(int key, const String& text) {
    AddKey(std::to_wstring(key), text);
}

void TkivKeyComboBox::AddKeyDplMinutenHH_MM(int minuten) {
    AddKeyInt(minuten, MinutesToHHMM(minuten));
}

void TkivKeyComboBox::AddKeyString(const TkivKeyString& paar) {
    AddKey(paar.Key, paar.Text);
}

// ErsterEintrag changes without the shown text: the entry itself is only added below.
void TkivKeyComboBox::AddKeyNZ(const String& key) {
    ersterEintrag_ = kNichtZugeordnet;
    AddKey(key, kNichtZugeordnet);
}

void TkivKeyComboBox::AddKeyIntNZ() {
    AddKeyNZ(L"0");
}

void TkivKeyComboBox::Clear() {
    TCustomComboBox::Clear();
    keyList_.Clear();
    key_.clear();
    Show(-1);
}

bool TkivKeyComboBox::HasKey(const String& key) const {
    return keyList_.IndexOf(key) >= 0;
}

bool TkivKeyComboBox::SelectKey(const String& key) {
    int i = keyList_.IndexOf(key);
    if (i < 0) return false;
    Select(i);
    if (OnChange) OnChange(this);
    return true;
}

// The text stands in the box only while no entry is selected; over a selected entry it would show
// something other than what Key says.
void TkivKeyComboBox::SetErsterEintrag(const String& text) {
    if (text == ersterEintrag_) return;
    ersterEintrag_ = text;
    if (!HasKey(key_)) SetText(text);
}

// A listed key selects its entry; an empty one selects the entry of the key "0" where there is one
// and shows ErsterEintrag where not; any other key is ignored.
void TkivKeyComboBox::SetKey(const String& key) {
    String wert = Trimmen(key);
    int i = keyList_.IndexOf(wert);
    if (i < 0 && !wert.empty()) return;
    if (i < 0 && (i = keyList_.IndexOf(L"0")) >= 0) wert = L"0";
    key_ = wert;
    Show(i);
}

int TkivKeyComboBox::KeyAsInteger() const {
    return GanzzahlLesen(key_);
}

void TkivKeyComboBox::SetKeyAsInteger(int key) {
    SetKey(std::to_wstring(key));
}

Currency TkivKeyComboBox::KeyAsCurrency() const {
    return Currency::AusZahl(BetragLesen(key_));
}

void TkivKeyComboBox::SetKeyAsCurrency(Currency key) {
    SetKey(WaehrungText(key));
}

// The stored spelling: a key with blanks at its ends stays selectable.
void TkivKeyComboBox::Select(int index) {
    key_ = keyList_.Get(index);
    Show(index);
}

void TkivKeyComboBox::Show(int index) {
    SetItemIndex(index);
    SetText(index >= 0 ? Items().Get(index) : ersterEintrag_);
}

// The text the user chose or typed names the key: the entry chosen when it shows that text (two
// entries may share one), else the first entry with that text, or none.
void TkivKeyComboBox::Change() {
    int i = ShownIndex();
    key_ = i >= 0 && i < keyList_.Count() ? keyList_.Get(i) : String();
    TCustomComboBox::Change();
}

// Printable characters of the first 256 search, never edit; others go to the edit field.
void TkivKeyComboBox::KeyPress(wchar_t& key) {
    TCustomComboBox::KeyPress(key);
    if (key == L'\b') {
        key = 0;
        searchText_.clear();
        SetSelStart(0);
        return;
    }
    if (key < L' ' || key > 0xFF) return;
    String zeichen = GrossBuchstaben(String(1, key));
    key = 0;
    int i;
    if (wraparound_) {
        searchText_ = zeichen;
        i = WalkingSearch();
        if (i >= 0) lastFoundIndex_ = i;
    } else {
        searchText_ += zeichen;
        i = PrefixSearch();
    }
    if (i >= 0) Found(i);
}

// Letters that match nothing are dropped from the end until something matches.
int TkivKeyComboBox::PrefixSearch() {
    for (; !searchText_.empty(); searchText_.pop_back())
        for (int i = 0; i < Items().Count(); ++i)
            if (BeginntMit(Items().Get(i), searchText_)) return i;
    return -1;
}

// After the last match to the end, then from the top.
int TkivKeyComboBox::WalkingSearch() {
    const int n = Items().Count();
    for (int i = lastFoundIndex_ + 1; i < n; ++i)
        if (BeginntMit(Items().Get(i), searchText_)) return i;
    for (int i = 0; i < n; ++i)
        if (BeginntMit(Items().Get(i), searchText_)) return i;
    return -1;
}

void TkivKeyComboBox::Found(int index) {
    if (index >= keyList_.Count()) return;
    Select(index);
    if (!wraparound_) {
        SetSelStart(0);
        SetSelLength(static_cast<int>(searchText_.size()));
    }
    Change();
}

void TkivKeyComboBox::DoEnter() {
    searchText_.clear();
    TCustomComboBox::DoEnter();
}

// A combo box highlights its whole text when resized.
void TkivKeyComboBox::Resize() {
    TCustomComboBox::Resize();
    SetSelStart(0);
}
