#include "controls/kv7_DirectoryKeyComboBox.h"
#include "controls/kv7_FileKeyComboBox.h"
#include "toolkit/Forms.h"
#include "toolkit/Hints.h"
#include "toolkit/SysUtils.h"
#include "DialogFahrer.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
using Texte = std::vector<String>;

template <class T> struct Fenster {
    TForm* form = Application()->CreateForm<TForm>();
    T* box = new T(form);
    int changes = 0;

    Fenster() {
        box->SetName(L"box");
        box->SetParent(form);
        box->SetLeft(8);
        box->KeyComboBox()->OnChange = [this](TComponent*) { ++changes; };
        form->Show();
        Pump();
    }
    ~Fenster() { form->Free(); }
    void Knopf() {
        SendMessageW(box->BrowseButton()->Handle(), BM_CLICK, 0, 0);
        Pump();
    }
};

std::vector<int> Lage(const TControl* c) {
    return {c->Left(), c->Top(), c->Width(), c->Height()};
}

String Ohne(const String& ordner) {
    return ordner.substr(0, ordner.size() - 1);
}
} // namespace

// The panel is as high as its box; the button, one box height less two pixels square, sits flush
// right, two pixels from the box; it takes no tab stop and names its chooser in its hint.
TEST(KeyComboPanel, ButtonSquareAndFlushRightAtEverySize) {
    Fenster<TkivDirectoryKeyComboBox> ordner;
    Fenster<TkivFileKeyComboBox> datei;
    struct Fall {
        TkivKeyComboPanel* panel;
        const wchar_t* hint;
    };
    for (const Fall& fall : {Fall{ordner.box, L"Verzeichnis wählen"}, Fall{datei.box, L"Datei wählen"}}) {
        TkivKeyComboPanel* p = fall.panel;
        p->SetWidth(300);
        ASSERT_EQ(p->KeyComboBox()->Height(), 21) << "the box's height at the form's font";
        EXPECT_EQ(p->ClientWidth(), 300);
        EXPECT_EQ(p->Height(), 21);
        TButton* b = p->BrowseButton();
        EXPECT_EQ(Lage(b), (std::vector<int>{281, 0, 19, 19}));
        EXPECT_EQ(Lage(p->KeyComboBox()), (std::vector<int>{0, 0, 279, 21}));
        EXPECT_EQ(b->Caption(), L"...");
        EXPECT_FALSE(b->TabStop());
        EXPECT_EQ(WindowHint(b->Handle()), fall.hint);
        p->SetBounds(8, 40, 150, 60);
        EXPECT_EQ(p->Height(), 21);
        EXPECT_EQ(b->Left(), 131);
        EXPECT_EQ(p->KeyComboBox()->Width(), 129);
    }
}

// Directory always ends in a backslash and selects only listed folders, written with or without
// their final backslash; a file name written from outside becomes an entry once and is selected,
// an empty one adds nothing.
TEST(KeyComboPanel, DirectoryAndFileNameFollowTheirOwnWriteRules) {
    Fenster<TkivDirectoryKeyComboBox> o;
    EXPECT_EQ(o.box->Directory(), L"");
    o.box->AddKey(L"C:\\Daten", L"C:\\Daten");
    o.box->AddKey(L"D:\\Daten\\", L"D:\\Daten\\");
    o.box->AddKey(L"E:/Bilder", L"E:/Bilder");
    struct Fall {
        const wchar_t* schreiben;
        const wchar_t* directory;
    };
    for (const Fall& fall : {Fall{L"C:\\Daten", L"C:\\Daten\\"}, Fall{L"D:\\Daten\\", L"D:\\Daten\\"},
                             Fall{L"E:\\Neu\\", L"D:\\Daten\\"}, Fall{L"C:\\Daten\\", L"C:\\Daten\\"},
                             Fall{L" d:\\daten ", L"D:\\Daten\\"}, Fall{L"C:/Daten/", L"C:\\Daten\\"},
                             Fall{L"e:\\bilder\\", L"E:\\Bilder\\"}}) {
        o.box->SetDirectory(fall.schreiben);
        EXPECT_EQ(o.box->Directory(), fall.directory) << NachUtf8(fall.schreiben);
    }
    EXPECT_EQ(o.box->Items().Count(), 3);

    Fenster<TkivFileKeyComboBox> d;
    for (const wchar_t* name : {L"C:\\Briefe\\a.txt", L"C:\\Briefe\\a.txt", L" c:/briefe/A.txt"})
        d.box->SetFileName(name);
    EXPECT_EQ(d.box->Items().ToVector(), Texte{L"C:\\Briefe\\a.txt"});
    EXPECT_EQ(d.box->KeyList().ToVector(), Texte{L"C:\\Briefe\\a.txt"});
    EXPECT_EQ(d.box->FileName(), L"C:\\Briefe\\a.txt");
    EXPECT_EQ(d.box->KeyComboBox()->Text(), L"C:\\Briefe\\a.txt");
    d.box->SetFileName(L"");
    EXPECT_EQ(d.box->FileName(), L"");
    EXPECT_EQ(d.box->Items().Count(), 1);
    d.box->SetFileName(L" C:\\b.txt ");
    EXPECT_EQ(d.box->FileName(), L"C:\\b.txt");
    EXPECT_EQ(d.box->Items().Get(1), L"C:\\b.txt");
    EXPECT_EQ(o.changes + d.changes, 0);
}

