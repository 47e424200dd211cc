#include "controls/kv7_KeyComboBox.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
using Texte = std::vector<String>;

// Entries, index and text move only with their keys: from outside they can be read, not written.
template <class T>
concept Beschreibbar = requires(T& b) { b.Items().Add(String()); } || requires(T& b) { b.SetItemIndex(0); } ||
                       requires(T& b) { b.SetText(String()); } || requires(T& b) { b.SetCaption(String()); };
static_assert(!Beschreibbar<TkivKeyComboBox>);
static_assert(Beschreibbar<TCustomComboBox>);

// A shown window with one keyed box that has the focus, counting the box's OnChange.
struct Fenster {
    TForm* form = Application()->CreateForm<TForm>();
    TkivKeyComboBox* box = new TkivKeyComboBox(form);
    TEdit* anderes = new TEdit(form);
    int changes = 0;

    Fenster() {
        box->SetParent(form);
        box->SetBounds(10, 10, 200, 21);
        anderes->SetParent(form);
        anderes->SetTop(60);
        box->OnChange = [this](TComponent*) { ++changes; };
        form->Show();
        box->SetFocus();
        Pump();
    }
    ~Fenster() { form->Free(); }
    void Eintraege(std::initializer_list<std::pair<String, String>> paare) {
        for (const auto& [k, t] : paare)
            box->AddKey(k, t);
    }
    // Typed into the focused window, which for a box with an edit field is that field.
    void Tippen(wchar_t ch) { TypeChar(GetFocus(), ch); }
    int ListenZeilen() {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(box->Handle(), &info);
        box->SetDroppedDown(true);
        RECT r;
        GetClientRect(info.hwndList, &r);
        int zeile = static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
        box->SetDroppedDown(false);
        return zeile > 0 ? static_cast<int>(r.bottom) / zeile : -1;
    }
};
} // namespace

// The first pair under a key wins, letter case ignored; the open list shows as many rows as there
// are entries, at most 8.
TEST(KeyComboBox, FirstPairOfAKeyWinsAndTheListShowsUpToEightRows) {
    Fenster f;
    f.Eintraege({{L"A", L"Apfel"}, {L"a", L"Anders"}, {L"B", L"Birne"}, {L"C", L"Cidre"}});
    EXPECT_EQ(f.box->Items().ToVector(), (Texte{L"Apfel", L"Birne", L"Cidre"}));
    EXPECT_EQ(f.box->KeyList().ToVector(), (Texte{L"A", L"B", L"C"}));
    EXPECT_EQ(f.box->DropDownCount(), 3);
    EXPECT_EQ(f.ListenZeilen(), 3);
    for (int i = 0; i < 17; ++i)
        f.box->AddKeyInt(i, L"Eintrag " + std::to_wstring(i));
    EXPECT_EQ(f.box->Items().Count(), 20);
    EXPECT_EQ(f.box->DropDownCount(), 8);
    EXPECT_EQ(f.ListenZeilen(), 8);
    EXPECT_EQ(f.changes, 0);
}

