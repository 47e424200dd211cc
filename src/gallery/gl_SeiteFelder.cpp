// The page of the buttoned edits, the switchable group box and the colour buttons.
#include "framework/kv7_ColorButton.h"
#include "framework/kv7_Groupbox.h"
#include "framework/qelButtonEdit.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "gallery/gl_Seiten.h"
#include "sys/Dateien.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/StdCtrls.h"

#include <memory>

namespace {

constexpr int kGespeichert = 99; // the gallery's store takes this Tag

template <class T> T* Neu(Tgl_Main& f, TWinControl* parent, const wchar_t* name, int x, int y, int w, int h) {
    auto* c = new T(&f);
    c->SetName(name);
    c->SetTag(kGespeichert);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

// A label beside an edit that says whether the named file or folder is there.
template <class Edit> void Vorhanden(Edit* edit, TLabel* label, bool ordner) {
    edit->OnChange = [edit, label, ordner](TComponent*) {
        String pfad = edit->Text();
        bool da = ordner ? VerzeichnisExistiert(pfad, false) : DateiExistiert(pfad, false);
        label->SetCaption(pfad.empty() ? L"" : da ? L"vorhanden" : L"nicht vorhanden");
    };
}

TLabel* Mehrzeilig(TLabel* label, int breite, int hoehe) {
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetBounds(label->Left(), label->Top(), breite, hoehe);
    return label;
}

String Hex(TColor farbe) {
    wchar_t text[8];
    swprintf(text, 8, L"%06lX", static_cast<unsigned long>(ColorToRGB(farbe)));
    return text;
}

void DateiFelder(Tgl_Main& f, TqelWizardPage* seite, int oben) {
    f.Beschriftung(seite, L"Datei:", 12, oben + 3);
    auto* datei = Neu<TqelFileEdit>(f, seite, L"ed_Datei", 100, oben, 340, 21);
    datei->Dialog()->SetFilter(L"Alle Dateien (*.*)|*.*|Textdateien (*.txt)|*.txt");
    datei->Dialog()->SetTitle(L"Datei wählen");
    Vorhanden(datei, f.Beschriftung(seite, L"", 450, oben + 3), false);

    f.Beschriftung(seite, L"Verzeichnis:", 12, oben + 31);
    auto* ordner = Neu<TqelDirectoryEdit>(f, seite, L"ed_Verzeichnis", 100, oben + 28, 340, 21);
    ordner->Dialog().SetCaption(L"Wählen Sie ein Verzeichnis.");
    Vorhanden(ordner, f.Beschriftung(seite, L"", 450, oben + 31), true);
}

// The filter group holds an edit, a check box, a plain group box with a combo box, and a
// switchable group of its own with a directory edit; a label reports both switches.
void Schaltergruppe(Tgl_Main& f, TqelWizardPage* seite, int oben) {
    auto* filter = Neu<Tkiv_Groupbox>(f, seite, L"gb_Filter", 12, oben, 430, 166);
    filter->SetCaption(L"Filter anwenden");
    f.Beschriftung(filter, L"Muster:", 10, 27);
    Neu<TEdit>(f, filter, L"ed_Muster", 60, 24, 120, 21)->SetText(L"*.txt");
    Neu<TCheckBox>(f, filter, L"cb_Unterordner", 10, 54, 170, 17)->SetCaption(L"Unterordner einbeziehen");
    auto* alter = Neu<TGroupBox>(f, filter, L"gr_Alter", 10, 80, 180, 74);
    alter->SetCaption(L"Alter");
    auto* zeitraum = Neu<TComboBox>(f, alter, L"co_Alter", 10, 28, 156, 21);
    zeitraum->SetStyle(csDropDownList);
    zeitraum->Items().SetText(L"beliebig\r\nletzte Woche\r\nletzter Monat\r\nletztes Jahr");
    zeitraum->SetItemIndex(0);

    auto* unterhalb = Neu<Tkiv_Groupbox>(f, filter, L"gb_Unterhalb", 200, 24, 220, 130);
    unterhalb->SetCaption(L"Nur unterhalb von");
    Neu<TqelDirectoryEdit>(f, unterhalb, L"ed_Unterhalb", 10, 28, 200, 21);
    f.Beschriftung(unterhalb, L"Der Ordner, unter dem gesucht wird.", 10, 58);

    TLabel* stand = Mehrzeilig(f.Beschriftung(seite, L"", 450, oben + 8), 170, 48);
    auto klicks = std::make_shared<int>(0);
    auto zeigen = [=] {
        stand->SetCaption(String(L"Filter: ") + (filter->AllEnabled() ? L"an" : L"aus") + L"\r\nUnterhalb: " +
                          (unterhalb->AllEnabled() ? L"an" : L"aus") + L"\r\nOnAfterClick: " +
                          std::to_wstring(*klicks) + L"-mal");
    };
    auto melden = [=](TComponent*) {
        ++*klicks;
        zeigen();
    };
    filter->OnAfterClick = melden;
    unterhalb->OnAfterClick = melden;
    zeigen();
}

// Two colour buttons and a sample that shows text in the one colour on the other; both dialogs
// share their custom colours.
void Farbknoepfe(Tgl_Main& f, TqelWizardPage* seite, int oben) {
    f.Beschriftung(seite, L"Farben:", 12, oben + 5);
    auto* hintergrund = Neu<TkivColorButton>(f, seite, L"fb_Hintergrund", 100, oben, 100, 25);
    hintergrund->SetCaption(L"Hintergrund");
    hintergrund->SetColor(0x804020);
    auto* schrift = Neu<TkivColorButton>(f, seite, L"fb_Schrift", 210, oben, 100, 25);
    schrift->SetCaption(L"Schrift");
    schrift->SetColor(0xA0F0FF);
    Mehrzeilig(f.Beschriftung(seite,
                              L"Eigene Farben, die Sie in einem der beiden Dialoge anlegen, bietet auch "
                              L"der andere an.",
                              320, oben + 2),
               300, 30);

    auto* probe = new TPaintBox(&f);
    probe->SetName(L"pb_Probe");
    probe->SetParent(seite);
    probe->SetBounds(100, oben + 32, 210, 40);
    probe->OnPaint = [=](TComponent*) {
        TCanvas& c = probe->Canvas();
        c.Brush().SetColor(hintergrund->Color());
        c.FillRect(probe->ClientRect());
        c.Font().SetColor(schrift->Color());
        c.Brush().SetStyle(bsClear);
        String text = L"Beispieltext " + Hex(hintergrund->Color()) + L" / " + Hex(schrift->Color());
        c.TextRect(probe->ClientRect(), 8, (40 - c.TextHeight(text)) / 2, text);
        c.Brush().SetStyle(bsSolid);
    };
    hintergrund->OnColorChanged = [=](TComponent*) { probe->Repaint(); };
    schrift->OnColorChanged = [=](TComponent*) { probe->Repaint(); };
}

} // namespace

void FelderSeite(Tgl_Main& f) {
    TqelWizardPage* seite = f.NeueSeite(
        L"wz_Felder", L"Datei- und Ordnerfelder, Schaltergruppe, Farbknöpfe",
        L"Der Knopf am Feld öffnet die Dateiauswahl oder die Ordnerauswahl. Das Häkchen der Gruppe schaltet "
        L"alles in ihr ein und aus. Ein Farbknopf zeigt seine Farbe und öffnet die Farbauswahl.");
    const int oben = Tgl_Main::SeitenInhaltOben + 4;
    DateiFelder(f, seite, oben);
    Schaltergruppe(f, seite, oben + 62);
    Farbknoepfe(f, seite, oben + 240);
}
