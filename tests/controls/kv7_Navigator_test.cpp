// The navigator bar in a real window: its arrangement, the button states it takes from a data
// set, and the moves its buttons make.
#include "controls/kv7_Navigator.h"
#include "data/MemDataSet.h"
#include "toolkit/Forms.h"
#include "Bildschirmfoto.h"
#include "WinInput.h"

#include <gtest/gtest.h>

namespace {
TForm* ShownForm(int clientWidth) {
    TForm* form = Application()->CreateForm<TForm>();
    form->SetClientWidth(clientWidth);
    form->Show();
    return form;
}

TkivButtonSet Enabled(const TkivNavigatorX& nav) {
    TkivButtonSet set = 0;
    for (int i = nbFirst; i <= nbRefresh; ++i)
        if (nav.Button(static_cast<TkivNavigateBtn>(i))->Enabled())
            set |= NavButton(static_cast<TkivNavigateBtn>(i));
    return set;
}

POINT At(const TkivNavigatorX& nav, TkivNavigateBtn b) {
    return {nav.Button(b)->Left(), nav.Button(b)->Top()};
}

// Four records as a navigator sees them.
struct Daten {
    TForm* form = ShownForm(400);
    TMemDataSet* set = new TMemDataSet(form);
    TDataSource* source = new TDataSource(form);
    TkivNavigator* nav = new TkivNavigator(form);
    Daten(int records = 4) {
        set->AddFieldDef(L"Nr", ftInteger);
        for (int i = 1; i <= records; ++i)
            set->AppendRecord({std::to_wstring(i)});
        source->SetDataSet(set);
        nav->SetParent(form);
        nav->SetDataSource(source);
        set->Open();
    }
    ~Daten() { form->Free(); }
};
} // namespace

// All ten show although the set reads five; writing that same set applies it. Unless the bar is
// one row, the edit buttons go below the others. The bar keeps to its ButtonAlign side.
TEST(TkivNavigatorX, ArrangesItsVisibleButtonsInOneOrTwoRowsAtItsSide) {
    TForm* form = ShownForm(400);
    auto* nav = new TkivNavigatorX(form);
    nav->SetParent(form);
    EXPECT_TRUE(nav->Creating() == false);
    EXPECT_EQ(nav->VisibleButtons(), kivMoveButtons | NavButton(nbRefresh));
    EXPECT_EQ(nav->Width(), 240);
    EXPECT_EQ(nav->Height(), 24);
    EXPECT_EQ(nav->Left(), 160) << "aligned right";
    for (int i = nbFirst; i <= nbRefresh; ++i) {
        EXPECT_TRUE(nav->Button(static_cast<TkivNavigateBtn>(i))->Visible()) << i;
        EXPECT_EQ(At(*nav, static_cast<TkivNavigateBtn>(i)).x, 24 * i) << i;
    }

    nav->SetVisibleButtons(nav->VisibleButtons());
    EXPECT_EQ(nav->Width(), 120);
    EXPECT_FALSE(nav->Button(nbInsert)->Visible());
    EXPECT_EQ(At(*nav, nbRefresh).x, 96);
    EXPECT_EQ(nav->Left(), 280);

    nav->SetEditButtonsVisible(true);
    nav->SetEinzeilig(false);
    EXPECT_EQ(nav->Width(), 120);
    EXPECT_EQ(nav->Height(), 48);
    EXPECT_EQ(At(*nav, nbRefresh).x, 96);
    EXPECT_EQ(At(*nav, nbRefresh).y, 0);
    EXPECT_EQ(At(*nav, nbInsert).x, 0);
    EXPECT_EQ(At(*nav, nbInsert).y, 24);
    EXPECT_EQ(At(*nav, nbCancel).x, 96);

    nav->SetMoveButtonsVisible(false);
    nav->SetRefreshButtonVisible(false);
    EXPECT_EQ(nav->Width(), 120) << "the edit row alone";
    nav->SetButtonAlign(alLeft);
    EXPECT_EQ(nav->Left(), 0);
    form->SetClientWidth(300);
    EXPECT_EQ(nav->Width(), 120) << "a resize keeps the content size";
    form->Free();
}

