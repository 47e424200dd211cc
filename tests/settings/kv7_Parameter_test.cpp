#include "settings/Einstellungsdatei.h"
#include "settings/kv7_Parameter.h"
#include "sys/IniDokument.h"
#include "sys/Qel_ini.h"
#include "toolkit/SysUtils.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {
using Protokoll = std::vector<String>;

// Records the events and the per-component calls of the walks; a save writes each taken
// component's name as its value.
class TProtokollParameter : public TkivParameter {
public:
    TProtokollParameter(TComponent* owner, Protokoll& log) : TkivParameter(owner), log_(log) {
        SetName(L"PAR");
        auto merke = [&log](const wchar_t* text) {
            return [&log, text](TComponent*) { log.push_back(text); };
        };
        OnBeforeLaden = merke(L"BeforeLaden");
        OnLaden = merke(L"Laden");
        OnAfterLaden = merke(L"AfterLaden");
        OnBeforeSpeichern = merke(L"BeforeSpeichern");
        OnSpeichern = merke(L"Speichern");
        OnAfterSpeichern = merke(L"AfterSpeichern");
    }
    std::function<void(TComponent*)> vorDemSchreiben;

protected:
    void KomponenteSpeichern(TIniDokument& dokument, TComponent* k, const String& sektion) override {
        log_.push_back(L"S:" + k->Name() + L"@" + sektion);
        if (vorDemSchreiben) vorDemSchreiben(k);
        dokument.Schreiben(sektion, k->Name(), L"v_" + k->Name());
    }
    void KomponenteLaden(TIniDokument& dokument, TComponent* k, const String& sektion) override {
        log_.push_back(L"L:" + k->Name() + L"=" + dokument.Wert(sektion, k->Name()).value_or(L"-"));
    }

private:
    Protokoll& log_;
};

TComponent* Neu(TComponent* owner, const wchar_t* name, int tag) {
    auto* k = new TComponent(owner);
    k->SetName(name);
    k->SetTag(tag);
    return k;
}

// A plain owner: the store first, then a (Tag 0), b (5), c (7), d (99), and e (99) owned by d.
struct Besitzer {
    TestOrdner ordner;
    Protokoll log;
    TComponent owner{nullptr};
    TProtokollParameter* par = new TProtokollParameter(&owner, log);
    Besitzer() {
        Neu(&owner, L"a", 0);
        Neu(&owner, L"b", 5);
        Neu(&owner, L"c", 7);
        Neu(Neu(&owner, L"d", 99), L"e", 99);
        par->SetDateiName(ordner / L"test.ini");
    }
    Protokoll Genommen(int exclusive, int inclusive) {
        par->SetTagExclusive(exclusive);
        par->SetTagInclusive(inclusive);
        log.clear();
        par->Speichern();
        Protokoll namen;
        for (const String& s : log)
            if (s.rfind(L"S:", 0) == 0) namen.push_back(s.substr(2, s.find(L'@') - 2));
        return namen;
    }
};
} // namespace

TEST(TkivParameter, TagFilterTable) {
    Besitzer b;
    EXPECT_EQ(b.Genommen(0, 0), Protokoll{});
    EXPECT_EQ(b.Genommen(0, 99), Protokoll{L"d"});
    EXPECT_EQ(b.Genommen(5, 0), (Protokoll{L"PAR", L"a", L"c", L"d"}));
    EXPECT_EQ(b.Genommen(5, 99), (Protokoll{L"PAR", L"a", L"c", L"d"}));
    EXPECT_EQ(b.Genommen(7, 7), (Protokoll{L"PAR", L"a", L"b", L"c", L"d"}));
}

TEST(TkivParameter, WalkOrderOfEventsAndComponentsInSectionStandard) {
    Besitzer b;
    b.par->SetTagInclusive(99);
    b.par->Speichern();
    EXPECT_EQ(b.log, (Protokoll{L"BeforeSpeichern", L"S:d@Standard", L"Speichern", L"AfterSpeichern"}));
    EXPECT_EQ(IniZeilen(b.par->DateiName()), (Protokoll{L"[Standard]", L"d=v_d"}));
    EXPECT_TRUE(HatUtf16Marke(b.par->DateiName()));
    b.log.clear();
    b.par->Laden();
    EXPECT_EQ(b.log, (Protokoll{L"BeforeLaden", L"L:d=v_d", L"Laden", L"AfterLaden"}));
}

TEST(TkivParameter, WithoutOwnerNothingHappens) {
    TestOrdner t;
    Protokoll log;
    TProtokollParameter par(nullptr, log);
    par.SetDateiName(t / L"test.ini");
    par.SetTagExclusive(7);
    par.Speichern();
    par.Laden();
    EXPECT_TRUE(log.empty());
    EXPECT_FALSE(Existiert(t / L"test.ini"));
}

TEST(TkivParameter, LoadOfAMissingFileDoesNothingUnlessTheBeforeEventNamesIt) {
    Besitzer b;
    b.par->SetTagInclusive(99);
    b.par->Laden();
    EXPECT_TRUE(b.log.empty());

    // First start of a window that names its file in OnBeforeLaden: the load runs on defaults.
    const String datei = b.par->DateiName();
    b.par->SetDateiName(L"");
    b.par->OnBeforeLaden = [&](TComponent*) {
        b.log.push_back(L"BeforeLaden");
        b.par->SetDateiName(datei);
    };
    b.par->Laden();
    EXPECT_EQ(b.log, (Protokoll{L"BeforeLaden", L"L:d=-", L"Laden", L"AfterLaden"}));
    EXPECT_FALSE(Existiert(datei));
}

