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

private:
    void* handle_;
};

// Where this thread reads `datei`: the copy of its open change, else the file itself.
String IniLeseziel(const String& datei);

// One write through the profile functions `schreiben` (given the file to write): into the copy
// of this thread's open change, else as a change of its own. `text` is everything the write
// brings, `wert` whether it adds a value (an erase alone does not create a missing file).
void IniSchreiben(const String& datei, const String& text, bool wert,
                  const std::function<bool(const String& ziel)>& schreiben);

[[noreturn]] void IniSchreibfehler(const String& datei);
