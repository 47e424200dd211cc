#pragma once
// Which files a run considers and where each one's copy lies: the settings file when it is due,
// every single file, every file below every folder, in this order; blank lines, the extension
// list, the blacklist, paths that would lead out of the target, and the target's own folder are
// left out. Everything that looks at a backup walks this one selection, so that the backup and a
// check of it consider exactly the same files.
#include "util/Basis.h"

#include <functional>
#include <windows.h>

class TStrings;

struct SicherungsListen {
    String ziel; // the target folder text, normally ending in "\"
    const TStrings* einzeldateien = nullptr;
    const TStrings* verzeichnisse = nullptr;
    const TStrings* erweiterungen = nullptr; // extensions with their dot, left out
    const TStrings* blacklist = nullptr;     // a target path containing one of these is left out
};

// One selected file.
struct TAuswahlDatei {
    String quelle;
    String kopie; // the target folder text followed by the source's path after its first ":"
    // The last-write time the folder's listing gave (ZeitZuAlter), where it can stand for the
    // file's own; null for single files and links.
    const TDateTime* gelistet = nullptr;
};

class TDateiauswahl {
public:
    // `auflistung` receives the listing of one folder at a time (the window's holder); not owned.
    TDateiauswahl(SicherungsListen listen, TStrings* auflistung);

    // Asked between files and listed entries; false stops the walk.
    std::function<bool()> Weiter;
    // A listed line (single file or folder) that is not there on this computer.
    std::function<void(const String& zeile)> OnNichtGefunden;
    // A folder that is there but cannot be listed, or whose listing broke off.
    std::function<void(const String& ordner, DWORD fehler)> OnUnlesbar;

    // Called for each selected file; returns whether the file counts (for a backup: was copied).
    using Datei = std::function<bool(const TAuswahlDatei&)>;

    // The whole selection in its order; `einstellungen`, when not empty, is the settings file
    // that comes first. Returns how many files counted.
    int Alle(const String& einstellungen, const Datei& datei);
    // One single file (a line of the list, or the settings file), its copy below `ziel`.
    int Einzeldatei(const String& quelle, const String& ziel, const Datei& datei);
    // Every file below one folder, its copies below `ziel`; the target itself is never entered.
    int Verzeichnis(const String& verzeichnis, const String& ziel, const Datei& datei);

    // The extension list or the blacklist leaves the copy's path out.
    bool Ausgeschlossen(const String& kopie) const;
    // False when the part of the source mirrored below the target would lead out of it.
    static bool BleibtImZiel(const String& teil);

    const SicherungsListen& Listen() const { return listen_; }

private:
    bool WeiterGehen() const { return !Weiter || Weiter(); }
    String Nachschlagen(const String& zeile, DWORD& attribute) const;
    String Gefunden(const String& zeile, DWORD& attribute) const;

    SicherungsListen listen_;
    TStrings* auflistung_;
};
