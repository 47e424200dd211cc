#pragma once
// One backup run on lists handed to it: the settings file when it changed, every single file,
// every file below every folder; each copied file is reported, the run is summarised and logged.
// A file that cannot be copied is reported and the run goes on; only an error of the target
// medium as a whole ends it.
#include "backup/Dateiauswahl.h"
#include "util/Basis.h"

#include <functional>
#include <vector>

class TStrings;

class TSicherung {
public:
    // `auflistung` receives the listing of one folder at a time (the window's holder); not owned.
    TSicherung(SicherungsListen listen, TStrings* auflistung);

    std::function<void(const String& zeile)> OnStatus; // one line on the status list
    std::function<bool()> EinstellungenGeaendert;      // true when the settings changed
    std::function<String()> EinstellungenSpeichern;    // saves them and names the file to back up
    std::function<void()> OnLaufEnde;                  // after the summary, before the log line
    std::function<void()> Zwischendurch;               // lets the window handle its messages
    std::function<bool()> AbbruchGewuenscht;           // asked between files, entries and buffers
    // A file or folder left out because of an error (its copy cannot be made, its source or
    // folder cannot be read), named with the reason; the run goes on.
    std::function<void(const String& meldung)> OnUebersprungen;
    // A note that is no error: "Nicht gefunden: <line>" for a listed line that is not there on
    // this computer.
    std::function<void(const String& meldung)> OnHinweis;
    String LogDatei;

    void SicherungAusfuehren();
    // The run stops where it is and writes its end now: the session is ending and the process
    // may be gone before the run could unwind. The run, when it returns, writes nothing more.
    void SofortBeenden();
    int EinzeldateiSichern(const String& quelle, const String& ziel);
    bool DateiSichern(const String& quelle, const String& zielPfad, const TDateTime* gelistet = nullptr);
    int VerzeichnisSichern(const String& verzeichnis, const String& ziel);

    int Anzahl() const { return anzahl_; }
    bool Abgebrochen() const { return abgebrochen_; }
    // Files and folders skipped because of an error (a copy or folder that could not be made, an
    // unreadable source or folder).
    int Fehler() const { return fehler_; }

    static String Zusammenfassung(int anzahl);
    static String LogZeile(TDateTime zeitpunkt, const String& zusammenfassung);
    static bool BleibtImZiel(const String& teil) { return TDateiauswahl::BleibtImZiel(teil); }
    // Whether an error on the copy's side concerns the target medium as a whole, so that going on
    // would fail once for every file left; `zielDa`: the target folder is still there.
    static bool BeendetDenLauf(unsigned long fehler, bool zielDa);
    // The message box after a run that left files out: at most 20 of the messages, then how many
    // more there are.
    static String NichtGesichert(const std::vector<String>& meldungen);

private:
    void Status(const String& zeile);
    void Unlesbar(const wchar_t* art, const String& pfad, unsigned long fehler);
    void Uebersprungen(const String& meldung);
    bool Sichern(const TAuswahlDatei& datei);
    bool Weiter();
    void Abschliessen();

    TDateiauswahl auswahl_;
    int anzahl_ = 0;
    int fehler_ = 0;
    bool abgebrochen_ = false;
    bool abgeschlossen_ = false;
    unsigned long long letzteRunde_ = 0;
};
