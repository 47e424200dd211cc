#include "settings/Einstellungsarten.h"
#include "settings/kv7_Parameter.h"
#include "toolkit/Forms.h"
#include "toolkit/StdCtrls.h"
#include "IniText.h"
#include "TestDateien.h"

#include <gtest/gtest.h>

namespace {
using Zeilen = std::vector<String>;

// An edit of a later layer that belongs to a row of its own as well as to the text boxes.
struct TTestOrdnerEdit : TEdit {
    using TEdit::TEdit;
};
struct TfoSpaeter : TForm {
    using TForm::TForm;
};

Zeilen aufrufe;

void Registrieren(TArtZeile zeile, const wchar_t* name) {
    EinstellungsartRegistrieren<TTestOrdnerEdit>(
        zeile,
        [name](TTestOrdnerEdit& e, const TEinstellungsZugriff& z) {
            aufrufe.push_back(String(name) + L" lädt " + z.TextLesen(e.Name(), L"?"));
        },
        [name](TTestOrdnerEdit& e, const TEinstellungsZugriff& z) {
            aufrufe.push_back(String(name) + L" speichert");
            z.TextSchreiben(e.Name() + L"_" + name, e.Text());
        });
}
} // namespace

TEST(Einstellungsarten, LaterKindsRunInRowOrderOnceForEveryRowTheyBelongTo) {
    Registrieren(TArtZeile::FileEdit, L"Datei");
    Registrieren(TArtZeile::DirectoryEdit, L"Ordner");
    EXPECT_TRUE(EinstellungsartVorhanden(TArtZeile::Edit));
    EXPECT_FALSE(EinstellungsartVorhanden(TArtZeile::DateEdit));

    TestOrdner t;
    auto* form = Application()->CreateForm<TfoSpaeter>();
    auto* par = new TkivParameter(form);
    par->SetDateiName(t / L"a.ini");
    par->SetTagExclusive(-1);
    auto* edit = new TTestOrdnerEdit(form);
    edit->SetName(L"ed_Ordner");
    edit->SetParent(form);
    edit->SetText(L"C:\\Daten\\");
    par->Speichern();
    EXPECT_EQ(aufrufe, (Zeilen{L"Ordner speichert", L"Datei speichert"}));
    EXPECT_EQ(IniZeilen(t / L"a.ini"),
              (Zeilen{L"[TfoSpaeter]", L"ed_Ordner=C:\\Daten\\", L"ed_Ordner_Ordner=C:\\Daten\\",
                      L"ed_Ordner_Datei=C:\\Daten\\"}));
    aufrufe.clear();
    edit->SetText(L"");
    par->Laden();
    EXPECT_EQ(aufrufe, (Zeilen{L"Ordner lädt C:\\Daten\\", L"Datei lädt C:\\Daten\\"}));
    EXPECT_EQ(edit->Text(), L"C:\\Daten\\");
    form->Free();
}
