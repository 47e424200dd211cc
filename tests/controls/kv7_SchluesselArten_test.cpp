#include "controls/kv7_DirectoryKeyComboBox.h"
#include "controls/kv7_FileKeyComboBox.h"
#include "settings/kv7_Parameter.h"
#include "toolkit/Forms.h"
#include "IniText.h"
#include "Speicherfenster.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
using Zeilen = std::vector<String>;

// One box of each keyed kind, Tag 1, stored in the given file.
struct TfoBoxen : TfoSpeicher {
    TfoBoxen(TComponent* owner, const String& datei, bool mitEintraegen) : TfoSpeicher(owner, datei) {
        art = Neu<TkivKeyComboBox>(L"cb_Art");
        ordner = Neu<TkivDirectoryKeyComboBox>(L"cb_Ordner");
        datei_ = Neu<TkivFileKeyComboBox>(L"cb_Datei");
        art->SetkivPAR_Save_Keys(mitEintraegen);
        ordner->SetkivPAR_Save_Keys(mitEintraegen);
        datei_->SetkivPAR_Save_Keys(mitEintraegen);
    }
    TkivKeyComboBox* art;
    TkivDirectoryKeyComboBox* ordner;
    TkivFileKeyComboBox* datei_;
};

struct Gespeichert {
    TestOrdner t;
    String datei = t / L"boxen.ini";
    // Saved by a window whose boxes hold entries and a selection.
    explicit Gespeichert(bool mitEintraegen) {
        auto* a = Application()->CreateForm<TfoBoxen>(datei, mitEintraegen);
        a->art->AddKey(L"1", L"Bar");
        a->art->AddKey(L"2", L"Karte");
        a->art->SetKey(L"2");
        a->ordner->AddKey(L"C:\\Daten", L"C:\\Daten");
        a->ordner->SetDirectory(L"C:\\Daten");
        a->datei_->SetFileName(L"C:\\Daten\\Brief.txt");
        a->par->Speichern();
        a->Free();
    }
};
} // namespace

// The keyed box of the settings file's worked example, line for line; the folder is stored with its
// backslash; a new window gets the same entries and selections back.
TEST(SchluesselArten, TheWorkedExampleLineForLineAndBackAfterARestart) {
    Gespeichert g(true);
    EXPECT_EQ(IniZeilen(g.datei),
              (Zeilen{L"[TfoBoxen]", L"cb_Art=2", L"cb_Art_Keys_00=1;Bar;", L"cb_Art_Keys_01=2;Karte;",
                      L"cb_Ordner=C:\\Daten\\", L"cb_Ordner_Keys_00=C:\\Daten;C:\\Daten;",
                      L"cb_Datei=C:\\Daten\\Brief.txt",
                      L"cb_Datei_Keys_00=C:\\Daten\\Brief.txt;C:\\Daten\\Brief.txt;"}));

    auto* b = Application()->CreateForm<TfoBoxen>(g.datei, true);
    b->art->AddKey(L"9", L"Alt");
    b->par->Laden();
    EXPECT_EQ(b->art->KeyList().ToVector(), (Zeilen{L"1", L"2"}));
    EXPECT_EQ(b->art->Items().ToVector(), (Zeilen{L"Bar", L"Karte"}));
    EXPECT_EQ(b->art->Key(), L"2");
    EXPECT_EQ(b->art->Text(), L"Karte");
    EXPECT_EQ(b->ordner->Items().ToVector(), Zeilen{L"C:\\Daten"});
    EXPECT_EQ(b->ordner->Directory(), L"C:\\Daten\\");
    EXPECT_EQ(b->datei_->Items().ToVector(), Zeilen{L"C:\\Daten\\Brief.txt"});
    EXPECT_EQ(b->datei_->FileName(), L"C:\\Daten\\Brief.txt");
    b->Free();
}

// Without the entries only the selection is stored: the program's own entries stay, a folder that
// is not among them is not selected, a file is added and selected.
TEST(SchluesselArten, WithoutTheEntriesOnlyTheSelectionComesBack) {
    Gespeichert g(false);
    EXPECT_EQ(IniZeilen(g.datei), (Zeilen{L"[TfoBoxen]", L"cb_Art=2", L"cb_Ordner=C:\\Daten\\",
                                          L"cb_Datei=C:\\Daten\\Brief.txt"}));

    auto* b = Application()->CreateForm<TfoBoxen>(g.datei, false);
    b->art->AddKey(L"1", L"Bar");
    b->art->AddKey(L"2", L"Karte");
    b->ordner->AddKey(L"D:\\Anders\\", L"D:\\Anders\\");
    b->par->Laden();
    EXPECT_EQ(b->art->Key(), L"2");
    EXPECT_EQ(b->art->Items().Count(), 2);
    EXPECT_EQ(b->ordner->Directory(), L"");
    EXPECT_EQ(b->datei_->Items().ToVector(), Zeilen{L"C:\\Daten\\Brief.txt"});
    EXPECT_EQ(b->datei_->FileName(), L"C:\\Daten\\Brief.txt");
    b->Free();
}