// Writing Key: a listed key selects its entry (blanks at the ends do not count), an empty key the
// entry of "0" or else ErsterEintrag, any other key nothing. None of it raises OnChange.
TEST(KeyComboBox, TheKeySettingRuleAndItsSilence) {
    Fenster f;
    f.box->SetErsterEintrag(L"(alle)");
    EXPECT_EQ(f.box->Text(), L"(alle)");
    f.box->SetKey(L"5"); // before its entry exists: nothing, and nothing remembered
    f.box->AddKeyIntNZ();
    EXPECT_EQ(f.box->ErsterEintrag(), L"[nicht zugeordnet]");
    EXPECT_EQ(f.box->Text(), L"(alle)") << "AddKeyNZ leaves the shown text alone";
    f.box->AddKey(L"5", L"fünf");
    EXPECT_EQ(f.box->Key(), L"");

    struct Fall {
        const wchar_t* schreiben;
        const wchar_t* key;
        const wchar_t* text;
        int index;
    };
    for (const Fall& fall : {Fall{L"", L"0", L"[nicht zugeordnet]", 0}, Fall{L" 5 ", L"5", L"fünf", 1},
                             Fall{L"7", L"5", L"fünf", 1}, Fall{L"  ", L"0", L"[nicht zugeordnet]", 0}}) {
        f.box->SetKey(fall.schreiben);
        EXPECT_EQ(f.box->Key(), fall.key) << "writing '" << NachUtf8(fall.schreiben) << "'";
        EXPECT_EQ(f.box->Text(), fall.text);
        EXPECT_EQ(f.box->ItemIndex(), fall.index);
    }

    // Without a "0" entry an empty key shows ErsterEintrag; ErsterEintrag changed over a selected
    // entry does not cover it.
    f.box->Clear();
    EXPECT_EQ(f.box->Items().Count(), 0);
    EXPECT_EQ(f.box->KeyList().Count(), 0);
    EXPECT_EQ(f.box->Key(), L"");
    EXPECT_EQ(f.box->Text(), L"[nicht zugeordnet]");
    f.box->AddKey(L"", L"leer"); // equals the empty Key: shown at once
    EXPECT_EQ(f.box->Text(), L"leer");
    f.box->AddKey(L"K", L"Karte");
    f.box->SetKey(L"k");
    EXPECT_EQ(f.box->Key(), L"k");
    EXPECT_EQ(f.box->Text(), L"Karte");
    f.box->SetErsterEintrag(L"(keine)");
    EXPECT_EQ(f.box->Text(), L"Karte");
    f.box->Clear();
    f.box->AddKey(L"X", L"x");
    f.box->SetKey(L"");
    EXPECT_EQ(f.box->Text(), L"(keine)");
    f.box->SetKeyAsInteger(3);
    f.box->SetKeyAsCurrency({10000});
    EXPECT_EQ(f.changes, 0);

    EXPECT_FALSE(f.box->SelectKey(L"Y"));
    EXPECT_EQ(f.changes, 0);
    EXPECT_TRUE(f.box->SelectKey(L"x"));
    EXPECT_EQ(f.box->Key(), L"X") << "the stored spelling";
    EXPECT_EQ(f.box->Text(), L"x");
    EXPECT_EQ(f.changes, 1);
}

TEST(KeyComboBox, KeyAsIntegerReadsDecimalIntegersOnly) {
    Fenster f;
    f.box->AddKeyDplMinutenHH_MM(75);
    f.box->AddKeyString({L"-3", L"minus drei"});
    f.box->AddKey(L"3x", L"keine Zahl");
    f.box->AddKey(L"99999999999", L"zu groß");
    EXPECT_EQ(f.box->Items().Get(0), L"01:15");
    struct Fall {
        const wchar_t* key;
        int zahl;
    };
    for (const Fall& fall : {Fall{L"75", 75}, Fall{L"-3", -3}, Fall{L"3x", 0}, Fall{L"99999999999", 0}}) {
        f.box->SetKey(fall.key);
        ASSERT_EQ(f.box->Key(), fall.key);
        EXPECT_EQ(f.box->KeyAsInteger(), fall.zahl) << NachUtf8(fall.key);
    }
    f.box->SetKeyAsInteger(75);
    EXPECT_EQ(f.box->Text(), L"01:15");
}

// The amount is written with the user's decimal separator and reads back as written, to the
// ten-thousandth; under German settings dots are thousands marks. (Run once with German and once
// with English settings.)
TEST(RegionalKeyComboBox, KeyAsCurrencyWithTheUsersDecimalSeparator) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = L"";
    GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
    const bool deutsch = String(name) == L"de-DE";
    if (!deutsch && String(name) != L"en-US") GTEST_SKIP() << "locale " << NachUtf8(name);

    Fenster f;
    struct Fall {
        long long betrag;
        const wchar_t* de;
        const wchar_t* en;
    };
    for (const Fall& fall : {Fall{125000, L"12,5", L"12.5"}, Fall{12340000, L"1234", L"1234"},
                             Fall{-1, L"-0,0001", L"-0.0001"}, Fall{0, L"0", L"0"}}) {
        const String key = deutsch ? fall.de : fall.en;
        f.box->AddKey(key, L"Betrag");
        f.box->SetKeyAsCurrency({fall.betrag});
        EXPECT_EQ(f.box->Key(), key);
        EXPECT_EQ(f.box->KeyAsCurrency().zehntausendstel, fall.betrag) << NachUtf8(key);
    }
    struct Lesen {
        const wchar_t* key;
        long long betrag;
    };
    std::vector<Lesen> lesen = {{L" 7 ", 70000}, {L"abc", 0}, {L"", 0}, {L"-", 0}};
    if (deutsch)
        lesen.insert(lesen.end(), {{L"1.234,5", 12345000}, {L"1,23456", 12346}, {L"3.5", 350000}});
    else
        lesen.insert(lesen.end(), {{L"1234.5", 12345000}, {L"1.23456", 12346}, {L"1.2.3", 0}});
    for (const Lesen& l : lesen) {
        f.box->AddKey(l.key, L"gelesen");
        f.box->SelectKey(l.key);
        EXPECT_EQ(f.box->KeyAsCurrency().zehntausendstel, l.betrag) << NachUtf8(l.key);
    }
}

