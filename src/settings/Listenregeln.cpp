#include "settings/Listenregeln.h"
#include "sys/IniDokument.h"
#include "toolkit/Classes.h"
#include "util/kv7_str.h"

#include <unordered_map>
#include <windows.h>

namespace {
// The reader's default that ends the entries; a stored entry ends in ";" and never equals it.
const String kEnde = L"@#@";

// A ";" would end the part early on load, so it becomes a blank.
String Teil(const String& s) {
    return Trimmen(AllesErsetzen(s, L";", L" ")) + L";";
}
} // namespace

String EintragsZaehler(int i) {
    return MitNullen(std::to_wstring(i), 2);
}

void ListeSpeichern(const TEinstellungsZugriff& z, const String& name, const TStrings& zeilen) {
    for (int i = 0; i < zeilen.Count(); ++i)
        z.TextSchreiben(name + L"_" + std::to_wstring(i), zeilen.Get(i));
}

// The section is read once; keys are found regardless of letter case, the first of equal ones
// counting, as a read of the single key finds them. Only the list's own keys are kept: the section
// holds the other lists too, and the window loads four of them one after another.
void ListeLaden(const TEinstellungsZugriff& z, const String& name, TStrings& zeilen) {
    zeilen.Clear();
    const String praefix = name + L"_";
    const int laenge = static_cast<int>(praefix.size());
    std::unordered_map<String, String> werte; // the counter after the prefix -> the line
    for (auto& [key, wert] : z.Dokument().Werte(z.Sektion())) {
        if (key.size() <= praefix.size() ||
            CompareStringOrdinal(key.c_str(), laenge, praefix.c_str(), laenge, TRUE) != CSTR_EQUAL)
            continue;
        String zaehler = key.substr(praefix.size());
        if (zaehler.find_first_not_of(L"0123456789") == String::npos)
            werte.emplace(std::move(zaehler), std::move(wert));
    }
    for (int i = 0;; ++i) {
        auto zeile = werte.find(std::to_wstring(i));
        if (zeile == werte.end()) break;
        zeilen.Add(zeile->second);
    }
}

void SchluesselListeSpeichern(const TEinstellungsZugriff& z, const String& name, IkivSchluesselListe& liste) {
    z.TextSchreiben(name, liste.AusgewaehlterSchluessel());
    if (!liste.kivPAR_Save_Keys()) return;
    const TStrings& keys = liste.KeyList();
    const TStrings& texte = liste.Items();
    for (int i = 0; i < keys.Count(); ++i) {
        String text = i < texte.Count() ? texte.Get(i) : String();
        z.TextSchreiben(name + L"_Keys_" + EintragsZaehler(i), Teil(keys.Get(i)) + Teil(text));
    }
}

void SchluesselListeLaden(const TEinstellungsZugriff& z, const String& name, IkivSchluesselListe& liste) {
    if (liste.kivPAR_Save_Keys()) {
        liste.Clear();
        for (int i = 0;; ++i) {
            String wert = z.TextLesen(name + L"_Keys_" + EintragsZaehler(i), kEnde);
            if (wert == kEnde) break;
            size_t erstes = wert.find(L';');
            String key = wert.substr(0, erstes);
            String text;
            if (erstes != String::npos) {
                size_t zweites = wert.find(L';', erstes + 1);
                text = Trimmen(
                    wert.substr(erstes + 1, zweites == String::npos ? String::npos : zweites - erstes - 1));
            }
            liste.AddKey(key, text);
        }
    }
    liste.SetAusgewaehlterSchluessel(z.TextLesen(name, liste.AusgewaehlterSchluessel()));
}
