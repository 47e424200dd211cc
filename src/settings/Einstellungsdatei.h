#pragma once
// Single values of the settings file, read from and written into the walk's document, and the
// access a control kind gets to its store's section during a walk.
#include "util/Basis.h"

#include <optional>

class TIniDokument;
class TkivParameter;

// One section of one settings file, in the encodings of the file. Reads give the default for a
// missing or unreadable value; writes change the document, which the walk saves at its end.
class TEinstellungsZugriff {
public:
    TEinstellungsZugriff(TkivParameter& parameter, TIniDokument& dokument, const String& sektion)
        : parameter_(parameter), dokument_(dokument), sektion_(sektion) {}

    TkivParameter& Parameter() const { return parameter_; }
    TIniDokument& Dokument() const { return dokument_; }
    const String& Sektion() const { return sektion_; }

    String TextLesen(const String& schluessel, const String& vorgabe) const;
    // Nothing when the key is missing.
    std::optional<String> WertLesen(const String& schluessel) const;
    int IntegerLesen(const String& schluessel, int vorgabe) const;
    bool JaNeinLesen(const String& schluessel, bool vorgabe) const;
    TDateTime DatumLesen(const String& schluessel, TDateTime vorgabe) const;
    double ZahlLesen(const String& schluessel, double vorgabe) const;

    void TextSchreiben(const String& schluessel, const String& wert) const;
    void IntegerSchreiben(const String& schluessel, int wert) const;
    void JaNeinSchreiben(const String& schluessel, bool wert) const;
    void DatumSchreiben(const String& schluessel, TDateTime wert) const;
    void ZahlSchreiben(const String& schluessel, double wert) const;

private:
    TkivParameter& parameter_;
    TIniDokument& dokument_;
    String sektion_;
};
