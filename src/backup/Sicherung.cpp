#include "backup/Sicherung.h"

#include "sys/Dateien.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_date.h"
#include "util/kv7_str.h"

#include <vector>
#include <windows.h>

TSicherung::TSicherung(SicherungsListen listen, TStrings* auflistung)
    : listen_(std::move(listen)), auflistung_(auflistung) {}

void TSicherung::Status(const String& zeile) {
    if (OnStatus) OnStatus(zeile);
}

// Between files, listed entries and copied buffers: about every 100 ms the window may handle its
// messages, and a cancel stops the run there.
bool TSicherung::Weiter() {
    if (Zwischendurch) {
        unsigned long long jetzt = GetTickCount64();
        if (jetzt - letzteRunde_ >= 100) {
            letzteRunde_ = jetzt;
            Zwischendurch();
        }
    }
    if (!abgebrochen_ && AbbruchGewuenscht && AbbruchGewuenscht()) abgebrochen_ = true;
    return !abgebrochen_;
}

String TSicherung::Zusammenfassung(int anzahl) {
    return AnzahlText(anzahl, L"Datei wurde", L"Dateien wurden") + L" gesichert.";
}

String TSicherung::LogZeile(TDateTime zeitpunkt, const String& zusammenfassung) {
    return DatumZeitZuText(zeitpunkt) + L" | " + zusammenfassung;
}

bool TSicherung::BleibtImZiel(const String& teil) {
    int tiefe = 0;
    size_t start = 0;
    while (start <= teil.size()) {
        size_t ende = teil.find_first_of(L"\\/", start);
        if (ende == String::npos) ende = teil.size();
        String stueck = Trimmen(teil.substr(start, ende - start));
        if (stueck == L"..") {
            if (--tiefe < 0) return false;
        } else if (!stueck.empty() && stueck != L".") {
            ++tiefe;
        }
        start = ende + 1;
    }
    return true;
}

void TSicherung::SicherungAusfuehren() {
    const String ziel = listen_.ziel;
    anzahl_ = 0;
    fehler_ = 0;
    abgebrochen_ = false;
    abgeschlossen_ = false;
    letzteRunde_ = GetTickCount64();
    if (EinstellungenGeaendert && EinstellungenGeaendert() && EinstellungenSpeichern) {
        String datei = EinstellungenSpeichern();
        anzahl_ += EinzeldateiSichern(datei, ziel);
    }
    if (listen_.einzeldateien)
        for (int i = 0, n = listen_.einzeldateien->Count(); i < n && Weiter(); ++i)
            anzahl_ += EinzeldateiSichern(listen_.einzeldateien->Get(i), ziel);
    if (listen_.verzeichnisse)
        for (int i = 0, n = listen_.verzeichnisse->Count(); i < n && Weiter(); ++i)
            anzahl_ += VerzeichnisSichern(listen_.verzeichnisse->Get(i), ziel);
    Abschliessen();
}

// Counted as an error: the run must not pass for complete.
void TSicherung::Unlesbar(const wchar_t* art, const String& pfad, unsigned long fehler) {
    ++fehler_;
    if (OnUebersprungen)
        OnUebersprungen(Format(L"%s \"%s\" kann nicht gelesen werden. %s", art, pfad.c_str(),
                               SystemFehlerText(fehler).c_str()));
}

void TSicherung::SofortBeenden() {
    abgebrochen_ = true;
    Abschliessen();
}

void TSicherung::Abschliessen() {
    if (abgeschlossen_) return;
    abgeschlossen_ = true;
    String zusammenfassung = Zusammenfassung(anzahl_);
    if (abgebrochen_) Status(L"Die Sicherung wurde abgebrochen.");
    Status(ZeichenWiederholen(L'-', 80));
    Status(zusammenfassung);
    Status(ZeichenWiederholen(L'=', 80));
    if (OnLaufEnde) OnLaufEnde();
    if (!LogDatei.empty())
        ZeileAnhaengen(LogDatei,
                       LogZeile(ProgramNow(), zusammenfassung) + (abgebrochen_ ? L" (abgebrochen)" : L""));
}

