#include "backup/Pruefung.h"

#include "sys/DateiAufrufe.h"
#include "sys/Dateien.h"
#include "sys/Dateizeit.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <cstring>
#include <windows.h>

namespace {

// Per file and read; large enough that a read costs little beside the bytes it brings, small
// enough that both blocks stay in the processor's cache for the comparison.
constexpr DWORD kBlock = 1 << 20;

} // namespace

TPruefung::TPruefung(SicherungsListen listen, TStrings* auflistung) : TLauf(std::move(listen), auflistung) {}

void TPruefung::Status(const String& zeile) {
    if (OnStatus) OnStatus(zeile);
}

String TPruefung::Zusammenfassung() const {
    return ZahlMitTausendern(anzahl_) + L" Dateien geprüft: " + ZahlMitTausendern(abweichend_) +
           L" abweichend, " + ZahlMitTausendern(fehlend_) + L" fehlen, " + ZahlMitTausendern(veraltet_) +
           L" veraltet, " + ZahlMitTausendern(unlesbar_) + L" unlesbar.";
}

void TPruefung::PruefungAusfuehren() {
    Beginnen();
    abweichend_ = fehlend_ = veraltet_ = unlesbar_ = 0;
    // The settings file is not verified: the unattended backup copies it only when it changed,
    // and a run without the window never changes it.
    anzahl_ = auswahl_.Alle(L"", [this](const TAuswahlDatei& d) { return Pruefen(d); });
    Abschliessen();
}

void TPruefung::EndeSchreiben() {
    String zusammenfassung = Zusammenfassung();
    if (abgebrochen_) Status(L"Die Prüfung wurde abgebrochen.");
    Status(zusammenfassung);
    Protokollieren(L"Prüfung: " + zusammenfassung);
}

void TPruefung::Befund(const wchar_t* wort, int& zaehler, const String& zielPfad, const String& grund) {
    ++zaehler;
    Status(String(wort) + L"\t" + zielPfad + (grund.empty() ? L"" : L"\t" + grund));
}

void TPruefung::UnlesbarBefund(const String& zielPfad, const String& datei, unsigned long fehler) {
    Befund(L"unlesbar", unlesbar_, zielPfad,
           Format(L"Datei \"%s\" kann nicht gelesen werden. %s", datei.c_str(),
                  SystemFehlerText(fehler).c_str()));
}

// The order of the questions follows what the next backup would do: a copy that is missing or
// older it replaces; one it leaves alone must hold the source's bytes.
bool TPruefung::Pruefen(const TAuswahlDatei& d) {
    const String& quelle = d.quelle;
    const String& zielPfad = d.kopie;
    WIN32_FILE_ATTRIBUTE_DATA q, z;
    // A source that is gone is none the backup could copy: it is not counted, as there.
    if (!GetFileAttributesExW(LangerPfad(quelle).c_str(), GetFileExInfoStandard, &q)) {
        const DWORD fehler = GetLastError();
        if (NichtDa(fehler)) return false;
        UnlesbarBefund(zielPfad, quelle, fehler);
        return true;
    }
    if (q.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if (!GetFileAttributesExW(LangerPfad(zielPfad).c_str(), GetFileExInfoStandard, &z)) {
        const DWORD fehler = GetLastError();
        if (NichtDa(fehler))
            Befund(L"fehlt", fehlend_, zielPfad);
        else
            UnlesbarBefund(zielPfad, zielPfad, fehler);
        return true;
    }
    if (z.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        Befund(L"fehlt", fehlend_, zielPfad);
        return true;
    }
    // Size and time through the handle alone: the full information also asks the volume, which
    // costs more than comparing a small file.
    Handle qh = GeteiltLesen(quelle);
    LARGE_INTEGER qLaenge, zLaenge;
    FILETIME qZeit;
    if (!qh || !GetFileSizeEx(qh.get(), &qLaenge) || !GetFileTime(qh.get(), nullptr, nullptr, &qZeit)) {
        const DWORD fehler = GetLastError();
        if (!qh && NichtDa(fehler)) return false; // gone since it was listed
        UnlesbarBefund(zielPfad, quelle, fehler);
        return true;
    }
    // The backup's age test, on the times as instants.
    if (ZeitZuAlter(qZeit, SpeichertOrtszeit(quelle)) >
        ZeitZuAlter(z.ftLastWriteTime, SpeichertOrtszeit(zielPfad))) {
        Befund(L"veraltet", veraltet_, zielPfad);
        return true;
    }
    Handle zh = GeteiltLesen(zielPfad);
    if (!zh || !GetFileSizeEx(zh.get(), &zLaenge)) {
        UnlesbarBefund(zielPfad, zielPfad, GetLastError());
        return true;
    }
    if (qLaenge.QuadPart != zLaenge.QuadPart) {
        Befund(L"abweichend", abweichend_, zielPfad);
        return true;
    }
    DWORD fehler = 0;
    bool kopieFehler = false;
    switch (InhaltVergleichen(qh.get(), zh.get(), qLaenge.QuadPart, fehler, kopieFehler)) {
    case Inhalt::gleich:
        return true;
    case Inhalt::verschieden:
        Befund(L"abweichend", abweichend_, zielPfad);
        return true;
    case Inhalt::unlesbar:
        UnlesbarBefund(zielPfad, kopieFehler ? zielPfad : quelle, fehler);
        return true;
    case Inhalt::abgebrochen:
        break;
    }
    return false;
}

// Both files are read once, block by block, and compared as they come; the first difference
// ends the reading. A file shorter than its size said is unreadable, not different: it is
// changing under the verification.
TPruefung::Inhalt TPruefung::InhaltVergleichen(void* quelle, void* kopie, long long laenge,
                                               unsigned long& fehler, bool& kopieFehler) {
    if (puffer_.empty()) puffer_.resize(2 * static_cast<size_t>(kBlock));
    char* a = puffer_.data();
    char* b = a + kBlock;
    for (long long rest = laenge; rest > 0;) {
        const DWORD soll = rest < kBlock ? static_cast<DWORD>(rest) : kBlock;
        for (int i = 0; i < 2; ++i) {
            DWORD gelesen = 0;
            if (!Aufrufe().lesen(i == 0 ? quelle : kopie, i == 0 ? a : b, soll, &gelesen, nullptr))
                fehler = GetLastError();
            else if (gelesen != soll)
                fehler = ERROR_HANDLE_EOF;
            if (fehler) {
                kopieFehler = i == 1;
                return Inhalt::unlesbar;
            }
        }
        if (std::memcmp(a, b, soll) != 0) return Inhalt::verschieden;
        rest -= soll;
        if (rest > 0 && !Weiter()) return Inhalt::abgebrochen;
    }
    return Inhalt::gleich;
}
