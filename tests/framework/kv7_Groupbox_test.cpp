#include "framework/kv7_Groupbox.h"
#include "toolkit/Forms.h"
#include "IniText.h"
#include "Speicherfenster.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A switchable group holding an edit, a plain group box with an edit inside, and a switchable
// group of its own with an edit; each group counts its OnAfterClick.
struct Gruppen {
    explicit Gruppen(TForm& form) {
        aussen = Neu<Tkiv_Groupbox>(form, &form, 10, 10, 300, 220);
        aussen->SetCaption(L"Filter anwenden");
        edit = Neu<TEdit>(form, aussen, 10, 24, 120, 21);
        schlicht = Neu<TGroupBox>(form, aussen, 10, 50, 130, 60);
        schlicht->SetCaption(L"Zeitraum");
        imSchlichten = Neu<TEdit>(form, schlicht, 8, 20, 100, 21);
        innen = Neu<Tkiv_Groupbox>(form, aussen, 150, 50, 140, 80);
        innen->SetCaption(L"Nur Dateien");
        imInnen = Neu<TEdit>(form, innen, 8, 24, 100, 21);
        aussen->OnAfterClick = [this](TComponent* s) { klicksAussen += s == aussen ? 1 : 100; };
        innen->OnAfterClick = [this](TComponent* s) { klicksInnen += s == innen ? 1 : 100; };
    }
    template <class T> static T* Neu(TForm& form, TWinControl* parent, int x, int y, int w, int h) {
        auto* c = new T(&form);
        c->SetParent(parent);
        c->SetBounds(x, y, w, h);
        return c;
    }
    Tkiv_Groupbox* aussen;
    TEdit* edit;
    TGroupBox* schlicht;
    TEdit* imSchlichten;
    Tkiv_Groupbox* innen;
    TEdit* imInnen;
    int klicksAussen = 0, klicksInnen = 0;
};

struct Fenster {
    Fenster() {
        form.SetBounds(80, 80, 340, 280);
        form.Show();
        Pump();
    }
    TForm form{nullptr};
    Gruppen g{form};
};

void Klicken(TCheckBox* box) {
    SendMessageW(box->Handle(), BM_CLICK, 0, 0);
    Pump();
}

} // namespace

