#include "backup/Lauf.h"

#include "sys/Dateien.h"
#include "sys/Dateizeit.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_date.h"

#include <windows.h>

TLauf::TLauf(SicherungsListen listen, TStrings* auflistung) : auswahl_(std::move(listen), auflistung) {
    auswahl_.Weiter = [this] { return Weiter(); };
    auswahl_.OnNichtGefunden = [this](const String& zeile) {
        if (OnHinweis) OnHinweis(L"Nicht gefunden: " + zeile);
    };
    auswahl_.OnUnlesbar = [this](const String& ordner, DWORD fehler) {
        Unlesbar(L"Verzeichnis", ordner, fehler);
    };
}

String TLauf::LogZeile(TDateTime zeitpunkt, const String& zusammenfassung) {
    return DatumZeitZuText(zeitpunkt) + L" | " + zusammenfassung;
}

void TLauf::Beginnen() {
    anzahl_ = 0;
    fehler_ = 0;
    abgebrochen_ = false;
    abgeschlossen_ = false;
    letzteRunde_ = GetTickCount64();
    DateizeitenNeuLesen();
}

// Between files, listed entries and buffers: about every 100 ms the window may handle its
// messages, and a cancel stops the run there.
bool TLauf::Weiter() {
    if (Zwischendurch) {
        unsigned long long jetzt = GetTickCount64();
        if (jetzt - letzteRunde_ >= 100) {
            letzteRunde_ = jetzt;
            Zwischendurch();
        }
    }
    if (!abgebrochen_ && AbbruchGewuenscht && AbbruchGewuenscht()) abgebrochen_ = true;
    return !abgebrochen_;
}

// Counted as an error: the run must not pass for complete.
void TLauf::Uebersprungen(const String& meldung) {
    ++fehler_;
    if (OnUebersprungen) OnUebersprungen(meldung);
}

void TLauf::Unlesbar(const wchar_t* art, const String& pfad, unsigned long fehler) {
    Uebersprungen(Format(L"%s \"%s\" kann nicht gelesen werden. %s", art, pfad.c_str(),
                         SystemFehlerText(fehler).c_str()));
}

void TLauf::SofortBeenden() {
    abgebrochen_ = true;
    Abschliessen();
}

void TLauf::Abschliessen() {
    if (abgeschlossen_) return;
    abgeschlossen_ = true;
    EndeSchreiben();
}

void TLauf::Protokollieren(const String& text) {
    if (!LogDatei.empty())
        ZeileAnhaengen(LogDatei, LogZeile(ProgramNow(), text) +
                                     (fehler_ ? Format(L" (%d Fehler)", fehler_) : String()) +
                                     (abgebrochen_ ? L" (abgebrochen)" : L""));
}
