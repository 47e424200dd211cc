#include "backup/Sicherung.h"

#include "sys/Dateien.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <vector>
#include <windows.h>

TSicherung::TSicherung(SicherungsListen listen, TStrings* auflistung)
    : TLauf(std::move(listen), auflistung) {}

namespace {

// Errors on the copy's side after which every further copy would fail the same way: the medium
// is full, gone, not ready or write-protected. Every other error concerns one file (its name,
// its size, a copy held open or read-only, a folder standing in the way).
enum class Weite { Datei, Ziel, ZielWennOrdnerFehlt };
struct ZielFehler {
    DWORD code;
    Weite weite;
};
constexpr ZielFehler kZielFehler[] = {
    {ERROR_DISK_FULL, Weite::Ziel},
    {ERROR_HANDLE_DISK_FULL, Weite::Ziel},
    {ERROR_NOT_READY, Weite::Ziel},
    {ERROR_DEV_NOT_EXIST, Weite::Ziel},
    {ERROR_WRITE_PROTECT, Weite::Ziel},
    {ERROR_NETNAME_DELETED, Weite::Ziel},
    {ERROR_BAD_NETPATH, Weite::Ziel},
    {ERROR_INVALID_DRIVE, Weite::Ziel},
    // A missing folder of one copy is that file's affair; the target folder itself gone is not.
    {ERROR_PATH_NOT_FOUND, Weite::ZielWennOrdnerFehlt},
};

// How the names in a folder the run made are held: the copy's name without its folder, in capitals.
String NamensSchluessel(const String& kopie) {
    return GrossBuchstaben(kopie.substr(OrdnerTeil(kopie).size()));
}

} // namespace

bool TSicherung::BeendetDenLauf(unsigned long fehler, bool zielDa) {
    for (const ZielFehler& f : kZielFehler)
        if (f.code == fehler) return f.weite == Weite::Ziel || !zielDa;
    return false;
}

String TSicherung::NichtGesichert(const std::vector<String>& meldungen) {
    constexpr size_t kHoechstens = 20;
    String text = L"Diese Dateien und Verzeichnisse wurden wegen eines Fehlers nicht gesichert:\r";
    for (size_t i = 0; i < meldungen.size() && i < kHoechstens; ++i)
        text += L"\r" + meldungen[i];
    if (meldungen.size() > kHoechstens)
        text += L"\rund " + ZahlMitTausendern(static_cast<long long>(meldungen.size() - kHoechstens)) +
                L" weitere";
    return text;
}

void TSicherung::Status(const String& zeile) {
    if (OnStatus) OnStatus(zeile);
}

String TSicherung::Zusammenfassung(int anzahl) {
    return AnzahlText(anzahl, L"Datei wurde", L"Dateien wurden") + L" gesichert.";
}

void TSicherung::SicherungAusfuehren() {
    Beginnen();
    neuerOrdner_.clear();
    neueNamen_.clear();
    String einstellungen;
    if (EinstellungenGeaendert && EinstellungenGeaendert() && EinstellungenSpeichern)
        einstellungen = EinstellungenSpeichern();
    auswahl_.Alle(einstellungen, [this](const TAuswahlDatei& d) { return Sichern(d); });
    Abschliessen();
}

void TSicherung::EndeSchreiben() {
    String zusammenfassung = Zusammenfassung(anzahl_);
    if (abgebrochen_) Status(L"Die Sicherung wurde abgebrochen.");
    Status(ZeichenWiederholen(L'-', 80));
    Status(zusammenfassung);
    Status(ZeichenWiederholen(L'=', 80));
    if (OnLaufEnde) OnLaufEnde();
    Protokollieren(zusammenfassung);
}

int TSicherung::EinzeldateiSichern(const String& quelle, const String& ziel) {
    return auswahl_.Einzeldatei(quelle, ziel, [this](const TAuswahlDatei& d) { return Sichern(d); });
}