// The folder chooser starts in the selected folder, with the pseudo name; cancelling changes
// nothing; a chosen folder is listed once and selected, and the box reports the change.
TEST(DirectoryKeyComboBox, BrowseListsAChosenFolderOnceAndSelectsIt) {
    TestOrdner ort;
    OrdnerAnlegen(ort / L"Briefe");
    Fenster<TkivDirectoryKeyComboBox> f;
    String name;
    {
        DialogFahrer fahrer({[&](HWND d) {
            name = DialogName(d);
            DialogKnopf(d, IDCANCEL);
        }});
        f.Knopf();
        EXPECT_EQ(fahrer.Gelaufen(), 1u);
    }
    EXPECT_EQ(name, L"Verzeichnis wählen");
    EXPECT_EQ(f.box->Items().Count(), 0);
    EXPECT_EQ(f.changes, 0);

    f.box->AddKey(ort.Pfad(), ort.Pfad());
    f.box->AddKey(ort / L"Briefe", ort / L"Briefe"); // listed without its final backslash
    for (int mal = 0; mal < 2; ++mal) {
        f.box->SetDirectory(ort.Pfad());
        String start;
        DialogFahrer fahrer({[&](HWND d) {
                                 start = DialogOrdner(d);
                                 DialogNameSetzen(d, ort / L"Briefe");
                                 DialogKnopf(d, IDOK);
                             },
                             [&](HWND d) {
                                 DialogNameSetzen(d, L"Verzeichnis wählen");
                                 DialogKnopf(d, IDOK);
                             }});
        f.Knopf();
        EXPECT_FALSE(fahrer.Abgebrochen());
        EXPECT_EQ(start, Ohne(ort.Pfad()));
    }
    EXPECT_EQ(f.box->Items().ToVector(), (Texte{ort.Pfad(), ort / L"Briefe"}));
    EXPECT_EQ(f.box->Directory(), ort / L"Briefe\\");
    EXPECT_EQ(f.box->KeyComboBox()->Text(), ort / L"Briefe");
    EXPECT_EQ(f.changes, 2);
}

// The file chooser shows the box's title and pattern and starts in the selected file's folder.
TEST(FileKeyComboBox, BrowseUsesTitleAndPatternAndListsTheChosenFileOnce) {
    TestOrdner ort;
    Schreiben(ort / L"a.csv", "");
    Fenster<TkivFileKeyComboBox> f;
    EXPECT_EQ(f.box->kivDlgJoker(), L"*.*");
    EXPECT_EQ(f.box->kivDlgCaption(), L"Datei öffnen");
    f.box->SetkivDlgJoker(L".csv");
    f.box->SetkivDlgCaption(L"Liste laden");
    f.box->SetFileName(ort / L"a.csv");
    String titel, filter, ordner;
    {
        DialogFahrer fahrer({[&](HWND d) {
            titel = DialogTitel(d);
            filter = DialogFilter(d);
            ordner = DialogOrdner(d);
            DialogKnopf(d, IDCANCEL);
        }});
        f.Knopf();
    }
    EXPECT_EQ(titel, L"Liste laden");
    EXPECT_EQ(filter, L"*.csv");
    EXPECT_EQ(ordner, Ohne(ort.Pfad()));
    EXPECT_EQ(f.box->Items().Count(), 1);
    EXPECT_EQ(f.changes, 0);

    for (const wchar_t* gewaehlt : {L"b.csv", L"a.csv", L"b.csv"}) {
        DialogFahrer fahrer({[&](HWND d) {
            DialogNameSetzen(d, ort / gewaehlt);
            DialogKnopf(d, IDOK);
        }});
        f.Knopf();
        EXPECT_EQ(f.box->FileName(), ort / gewaehlt);
    }
    EXPECT_EQ(f.box->Items().ToVector(), (Texte{ort / L"a.csv", ort / L"b.csv"}));
    EXPECT_EQ(f.changes, 3);
}
