#include "settings/Einstellungsarten.h"
#include "settings/Listenregeln.h"
#include "settings/kv7_Parameter.h"
#include "toolkit/Buttons.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "IniText.h"
#include "Speicherfenster.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
using Zeilen = std::vector<String>;

// One control of every standard kind, Tag 1, named as given (the second form spells the names
// in other letter case); the tool bar's buttons keep Tag 0.
struct TfoArten : TfoSpeicher {
    TfoArten(TComponent* owner, const String& datei, bool gross) : TfoSpeicher(owner, datei) {
        auto n = [gross](const wchar_t* name) {
            String s = name;
            if (gross)
                for (wchar_t& c : s)
                    c = static_cast<wchar_t>(towupper(c));
            return s;
        };
        edit = Neu<TEdit>(n(L"ed_Name"));
        check = Neu<TCheckBox>(n(L"cb_Check"));
        radio = Neu<TRadioButton>(n(L"rb_Radio"));
        speed = Neu<TSpeedButton>(n(L"sb_Speed"));
        speed->SetGroupIndex(1);
        speed->SetAllowAllUp(true);
        combo = Neu<TComboBox>(n(L"co_Combo"));
        combo->Items().SetText(L"a\r\nb\r\nc");
        gruppe = Neu<TRadioGroup>(n(L"rg_Gruppe"));
        gruppe->Items().SetText(L"x\r\ny");
        liste = Neu<TListBox>(n(L"lb_Liste"));
        leiste = Neu<TToolBar>(n(L"tb_Leiste"));
        for (TToolButton** b : {&knopfA, &knopfB}) {
            *b = new TToolButton(this);
            (*b)->SetStyle(tbsCheck);
            (*b)->SetParent(leiste);
        }
        knopfA->SetName(n(L"tbn_A"));
        knopfB->SetName(n(L"tbn_B"));
        auto* fremd = new TEdit(this); // Tag 0: not taken
        fremd->SetName(L"ed_Fremd");
        fremd->SetParent(this);
    }
    TEdit* edit;
    TCheckBox* check;
    TRadioButton* radio;
    TSpeedButton* speed;
    TComboBox* combo;
    TRadioGroup* gruppe;
    TListBox* liste;
    TToolBar* leiste;
    TToolButton* knopfA;
    TToolButton* knopfB;
};
} // namespace

TEST(Standardarten, EveryStandardKindRoundTripsEvenWhenNamesChangeCase) {
    TestOrdner t;
    const String datei = t / L"arten.ini";
    auto* a = Application()->CreateForm<TfoArten>(datei, false);
    a->edit->SetText(L"Alpha");
    a->check->SetChecked(true);
    a->radio->SetChecked(true);
    a->speed->SetDown(true);
    a->combo->SetItemIndex(2);
    a->gruppe->SetItemIndex(1);
    a->liste->Items().SetText(L"eins\r\nzwei\r\ndrei");
    a->liste->SetItemIndex(1);
    a->knopfA->SetDown(true);
    a->par->Speichern();
    EXPECT_EQ(IniZeilen(datei),
              (Zeilen{L"[TfoArten]", L"ed_Name=Alpha", L"cb_Check=1", L"rb_Radio=1", L"sb_Speed=1",
                      L"co_Combo=2", L"rg_Gruppe=1", L"lb_Liste=1", L"lb_Liste_0=eins", L"lb_Liste_1=zwei",
                      L"lb_Liste_2=drei", L"tbn_A=1", L"tbn_B=0"}));

    auto* b = Application()->CreateForm<TfoArten>(datei, true);
    b->liste->Items().SetText(L"alt");
    b->knopfB->SetDown(true);
    b->par->Laden();
    EXPECT_EQ(b->edit->Text(), L"Alpha");
    EXPECT_TRUE(b->check->Checked());
    EXPECT_TRUE(b->radio->Checked());
    EXPECT_TRUE(b->speed->Down());
    EXPECT_EQ(b->combo->ItemIndex(), 2);
    EXPECT_EQ(b->gruppe->ItemIndex(), 1);
    EXPECT_EQ(b->liste->Items().ToVector(), (Zeilen{L"eins", L"zwei", L"drei"}));
    EXPECT_EQ(b->liste->ItemIndex(), 1);
    EXPECT_TRUE(b->knopfA->Down());
    EXPECT_FALSE(b->knopfB->Down());

    // Nothing selected is -1; values that are missing or unreadable leave the control as it is.
    a->combo->SetItemIndex(-1);
    a->par->Speichern();
    EXPECT_EQ(IniZeilen(datei)[5], L"co_Combo=-1");
    Schreiben(datei, "[TfoArten]\r\nlb_Liste_0=neu\r\ncb_Check=ja\r\n");
    b->par->Laden();
    EXPECT_EQ(b->combo->ItemIndex(), 2);
    EXPECT_TRUE(b->check->Checked());
    EXPECT_EQ(b->edit->Text(), L"Alpha");
    EXPECT_EQ(b->liste->Items().ToVector(), Zeilen{L"neu"});
    b->Free();
    a->Free();
}

