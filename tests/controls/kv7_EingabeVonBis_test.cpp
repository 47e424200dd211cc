#include "controls/kv7_DatumEdit.h"
#include "controls/kv7_EingabeVonBis.h"
#include "toolkit/StdCtrls.h"
#include "util/kv7_date.h"
#include "BoxReader.h"
#include "Programmdatum.h"
#include "Schritte.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TDateTime D(int j, int m, int t) {
    return EncodeDate(j, m, t);
}

// The program's main window stands behind the dialog, as in the program.
class EingabeVonBis : public ::testing::Test {
protected:
    void SetUp() override {
        if (!StartMitProgrammdatum(D(2024, 3, 20))) GTEST_SKIP() << "the program date was fixed before";
        haupt = Application()->CreateForm<TForm>();
        haupt->Show();
        Pump();
        dialog = kv7EingabeVonBis();
    }
    void TearDown() override {
        if (haupt) haupt->Free();
    }
    // Stops a dialog that a failing test left open.
    std::function<void()> Notbremse() {
        return [this] { dialog->SetModalResult(mrCancel); };
    }
    TForm* haupt = nullptr;
    Tkv7EingabeVonBis* dialog = nullptr;
};

void F2() {
    PressKey(VK_F2);
}
} // namespace

// Each attempt to confirm with F2 raises exactly one message, in the order of the checks, and
// leaves the focus where the user goes on; the dialog stays open until the period is valid.
TEST_F(EingabeVonBis, F2ChecksTheEntriesOneMessageAtATime) {
    struct Versuch {
        TDateTime von, bis;
        const wchar_t* meldung;
        const char* fokus;   // "von" or "bis"
        TDateTime vonDanach; // what ed_Von shows after the message
        TDateTime bisDanach;
    };
    const TDateTime leer = DatumLeer;
    const Versuch versuche[] = {
        {leer, D(2024, 5, 31), L"Es muss ein Wert eingegeben werden.", "von", leer, D(2024, 5, 31)},
        {D(1850, 6, 1), D(2024, 5, 31), L"Es muss ein Wert eingegeben werden.", "von", D(1850, 6, 1),
         D(2024, 5, 31)},
        {D(2024, 3, 15), D(2024, 5, 31), L"Das Datum wurde auf den Monatsersten gesetzt.", "von",
         D(2024, 3, 1), D(2024, 5, 31)},
        {D(2024, 5, 1), leer, L"Es muss ein Wert eingegeben werden.", "bis", D(2024, 5, 1), leer},
        {D(2024, 5, 1), D(2024, 5, 15), L"Das Datum wurde auf den Monatsletzten gesetzt.", "von",
         D(2024, 5, 1), D(2024, 5, 31)},
        {D(2024, 5, 1), D(2024, 4, 30), L"Es muss ein gültiger Zeitraum eingegeben werden.", "von",
         D(2024, 5, 1), D(2024, 4, 30)},
    };
    BoxReader boxen;
    std::vector<Schritte::Schritt> schritte;
    schritte.push_back([&] {
        EXPECT_EQ(dialog->Caption(), L"Zeitraum festlegen");
        EXPECT_EQ(dialog->ed_Von->Date(), D(2024, 3, 1));
        EXPECT_EQ(dialog->ed_Bis->Date(), D(2024, 5, 31));
        EXPECT_TRUE(dialog->ed_Von->Focused());
    });
    for (size_t i = 0; i < std::size(versuche); ++i) {
        const Versuch& v = versuche[i];
        schritte.push_back([&, i] {
            dialog->ed_Von->SetDate(v.von);
            dialog->ed_Bis->SetDate(v.bis);
            dialog->ed_Bis->SetFocus(); // F2 works from either field
            F2();
        });
        schritte.push_back([&, i] {
            ASSERT_EQ(boxen.Boxes().size(), i + 1) << i;
            EXPECT_EQ(boxen.Boxes()[i].text, v.meldung) << i;
            EXPECT_EQ(boxen.Boxes()[i].caption, L"Informationen") << i;
            EXPECT_TRUE(dialog->Visible()) << i;
            EXPECT_TRUE((v.fokus[0] == 'v' ? dialog->ed_Von : dialog->ed_Bis)->Focused()) << i;
            EXPECT_EQ(dialog->ed_Von->Date(), v.vonDanach) << i;
            EXPECT_EQ(dialog->ed_Bis->Date(), v.bisDanach) << i;
        });
    }
    // A single month is a valid period.
    schritte.push_back([&] {
        dialog->ed_Bis->SetDate(D(2024, 5, 31));
        F2();
    });
    Schritte lauf(schritte, Notbremse());

    TDateTime von = D(2024, 3, 15), bis = D(2024, 5, 10);
    EXPECT_TRUE(dialog->Execute(von, bis));
    EXPECT_FALSE(lauf.Gebremst());
    EXPECT_EQ(boxen.Boxes().size(), std::size(versuche));
    EXPECT_EQ(von, D(2024, 5, 1));
    EXPECT_EQ(bis, D(2024, 5, 31));
}