// Typed letters jump to the first entry that begins with all of them; every match raises OnChange,
// also a match of the entry already selected. Letters that match nothing are forgotten, Backspace
// forgets them all, and so does entering the box again. Typing never edits the text.
TEST(KeyComboBox, PrefixSearchThroughTypedCharacters) {
    Fenster f;
    f.Eintraege({{L"B1", L"Berlin"}, {L"B2", L"Bonn"}, {L"B3", L"Bremen"}, {L"Ö", L"Öhringen"}});
    struct Fall {
        wchar_t zeichen;
        const wchar_t* text;
        const wchar_t* key;
        const wchar_t* suche;
        int changes;
        int markiert;
    };
    const Fall faelle[] = {
        {L'z', L"", L"", L"", 0, 0},           {L'b', L"Berlin", L"B1", L"B", 1, 1},
        {L'o', L"Bonn", L"B2", L"BO", 2, 2},   {L'x', L"Bonn", L"B2", L"BO", 3, 2},
        {L'\b', L"Bonn", L"B2", L"", 3, 0},    {L'ö', L"Öhringen", L"Ö", L"Ö", 4, 1},
        {L'B', L"Öhringen", L"Ö", L"Ö", 5, 1},
    };
    for (const Fall& fall : faelle) {
        f.Tippen(fall.zeichen);
        SCOPED_TRACE(NachUtf8(String(1, fall.zeichen)));
        EXPECT_EQ(f.box->Text(), fall.text);
        EXPECT_EQ(f.box->Key(), fall.key);
        EXPECT_EQ(f.box->SearchText(), fall.suche);
        EXPECT_EQ(f.changes, fall.changes);
        EXPECT_EQ(f.box->SelStart(), 0);
        EXPECT_EQ(f.box->SelLength(), fall.markiert);
    }

    // A resize takes the highlight away; leaving and entering the box starts a new search.
    f.box->SetWidth(180);
    EXPECT_EQ(f.box->SelLength(), 0);
    int enter = 0, exit = 0;
    f.box->OnEnter = [&](TComponent*) { ++enter; };
    f.box->OnExit = [&](TComponent*) { ++exit; };
    f.Tippen(L'\b');
    f.Tippen(L'b');
    f.Tippen(L'r');
    EXPECT_EQ(f.box->Text(), L"Bremen");
    f.anderes->SetFocus();
    Pump();
    EXPECT_EQ(exit, 1);
    f.box->SetFocus();
    Pump();
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(f.box->SearchText(), L"");
    f.Tippen(L'o');
    EXPECT_EQ(f.box->Text(), L"Bremen") << "no entry begins with O";
    f.Tippen(L'b');
    EXPECT_EQ(f.box->Text(), L"Berlin");
}

// Each letter walks on to the next entry with that initial and wraps to the top; a new box starts
// after the first entry.
TEST(KeyComboBox, WraparoundWalksThroughTheEntriesOfOneInitial) {
    Fenster f;
    f.box->SetWraparound(true);
    f.Eintraege({{L"1", L"Berlin"}, {L"2", L"Bonn"}, {L"3", L"Bremen"}, {L"4", L"Hamburg"}});
    for (const wchar_t* erwartet : {L"Bonn", L"Bremen", L"Berlin", L"Bonn"}) {
        f.Tippen(L'b');
        EXPECT_EQ(f.box->Text(), erwartet);
    }
    EXPECT_EQ(f.box->Key(), L"2");
    EXPECT_EQ(f.box->LastFoundIndex(), 1);
    f.Tippen(L'h');
    EXPECT_EQ(f.box->Key(), L"4");
    f.Tippen(L'x');
    EXPECT_EQ(f.box->Key(), L"4");
    EXPECT_EQ(f.changes, 5);
    f.box->AddKey(L"5", L"Hamburg"); // a second entry with the same text has its own key
    f.Tippen(L'h');
    EXPECT_EQ(f.box->Key(), L"5");
    f.Tippen(L'h');
    EXPECT_EQ(f.box->Key(), L"4");
}

