#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {
int g_freed = 0;

struct Counted : TComponent {
    using TComponent::TComponent;
    ~Counted() override { ++g_freed; }
};

// Frees a sibling from its destructor, as a component that owns a helper by reference may do.
struct SiblingKiller : TComponent {
    SiblingKiller(TComponent* owner, TComponent* victim) : TComponent(owner), victim(victim) {}
    ~SiblingKiller() override { delete victim; }
    TComponent* victim;
};
}  // namespace

TEST(TComponent, OwnerFreesWhatItOwnsAndEarlyFreedLeavesTheList) {
    g_freed = 0;
    auto* owner = new TComponent(nullptr);
    auto* a = new Counted(owner);
    new Counted(owner);
    new Counted(a);  // grandchild
    EXPECT_EQ(owner->ComponentCount(), 2);
    delete a;
    EXPECT_EQ(g_freed, 2);
    EXPECT_EQ(owner->ComponentCount(), 1);
    delete owner;
    EXPECT_EQ(g_freed, 3);
}

TEST(TComponent, DestructorThatFreesASiblingIsSafe) {
    g_freed = 0;
    auto* owner = new TComponent(nullptr);
    auto* later = new Counted(nullptr);
    new SiblingKiller(owner, later);
    owner->InsertComponent(later);  // owned after the killer, freed by it first
    auto* earlier = new Counted(nullptr);
    auto* killer2 = new SiblingKiller(owner, earlier);
    (void)killer2;
    delete owner;
    EXPECT_EQ(g_freed, 2);
}

TEST(TComponent, FindComponentIgnoresLetterCase) {
    TComponent owner(nullptr);
    auto* c = new TComponent(&owner);
    c->SetName(L"me_Dir");
    EXPECT_EQ(owner.FindComponent(L"ME_DIR"), c);
    EXPECT_EQ(c->ComponentIndex(), 0);
}

TEST(TStringList, UnsortedKeepsInsertionOrderSortedIgnoresCase) {
    TStringList list{L"b", L"A", L"c"};
    EXPECT_EQ(list.Text(), L"b\r\nA\r\nc\r\n");
    list.SetSorted(true);
    list.Add(L"B");
    EXPECT_EQ(list.ToVector(), (std::vector<String>{L"A", L"b", L"B", L"c"}));
    EXPECT_THROW(list.Get(4), Exception);
}

TEST(TStringList, SetTextSplitsEveryLineBreakKind) {
    TStringList list;
    list.SetText(L"a\r\nb\rc\n\r\n");
    EXPECT_EQ(list.ToVector(), (std::vector<String>{L"a", L"b", L"c", L""}));
}

TEST(Format, WidePlaceholdersFollowPrintfRules) {
    EXPECT_EQ(Format(L"In %s kann nicht geschrieben werden", L"C:\\ä.ini"),
              L"In C:\\ä.ini kann nicht geschrieben werden");
    EXPECT_EQ(Format(L"Seite %d von %d", 1, 2), L"Seite 1 von 2");
}

namespace {
struct Tam_Probe : TComponent {
    using TComponent::TComponent;
};
}  // namespace

TEST(TComponent, ClassNameIsTheDynamicClassWithoutNamespace) {
    Tam_Probe probe(nullptr);
    TComponent& base = probe;
    EXPECT_EQ(base.ClassName(), L"Tam_Probe");
}

namespace {
// Writes down what it hears.
struct Listener : TComponent {
    using TComponent::TComponent;
    std::vector<std::pair<TComponent*, TOperation>> heard;
    void Notification(TComponent* c, TOperation op) override { heard.push_back({c, op}); }
};
} // namespace

// The listener hears of the other's destruction once; gone first, or after withdrawing, it is
// never called; an owner hears its components come and go.
TEST(TComponent, FreeNotificationTellsTheOtherSideOnce) {
    Listener hoerer(nullptr);
    auto* quelle = new TComponent(nullptr);
    quelle->FreeNotification(&hoerer);
    quelle->FreeNotification(&hoerer);
    delete quelle;
    ASSERT_EQ(hoerer.heard.size(), 1u);
    EXPECT_EQ(hoerer.heard[0].first, quelle);
    EXPECT_EQ(hoerer.heard[0].second, opRemove);

    hoerer.heard.clear();
    auto* zurueckgezogen = new TComponent(nullptr);
    zurueckgezogen->FreeNotification(&hoerer);
    zurueckgezogen->RemoveFreeNotification(&hoerer);
    delete zurueckgezogen;
    EXPECT_TRUE(hoerer.heard.empty());

    auto* frueh = new Listener(nullptr);
    Listener spaet(nullptr);
    spaet.FreeNotification(frueh);
    delete frueh; // spaet forgets it and its own end calls nobody
    EXPECT_TRUE(spaet.heard.size() == 1 && spaet.heard[0].first == frueh);

    Listener besitzer(nullptr);
    auto* kind = new TComponent(&besitzer);
    delete kind;
    ASSERT_EQ(besitzer.heard.size(), 2u);
    EXPECT_EQ(besitzer.heard[0], std::make_pair(kind, opInsert));
    EXPECT_EQ(besitzer.heard[1], std::make_pair(kind, opRemove));
}

// A system function bound late is the library's own; a missing one is named, never a null call.
TEST(Systemfunktion, BindsFromTheSystemFolderOrNamesWhatIsMissing) {
    auto* laenge = Systemfunktion<decltype(::lstrlenW)>(L"kernel32.dll", "lstrlenW");
    EXPECT_EQ(laenge(L"abc"), 3);
    EXPECT_NE(Systemfunktion<void()>(L"comdlg32.dll", "CommDlgExtendedError"), nullptr);
    struct Fall {
        const wchar_t* bibliothek;
        const char* name;
        const wchar_t* meldung;
    } faelle[] = {
        {L"shell32.dll", "GibtEsNicht", L"Die Systemfunktion GibtEsNicht aus shell32.dll ist nicht verfügbar."},
        {L"keine_bibliothek.dll", "Irgendwas",
         L"Die Systemfunktion Irgendwas aus keine_bibliothek.dll ist nicht verfügbar."},
    };
    for (const Fall& f : faelle) {
        try {
            Systemfunktion<void()>(f.bibliothek, f.name);
            ADD_FAILURE() << f.name;
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), f.meldung);
        }
    }
}
