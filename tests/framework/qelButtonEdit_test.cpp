#include "framework/qelButtonEdit.h"
#include "toolkit/Forms.h"
#include "toolkit/SysUtils.h"
#include "Bildschirmfoto.h"
#include "DialogFahrer.h"
#include "IniText.h"
#include "Speicherfenster.h"
#include "Steuerelemente6.h"
#include "TestDateien.h"
#include "WinInput.h"

#include <gtest/gtest.h>

#include <functional>
#include <commctrl.h>
#include <shlobj.h>

namespace {

// A shown window with one edit of the kind asked for.
template <class T> struct Fenster {
    Fenster() {
        form.SetBounds(80, 80, 320, 120);
        edit = new T(&form);
        edit->SetParent(&form);
        edit->SetBounds(10, 10, 220, 21);
        form.Show();
        Pump();
    }
    TForm form{nullptr};
    T* edit;
};

String Ohne(const String& ordner) {
    return ordner.substr(0, ordner.size() - 1);
}

// The pixel of the button image at x, y of the 16 x 16 picture, as the screen shows it after what
// was drawn last (nothing is drawn again for the picture).
COLORREF BildPunkt(HWND knopf, int x, int y) {
    Pump();
    GdiFlush();
    Sleep(100);
    Bild b = Aufnehmen(knopf);
    return b.At((b.width - 16) / 2 + x, (b.height - 16) / 2 + y);
}

// The text of the folder the browser's tree has selected.
String BaumAuswahl(HWND dialog) {
    HWND baum = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
    wchar_t text[MAX_PATH] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(baum, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(baum, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

// Asks the browser to select the folder until its tree, filled while the dialog settles, shows it.
void BaumWaehlen(HWND dialog, const String& pfad, const String& name) {
    for (int i = 0; i < 50 && BaumAuswahl(dialog) != name; ++i) {
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(pfad.c_str()));
        Sleep(20);
        Pump();
    }
    EXPECT_EQ(BaumAuswahl(dialog), name);
}

} // namespace

// The folder's body (3, 11) is yellow, grey when disabled, brighter while the mouse is over the
// button; the magenta corner shows the edit's own background.
TEST(TqelCustomButtonedEdit, TheButtonFollowsTheEditAndShowsItsStateImage) {
    Steuerelemente6 wieDieProgramme; // their edit draws over the button when it takes the focus
    ASSERT_TRUE(wieDieProgramme.Aktiv());
    Fenster<TqelDirectoryEdit> f;
    TEditButton* knopf = f.edit->RightButton();
    HWND wnd = knopf->Handle();
    const COLORREF gelb = RGB(255, 204, 51), grau = RGB(200, 200, 200), hell = RGB(255, 224, 110);
    struct Fall {
        const char* was;
        std::function<void()> tun;
        bool frei;
        COLORREF koerper;
    } faelle[] = {
        {"as created", [] {}, true, gelb},
        {"a click into the edit and a character",
         [&] {
             ::SetFocus(f.form.Handle());
             RECT r;
             GetWindowRect(f.edit->Handle(), &r);
             MouseToPoint(r.left + 20, (r.top + r.bottom) / 2);
             MouseClick();
             TypeChar(f.edit->Handle(), L'x');
         },
         true, gelb},
        {"edit disabled", [&] { f.edit->SetEnabled(false); }, false, grau},
        {"mouse over the disabled button", [&] { MouseTo(wnd); }, false, grau},
        {"edit enabled again", [&] { f.edit->SetEnabled(true); }, true, gelb},
        {"mouse moves on the button",
         [&] {
             MouseToPoint(0, 0);
             MouseTo(wnd);
         },
         true, hell},
        {"mouse gone", [&] { MouseAway([&] { return !knopf->Hot(); }); }, true, gelb},
    };
    for (const Fall& fall : faelle) {
        fall.tun();
        EXPECT_EQ(knopf->Enabled(), fall.frei) << fall.was;
        EXPECT_EQ(IsWindowEnabled(wnd) != FALSE, fall.frei) << fall.was;
        EXPECT_EQ(BildPunkt(wnd, 3, 11), fall.koerper) << fall.was;
        EXPECT_EQ(BildPunkt(wnd, 0, 0), GetSysColor(COLOR_WINDOW)) << fall.was;
    }
}

// The text keeps clear of the button, which sits at the edit's inner right end.
TEST(TqelCustomButtonedEdit, TheButtonSitsAtTheRightEndAndTheTextKeepsClear) {
    Fenster<TqelFileEdit> f;
    TEditButton* knopf = f.edit->RightButton();
    EXPECT_TRUE(knopf->Visible());
    EXPECT_FALSE(f.edit->LeftButton()->Visible());
    EXPECT_EQ(knopf->Left() + knopf->Width(), f.edit->ClientWidth());
    EXPECT_EQ(knopf->Height(), f.edit->ClientHeight());
    DWORD raender = static_cast<DWORD>(SendMessageW(f.edit->Handle(), EM_GETMARGINS, 0, 0));
    EXPECT_GT(HIWORD(raender), knopf->Width());
    EXPECT_LT(LOWORD(raender), 8);
    // A new font resets an edit's margins; the button's stays.
    f.edit->Font().SetHeight(-14);
    raender = static_cast<DWORD>(SendMessageW(f.edit->Handle(), EM_GETMARGINS, 0, 0));
    EXPECT_GT(HIWORD(raender), knopf->Width());
}

// Starting from the folder set before: an existing folder of the text takes over, a missing one
// or an empty text leave it. A file chosen earlier elsewhere does not pull the dialog back there.
TEST(TqelFileEdit, TheDialogOpensInTheFolderOfTheFileNamed) {
    TestOrdner ort;
    OrdnerAnlegen(ort / L"a");
    OrdnerAnlegen(ort / L"b");
    Fenster<TqelFileEdit> f;
    f.edit->Dialog()->SetInitialDir(ort / L"b\\");
    struct Fall {
        String text, ordner, initialDir;
    } faelle[] = {
        {ort / L"fehlt\\brief.txt", ort / L"b", ort / L"b\\"},
        {L"", ort / L"b", ort / L"b\\"},
        {ort / L"a\\brief.txt", ort / L"a", ort / L"a\\"},
        {ort / L"b\\brief.txt", ort / L"b", ort / L"b\\"},
    };
    for (const Fall& fall : faelle) {
        f.edit->SetText(fall.text);
        String ordner, name;
        DialogFahrer fahrer({[&](HWND d) {
            ordner = DialogOrdner(d);
            name = DialogName(d);
            DialogNameSetzen(d, L"gewählt.txt");
            DialogKnopf(d, IDOK);
        }});
        f.edit->ExecuteDialog();
        EXPECT_EQ(ordner, fall.ordner) << fall.text;
        EXPECT_EQ(name.find(L"brief"), String::npos) << "the name is not taken from the text";
        EXPECT_EQ(f.edit->Dialog()->InitialDir(), fall.initialDir) << fall.text;
        EXPECT_EQ(f.edit->Text(), fall.ordner + L"\\gewählt.txt") << fall.text;
    }
}

// Chosen with the mouse on the button; cancelling leaves the text.
TEST(TqelFileEdit, ChoosingSetsTheFullNameCancellingKeepsTheText) {
    TestOrdner ort;
    Schreiben(ort / L"da.ini", "");
    Fenster<TqelFileEdit> f;
    f.edit->SetText(ort / L"vorher.ini");
    MouseTo(f.edit->RightButton()->Handle());
    {
        DialogFahrer abbrechen({[](HWND d) { DialogKnopf(d, IDCANCEL); }});
        MouseClick();
        EXPECT_EQ(abbrechen.Gelaufen(), 1u) << "the click opened the dialog";
    }
    EXPECT_EQ(f.edit->Text(), ort / L"vorher.ini");
    {
        DialogFahrer waehlen({[](HWND d) {
            DialogNameSetzen(d, L"da.ini");
            DialogKnopf(d, IDOK);
        }});
        MouseClick();
    }
    EXPECT_EQ(f.edit->Text(), ort / L"da.ini");
    MouseToPoint(0, 0);
}

// Freed while the edit lives, the dialog comes back: of the same class, owned and named as
// before, with its settings fresh; it still opens.
TEST(TqelFileEdit, AFreedDialogIsMadeAgain) {
    Fenster<TqelFileEdit> f;
    TOpenDialog* alt = f.edit->Dialog();
    EXPECT_EQ(alt->Name(), L"OpenDialog");
    alt->SetTitle(L"Alt");
    int anzahl = f.edit->ComponentCount();
    alt->Free();
    TOpenDialog* neu = f.edit->Dialog();
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->ClassName(), L"TOpenDialog");
    EXPECT_EQ(neu->Name(), L"OpenDialog");
    EXPECT_EQ(neu->Owner(), f.edit);
    EXPECT_EQ(neu->Title(), L"");
    EXPECT_EQ(f.edit->ComponentCount(), anzahl);
    neu->SetTitle(L"Neu");
    String titel;
    DialogFahrer fahrer({[&](HWND d) {
        titel = DialogTitel(d);
        DialogKnopf(d, IDCANCEL);
    }});
    f.edit->ExecuteDialog();
    EXPECT_EQ(titel, L"Neu");
}

TEST(TqelDirectoryDlg, TheOptionsWriterAddsWhatTheShellRequires) {
    struct Fall {
        TBrowseOptions geschrieben, gelesen;
        UINT flags;
    } faelle[] = {
        {Opt(bifNewDialogStyle) | Opt(bifReturnOnlyFSDirs), Opt(bifNewDialogStyle) | Opt(bifReturnOnlyFSDirs),
         BIF_NEWDIALOGSTYLE | BIF_RETURNONLYFSDIRS},
        {Opt(bifBrowseIncludeURLS), Opt(bifBrowseIncludeURLS) | Opt(bifUseNewUI) | Opt(bifBrowseIncludeFiles),
         BIF_BROWSEINCLUDEURLS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX | BIF_BROWSEINCLUDEFILES},
        {Opt(bifShareable), Opt(bifShareable) | Opt(bifNewDialogStyle), BIF_SHAREABLE | BIF_NEWDIALOGSTYLE},
        {0, 0, 0},
        {Opt(bifBrowseForComputer) | Opt(bifValidate), Opt(bifBrowseForComputer) | Opt(bifValidate),
         BIF_BROWSEFORCOMPUTER | BIF_VALIDATE},
    };
    TqelDirectoryEdit edit(nullptr);
    EXPECT_EQ(edit.Dialog().Options(), Opt(bifNewDialogStyle) | Opt(bifReturnOnlyFSDirs));
    for (const Fall& fall : faelle) {
        TqelDirectoryDlg dlg;
        dlg.SetOptions(fall.geschrieben);
        EXPECT_EQ(dlg.Options(), fall.gelesen) << fall.geschrieben;
        EXPECT_EQ(dlg.ShellFlags(), fall.flags) << fall.geschrieben;
    }
    TqelDirectoryDlg andere;
    andere.SetCaption(L"Ordner wählen");
    andere.SetRootDir(L"C:\\");
    andere.SetOptions(Opt(bifEditBox));
    edit.SetDialog(andere);
    EXPECT_EQ(edit.Dialog().Caption(), L"Ordner wählen");
    EXPECT_EQ(edit.Dialog().RootDir(), L"C:\\");
    EXPECT_EQ(edit.Dialog().Options(), Opt(bifEditBox));
}

// While the browser is up the window is disabled and critical errors bring no box; both come
// back afterwards. The default options give the new-style browser (resizable) that takes file-system
// folders only. The chosen folder becomes the text; cancelling leaves it.
TEST(TqelDirectoryEdit, TheBrowserChoosesAFolderAndGivesTheWindowBack) {
    TestOrdner ort;
    OrdnerAnlegen(ort / L"Briefe");
    Fenster<TqelDirectoryEdit> f;
    f.edit->SetText(L"vorher");
    UINT modusVorher = GetErrorMode();
    {
        bool fensterFrei = true, neuerStil = false;
        UINT modusDabei = 0;
        DialogFahrer abbrechen({[&](HWND d) {
            fensterFrei = IsWindowEnabled(f.form.Handle()) != FALSE;
            modusDabei = GetErrorMode();
            neuerStil = (GetWindowLongW(d, GWL_STYLE) & WS_THICKFRAME) != 0;
            DialogKnopf(d, IDCANCEL);
        }});
        f.edit->ExecuteDialog();
        EXPECT_EQ(abbrechen.Gelaufen(), 1u);
        EXPECT_FALSE(fensterFrei);
        EXPECT_TRUE(modusDabei & SEM_FAILCRITICALERRORS);
        EXPECT_TRUE(neuerStil);
    }
    EXPECT_TRUE(IsWindowEnabled(f.form.Handle()));
    EXPECT_EQ(GetErrorMode(), modusVorher);
    EXPECT_EQ(f.edit->Text(), L"vorher");

    String gewaehlt = Ohne(ort / L"Briefe\\");
    bool okBeiComputer = true;
    {
        DialogFahrer waehlen({[&](HWND d) {
                                  LPITEMIDLIST computer = nullptr;
                                  SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer);
                                  SendMessageW(d, BFFM_SETSELECTIONW, FALSE,
                                               reinterpret_cast<LPARAM>(computer));
                                  okBeiComputer = IsWindowEnabled(GetDlgItem(d, IDOK)) != FALSE;
                                  CoTaskMemFree(computer);
                                  BaumWaehlen(d, gewaehlt, L"Briefe");
                              },
                              [](HWND d) { DialogKnopf(d, IDOK); }});
        f.edit->ExecuteDialog();
        EXPECT_FALSE(waehlen.Abgebrochen());
    }
    EXPECT_FALSE(okBeiComputer) << "the computer is no file-system folder";
    EXPECT_EQ(f.edit->Text(), gewaehlt + L"\\") << "a folder ends in a backslash";

}

