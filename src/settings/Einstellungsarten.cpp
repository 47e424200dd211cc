#include "settings/Einstellungsarten.h"

#include <array>

namespace {
using TArten = std::array<TEinstellungsart, static_cast<size_t>(TArtZeile::Anzahl)>;

TArten& Arten() {
    static TArten arten;
    static bool standard = false;
    if (!standard) {
        standard = true;
        StandardartenRegistrieren();
    }
    return arten;
}
} // namespace

void EinstellungsartRegistrieren(TArtZeile zeile, TEinstellungsart art) {
    Arten().at(static_cast<size_t>(zeile)) = std::move(art);
}

bool EinstellungsartVorhanden(TArtZeile zeile) {
    return static_cast<bool>(Arten().at(static_cast<size_t>(zeile)).Gehoert);
}

void NachArtenLaden(TComponent* komponente, const TEinstellungsZugriff& zugriff) {
    for (const TEinstellungsart& art : Arten())
        if (art.Gehoert && art.Laden && art.Gehoert(komponente)) art.Laden(komponente, zugriff);
}

void NachArtenSpeichern(TComponent* komponente, const TEinstellungsZugriff& zugriff) {
    for (const TEinstellungsart& art : Arten())
        if (art.Gehoert && art.Speichern && art.Gehoert(komponente)) art.Speichern(komponente, zugriff);
}
