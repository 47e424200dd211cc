#include "sys/Auswahl.h"

#include "toolkit/StdCtrls.h"

#include "sys/Dateien.h"
#include "sys/Meldungen.h"
#include "toolkit/Dialogs.h"

#include <cderr.h>
#include "util/kv7_str.h"

namespace {

String BisLetztemBackslash(const String& pfad) {
    size_t p = pfad.rfind(L'\\');
    return p == String::npos ? String() : pfad.substr(0, p + 1);
}

// One filter entry whose description is the mask itself; the proposed name is the file name.
void Vorbereiten(TOpenDialog& dialog, const String& maske, const String& vorschlag) {
    dialog.SetFilter(maske + L"|" + maske);
    dialog.SetFileName(vorschlag);
}

} // namespace

String AuswahlFehlerText(unsigned long fehler) {
    String grund;
    switch (fehler) {
    case FNERR_INVALIDFILENAME:
        grund = L"Der vorgeschlagene Name oder Ordner ist ungültig.";
        break;
    case FNERR_BUFFERTOOSMALL:
        grund = L"Der Name ist zu lang.";
        break;
    case CDERR_MEMALLOCFAILURE:
    case CDERR_MEMLOCKFAILURE:
    case FNERR_SUBCLASSFAILURE:
        grund = L"Es ist nicht genug Speicher frei.";
        break;
    default:
        grund = Format(L"Fehlercode 0x%04lX.", fehler);
        break;
    }
    return L"Das Auswahlfenster konnte nicht geöffnet werden.\r" + grund;
}

bool AuswahlAusfuehren(TCommonDialog& dialog) {
    if (dialog.Execute()) return true;
    if (dialog.LastError() != 0) FehlerMeldung(AuswahlFehlerText(dialog.LastError()));
    return false;
}

bool VerzeichnisWaehlen(String& verzeichnis, const String& maske) {
    // Without the backslash the pseudo name would land in the parent folder.
    String ordner = MitBackslash(verzeichnis);
    TOpenDialog dialog(nullptr);
    Vorbereiten(dialog, maske, ordner + L"Verzeichnis wählen");
    dialog.SetInitialDir(ordner);
    if (!AuswahlAusfuehren(dialog)) return false;
    verzeichnis = BisLetztemBackslash(dialog.FileName());
    return true;
}

bool DateiWaehlen(const String& titel, String& datei, const String& maske) {
    String maske2 = MaskeMitStern(maske);
    TOpenDialog dialog(nullptr);
    Vorbereiten(dialog, maske2, datei);
    dialog.SetTitle(titel);
    // The dialog wants the default extension without its dot, and a wildcard is no extension.
    size_t punkt = maske2.rfind(L'.');
    if (punkt != String::npos) {
        String erweiterung = maske2.substr(punkt + 1);
        if (erweiterung.find_first_of(L"*?;") == String::npos) dialog.SetDefaultExt(erweiterung);
    }
    String ordner = BisLetztemBackslash(datei);
    if (!ordner.empty() && VerzeichnisExistiert(ordner, false)) dialog.SetInitialDir(ordner);
    if (!AuswahlAusfuehren(dialog)) return false;
    datei = dialog.FileName();
    return true;
}

String MaskeMitStern(const String& maske) {
    return !maske.empty() && maske[0] == L'.' ? L"*" + maske : maske;
}

void EditBreiteAnpassen(TCustomEdit* edit, int rechterRand) {
    if (!edit || !edit->Parent()) return;
    if (rechterRand < 0) rechterRand = edit->Left();
    edit->SetWidth(edit->Parent()->ClientWidth() - edit->Left() - rechterRand);
}