// "Speichern" at once takes the whole months shown; "Abbruch" and the close box leave the
// caller's dates alone. The dialog opens with its corner at the mouse pointer, also where it then
// reaches past the edge of the screen.
TEST_F(EingabeVonBis, OpensAtTheMouseAndOnlySpeichernTakesTheDates) {
    const int breite = GetSystemMetrics(SM_CXSCREEN), hoehe = GetSystemMetrics(SM_CYSCREEN);
    struct Fall {
        POINT maus;
        std::function<void()> schliessen;
        bool ergebnis;
    };
    const Fall faelle[] = {
        {{120, 80}, [&] { SendMessageW(dialog->bb_OK->Handle(), BM_CLICK, 0, 0); }, true},
        {{breite - 40, hoehe - 30},
         [&] { SendMessageW(dialog->bb_Cancel->Handle(), BM_CLICK, 0, 0); },
         false},
        {{300, 200}, [&] { PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0); }, false},
    };
    for (const Fall& fall : faelle) {
        SetCursorPos(fall.maus.x, fall.maus.y);
        POINT wo{};
        GetCursorPos(&wo);
        ASSERT_EQ(wo.x, fall.maus.x) << "the pointer cannot be placed here";
        RECT fenster{};
        BoxReader boxen;
        Schritte lauf({[&] { GetWindowRect(dialog->Handle(), &fenster); }, fall.schliessen}, Notbremse());
        TDateTime von = D(2024, 3, 15), bis = D(2024, 5, 10);
        EXPECT_EQ(dialog->Execute(von, bis), fall.ergebnis);
        EXPECT_FALSE(lauf.Gebremst());
        EXPECT_TRUE(boxen.Boxes().empty());
        EXPECT_EQ(fenster.left, fall.maus.x);
        EXPECT_EQ(fenster.top, fall.maus.y);
        EXPECT_EQ(von, fall.ergebnis ? D(2024, 3, 1) : D(2024, 3, 15));
        EXPECT_EQ(bis, fall.ergebnis ? D(2024, 5, 31) : D(2024, 5, 10));
    }
}

// One dialog for the whole program, owned by the application; every opening starts afresh; once
// freed, the next use makes a new one.
TEST_F(EingabeVonBis, OneSharedDialogThatStartsAfreshEachTime) {
    EXPECT_EQ(kv7EingabeVonBis(), dialog);
    EXPECT_EQ(dialog->Owner(), Application());

    dialog->SetWholeMonths(false);
    dialog->SetCaption(L"alt");
    bool ganzeMonate = false;
    Schritte lauf({[&] {
                       ganzeMonate = dialog->WholeMonths();
                       dialog->ed_Von->SetDate(D(2024, 3, 15));
                       F2();
                   },
                   [&] { dialog->ax_Cancel->Execute(); }},
                  Notbremse());
    BoxReader boxen;
    TDateTime von = D(2024, 3, 15), bis = D(2024, 5, 10);
    EXPECT_FALSE(dialog->Execute(von, bis));
    EXPECT_TRUE(ganzeMonate);
    ASSERT_EQ(boxen.Boxes().size(), 1u);
    EXPECT_EQ(boxen.Boxes()[0].text, L"Das Datum wurde auf den Monatsersten gesetzt.");

    dialog->Free();
    Tkv7EingabeVonBis* neu = kv7EingabeVonBis();
    EXPECT_NE(neu, nullptr);
    EXPECT_EQ(neu->Caption(), L"kv7EingabeVonBis");
    EXPECT_EQ(kv7EingabeVonBis(), neu);
}