int TSicherung::VerzeichnisSichern(const String& verzeichnis, const String& ziel) {
    return auswahl_.Verzeichnis(verzeichnis, ziel, [this](const TAuswahlDatei& d) { return Sichern(d); });
}

bool TSicherung::DateiSichern(const String& quelle, const String& zielPfad, const TDateTime* gelistet) {
    return !auswahl_.Ausgeschlossen(zielPfad) && Sichern({quelle, zielPfad, gelistet});
}

// False: the copy's folder is not there and could not be made; reported, or the run ended. A
// folder made here holds, from now on, this copy and no other.
bool TSicherung::OrdnerErstellen(const String& kopie) {
    const String ordner = MitBackslash(OrdnerTeil(kopie));
    DWORD fehler = 0;
    bool neu = false;
    const bool da = VerzeichnisErstellen(ordner, false, &fehler, &neu);
    if (neu) {
        neuerOrdner_ = ordner;
        neueNamen_ = {NamensSchluessel(kopie)};
    }
    if (da) return true;
    String meldung = Format(L"Das Verzeichnis \"%s\" konnte nicht erstellt werden. %s", ordner.c_str(),
                            SystemFehlerText(fehler).c_str());
    if (BeendetDenLauf(fehler, VerzeichnisExistiert(auswahl_.Listen().ziel))) throw Exception(meldung);
    Uebersprungen(meldung);
    return false;
}

// True when the copy cannot exist yet, as it goes into the folder the run made last; notes its
// name as taken. A folder of very many files is forgotten part-way, so that the names held stay
// few; its other copies are looked up as anywhere else. Outside such a folder (as in every run
// over an unchanged tree) nothing of the copy's name is worked out.
bool TSicherung::OhneAlteKopie(const String& kopie) {
    constexpr size_t kHoechstensNamen = 10000;
    if (neuerOrdner_.empty()) return false;
    if (neueNamen_.size() >= kHoechstensNamen || !TextGleich(MitBackslash(OrdnerTeil(kopie)), neuerOrdner_)) {
        neuerOrdner_.clear();
        neueNamen_.clear();
        return false;
    }
    return neueNamen_.insert(NamensSchluessel(kopie)).second;
}

// The age test, the copy's folder, the copy. An error that concerns this file alone is reported
// and the run goes on with the next one.
bool TSicherung::Sichern(const TAuswahlDatei& d) {
    // A listed time that is not newer than the copy's needs no file opened to know the answer;
    // a copy its directory entry shows missing needs no second look either, and one in a folder
    // the run has just made needs no look at all.
    const bool ohneKopie = OhneAlteKopie(d.kopie);
    TDateTime gespeichert = ohneKopie ? 0 : -1;
    if (d.gelistet && !ohneKopie) {
        gespeichert = GespeichertesAlter(d.kopie);
        if (*d.gelistet <= gespeichert) return false;
    }
    DWORD lesefehler = 0;
    TDateTime alter = 0;
    // Opened once, shared with no one, from the age test to the end of the copy.
    Handle quelle = AlterLesen(d.quelle, alter, &lesefehler);
    if (lesefehler) {
        Unlesbar(L"Datei", d.quelle, lesefehler);
        return false;
    }
    if (!(alter > (gespeichert == 0 ? 0 : DateiAlter(d.kopie)))) return false;
    if (!OrdnerErstellen(d.kopie)) return false;
    // The folder's creation lets the window handle its messages: a cancel may have come meanwhile.
    if (abgebrochen_ || !Weiter()) return false;
    try {
        // False: the copy was abandoned between its buffers.
        if (!OffeneDateiKopieren(quelle.get(), d.quelle, d.kopie, [this] { return Weiter(); })) return false;
    } catch (const EKopierfehler& e) {
        if (e.AmZiel() && BeendetDenLauf(e.Code(), VerzeichnisExistiert(auswahl_.Listen().ziel))) throw;
        Uebersprungen(e.Message());
        return false;
    }
    Status(d.kopie);
    ++anzahl_;
    return true;
}
