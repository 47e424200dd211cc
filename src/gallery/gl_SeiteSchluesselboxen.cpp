// The keyed combo boxes at work: a label beside each box reports what it says and how often it
// raised OnChange.
#include "controls/kv7_DirectoryKeyComboBox.h"
#include "controls/kv7_FileKeyComboBox.h"
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "gallery/gl_Seiten.h"
#include "sys/Ordner.h"

#include <memory>

namespace {
constexpr int kZeilenHoehe = 46;

// A caption for row `zeile`; gives the top of the row's box, below it.
int Zeile(Tgl_Main& f, TWinControl* seite, int zeile, const String& text) {
    const int oben = Tgl_Main::SeitenInhaltOben + zeile * kZeilenHoehe;
    f.Beschriftung(seite, text, 12, oben);
    return oben + 15;
}

// Owned by the window and stored in Bausteine.ini.
template <class T> T* Box(Tgl_Main& f, TWinControl* seite, const wchar_t* name, int oben, int breite) {
    auto* box = new T(&f);
    box->SetName(name);
    box->SetTag(99);
    box->SetParent(seite);
    box->SetBounds(12, oben, breite, box->Height());
    return box;
}

// The label right of `neben` that counts the box's OnChange and says what `bericht` reads from it,
// after each change and once the settings came back.
void Anzeige(Tgl_Main& f, TWinControl* seite, TControl* neben, TkivKeyComboBox* box,
             std::function<String()> bericht) {
    TLabel* l = f.Beschriftung(seite, L"", neben->Left() + neben->Width() + 12, neben->Top() + 4);
    l->SetName(String(L"lb_") + neben->Name());
    auto changes = std::make_shared<int>(0);
    auto zeigen = [=] { l->SetCaption(L"OnChange: " + std::to_wstring(*changes) + L"    " + bericht()); };
    box->OnChange = [=](TComponent*) {
        ++*changes;
        zeigen();
    };
    f.NachDemLaden(zeigen);
    zeigen();
}

String Wert(const wchar_t* name, const String& wert) {
    return String(name) + L" = \"" + wert + L"\"";
}
} // namespace

void SchluesselboxenSeite(Tgl_Main& f) {
    TqelWizardPage* seite =
        f.NeueSeite(L"wz_Schluesselboxen", L"Auswahlboxen mit Schlüsseln",
                    L"Jeder Eintrag trägt einen verborgenen Schlüssel. Tippen Sie Anfangsbuchstaben, um zu "
                    L"einem Eintrag zu "
                    L"springen (Rücktaste: neu anfangen). Rechts steht, was die Box meldet.");

    auto* zahlung =
        Box<TkivKeyComboBox>(f, seite, L"cb_Zahlungsart",
                             Zeile(f, seite, 0, L"Zahlungsart: die Buchstaben suchen gemeinsam"), 200);
    zahlung->AddKeyIntNZ();
    for (const wchar_t* art : {L"Bar", L"Karte", L"Lastschrift", L"Überweisung", L"Scheck", L"Gutschein"})
        zahlung->AddKeyInt(zahlung->Items().Count(), art);
    zahlung->SetKey(L"");
    Anzeige(f, seite, zahlung, zahlung, [=] { return Wert(L"Key", zahlung->Key()); });

    auto* stadt = Box<TkivKeyComboBox>(
        f, seite, L"cb_Stadt", Zeile(f, seite, 1, L"Stadt: derselbe Buchstabe springt zur nächsten Stadt"),
        200);
    stadt->SetWraparound(true);
    stadt->SetErsterEintrag(L"(keine Stadt)");
    for (auto [kennzeichen, name] : {std::pair{L"B", L"Berlin"}, {L"BN", L"Bonn"},
                                     {L"HB", L"Bremen"},         {L"HH", L"Hamburg"},
                                     {L"H", L"Hannover"},        {L"K", L"Köln"},
                                     {L"M", L"München"},         {L"F", L"Frankfurt am Main"},
                                     {L"S", L"Stuttgart"},       {L"D", L"Düsseldorf"},
                                     {L"DO", L"Dortmund"},       {L"E", L"Essen"},
                                     {L"L", L"Leipzig"},         {L"DD", L"Dresden"},
                                     {L"N", L"Nürnberg"},        {L"DU", L"Duisburg"},
                                     {L"BO", L"Bochum"},         {L"W", L"Wuppertal"},
                                     {L"BI", L"Bielefeld"},      {L"MS", L"Münster"}})
        stadt->AddKey(kennzeichen, name);
    Anzeige(f, seite, stadt, stadt, [=] { return Wert(L"Key", stadt->Key()); });

    auto* dauer = Box<TkivKeyComboBox>(
        f, seite, L"cb_Dauer", Zeile(f, seite, 2, L"Dauer: Minuten als Schlüssel, als Stunden gezeigt"), 200);
    for (int minuten = 15; minuten <= 180; minuten += 15)
        dauer->AddKeyDplMinutenHH_MM(minuten);
    Anzeige(f, seite, dauer, dauer,
            [=] { return L"KeyAsInteger = " + std::to_wstring(dauer->KeyAsInteger()); });

    auto* betrag = Box<TkivKeyComboBox>(f, seite, L"cb_Betrag",
                                        Zeile(f, seite, 3, L"Beitrag: Beträge als Schlüssel"), 200);
    for (auto [zehntausendstel, text] : {std::pair{50000LL, L"5,00 € Schüler"},
                                         {125000LL, L"12,50 € ermäßigt"},
                                         {249900LL, L"24,99 € voll"}})
        betrag->AddKey(WaehrungText({zehntausendstel}), text);
    Anzeige(f, seite, betrag, betrag,
            [=] { return L"KeyAsCurrency = " + WaehrungText(betrag->KeyAsCurrency()); });

    // The lists of folders and files are stored with their entries; a first start offers a few.
    auto* ordner = Box<TkivDirectoryKeyComboBox>(
        f, seite, L"cb_Verzeichnis", Zeile(f, seite, 4, L"Verzeichnis: \"...\" wählt ein weiteres"), 300);
    ordner->SetkivPAR_Save_Keys(true);
    Anzeige(f, seite, ordner, ordner->KeyComboBox(), [=] { return Wert(L"Directory", ordner->Directory()); });
    auto* datei = Box<TkivFileKeyComboBox>(
        f, seite, L"cb_Datei", Zeile(f, seite, 5, L"Einstellungsdatei: \"...\" wählt eine weitere"), 300);
    datei->SetkivPAR_Save_Keys(true);
    datei->SetkivDlgJoker(L".ini");
    datei->SetkivDlgCaption(L"Einstellungsdatei wählen");
    Anzeige(f, seite, datei, datei->KeyComboBox(), [=] { return Wert(L"FileName", datei->FileName()); });
    f.NachDemLaden([=] {
        if (ordner->Items().Count() == 0)
            for (const String& o : {ProgrammVerzeichnis(), DokumenteOrdner(), WindowsOrdner()})
                if (!o.empty()) ordner->AddKey(o, o);
        if (datei->Items().Count() == 0)
            for (const String& d : {ProgrammDateiMitEndung(L".ini"), WindowsOrdner() + L"win.ini"})
                datei->AddKey(d, d);
    });
}
