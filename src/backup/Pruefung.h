#pragma once
// The verification: every file the backup run would consider is read back against its copy in
// the backup tree. Nothing is written there or into the sources; sources are read with sharing,
// so the user's programs keep working on them.
#include "backup/Lauf.h"

#include <vector>

class TPruefung : public TLauf {
public:
    // `auflistung` receives the listing of one folder at a time; not owned.
    TPruefung(SicherungsListen listen, TStrings* auflistung);

    // One line per finding (the word, a tab, the copy's path; for "unlesbar" a tab and the
    // reason), and at the end the summary.
    std::function<void(const String& zeile)> OnStatus;

    void PruefungAusfuehren();

    int Abweichend() const { return abweichend_; }
    int Fehlend() const { return fehlend_; }
    int Veraltet() const { return veraltet_; }
    int Unlesbare() const { return unlesbar_; }
    bool Befunde() const { return abweichend_ + fehlend_ + veraltet_ + unlesbar_ > 0; }

    String Zusammenfassung() const;

protected:
    void EndeSchreiben() override;

private:
    bool Pruefen(const TAuswahlDatei& datei);
    enum class Inhalt { gleich, verschieden, unlesbar, abgebrochen };
    Inhalt InhaltVergleichen(void* quelle, void* kopie, long long laenge, unsigned long& fehler,
                             bool& kopieFehler);
    void Befund(const wchar_t* wort, int& zaehler, const String& zielPfad, const String& grund = L"");
    void UnlesbarBefund(const String& zielPfad, const String& datei, unsigned long fehler);
    void Status(const String& zeile);

    int abweichend_ = 0;
    int fehlend_ = 0;
    int veraltet_ = 0;
    int unlesbar_ = 0;
    std::vector<char> puffer_; // both files' buffers, allocated once per run
};
