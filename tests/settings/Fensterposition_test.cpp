#include "settings/kv7_Parameter.h"
#include "toolkit/Forms.h"
#include "util/QEL_Str.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
using Zeilen = std::vector<String>;

// A form that may load its settings while it is being created, as the first window does.
struct TfoPlatz : TForm {
    TfoPlatz(TComponent* owner, const String& datei, std::function<void(TfoPlatz*)> beimErstellen = nullptr)
        : TForm(owner) {
        par->SetDateiName(datei);
        par->SetFormPosSizeSave(true);
        if (beimErstellen) OnCreate = [this, beimErstellen](TComponent*) { beimErstellen(this); };
    }
    TkivParameter* par = new TkivParameter(this);
};

struct Fenster {
    TestOrdner t;
    String datei = t / L"platz.ini";
    std::vector<TForm*> formen;
    ~Fenster() {
        for (auto it = formen.rbegin(); it != formen.rend(); ++it)
            (*it)->Free();
        ParameterZuruecksetzen();
    }
    TfoPlatz* Neu(std::function<void(TfoPlatz*)> beimErstellen = nullptr) {
        auto* f = Application()->CreateForm<TfoPlatz>(datei, std::move(beimErstellen));
        formen.push_back(f);
        return f;
    }
    void Datei(const char* text) { Schreiben(datei, text); }
};
} // namespace

TEST(Fensterposition, MaximizedKeepsTheFlagsOnlyAndMaximizesOnLoad) {
    Fenster w;
    TfoPlatz* f = w.Neu();
    f->SetBounds(10, 20, 300, 200);
    f->SetWindowState(wsMaximized);
    f->par->Speichern();
    EXPECT_EQ(IniZeilen(w.datei),
              (Zeilen{L"[TfoPlatz]", L"__MAXIMIZED=1", L"__ALIGNLEFT=0", L"__ALIGNRIGHT=0"}));

    TfoPlatz* g = w.Neu();
    g->SetBounds(50, 60, 400, 300);
    g->SetPosition(poDesktopCenter);
    g->par->Laden();
    EXPECT_EQ(g->WindowState(), wsMaximized);
    EXPECT_EQ(g->Position(), poDefault); // the platform chooses the size it returns to
    EXPECT_EQ(g->Width(), 400);

    // A stay-on-top window keeps its placement mode.
    TfoPlatz* h = w.Neu();
    h->SetFormStyle(fsStayOnTop);
    h->par->Laden();
    EXPECT_EQ(h->WindowState(), wsMaximized);
    EXPECT_EQ(h->Position(), poDesigned);
}

TEST(Fensterposition, AlignedWindowKeepsItsWidthAndAlignmentIsNeverCleared) {
    Fenster w;
    TfoPlatz* f = w.Neu();
    f->SetAlign(alLeft);
    f->SetWidth(300);
    f->par->Speichern();
    EXPECT_EQ(IniZeilen(w.datei),
              (Zeilen{L"[TfoPlatz]", L"__MAXIMIZED=0", L"__ALIGNLEFT=1", L"__ALIGNRIGHT=0", L"__WIDTH=300"}));
    TfoPlatz* g = w.Neu();
    g->SetWidth(500);
    g->par->Laden();
    EXPECT_EQ(g->Align(), alLeft);
    EXPECT_EQ(g->Width(), 300);

    w.Datei("[TfoPlatz]\r\n__ALIGNLEFT=1\r\n__ALIGNRIGHT=1\r\n");
    TfoPlatz* beide = w.Neu();
    beide->par->Laden();
    EXPECT_EQ(beide->Align(), alRight);
    w.Datei("[TfoPlatz]\r\n__ALIGNLEFT=0\r\n__ALIGNRIGHT=0\r\n");
    beide->par->Laden();
    EXPECT_EQ(beide->Align(), alRight);
}

TEST(Fensterposition, ValuesAreAppliedAsReadAndMissingOnesKeepTheCurrent) {
    Fenster w;
    w.Datei("[TfoPlatz]\r\n__TOP=-5\r\n__LEFT=300\r\n__WIDTH=0x1F4\r\n__HEIGHT=hoch\r\n");
    TfoPlatz* f = w.Neu();
    f->SetBounds(10, 20, 300, 200);
    f->par->Laden();
    EXPECT_EQ(f->Top(), -5);
    EXPECT_EQ(f->Left(), 300);
    EXPECT_EQ(f->Width(), 500);
    EXPECT_EQ(f->Height(), 200);
    EXPECT_EQ(f->WindowState(), wsNormal);
    EXPECT_EQ(f->Align(), alNone);
}