// The copy lies at the target folder text followed by everything after the source's first ":".
// A blank line names nothing: taken as a path it would be the program's current folder.
int TSicherung::EinzeldateiSichern(const String& quelle, const String& ziel) {
    if (Trimmen(quelle).empty()) return 0;
    String teil = OhneLaufwerk(quelle);
    if (!BleibtImZiel(teil)) return 0;
    return DateiSichern(quelle, ziel + teil) ? 1 : 0;
}

bool TSicherung::DateiSichern(const String& quelle, const String& zielPfad, const TDateTime* gelistet) {
    String ordner = OrdnerTeil(zielPfad);
    String erweiterung = DateiErweiterung(zielPfad.substr(ordner.size()));
    if (listen_.erweiterungen)
        for (int i = 0, n = listen_.erweiterungen->Count(); i < n; ++i)
            if (TextGleich(erweiterung, listen_.erweiterungen->Get(i))) return false;
    if (listen_.blacklist)
        for (int i = 0, n = listen_.blacklist->Count(); i < n; ++i) {
            String stueck = listen_.blacklist->Get(i);
            if (!stueck.empty() && zielPfad.find(stueck) != String::npos) return false;
        }
    // A listed time that is not newer than the copy's needs no file opened to know the answer;
    // a copy its directory entry shows missing needs no second look either.
    TDateTime gespeichert = -1;
    if (gelistet) {
        gespeichert = GespeichertesAlter(zielPfad);
        if (*gelistet <= gespeichert) return false;
    }
    DWORD lesefehler = 0;
    TDateTime alter = DateiAlter(quelle, &lesefehler);
    if (lesefehler) {
        Unlesbar(L"Datei", quelle, lesefehler);
        return false;
    }
    if (!(alter > (gespeichert == 0 ? 0 : DateiAlter(zielPfad)))) return false;
    if (!VerzeichnisErstellen(ordner, true)) {
        ++fehler_;
        return false;
    }
    // The folder's creation lets the window handle its messages: a cancel may have come meanwhile.
    if (abgebrochen_ || !Weiter()) return false;
    if (!DateiKopierenWennErlaubt(quelle, zielPfad, true, [this] { return Weiter(); }) && abgebrochen_)
        return false;
    Status(zielPfad);
    return true;
}

// A reparse point's directory entry carries the link's time, not the file's: such a file is
// always judged by its two ages.
int TSicherung::VerzeichnisSichern(const String& verzeichnis, const String& ziel) {
    if (Trimmen(verzeichnis).empty()) return 0;
    std::vector<TDateTime> zeiten;
    auflistung_->Clear();
    // The listing is let go once its folder is done: a large tree would otherwise stay in memory
    // until the next folder or the end of the program.
    struct Loslassen {
        TStrings& liste;
        ~Loslassen() { liste.Clear(); }
    } loslassen{*auflistung_};
    bool vollstaendig = DateienRekursiv(
        verzeichnis, L"*.*",
        [&](const String& pfad, const FILETIME& geschrieben, DWORD attribute) {
            auflistung_->Add(pfad);
            zeiten.push_back(attribute & FILE_ATTRIBUTE_REPARSE_POINT ? 0 : ZeitZuAlter(geschrieben));
        },
        ziel, [this] { return Weiter(); },
        [this](const String& ordner, DWORD fehler) { Unlesbar(L"Verzeichnis", ordner, fehler); });
    if (!vollstaendig) return 0;
    int anzahl = 0;
    for (int i = 0, n = auflistung_->Count(); i < n; ++i) {
        if (i > 0 && !Weiter()) break;
        String quelle = auflistung_->Get(i), teil = OhneLaufwerk(quelle);
        TDateTime* gelistet = zeiten[static_cast<size_t>(i)] > 0 ? &zeiten[static_cast<size_t>(i)] : nullptr;
        if (BleibtImZiel(teil) && DateiSichern(quelle, ziel + teil, gelistet)) ++anzahl;
    }
    return anzahl;
}
