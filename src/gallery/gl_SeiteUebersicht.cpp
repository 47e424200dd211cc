// The first page: what the gallery is and which pages follow.
#include "framework/qelWizard.h"
#include "gallery/gl_Main.h"
#include "gallery/gl_Seiten.h"
#include "sys/Ordner.h"
#include "toolkit/StdCtrls.h"

TLabel* UebersichtSeite(Tgl_Main& f) {
    TqelWizardPage* seite =
        f.NeueSeite(L"wz_Uebersicht", L"Bausteine",
                    L"Jede Seite zeigt eine Familie unserer Steuerelemente in Betrieb. Mit \"Weiter\" und "
                    L"\"Zurück\" blättern Sie zwischen den Seiten.");
    const int oben = Tgl_Main::SeitenInhaltOben;
    TLabel* datei = f.Beschriftung(
        seite,
        L"Was Sie auf den Seiten eingeben oder auswählen, wird beim Schließen in\r\n" +
            ProgrammDateiMitEndung(L".ini") + L"\r\ngespeichert und beim nächsten Start wiederhergestellt.",
        12, oben);
    datei->SetAutoSize(false);
    datei->SetWordWrap(true);
    datei->SetBounds(12, oben, 616, 48);

    TLabel* seiten = f.Beschriftung(seite, L"", 12, oben + 60);
    seiten->SetAutoSize(false);
    seiten->SetWordWrap(true);
    seiten->SetBounds(12, oben + 60, 616, 240);
    return seiten;
}
