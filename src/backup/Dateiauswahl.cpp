#include "backup/Dateiauswahl.h"

#include "sys/Dateien.h"
#include "sys/Dateizeit.h"
#include "toolkit/Classes.h"
#include "util/kv7_str.h"

#include <vector>

TDateiauswahl::TDateiauswahl(SicherungsListen listen, TStrings* auflistung)
    : listen_(std::move(listen)), auflistung_(auflistung) {}

bool TDateiauswahl::BleibtImZiel(const String& teil) {
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

bool TDateiauswahl::Ausgeschlossen(const String& kopie) const {
    String erweiterung = DateiErweiterung(kopie.substr(OrdnerTeil(kopie).size()));
    if (listen_.erweiterungen)
        for (int i = 0, n = listen_.erweiterungen->Count(); i < n; ++i)
            if (TextGleich(erweiterung, listen_.erweiterungen->Get(i))) return true;
    if (listen_.blacklist)
        for (int i = 0, n = listen_.blacklist->Count(); i < n; ++i) {
            String stueck = listen_.blacklist->Get(i);
            if (!stueck.empty() && kopie.find(stueck) != String::npos) return true;
        }
    return false;
}

// The path a listed line names, or empty when nothing is there (a missing file or folder, a
// drive without a medium, a share out of reach). A line that ends in blanks names the path
// without them, as typing it anywhere in the system does, unless a name with the blanks is there.
String TDateiauswahl::Nachschlagen(const String& zeile, DWORD& attribute) const {
    WIN32_FILE_ATTRIBUTE_DATA d;
    for (const String& pfad : {zeile, RechtsTrimmen(zeile)}) {
        if (GetFileAttributesExW(LangerPfad(pfad).c_str(), GetFileExInfoStandard, &d)) {
            attribute = d.dwFileAttributes;
            return pfad;
        }
        // There, but it cannot be asked: the copy rule reports why.
        if (!NichtDa(GetLastError())) {
            attribute = INVALID_FILE_ATTRIBUTES;
            return zeile;
        }
        if (pfad.size() == zeile.size() && RechtsTrimmen(zeile).size() == zeile.size()) break;
    }
    return String();
}

int TDateiauswahl::Alle(const String& einstellungen, const Datei& datei) {
    int anzahl = 0;
    if (!einstellungen.empty()) anzahl += Einzeldatei(einstellungen, listen_.ziel, datei);
    if (listen_.einzeldateien)
        for (int i = 0, n = listen_.einzeldateien->Count(); i < n && WeiterGehen(); ++i)
            anzahl += Einzeldatei(listen_.einzeldateien->Get(i), listen_.ziel, datei);
    if (listen_.verzeichnisse)
        for (int i = 0, n = listen_.verzeichnisse->Count(); i < n && WeiterGehen(); ++i)
            anzahl += Verzeichnis(listen_.verzeichnisse->Get(i), listen_.ziel, datei);
    return anzahl;
}

// The path a listed line names, or empty when there is nothing to take: a blank line names
// nothing (taken as a path it would be the program's current folder), and a line whose path is
// not there is reported as not found.
String TDateiauswahl::Gefunden(const String& zeile, DWORD& attribute) const {
    if (Trimmen(zeile).empty()) return String();
    String pfad = Nachschlagen(zeile, attribute);
    if (pfad.empty() && OnNichtGefunden) OnNichtGefunden(zeile);
    return pfad;
}

// The copy lies at the target folder text followed by everything after the source's first ":".
int TDateiauswahl::Einzeldatei(const String& zeile, const String& ziel, const Datei& datei) {
    DWORD attribute = 0;
    String quelle = Gefunden(zeile, attribute);
    if (quelle.empty()) return 0;
    String teil = OhneLaufwerk(quelle);
    if (!BleibtImZiel(teil) || Ausgeschlossen(ziel + teil)) return 0;
    return datei({quelle, ziel + teil, nullptr}) ? 1 : 0;
}

// A reparse point's directory entry carries the link's time, not the file's: such a file is
// always judged by its two ages.
int TDateiauswahl::Verzeichnis(const String& zeile, const String& ziel, const Datei& datei) {
    DWORD attribute = 0;
    String verzeichnis = Gefunden(zeile, attribute);
    if (verzeichnis.empty()) return 0;
    // A file in the folder list lists nothing.
    if (attribute != INVALID_FILE_ATTRIBUTES && !(attribute & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    std::vector<TDateTime> zeiten;
    auflistung_->Clear();
    // The listing is let go once its folder is done: a large tree would otherwise stay in memory
    // until the next folder or the end of the program.
    struct Loslassen {
        TStrings& liste;
        ~Loslassen() { liste.Clear(); }
    } loslassen{*auflistung_};
    const bool ortszeit = SpeichertOrtszeit(verzeichnis);
    bool vollstaendig = DateienRekursiv(
        verzeichnis, L"*.*",
        [&](const String& pfad, const FILETIME& geschrieben, DWORD attr) {
            auflistung_->Add(pfad);
            zeiten.push_back(attr & FILE_ATTRIBUTE_REPARSE_POINT ? 0 : ZeitZuAlter(geschrieben, ortszeit));
        },
        ziel, [this] { return WeiterGehen(); },
        [this](const String& ordner, DWORD fehler) {
            if (OnUnlesbar) OnUnlesbar(ordner, fehler);
        });
    if (!vollstaendig) return 0;
    int anzahl = 0;
    for (int i = 0, n = auflistung_->Count(); i < n; ++i) {
        if (i > 0 && !WeiterGehen()) break;
        String quelle = auflistung_->Get(i), teil = OhneLaufwerk(quelle);
        const TDateTime* gelistet =
            zeiten[static_cast<size_t>(i)] > 0 ? &zeiten[static_cast<size_t>(i)] : nullptr;
        if (BleibtImZiel(teil) && !Ausgeschlossen(ziel + teil) && datei({quelle, ziel + teil, gelistet}))
            ++anzahl;
    }
    return anzahl;
}