// Every change of the box, by mouse or by writing AllEnabled or Checked, raises OnAfterClick once
// and switches the group's controls; plain group boxes inside go grey with theirs. Writing the
// current value raises nothing and still puts the controls in line. Switched off, the group
// clears its box (one OnAfterClick) and disables it with the controls; switched on, only the box
// comes back, and the controls wait for it to be ticked. The group inside follows the outer one
// through the same rule, counting its own clicks.
TEST(Tkiv_Groupbox, ClicksWritesAndEnablingSwitchTheControlsAndRaiseOnAfterClick) {
    Fenster f;
    Gruppen& g = f.g;
    struct Schritt {
        const char* was;
        std::function<void()> tun;
        bool an;
        int klicks;
        bool innenAn; // the inner group's box, cleared with the outer and not ticked again by it
        int klicksInnen;
        bool kastenFrei = true;
    } schritte[] = {
        {"as created", [] {}, true, 0, true, 0},
        {"cleared by mouse", [&] { Klicken(g.aussen->CheckBox()); }, false, 1, false, 1},
        {"ticked by mouse", [&] { Klicken(g.aussen->CheckBox()); }, true, 2, false, 1},
        {"AllEnabled written false", [&] { g.aussen->SetAllEnabled(false); }, false, 3, false, 1},
        {"Checked written false again",
         [&] {
             g.edit->SetEnabled(true);
             g.aussen->SetChecked(false);
         },
         false, 3, false, 1},
        {"Checked written true", [&] { g.aussen->SetChecked(true); }, true, 4, false, 1},
        {"AllEnabled written true again", [&] { g.aussen->SetAllEnabled(true); }, true, 4, false, 1},
        {"group disabled", [&] { g.aussen->SetEnabled(false); }, false, 5, false, 1, false},
        {"group enabled again", [&] { g.aussen->SetEnabled(true); }, false, 5, false, 1},
        {"ticked by mouse after enabling", [&] { Klicken(g.aussen->CheckBox()); }, true, 6, false, 1},
        {"inner ticked by mouse", [&] { Klicken(g.innen->CheckBox()); }, true, 6, true, 2},
    };
    for (const Schritt& s : schritte) {
        s.tun();
        EXPECT_EQ(g.aussen->AllEnabled(), s.an) << s.was;
        EXPECT_EQ(g.aussen->Checked(), s.an) << s.was;
        EXPECT_EQ(g.aussen->CheckBox()->Checked(), s.an) << s.was;
        EXPECT_EQ(SendMessageW(g.aussen->CheckBox()->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED, s.an)
            << s.was;
        EXPECT_EQ(g.aussen->CheckBox()->Enabled(), s.kastenFrei) << s.was;
        EXPECT_EQ(g.edit->Enabled(), s.an) << s.was;
        EXPECT_EQ(IsWindowEnabled(g.edit->Handle()) != FALSE, s.an) << s.was;
        EXPECT_EQ(g.schlicht->Enabled(), s.an) << s.was;
        EXPECT_EQ(g.schlicht->Font().Color(), s.an ? clWindowText : clGrayText) << s.was;
        EXPECT_EQ(g.imSchlichten->Enabled(), s.an) << s.was;
        EXPECT_EQ(g.innen->Enabled(), s.an) << s.was;
        EXPECT_EQ(g.innen->CheckBox()->Enabled(), s.an) << s.was;
        EXPECT_EQ(g.innen->CheckBox()->Checked(), s.innenAn) << s.was;
        EXPECT_EQ(g.imInnen->Enabled(), s.an && s.innenAn) << s.was;
        EXPECT_EQ(g.klicksInnen, s.klicksInnen) << s.was;
        EXPECT_EQ(g.klicksAussen, s.klicks) << s.was;
    }
    // OnAfterClick comes after the controls took the new state: what its handler switches stands.
    g.aussen->OnAfterClick = [&](TComponent*) { g.edit->SetEnabled(false); };
    for (bool an : {false, true}) {
        g.aussen->SetAllEnabled(an);
        EXPECT_FALSE(g.edit->Enabled()) << an;
    }
}

// The check box shows the caption at 8, -1, as wide as the text measured in the group's font
// plus 22; the frame has no caption of its own.
TEST(Tkiv_Groupbox, TheCaptionIsTheCheckBoxsAndSetsItsWidth) {
    Fenster f;
    Tkiv_Groupbox* g = f.g.aussen;
    for (const String& text :
         {String(L"Filter anwenden"), String(L"W"), String(L"Sehr viel längere Überschrift")}) {
        g->SetCaption(text);
        HDC dc = GetDC(nullptr);
        HGDIOBJ alt = SelectObject(dc, g->Font().Handle());
        SIZE groesse;
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &groesse);
        SelectObject(dc, alt);
        ReleaseDC(nullptr, dc);
        EXPECT_EQ(g->Caption(), text);
        EXPECT_EQ(g->CheckBox()->Caption(), text);
        EXPECT_EQ(g->CheckBox()->Width(), groesse.cx + 22);
        EXPECT_EQ(g->CheckBox()->Left(), 8);
        EXPECT_EQ(g->CheckBox()->Top(), -1);
        EXPECT_EQ(GetWindowTextLengthW(g->Handle()), 0);
    }
}

// Kept as 1 or 0 and restored through the writer: a restored change raises OnAfterClick and
// switches the controls, the same state raises nothing.
TEST(Tkiv_Groupbox, TheSwitchIsKeptAndRestoredThroughItsWriter) {
    TestOrdner t;
    const String datei = t / L"gruppe.ini";
    {
        TfoSpeicher a(nullptr, datei);
        a.Neu<Tkiv_Groupbox>(L"gb_Filter")->SetAllEnabled(false);
        a.Neu<Tkiv_Groupbox>(L"gb_An");
        a.par->Speichern();
    }
    EXPECT_EQ(IniZeilen(datei), (std::vector<String>{L"[TfoSpeicher]", L"gb_Filter=0", L"gb_An=1"}));
    TfoSpeicher b(nullptr, datei);
    auto* gruppe = b.Neu<Tkiv_Groupbox>(L"gb_Filter");
    auto* edit = new TEdit(&b);
    edit->SetParent(gruppe);
    int klicks = 0;
    gruppe->OnAfterClick = [&](TComponent*) { ++klicks; };
    b.par->Laden();
    EXPECT_FALSE(gruppe->AllEnabled());
    EXPECT_FALSE(edit->Enabled());
    EXPECT_EQ(klicks, 1);
    b.par->Laden();
    EXPECT_EQ(klicks, 1);
}
