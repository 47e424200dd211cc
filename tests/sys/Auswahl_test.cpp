#include "sys/Auswahl.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "DialogFahrer.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

#include <cderr.h>

namespace {
String Ohne(const String& ordner) {
    return ordner.substr(0, ordner.size() - 1);
}
} // namespace

TEST(VerzeichnisWaehlen, OpensInTheFolderWithThePseudoNameAndConfirmsIt) {
    TestOrdner ort;
    // Given without its trailing backslash, the folder still opens as itself.
    for (String f : {ort.Pfad(), Ohne(ort.Pfad())}) {
        String name, ordner;
        DialogFahrer fahrer({[&](HWND d) {
            name = DialogName(d);
            ordner = DialogOrdner(d);
            DialogKnopf(d, IDOK);
        }});
        EXPECT_TRUE(VerzeichnisWaehlen(f));
        EXPECT_EQ(name, L"Verzeichnis wählen");
        EXPECT_EQ(ordner, Ohne(ort.Pfad()));
        EXPECT_EQ(f, ort.Pfad());
        EXPECT_FALSE(fahrer.Abgebrochen());
    }
}

TEST(VerzeichnisWaehlen, NavigatingIntoASubFolderChoosesIt) {
    TestOrdner ort;
    OrdnerAnlegen(ort / L"Briefe");
    String ordner;
    DialogFahrer fahrer({[&](HWND d) {
                             DialogNameSetzen(d, ort / L"Briefe");
                             DialogKnopf(d, IDOK);
                         },
                         [&](HWND d) {
                             ordner = DialogOrdner(d);
                             DialogNameSetzen(d, L"Verzeichnis wählen");
                             DialogKnopf(d, IDOK);
                         }});
    String f = ort.Pfad();
    EXPECT_TRUE(VerzeichnisWaehlen(f));
    EXPECT_EQ(ordner, ort / L"Briefe");
    EXPECT_EQ(f, ort / L"Briefe\\");
    EXPECT_FALSE(fahrer.Abgebrochen());
}

TEST(VerzeichnisWaehlen, CancelLeavesTheFolderAlone) {
    TestOrdner ort;
    DialogFahrer fahrer({[](HWND d) { DialogKnopf(d, IDCANCEL); }});
    String f = ort.Pfad();
    EXPECT_FALSE(VerzeichnisWaehlen(f));
    EXPECT_EQ(f, ort.Pfad());
    EXPECT_EQ(fahrer.Gelaufen(), 1u);
}

TEST(DateiWaehlen, TitleFilterFromTheMaskAndTheFilesFolder) {
    TestOrdner ort;
    Schreiben(ort / L"b.ini", "");
    String titel, filter, ordner, name;
    DialogFahrer fahrer({[&](HWND d) {
        titel = DialogTitel(d);
        filter = DialogFilter(d);
        ordner = DialogOrdner(d);
        name = DialogName(d);
        DialogNameSetzen(d, L"b");
        DialogKnopf(d, IDOK);
    }});
    String datei = ort / L"a.ini";
    EXPECT_TRUE(DateiWaehlen(L"Einstellungen laden", datei, L".ini"));
    EXPECT_EQ(titel, L"Einstellungen laden");
    EXPECT_EQ(filter, L"*.ini");
    EXPECT_EQ(ordner, Ohne(ort.Pfad()));
    EXPECT_NE(name.find(L"a.ini"), String::npos);
    // Wine adds the default extension in an open dialog only when that file exists; Windows always.
    EXPECT_EQ(datei, ort / L"b.ini") << "the mask's extension is the default one";
}

TEST(DateiWaehlen, FileInAMissingFolderOpensElsewhereAndCancelKeepsThePath) {
    TestOrdner ort;
    String ordner;
    DialogFahrer fahrer({[&](HWND d) {
        ordner = DialogOrdner(d);
        DialogKnopf(d, IDCANCEL);
    }});
    String datei = ort / L"fehlt\\a.txt";
    EXPECT_FALSE(DateiWaehlen(L"", datei, L"*.txt"));
    EXPECT_EQ(fahrer.Gelaufen(), 1u) << "the dialog opened";
    EXPECT_NE(ordner, ort / L"fehlt");
    EXPECT_EQ(datei, ort / L"fehlt\\a.txt");
}

// A dialog that does not open (here: asked for a template that is not there) is no cancel: an
// error message says why.
TEST(AuswahlAusfuehren, ADialogThatFailsToOpenSaysSo) {
    TColorDialog dialog(nullptr);
    dialog.SetOptions(CC_ENABLETEMPLATE);
    std::vector<MessageBoxArgs> boxen;
    auto alt = SetMessageBoxCapture([&](const MessageBoxArgs& a) {
        boxen.push_back(a);
        return IDOK;
    });
    EXPECT_FALSE(AuswahlAusfuehren(dialog));
    SetMessageBoxCapture(alt);
    ASSERT_EQ(boxen.size(), 1u);
    EXPECT_NE(dialog.LastError(), 0u);
    EXPECT_EQ(boxen[0].text.rfind(L"Das Auswahlfenster konnte nicht geöffnet werden.\r", 0), 0u);
    EXPECT_EQ(boxen[0].icon, static_cast<UINT>(MB_ICONERROR));
}

// Why a dialog did not open, as the error message says it.
TEST(AuswahlFehlerText, NamesTheReasonOrTheCode) {
    EXPECT_EQ(AuswahlFehlerText(FNERR_INVALIDFILENAME),
              L"Das Auswahlfenster konnte nicht geöffnet werden.\rDer vorgeschlagene Name oder Ordner ist ungültig.");
    EXPECT_EQ(AuswahlFehlerText(CDERR_FINDRESFAILURE),
              L"Das Auswahlfenster konnte nicht geöffnet werden.\rFehlercode 0x0006.");
}

TEST(DateiWaehlen, MaskMayComeWithoutTheStar) {
    EXPECT_EQ(MaskeMitStern(L".ini"), L"*.ini");
    EXPECT_EQ(MaskeMitStern(L"*.ini"), L"*.ini");
    EXPECT_EQ(MaskeMitStern(L""), L"");
    EXPECT_EQ(MaskeMitStern(L"a.ini"), L"a.ini");
}

TEST(EditBreiteAnpassen, EqualGapsOrTheGivenRightMargin) {
    TForm form(nullptr);
    form.SetClientWidth(545);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetBounds(8, 20, 100, 21);
    EditBreiteAnpassen(edit);
    EXPECT_EQ(edit->Width(), 529);
    EditBreiteAnpassen(edit, 20);
    EXPECT_EQ(edit->Width(), 517);
}