TEST(Standardarten, TheToolBarsTagDecidesForItsButtons) {
    TestOrdner t;
    const String datei = t / L"arten.ini";
    auto* a = Application()->CreateForm<TfoArten>(datei, false);
    a->par->SetTagInclusive(0);
    a->par->SetTagExclusive(1); // everything but Tag 1: the tool bar is left out, its buttons too
    a->knopfA->SetTag(0);
    a->par->Speichern();
    EXPECT_EQ(IniZeilen(datei), (Zeilen{L"[TfoArten]", L"ed_Fremd="}));
    a->Free();
}

// A long list reaches a shown text box as one change, and that change is reported.
TEST(Standardarten, ALongListFillsAShownMemoInOneReportedChange) {
    TestOrdner t;
    const String datei = t / L"liste.ini";
    std::string inhalt = "[TForm]\r\n";
    Zeilen erwartet;
    for (int i = 0; i < 1000; ++i) {
        inhalt += "me_Liste_" + std::to_string(i) + "=\\Pfad" + std::to_string(i) + "\\\r\n";
        erwartet.push_back(L"\\Pfad" + std::to_wstring(i) + L"\\");
    }
    Schreiben(datei, inhalt);
    auto* form = Application()->CreateForm<TForm>();
    auto* par = new TkivParameter(form);
    par->SetDateiName(datei);
    par->SetTagInclusive(1);
    auto* memo = new TMemo(form);
    memo->SetName(L"me_Liste");
    memo->SetTag(1);
    memo->SetParent(form);
    memo->SetAlign(alClient);
    memo->SetText(L"alt");
    form->Show();
    int aenderungen = 0;
    memo->OnChange = [&](TComponent*) { ++aenderungen; };

    par->Laden();
    EXPECT_EQ(memo->Lines().ToVector(), erwartet);
    EXPECT_EQ(aenderungen, 2); // emptied, then filled
    form->Free();
}

namespace {
// A keyed combo box built the way the controls layer builds one: on the toolkit's combo box base,
// kept by the entry rule at its own row. Entry i of the list carries the key keys[i].
struct TTestKeyCombo : TCustomComboBox, IkivSchluesselListe {
    using TCustomComboBox::Items;
    using TCustomComboBox::TCustomComboBox;
    TStringList keys;
    bool kivPAR_Save_Keys() const override { return true; }
    const TStrings& KeyList() const override { return keys; }
    const TStrings& Items() const override { return TCustomComboBox::Items(); }
    void Clear() override {
        keys.Clear();
        Items().Clear();
    }
    void AddKey(const String& key, const String& text) override {
        if (keys.IndexOf(key) >= 0) return;
        keys.Add(key);
        Items().Add(text);
    }
    String AusgewaehlterSchluessel() const override {
        int i = ItemIndex();
        return i < 0 ? String() : keys.Get(i);
    }
    void SetAusgewaehlterSchluessel(const String& wert) override { SetItemIndex(keys.IndexOf(wert)); }
};

struct TfoSchluessel : TfoSpeicher {
    TfoSchluessel(TComponent* owner, const String& datei) : TfoSpeicher(owner, datei) {
        EinstellungsartRegistrieren<TTestKeyCombo>(
            TArtZeile::KeyComboBox,
            [](TTestKeyCombo& c, const TEinstellungsZugriff& z) { SchluesselListeLaden(z, c.Name(), c); },
            [](TTestKeyCombo& c, const TEinstellungsZugriff& z) {
                SchluesselListeSpeichern(z, c.Name(), c);
            });
        art->SetName(L"cb_Art");
        art->SetTag(1);
        art->SetParent(this);
    }
    TTestKeyCombo* art = new TTestKeyCombo(this);
};
} // namespace

// The plain combo box row writes the ItemIndex under the control's name; a keyed box derived from
// the same base keeps its key there, and nothing overwrites it.
TEST(Standardarten, AKeyedComboBoxIsNoPlainComboBox) {
    TestOrdner t;
    const String datei = t / L"arten.ini";
    auto* a = Application()->CreateForm<TfoSchluessel>(datei);
    a->art->AddKey(L"1", L"Bar");
    a->art->AddKey(L"2", L"Karte");
    a->art->SetAusgewaehlterSchluessel(L"2");
    a->par->Speichern();
    EXPECT_EQ(IniZeilen(datei), (Zeilen{L"[TfoSchluessel]", L"cb_Art=2", L"cb_Art_Keys_00=1;Bar;",
                                        L"cb_Art_Keys_01=2;Karte;"}));

    auto* b = Application()->CreateForm<TfoSchluessel>(datei);
    b->par->Laden();
    EXPECT_EQ(b->art->Items().ToVector(), (Zeilen{L"Bar", L"Karte"}));
    EXPECT_EQ(b->art->AusgewaehlterSchluessel(), L"2");
    EXPECT_EQ(b->art->ItemIndex(), 1);
    b->Free();
    a->Free();
}
