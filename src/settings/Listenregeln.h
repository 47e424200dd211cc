#pragma once
// The rules for lists of lines and for keyed entries in the settings file.
#include "settings/Einstellungsdatei.h"

class TStrings;

// Lines go to N_0, N_1, ...; a load empties the list and reads until the first missing key.
void ListeSpeichern(const TEinstellungsZugriff& z, const String& name, const TStrings& zeilen);
void ListeLaden(const TEinstellungsZugriff& z, const String& name, TStrings& zeilen);

// A control with pairs of hidden keys and display texts and one selected key (the keyed combo
// boxes: `Key`, `Directory` or `FileName`).
class IkivSchluesselListe {
public:
    virtual ~IkivSchluesselListe() = default;
    // Whether the entries are stored with the selection.
    virtual bool kivPAR_Save_Keys() const = 0;
    virtual const TStrings& KeyList() const = 0;
    virtual const TStrings& Items() const = 0;
    // Removes every entry; the selected key becomes empty.
    virtual void Clear() = 0;
    // Adds an entry unless its key is present already.
    virtual void AddKey(const String& key, const String& text) = 0;
    virtual String AusgewaehlterSchluessel() const = 0;
    virtual void SetAusgewaehlterSchluessel(const String& wert) = 0;
};

// The selection under N, then the entries under N_Keys_00, N_Keys_01, ... as "key;text;".
void SchluesselListeSpeichern(const TEinstellungsZugriff& z, const String& name, IkivSchluesselListe& liste);
// The entries first (when stored with the selection), then the selection.
void SchluesselListeLaden(const TEinstellungsZugriff& z, const String& name, IkivSchluesselListe& liste);

// Entry counters have two digits at least: 00 .. 99, 100.
String EintragsZaehler(int i);
