#include "sys/Dateizeit.h"

#include "sys/DateiAufrufe.h"
#include "sys/Dateien.h"
#include "util/kv7_str.h"

#include <limits>

namespace {

constexpr long long kSchritt = 20'000'000; // two seconds in 100 ns steps

long long Zahl(const FILETIME& f) {
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                                  f.dwLowDateTime);
}

FILETIME Zeit(long long n) {
    const auto u = static_cast<unsigned long long>(n);
    return {static_cast<DWORD>(u & 0xFFFFFFFFu), static_cast<DWORD>(u >> 32)};
}

// "C:\" or "\\server\share\": the volume a path lies on, as far as the text tells it.
String Wurzel(const String& pfad) {
    String lang = LangerPfad(pfad);
    if (lang.rfind(L"\\\\?\\UNC\\", 0) == 0) {
        size_t server = lang.find(L'\\', 8);
        size_t freigabe = server == String::npos ? String::npos : lang.find(L'\\', server + 1);
        return L"\\\\" + lang.substr(8, freigabe == String::npos ? String::npos : freigabe - 8) + L"\\";
    }
    if (lang.rfind(L"\\\\?\\", 0) == 0 && lang.size() >= 6 && lang[5] == L':')
        return lang.substr(4, 2) + L"\\";
    return String();
}

std::map<String, bool>& Volumes() {
    static std::map<String, bool> volumes;
    return volumes;
}

std::optional<TOrtszeit>& Eigene() {
    static std::optional<TOrtszeit> ortszeit;
    return ortszeit;
}

} // namespace

TOrtszeit::TOrtszeit() {
    if (GetDynamicTimeZoneInformation(&zone_) == TIME_ZONE_ID_INVALID) zone_ = {};
}

TOrtszeit::TOrtszeit(const DYNAMIC_TIME_ZONE_INFORMATION& zone, int versatzMinuten)
    : zone_(zone), eigeneZone_(false), versatz_(versatzMinuten * 600'000'000LL) {}

// The offset the system applies now: FileTimeToLocalFileTime takes it whatever the time given.
long long TOrtszeit::VersatzJetzt() const {
    if (versatz_) return *versatz_;
    FILETIME jetzt, lokal;
    GetSystemTimeAsFileTime(&jetzt);
    if (!FileTimeToLocalFileTime(&jetzt, &lokal)) return 0;
    return Zahl(lokal) - Zahl(jetzt);
}

// The rule of a year, read once: a zone's rules change from year to year. A zone without a name
// (or without rules by year) keeps the one rule it carries.
const TIME_ZONE_INFORMATION* TOrtszeit::Regel(WORD jahr) {
    auto [it, neu] = jahre_.try_emplace(jahr);
    if (neu) {
        TIME_ZONE_INFORMATION tzi{};
        if (zone_.TimeZoneKeyName[0] && GetTimeZoneInformationForYear(jahr, &zone_, &tzi)) {
            it->second = tzi;
        } else if (eigeneZone_ && GetTimeZoneInformation(&tzi) != TIME_ZONE_ID_INVALID) {
            it->second = tzi;
        } else if (!eigeneZone_) {
            tzi.Bias = zone_.Bias;
            tzi.StandardDate = zone_.StandardDate;
            tzi.StandardBias = zone_.StandardBias;
            tzi.DaylightDate = zone_.DaylightDate;
            tzi.DaylightBias = zone_.DaylightBias;
            it->second = tzi;
        }
    }
    return it->second ? &*it->second : nullptr;
}

bool TOrtszeit::UtcZuLokal(const FILETIME& utc, SYSTEMTIME& lokal) {
    SYSTEMTIME st;
    if (!FileTimeToSystemTime(&utc, &st)) return false;
    const TIME_ZONE_INFORMATION* regel = Regel(st.wYear);
    return regel && SystemTimeToTzSpecificLocalTime(regel, &st, &lokal);
}

bool TOrtszeit::LokalZuUtc(const SYSTEMTIME& lokal, FILETIME& utc) {
    const TIME_ZONE_INFORMATION* regel = Regel(lokal.wYear);
    SYSTEMTIME st;
    return regel && TzSpecificLocalTimeToSystemTime(regel, &lokal, &st) && SystemTimeToFileTime(&st, &utc);
}

// The DOS form holds even seconds from 1980 to 2107 in local time; a time outside takes its
// nearest end. Worked out here rather than by the DOS conversion, which some systems wrap.
FILETIME TOrtszeit::Normalform(const FILETIME& utc) {
    if (!erste_) {
        FILETIME erste, letzte;
        const SYSTEMTIME anfang{1980, 1, 0, 1, 0, 0, 0, 0}, ende{2107, 12, 0, 31, 23, 59, 58, 0};
        erste_ = LokalZuUtc(anfang, erste) ? erste : Zeit(0);
        letzte_ = LokalZuUtc(ende, letzte) ? letzte : Zeit(std::numeric_limits<long long>::max());
    }
    long long n = Zahl(utc);
    n -= n % kSchritt;
    if (n < Zahl(*erste_)) n = Zahl(*erste_);
    if (n > Zahl(*letzte_)) n = Zahl(*letzte_);
    return Zeit(n);
}

FILETIME TOrtszeit::Gelesen(const FILETIME& gelesen, bool ortszeitMedium) {
    FILETIME utc = gelesen;
    if (ortszeitMedium) {
        // What the volume keeps: the time the system gave plus the offset of now.
        const FILETIME gespeichert = Zeit(Zahl(gelesen) + VersatzJetzt());
        SYSTEMTIME lokal;
        FILETIME instant;
        if (FileTimeToSystemTime(&gespeichert, &lokal) && LokalZuUtc(lokal, instant)) utc = instant;
    }
    return Normalform(utc);
}

FILETIME TOrtszeit::ZuSchreiben(const FILETIME& utc, bool ortszeitMedium) {
    FILETIME n = Normalform(utc), lokal;
    SYSTEMTIME st;
    if (!ortszeitMedium || !UtcZuLokal(n, st) || !SystemTimeToFileTime(&st, &lokal)) return n;
    return Zeit(Zahl(lokal) - VersatzJetzt());
}

TOrtszeit& Ortszeit() {
    if (!Eigene()) Eigene().emplace();
    return *Eigene();
}

bool SpeichertOrtszeit(const String& pfad) {
    String wurzel = Wurzel(pfad);
    if (wurzel.empty()) return false;
    String schluessel = GrossBuchstaben(wurzel);
    if (auto v = Volumes().find(schluessel); v != Volumes().end()) return v->second;
    wchar_t name[MAX_PATH + 1] = {};
    // A drive that is not ready now is asked again next time.
    if (!Aufrufe().volumeLesen(wurzel.c_str(), nullptr, 0, nullptr, nullptr, nullptr, name, MAX_PATH + 1))
        return false;
    const bool fat = TextGleich(name, L"FAT") || TextGleich(name, L"FAT32");
    Volumes()[schluessel] = fat;
    return fat;
}

void DateizeitenNeuLesen() {
    Volumes().clear();
    Eigene().reset();
}
