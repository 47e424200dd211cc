#pragma once
// File times as instants. A volume that keeps UTC (NTFS, exFAT as the system writes it) hands
// them over as they are; a FAT or FAT32 volume keeps the local time, which the system turns into
// UTC and back with the offset in force now, whatever the date of the time. So a copy on such a
// stick would read an hour newer after the autumn switch and an hour older after the spring one.
// Here a time on such a volume is read and written in the local time of its own date.
#include "util/Basis.h"

#include <map>
#include <optional>
#include <windows.h>

// The time zone's rule for each date, and the offset the system applies to a FAT volume now.
class TOrtszeit {
public:
    // This computer's zone; the offset of now is read anew at each conversion.
    TOrtszeit();
    // A given zone and a fixed offset of now (local time minus UTC, in minutes): what a computer
    // in that zone does in summer or in winter.
    TOrtszeit(const DYNAMIC_TIME_ZONE_INFORMATION& zone, int versatzMinuten);

    // A last-write time as a volume gave it, as the instant it stands for, at the two-second
    // step of the DOS form and within its years (1980 to 2107 in the local time of the date).
    FILETIME Gelesen(const FILETIME& gelesen, bool ortszeitMedium);
    // The time to hand SetFileTime so that the volume keeps the instant `utc` in that form.
    FILETIME ZuSchreiben(const FILETIME& utc, bool ortszeitMedium);

    // The local time of an instant and back, by the rule in force on that date. In the hour the
    // autumn switch repeats, a local time stands for two instants; the earlier one is taken.
    bool UtcZuLokal(const FILETIME& utc, SYSTEMTIME& lokal);
    bool LokalZuUtc(const SYSTEMTIME& lokal, FILETIME& utc);

private:
    const TIME_ZONE_INFORMATION* Regel(WORD jahr);
    long long VersatzJetzt() const;
    FILETIME Normalform(const FILETIME& utc);

    DYNAMIC_TIME_ZONE_INFORMATION zone_{};
    bool eigeneZone_ = true;
    std::optional<long long> versatz_; // in 100 ns steps
    std::map<WORD, std::optional<TIME_ZONE_INFORMATION>> jahre_;
    std::optional<FILETIME> erste_, letzte_; // 1980-01-01 00:00:00 and 2107-12-31 23:59:58 local
};

// This computer's rules, read once per run.
TOrtszeit& Ortszeit();

// Whether the volume holding `pfad` keeps local times (its file system is FAT or FAT32). Asked
// once per drive or share until the next DateizeitenNeuLesen.
bool SpeichertOrtszeit(const String& pfad);

// A run starts: the zone may have changed, and a stick of another kind may sit in the drive.
void DateizeitenNeuLesen();
