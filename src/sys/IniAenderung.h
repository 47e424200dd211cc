#pragma once
// Changes of a settings file happen whole or not at all. A change works on a copy beside the file
// and puts the copy in the file's place in one step, so that a program reading the file meanwhile
// finds the old content or the new one, never half of it; a failure leaves the file as it was.
#include "util/Basis.h"

#include <functional>

struct TIniKopie;

class TqelIniAenderung {
public:
    // From here on this thread's reads and writes of `datei` go to a copy of it (for a missing
    // file, an empty UTF-16LE one). A change of this thread already open on the file is joined;
    // the outer one puts the copy in place. Raises the write error when no copy can be made.
    explicit TqelIniAenderung(const String& datei);
    // Without Uebernehmen the copy is removed and the file stays as it was.
    ~TqelIniAenderung();
    TqelIniAenderung(const TqelIniAenderung&) = delete;
    TqelIniAenderung& operator=(const TqelIniAenderung&) = delete;

    // Puts the copy in the file's place in one step; raises the write error.
    void Uebernehmen();

private:
    void Schliessen();
    TIniKopie* kopie_ = nullptr; // owned; null when joined, closed, or for a name without a full path
};

// Holds the file for the length of a load, so that no other program's change replaces it between
// two values that belong together. Waits briefly while the file is being replaced.
class TqelIniLesesperre {
public:
    explicit TqelIniLesesperre(const String& datei);
    ~TqelIniLesesperre();
    TqelIniLesesperre(const TqelIniLesesperre&) = delete;
    TqelIniLesesperre& operator=(const TqelIniLesesperre&) = delete;

    // The file is there but another program kept it to itself past the wait: nothing was read.
    bool Verweigert() const { return verweigert_; }

private:
    void* handle_;
    bool verweigert_ = false;
};

// Where this thread reads `datei`: the copy of its open change, else the file itself.
String IniLeseziel(const String& datei);

// Writes a value, or erases a section, in the copy of this thread's open change of `datei`, else
// as a change of its own. Raise the write error. Within a change, the values of a section it
// erased are held back and written together; a read of the file sees them.
void IniWertSchreiben(const String& datei, const String& sektion, const String& key, const String& wert);
void IniSektionLoeschen(const String& datei, const String& sektion);
// Writes what this thread's change of `datei` holds back, so that a refusal shows at this step.
void IniNachtragen(const String& datei);

[[noreturn]] void IniSchreibfehler(const String& datei);