TEST(TkivParameter, AWriteFailureStopsTheWalkAndLeavesTheFileAsItWas) {
    Besitzer b;
    b.par->SetTagExclusive(5);
    const String datei = b.par->DateiName();
    b.par->Speichern();
    const std::string vorher = Lesen(datei);
    auto fehlschlag = [&](const Protokoll& erwartet, bool dateiBleibt) {
        b.log.clear();
        try {
            b.par->Speichern();
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), L"In " + datei + L" kann nicht geschrieben werden");
        }
        EXPECT_EQ(b.log, erwartet);
        if (dateiBleibt) {
            EXPECT_EQ(Lesen(datei), vorher);
        }
    };
    // A component's save fails at c (as a grid layout file that cannot be written): nothing of
    // the walk reaches the file, and the new file prepared beside it is gone.
    b.par->vorDemSchreiben = [&](TComponent* k) {
        if (k->Name() == L"c") IniSchreibfehler(datei);
    };
    fehlschlag({L"BeforeSpeichern", L"S:PAR@Standard", L"S:a@Standard", L"S:c@Standard"}, true);
    EXPECT_EQ(Dateinamen(b.ordner.Pfad()), Protokoll{L"test.ini"});

    // The file itself turns into a folder: the walk is written, the copy cannot take its place.
    b.par->vorDemSchreiben = [&](TComponent* k) {
        if (k->Name() != L"c") return;
        DeleteFileW(datei.c_str());
        CreateDirectoryW(datei.c_str(), nullptr);
    };
    fehlschlag({L"BeforeSpeichern", L"S:PAR@Standard", L"S:a@Standard", L"S:c@Standard", L"S:d@Standard",
                L"Speichern"},
               false);
    EXPECT_EQ(Dateinamen(b.ordner.Pfad()), Protokoll{L"test.ini"});

    // A missing folder fails before the first value.
    b.par->SetDateiName(b.ordner / L"fehlt\\test.ini");
    b.par->vorDemSchreiben = nullptr;
    b.log.clear();
    EXPECT_THROW(b.par->Speichern(), Exception);
    EXPECT_EQ(b.log, Protokoll{L"BeforeSpeichern"});
}

TEST(TkivParameter, ReadOnlySettingsFile) {
    // As root Wine ignores the read-only attribute; a read-only medium refuses on both systems.
    const String medium = Medium("SICHERUNG_NURLESEN");
    if (medium.empty()) GTEST_SKIP() << "needs the read-only medium the test command mounts as root";
    Protokoll log;
    TComponent owner(nullptr);
    auto* par = new TProtokollParameter(&owner, log);
    par->SetDateiName(medium + L"Einstellungen.ini");
    par->SetTagExclusive(5);
    const std::string vorher = Lesen(par->DateiName());
    try {
        par->Speichern();
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"In " + medium + L"Einstellungen.ini kann nicht geschrieben werden");
    }
    // Whether the erase of the section already fails is the file system's affair; nothing after the
    // failure happens.
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], L"BeforeSpeichern");
    EXPECT_LE(log.size(), 2u);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"AfterSpeichern"), 0);
    EXPECT_EQ(Lesen(par->DateiName()), vorher);
}

TEST(TkivParameter, BlankFileNameUsesTheProgramWideFile) {
    Besitzer b;
    b.par->SetDateiName(L"");
    const String standard = StandardIniDatei().FileName();
    EXPECT_EQ(b.par->IniDateiName(), standard);
    EXPECT_NE(standard.find(L"\\VennkorbDaten\\test_settings.ini"), String::npos) << standard;

    b.par->SetDateiName(L"   ");
    EXPECT_EQ(b.par->IniDateiName(), L"   ");
    b.par->SetTagInclusive(99);
    b.par->Speichern();
    EXPECT_EQ(StandardIniDatei().ReadString(L"Standard", L"d", L""), L"v_d");
    b.log.clear();
    b.par->Laden();
    EXPECT_EQ(b.log, (Protokoll{L"BeforeLaden", L"L:d=v_d", L"Laden", L"AfterLaden"}));
    StandardIniDatei().EraseSection(L"Standard");
}

TEST(TkivParameter, StoresOfOwnersOfOneClassShareTheirSection) {
    Besitzer eins;
    Protokoll log;
    TComponent owner(nullptr);
    auto* zwei = new TProtokollParameter(&owner, log);
    Neu(&owner, L"x", 99);
    zwei->SetDateiName(eins.par->DateiName());
    zwei->SetTagInclusive(99);
    eins.par->SetTagInclusive(99);

    eins.par->Speichern();
    const std::string erste = Lesen(eins.par->DateiName());
    eins.par->Speichern();
    EXPECT_EQ(Lesen(eins.par->DateiName()), erste);
    zwei->Speichern();
    EXPECT_EQ(IniZeilen(eins.par->DateiName()), (Protokoll{L"[Standard]", L"x=v_x"}));
}

TEST(TkivParameter, AFileHeldThroughTheLoadIsNotOverwrittenByTheDefaults) {
    Besitzer b;
    b.par->SetTagInclusive(99);
    const String datei = b.par->DateiName();
    b.par->Speichern();
    const std::string vorher = Lesen(datei);

    // Another program keeps the file to itself for longer than the load waits.
    HANDLE fremd = CreateFileW(datei.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(fremd, INVALID_HANDLE_VALUE);
    b.par->Laden();
    CloseHandle(fremd);
    try {
        b.par->Speichern();
        ADD_FAILURE() << "the save after an unread load went through";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), L"In " + datei + L" kann nicht geschrieben werden");
    }
    EXPECT_EQ(Lesen(datei), vorher);

    // A load that reads the file again lets the saves through.
    b.par->Laden();
    EXPECT_NO_THROW(b.par->Speichern());
    EXPECT_EQ(Lesen(datei), vorher);
}
