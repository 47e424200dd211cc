#pragma once
// One backup run on lists handed to it: the settings file when it changed, every single file,
// every file below every folder; each copied file is reported, the run is summarised and logged.
#include "util/Basis.h"

#include <functional>

class TStrings;

struct SicherungsListen {
    String ziel; // the target folder text, normally ending in "\"
    const TStrings* einzeldateien = nullptr;
    const TStrings* verzeichnisse = nullptr;
    const TStrings* erweiterungen = nullptr; // extensions with their dot, left out
    const TStrings* blacklist = nullptr;     // a target path containing one of these is left out
};

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
    // A file left out because of an error that the rule passes over silently (a source that
    // cannot be opened, a folder that cannot be listed), with the reason.
    std::function<void(const String& meldung)> OnUebersprungen;
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
    // Files skipped because of an error (a folder that could not be created, an unreadable source
    // or folder).
    int Fehler() const { return fehler_; }

    static String Zusammenfassung(int anzahl);
    static String LogZeile(TDateTime zeitpunkt, const String& zusammenfassung);
    // False when the part of the source mirrored below the target would lead out of it.
    static bool BleibtImZiel(const String& teil);

private:
    void Status(const String& zeile);
    void Unlesbar(const wchar_t* art, const String& pfad, unsigned long fehler);
    bool Weiter();
    void Abschliessen();

    SicherungsListen listen_;
    TStrings* auflistung_;
    int anzahl_ = 0;
    int fehler_ = 0;
    bool abgebrochen_ = false;
    bool abgeschlossen_ = false;
    unsigned long long letzteRunde_ = 0;
};
