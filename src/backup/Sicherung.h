#pragma once
// One backup run on lists handed to it: the settings file when it changed, every single file,
// every file below every folder; each copied file is reported, the run is summarised and logged.
// A file that cannot be copied is reported and the run goes on; only an error of the target
// medium as a whole ends it.
#include "backup/Lauf.h"

#include <unordered_set>
#include <vector>

class TSicherung : public TLauf {
public:
    // `auflistung` receives the listing of one folder at a time (the window's holder); not owned.
    TSicherung(SicherungsListen listen, TStrings* auflistung);

    std::function<void(const String& zeile)> OnStatus; // one line on the status list
    std::function<bool()> EinstellungenGeaendert;      // true when the settings changed
    std::function<String()> EinstellungenSpeichern;    // saves them and names the file to back up
    std::function<void()> OnLaufEnde;                  // after the summary, before the log line

    void SicherungAusfuehren();
    int EinzeldateiSichern(const String& quelle, const String& ziel);
    bool DateiSichern(const String& quelle, const String& zielPfad, const TDateTime* gelistet = nullptr);
    int VerzeichnisSichern(const String& verzeichnis, const String& ziel);

    static String Zusammenfassung(int anzahl);
    static bool BleibtImZiel(const String& teil) { return TDateiauswahl::BleibtImZiel(teil); }
    // Whether an error on the copy's side concerns the target medium as a whole, so that going on
    // would fail once for every file left; `zielDa`: the target folder is still there.
    static bool BeendetDenLauf(unsigned long fehler, bool zielDa);
    // The message box after a run that left files out: at most 20 of the messages, then how many
    // more there are.
    static String NichtGesichert(const std::vector<String>& meldungen);

protected:
    void EndeSchreiben() override;

private:
    void Status(const String& zeile);
    bool Sichern(const TAuswahlDatei& datei);
    bool OrdnerErstellen(const String& kopie);
    bool OhneAlteKopie(const String& kopie);

    // The copies' folder this run made last, as the run spells it, and the names (in capitals)
    // that went into it since: while the run stays in that folder, any other name has no copy
    // yet, so no copy's age needs asking for. Empty once the run left the folder (another
    // spelling of the same folder counts as leaving it, which only costs the look-ups).
    String neuerOrdner_;
    std::unordered_set<String> neueNamen_;
};
