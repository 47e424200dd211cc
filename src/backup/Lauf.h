#pragma once
// What every run over the selection shares, the backup and its verification alike: the window's
// turn about every 100 ms, the cancel, the files passed over because of an error, the notes, the
// end written once (also when the session ends in the middle), and the log line.
#include "backup/Dateiauswahl.h"
#include "util/Basis.h"

#include <functional>

class TLauf {
public:
    // `auflistung` receives the listing of one folder at a time (the window's holder); not owned.
    TLauf(SicherungsListen listen, TStrings* auflistung);
    virtual ~TLauf() = default;

    std::function<void()> Zwischendurch;     // lets the window handle its messages
    std::function<bool()> AbbruchGewuenscht; // asked between files, entries and buffers
    // A file or folder left out because of an error (its copy cannot be made, its source or
    // folder cannot be read), named with the reason; the run goes on.
    std::function<void(const String& meldung)> OnUebersprungen;
    // A note that is no error: "Nicht gefunden: <line>" for a listed line that is not there on
    // this computer.
    std::function<void(const String& meldung)> OnHinweis;
    String LogDatei;

    // The run stops where it is and writes its end now: the session is ending and the process
    // may be gone before the run could unwind. The run, when it returns, writes nothing more.
    void SofortBeenden();

    // Files the run dealt with: copied by the backup, compared by the verification.
    int Anzahl() const { return anzahl_; }
    bool Abgebrochen() const { return abgebrochen_; }
    // Files and folders skipped because of an error (a copy or folder that could not be made, an
    // unreadable source or folder).
    int Fehler() const { return fehler_; }

    static String LogZeile(TDateTime zeitpunkt, const String& zusammenfassung);

protected:
    // The summary and the log line of the run.
    virtual void EndeSchreiben() = 0;

    void Beginnen();
    void Abschliessen();
    bool Weiter();
    void Uebersprungen(const String& meldung);
    void Unlesbar(const wchar_t* art, const String& pfad, unsigned long fehler);
    // Appends the run's line to the log: the text, then how many errors and whether cancelled.
    void Protokollieren(const String& text);

    TDateiauswahl auswahl_;
    int anzahl_ = 0;
    int fehler_ = 0;
    bool abgebrochen_ = false;

private:
    bool abgeschlossen_ = false;
    unsigned long long letzteRunde_ = 0;
};