// Both texts are kept; a restored file name also tells the file dialog where to open: its folder
// part, up to the last backslash, slash or drive colon, empty when there is none.
TEST(TqelButtonEdits, TextsAreKeptAndTheFileDialogStartsWhereTheFileLies) {
    TestOrdner t;
    const String datei = t / L"edits.ini";
    {
        TfoSpeicher a(nullptr, datei);
        a.Neu<TqelDirectoryEdit>(L"ed_Ordner")->SetText(L"C:\\Daten\\");
        a.Neu<TqelFileEdit>(L"ed_Datei")->SetText(L"C:\\Daten\\Brief.txt");
        a.par->Speichern();
    }
    EXPECT_EQ(IniZeilen(datei), (std::vector<String>{L"[TfoSpeicher]", L"ed_Ordner=C:\\Daten\\",
                                                     L"ed_Datei=C:\\Daten\\Brief.txt"}));
    struct Fall {
        const char* text;
        String initialDir;
    } faelle[] = {{"C:\\Daten\\Brief.txt", L"C:\\Daten\\"},
                  {"D:Brief.txt", L"D:"},
                  {"Brief.txt", L""},
                  {"C:/Daten/Brief.txt", L"C:/Daten/"}};
    for (const Fall& fall : faelle) {
        Schreiben(datei,
                  std::string("[TfoSpeicher]\r\ned_Ordner=E:\\Fotos\r\ned_Datei=") + fall.text + "\r\n");
        TfoSpeicher b(nullptr, datei);
        auto* ordner = b.Neu<TqelDirectoryEdit>(L"ed_Ordner");
        auto* dateiEdit = b.Neu<TqelFileEdit>(L"ed_Datei");
        dateiEdit->Dialog()->SetInitialDir(L"X:\\vorher\\");
        b.par->Laden();
        EXPECT_EQ(ordner->Text(), L"E:\\Fotos");
        EXPECT_EQ(NachUtf8(dateiEdit->Text()), fall.text);
        EXPECT_EQ(dateiEdit->Dialog()->InitialDir(), fall.initialDir) << fall.text;
    }
}