// The user's choice in the list and text put into the edit field map back to a key: the first
// entry with that text, letter case ignored, or none.
TEST(KeyComboBox, TheUsersChoiceAndEditsMapTheTextBackToAKey) {
    Fenster f;
    f.Eintraege({{L"1", L"Bar"}, {L"2", L"Karte"}, {L"3", L"Bar"}});
    PressKey(VK_DOWN);
    EXPECT_EQ(f.box->Text(), L"Bar");
    EXPECT_EQ(f.box->Key(), L"1");
    PressKey(VK_DOWN);
    EXPECT_EQ(f.box->Key(), L"2");
    EXPECT_EQ(f.changes, 2);
    PressKey(VK_DOWN);
    EXPECT_EQ(f.box->ItemIndex(), 2);
    EXPECT_EQ(f.box->Key(), L"3") << "the entry chosen, though the first one has its text";

    // Characters beyond the first 256 are the edit field's, as is a pasted text.
    f.box->SetSelStart(0);
    f.box->SetSelLength(3);
    f.Tippen(L'€');
    EXPECT_EQ(f.box->Text(), L"€");
    EXPECT_EQ(f.box->Key(), L"");
    EXPECT_EQ(f.changes, 4);
    HWND feld = GetFocus();
    SendMessageW(feld, EM_SETSEL, 0, -1);
    SendMessageW(feld, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"KARTE"));
    Pump();
    EXPECT_EQ(f.box->Key(), L"2");
    EXPECT_EQ(f.changes, 5);
}

// Opening the list selects by itself the first entry that begins with the shown text; the box stays
// on its entry, so that what it shows and its key agree. A choice in the open list is reported.
TEST(KeyComboBox, OpeningTheListKeepsTheEntryShown) {
    Fenster f;
    f.Eintraege({{L"1", L"C:\\Daten\\Alt\\"}, {L"2", L"C:\\Daten\\"}, {L"3", L"D:\\"}});
    f.box->SetKey(L"2");
    PressKey(VK_F4);
    EXPECT_TRUE(f.box->DroppedDown());
    EXPECT_EQ(f.box->ItemIndex(), 1);
    EXPECT_EQ(f.box->Text(), L"C:\\Daten\\");
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(f.box->DroppedDown());
    EXPECT_EQ(f.box->Text(), L"C:\\Daten\\");
    EXPECT_EQ(f.box->Key(), L"2");
    EXPECT_EQ(f.changes, 0);

    PressKey(VK_F4);
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    EXPECT_FALSE(f.box->DroppedDown());
    EXPECT_EQ(f.box->Text(), L"C:\\Daten\\Alt\\");
    EXPECT_EQ(f.box->Key(), L"1");
    EXPECT_EQ(f.changes, 1);

    PressKey(VK_F4);
    PressKey(VK_DOWN);
    PressKey(VK_ESCAPE);
    EXPECT_EQ(f.box->Key(), f.box->KeyList().Get(f.box->Items().IndexOf(f.box->Text())));

    // Nothing selected, with a text an entry begins with: ErsterEintrag, or an entry's text put
    // into the field while an earlier entry begins with it.
    struct Fall {
        const wchar_t* erster;
        const wchar_t* eingefuegt;
        int index;
        const wchar_t* key;
    };
    for (const Fall& fall : {Fall{L"C:", nullptr, -1, L""}, Fall{L"", L"C:\\Daten\\", 1, L"2"}}) {
        f.box->SetErsterEintrag(fall.erster);
        f.box->SetKey(L"");
        if (fall.eingefuegt) {
            HWND feld = GetFocus();
            SendMessageW(feld, EM_SETSEL, 0, -1);
            SendMessageW(feld, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(fall.eingefuegt));
            Pump();
        }
        const String text = f.box->Text();
        PressKey(VK_F4);
        EXPECT_EQ(f.box->ItemIndex(), fall.index) << NachUtf8(text);
        EXPECT_EQ(f.box->Text(), text);
        PressKey(VK_ESCAPE);
        EXPECT_EQ(f.box->Text(), text);
        EXPECT_EQ(f.box->Key(), fall.key) << NachUtf8(text);
    }
}