TEST(Fensterposition, APlacementNoMonitorOfThisComputerShowsKeepsTheDesignedOne) {
    const int breite = GetSystemMetrics(SM_CXVIRTUALSCREEN), hoehe = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    struct Fall {
        int oben, links, b, h;
        bool angewandt;
    };
    const Fall faelle[] = {
        {100, 150, 500, 400, true},
        {30, -200, 400, 300, true},           // partly off the left edge, the caption still there
        {-8, breite - 60, 400, 300, true},    // a corner of the caption on screen
        {100, breite + 100, 500, 400, false}, // a second monitor to the right, not here
        {-300, 100, 400, 400, false},         // the body on screen, the caption above it
        {hoehe + 10, 100, 400, 300, false},   // below the screen
        {-5000, 30000, 500, 400, false},
    };
    Fenster w;
    for (const Fall& fall : faelle) {
        w.Datei(("[TfoPlatz]\r\n__TOP=" + std::to_string(fall.oben) +
                 "\r\n__LEFT=" + std::to_string(fall.links) + "\r\n__WIDTH=" + std::to_string(fall.b) +
                 "\r\n__HEIGHT=" + std::to_string(fall.h) + "\r\n")
                    .c_str());
        TfoPlatz* f = w.Neu();
        f->SetBounds(10, 20, 300, 200);
        f->Show();
        f->par->Laden();
        const RECT r = f->BoundsRect();
        const RECT erwartet = fall.angewandt
                                  ? RECT{fall.links, fall.oben, fall.links + fall.b, fall.oben + fall.h}
                                  : RECT{10, 20, 310, 220};
        EXPECT_TRUE(EqualRect(&r, &erwartet)) << fall.oben << "/" << fall.links << ": " << r.left << ","
                                              << r.top << " " << r.right - r.left << "x" << r.bottom - r.top;
        RECT aufDemSchirm;
        GetWindowRect(f->Handle(), &aufDemSchirm);
        EXPECT_TRUE(EqualRect(&aufDemSchirm, &erwartet));
    }
}

TEST(Fensterposition, AMinimizedWindowIsKeptAsWhatItReturnsTo) {
    struct Fall {
        TWindowState vorher;
        Zeilen datei;
    };
    const Fall faelle[] = {
        {wsMaximized, {L"[TfoPlatz]", L"__MAXIMIZED=1", L"__ALIGNLEFT=0", L"__ALIGNRIGHT=0"}},
        {wsNormal,
         {L"[TfoPlatz]", L"__MAXIMIZED=0", L"__ALIGNLEFT=0", L"__ALIGNRIGHT=0", L"__TOP=120", L"__LEFT=100",
          L"__WIDTH=300", L"__HEIGHT=200"}},
    };
    for (const Fall& fall : faelle) {
        Fenster w;
        TfoPlatz* f = w.Neu();
        f->SetBounds(100, 120, 300, 200);
        f->Show();
        f->SetWindowState(fall.vorher);
        f->SetWindowState(wsMinimized);
        ASSERT_TRUE(IsIconic(f->Handle()));
        // Closed while minimized: the window saves as it goes, as the main window does.
        f->OnDestroy = [f](TComponent*) { f->par->Speichern(); };
        w.formen.pop_back();
        f->Free();
        EXPECT_EQ(IniZeilen(w.datei), fall.datei);

        TfoPlatz* g = w.Neu();
        g->Show();
        g->par->Laden();
        EXPECT_EQ(g->WindowState(), fall.vorher);
    }
}

TEST(Fensterposition, TestSwitchFixesTheMainWindowAt800x600AndKeepsItOutOfTheFile) {
    Fenster w;
    w.Datei("[TfoPlatz]\r\n__MAXIMIZED=1\r\n");
    ParameterSetzen({L"/8x6extra"});
    // The first window, loading during its own creation: no main window exists yet.
    TfoPlatz* haupt = w.Neu([](TfoPlatz* f) {
        f->SetWindowState(wsMaximized);
        f->par->Laden();
    });
    ASSERT_EQ(Application()->MainForm(), haupt);
    EXPECT_EQ(haupt->WindowState(), wsNormal);
    EXPECT_EQ(haupt->Position(), poDesktopCenter);
    EXPECT_EQ(haupt->Width(), 800);
    EXPECT_EQ(haupt->Height(), 600);
    haupt->par->Speichern();
    EXPECT_EQ(IniZeilen(w.datei), Zeilen{});

    // Another window, created after the main window, is placed from the file as usual.
    w.Datei("[TfoPlatz]\r\n__TOP=11\r\n__LEFT=22\r\n__WIDTH=333\r\n__HEIGHT=244\r\n");
    TfoPlatz* zweites = w.Neu([](TfoPlatz* f) { f->par->Laden(); });
    EXPECT_EQ(zweites->BoundsRect().left, 22);
    EXPECT_EQ(zweites->BoundsRect().top, 11);
    EXPECT_EQ(zweites->Width(), 333);
    EXPECT_EQ(zweites->Height(), 244);
    zweites->par->Speichern();
    EXPECT_EQ(IniZeilen(w.datei).size(), 8u);

    // A visible main window keeps its placement mode.
    haupt->SetPosition(poDesigned);
    haupt->Show();
    haupt->par->Laden();
    EXPECT_EQ(haupt->Position(), poDesigned);
    EXPECT_EQ(haupt->Width(), 800);
}

TEST(Fensterposition, WithoutTheSwitchTheMainWindowIsPlacedFromTheFile) {
    Fenster w;
    w.Datei("[TfoPlatz]\r\n__TOP=11\r\n__LEFT=22\r\n__WIDTH=333\r\n__HEIGHT=244\r\n");
    ParameterSetzen({L"/X8X6", L"8x"});
    TfoPlatz* haupt = w.Neu([](TfoPlatz* f) { f->par->Laden(); });
    EXPECT_EQ(haupt->Width(), 333);
    EXPECT_EQ(haupt->Height(), 244);
}