TEST(TkivNavigator, EnablesItsButtonsAsTheDataSetAllows) {
    const TkivButtonSet browse =
        NavButton(nbInsert) | NavButton(nbEdit) | NavButton(nbDelete) | NavButton(nbRefresh);
    const TkivButtonSet start = NavButton(nbFirst) | NavButton(nbPrior);
    const TkivButtonSet end = NavButton(nbNext) | NavButton(nbLast);
    struct Fall {
        const char* name;
        int records;
        std::function<void(Daten&)> tun;
        TkivButtonSet enabled;
    };
    const Fall faelle[] = {
        {"just opened", 4, [](Daten&) {}, browse | end},
        {"in the middle", 4, [](Daten& d) { d.set->Next(); }, browse | start | end},
        {"after Last", 4, [](Daten& d) { d.set->Last(); }, browse | start},
        {"empty", 0, [](Daten&) {}, browse},
        {"editing", 4, [](Daten& d) { d.set->Edit(); }, NavButton(nbPost) | NavButton(nbCancel)},
        {"inserting", 4, [](Daten& d) { d.set->Insert(); }, NavButton(nbPost) | NavButton(nbCancel)},
        {"posted", 4,
         [](Daten& d) {
             d.set->Last();
             d.set->Edit();
             d.set->Post();
         },
         browse | start},
        {"closed", 4, [](Daten& d) { d.set->Close(); }, NavButton(nbRefresh)},
        {"source disabled", 4, [](Daten& d) { d.source->SetEnabled(false); }, NavButton(nbRefresh)},
        {"navigator disabled", 4, [](Daten& d) { d.nav->SetEnabled(false); }, NavButton(nbRefresh)},
        {"no source", 4, [](Daten& d) { d.nav->SetDataSource(nullptr); }, NavButton(nbRefresh)},
        {"source freed", 4, [](Daten& d) { d.source->Free(); }, NavButton(nbRefresh)},
        {"ButtonEnabled off", 4, [](Daten& d) { d.nav->SetButtonEnabled(false); }, 0},
    };
    for (const Fall& f : faelle) {
        Daten d(f.records);
        f.tun(d);
        EXPECT_EQ(Enabled(*d.nav), f.enabled) << f.name;
    }
}

// A click raises the button's event with the button as Sender; the move buttons then move the
// data set, the others leave it alone.
TEST(TkivNavigator, MoveButtonsMoveTheDataSetAfterTheirEvent) {
    Daten d;
    std::vector<std::pair<String, TComponent*>> gesehen;
    auto melden = [&](const wchar_t* name) {
        return [&gesehen, name, &d](TComponent* sender) {
            gesehen.push_back({name + std::to_wstring(d.set->RecNo()), sender});
        };
    };
    d.nav->OnLastClick = melden(L"Last@");
    d.nav->OnPriorClick = melden(L"Prior@");
    d.nav->OnFirstClick = melden(L"First@");
    d.nav->OnNextClick = melden(L"Next@");
    d.nav->OnNewClick = melden(L"New@");
    auto klick = [&](TkivNavigateBtn b) { SendMessageW(d.nav->Button(b)->Handle(), BM_CLICK, 0, 0); };
    klick(nbLast);
    EXPECT_EQ(d.set->RecNo(), 4);
    klick(nbPrior);
    klick(nbNext);
    EXPECT_EQ(d.set->RecNo(), 4);
    klick(nbFirst);
    EXPECT_EQ(d.set->RecNo(), 1);
    klick(nbPrior); // disabled at the start: no event, no move
    klick(nbInsert);
    EXPECT_EQ(d.set->State(), dsBrowse) << "insert only raises its event";
    const std::vector<String> namen{L"Last@1", L"Prior@4", L"Next@3", L"First@4", L"New@1"};
    ASSERT_EQ(gesehen.size(), namen.size());
    for (size_t i = 0; i < namen.size(); ++i)
        EXPECT_EQ(gesehen[i].first, namen[i]);
    EXPECT_EQ(gesehen[0].second, d.nav->Button(nbLast));
    EXPECT_EQ(gesehen[4].second, d.nav->Button(nbInsert));
}

// The glyphs come from the program's bitmaps, the disabled one engraved in grey; a flat button
// shows its face only, a raised one its edge.
TEST(TkivNavigator, DrawsTheNormalOrTheDisabledGlyphAndTheEdgeUnlessFlat) {
    Daten d;
    TSpeedButton* first = d.nav->Button(nbFirst);
    TSpeedButton* last = d.nav->Button(nbLast);
    Zeichnen(d.form->Handle());
    // The glyph's bar sits at 4..5 across, 3..11 down, centred in the 24 x 24 button.
    EXPECT_EQ(Aufnehmen(first->Handle()).At(8, 11), RGB(128, 128, 128)) << "disabled at the start";
    EXPECT_EQ(Aufnehmen(last->Handle()).At(24 - 9, 11), RGB(0, 0, 0));
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_NE(Aufnehmen(last->Handle()).At(0, 0), face);
    d.nav->SetFlat(true);
    EXPECT_TRUE(last->Flat());
    Zeichnen(d.form->Handle());
    EXPECT_EQ(Aufnehmen(last->Handle()).At(0, 0), face);
}
