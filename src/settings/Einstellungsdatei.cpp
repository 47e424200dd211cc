#include "settings/Einstellungsdatei.h"
#include "settings/Einstellungswerte.h"
#include "sys/IniDokument.h"
#include "sys/Qel_ini.h"

namespace {
// A missing key reads as empty, which no typed encoding accepts: both leave the default.
template <class T, class Leser>
T Gelesen(const TEinstellungsZugriff& z, const String& schluessel, T vorgabe, Leser leser) {
    T ergebnis = vorgabe;
    if (!leser(z.TextLesen(schluessel, L""), ergebnis)) ergebnis = vorgabe;
    return ergebnis;
}
} // namespace

String TEinstellungsZugriff::TextLesen(const String& schluessel, const String& vorgabe) const {
    return WertLesen(schluessel).value_or(vorgabe);
}

std::optional<String> TEinstellungsZugriff::WertLesen(const String& schluessel) const {
    return dokument_.Wert(sektion_, schluessel);
}

int TEinstellungsZugriff::IntegerLesen(const String& schluessel, int vorgabe) const {
    return Gelesen(*this, schluessel, vorgabe, GanzzahlLesen);
}

bool TEinstellungsZugriff::JaNeinLesen(const String& schluessel, bool vorgabe) const {
    return IntegerLesen(schluessel, vorgabe ? 1 : 0) != 0;
}

TDateTime TEinstellungsZugriff::DatumLesen(const String& schluessel, TDateTime vorgabe) const {
    return Gelesen(*this, schluessel, vorgabe, WertZuDatum);
}

double TEinstellungsZugriff::ZahlLesen(const String& schluessel, double vorgabe) const {
    return Gelesen(*this, schluessel, vorgabe, WertZuZahl);
}

void TEinstellungsZugriff::TextSchreiben(const String& schluessel, const String& wert) const {
    dokument_.Schreiben(sektion_, schluessel, wert);
}

void TEinstellungsZugriff::IntegerSchreiben(const String& schluessel, int wert) const {
    TextSchreiben(schluessel, std::to_wstring(wert));
}

void TEinstellungsZugriff::JaNeinSchreiben(const String& schluessel, bool wert) const {
    TextSchreiben(schluessel, wert ? L"1" : L"0");
}

void TEinstellungsZugriff::DatumSchreiben(const String& schluessel, TDateTime wert) const {
    TextSchreiben(schluessel, DatumWert(wert));
}

void TEinstellungsZugriff::ZahlSchreiben(const String& schluessel, double wert) const {
    TextSchreiben(schluessel, ZahlWert(wert));
}
