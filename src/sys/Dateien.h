#pragma once
// File operations of the system services ("kiv_sys"): existence tests that can explain a failure,
// folder creation, the write test, file ages, the copy that keeps the modification time, deletion,
// appending a line, and the recursive listing. Paths of any length are accepted.
#include "toolkit/SysUtils.h"
#include "util/Basis.h"

#include <functional>
#include <memory>
#include <windows.h>

class TStrings;

// A file handle closed when it goes out of scope; empty when the open failed.
struct HandleCloser {
    void operator()(HANDLE h) const;
};
using Handle = std::unique_ptr<void, HandleCloser>;

// Opens a file for reading while other programs go on reading, writing and deleting it; empty
// when it cannot be opened (GetLastError tells why).
Handle GeteiltLesen(const String& datei);

// Asked between the entries of a listing and between the buffers of a copy; false abandons it.
using Weitermachen = std::function<bool()>;

// Lists every file below `verzeichnis` (sub-folders first, depth first, then the folder's own
// files), leaving out hidden and system entries and folders named ".svn". A folder given as
// `ausgenommen` (and everything below it) is never entered, by whatever path it is reached.
void DateienRekursivToItems(const String& verzeichnis, const String& maske, TStrings* liste, bool leeren,
                            const String& ausgenommen = L"");

// The same walk, handing each file with its directory entry's last-write time and attributes to
// `datei`. Returns false when `weiter` abandoned it. A folder that is there but cannot be listed,
// or whose listing breaks off, goes to `unlesbar` with the system's reason, and the walk goes on;
// a folder that is not there (nor its drive or share) lists nothing, without a report.
using DateiGefunden = std::function<void(const String& pfad, const FILETIME& geschrieben, DWORD attribute)>;
using OrdnerUnlesbar = std::function<void(const String& ordner, DWORD fehler)>;
bool DateienRekursiv(const String& verzeichnis, const String& maske, const DateiGefunden& datei,
                     const String& ausgenommen = L"", const Weitermachen& weiter = {},
                     const OrdnerUnlesbar& unlesbar = {});

// What a query of a path that is not there says: no such file, folder, drive or share, or a
// drive without a medium.
bool NichtDa(DWORD fehler);

// An error of the copy, naming the file and the system's reason. `AmZiel` tells whether it arose
// on the copy's side (creating, writing, replacing) or on the source's (opening, reading).
class EKopierfehler : public Exception {
public:
    EKopierfehler(const String& text, DWORD code, bool amZiel)
        : Exception(text), code_(code), amZiel_(amZiel) {}
    DWORD Code() const { return code_; }
    bool AmZiel() const { return amZiel_; }

private:
    DWORD code_;
    bool amZiel_;
};

bool DateiExistiert(const String& datei, bool meldung);
bool VerzeichnisExistiert(const String& verzeichnis, bool meldung = false);
void VerzeichnisNichtGefunden(const String& verzeichnis);
// `fehler` receives the system's reason when the folder could not be made, else 0; `neu`
// whether this call made the folder itself (rather than finding it there).
bool VerzeichnisErstellen(const String& verzeichnis, bool meldung, DWORD* fehler = nullptr,
                          bool* neu = nullptr);
bool VerzeichnisBeschreibbar(const String& verzeichnis, bool meldung);
// The first free name @kiv0000 .. @kiv9999 (without folder and extension); empty when all are taken.
String EindeutigerDateiname(const String& verzeichnis, const String& erweiterung);
String ErweiterungMitPunkt(const String& erweiterung);
// Creates the first free file `vorNummer` + n + `nachNummer` for n from `erste` on (`anzahl`
// tries), for `zugriff` and shared with no one, and gives its name; INVALID_HANDLE_VALUE and an
// empty name (GetLastError tells why) when none can be created.
HANDLE NeueDateiAnlegen(const String& vorNummer, const String& nachNummer, unsigned erste, unsigned anzahl,
                        String& name, DWORD zugriff = GENERIC_WRITE);

// The instant of the last write (UTC) as date-time, at two-second resolution and within the DOS
// years, read from a FAT volume in the local time of its date (sys/Dateizeit.h); ages of files on
// volumes of either kind compare as instants. 0 when missing or unreadable. `fehler` receives
// the system's reason when the file is there but cannot be queried or opened, else 0.
TDateTime DateiAlter(const String& datei, DWORD* fehler = nullptr);
// The same, keeping the file open as DateiAlter opened it (for reading, shared with no one), so
// that a copy can follow with no second open; empty where DateiAlter gives 0.
Handle AlterLesen(const String& datei, TDateTime& alter, DWORD* fehler = nullptr);
// The same value from a time the file system reported, without opening the file; `ortszeit`:
// the volume keeps local times (SpeichertOrtszeit).
TDateTime ZeitZuAlter(const FILETIME& geschrieben, bool ortszeit);
// The age of a file from its directory entry alone (no open); 0 when missing.
TDateTime GespeichertesAlter(const String& datei);

// False when the source is not there (any more), and when `weiter` abandoned the copy; the
// previous copy then stays as it was. Errors raise EKopierfehler.
bool DateiKopieren(const String& quelle, const String& ziel, const Weitermachen& weiter = {});
// The copy of the source `quelle` that `offen` holds open for reading (as AlterLesen leaves it,
// at the file's start); the handle stays open.
bool OffeneDateiKopieren(HANDLE offen, const String& quelle, const String& ziel,
                         const Weitermachen& weiter = {});
bool DateiKopierenWennErlaubt(const String& quelle, const String& ziel, bool ueberschreiben,
                              const Weitermachen& weiter = {});
bool DateiLoeschen(const String& datei);
void ZeileAnhaengen(const String& datei, const String& zeile);

// Everything up to and including the last "\" or "/" (a stream's colon does not end it).
String OrdnerTeil(const String& pfad);

// The form the file system calls take: full, "\\?\" or "\\?\UNC\", separators single, "." and
// ".." resolved. Names keep a final dot or blank, which NTFS allows and the usual normalisation
// would drop, reading another file than the one listed.
String LangerPfad(const String& pfad);
