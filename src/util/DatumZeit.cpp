#include "util/DatumZeit.h"

#include "util/kv7_str.h"

#include <windows.h>

#include <cmath>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

constexpr long long MsProTag = 86400000;
constexpr long long TageBis1970 = 25569; // 30.12.1899 to 1.1.1970

// Proleptic Gregorian day count relative to 1.1.1970, valid far beyond years 1 to 9999.
long long TageAusDatum(long long j, int m, int t) {
    j -= m <= 2;
    const long long ara = (j >= 0 ? j : j - 399) / 400;
    const long long jahrDerAra = j - ara * 400;
    const long long tagDesJahres = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + t - 1;
    const long long tagDerAra = jahrDerAra * 365 + jahrDerAra / 4 - jahrDerAra / 100 + tagDesJahres;
    return ara * 146097 + tagDerAra - 719468;
}

void DatumAusTagen(long long z, long long& j, int& m, int& t) {
    z += 719468;
    const long long ara = (z >= 0 ? z : z - 146096) / 146097;
    const long long tagDerAra = z - ara * 146097;
    const long long jahrDerAra =
        (tagDerAra - tagDerAra / 1460 + tagDerAra / 36524 - tagDerAra / 146096) / 365;
    const long long tagDesJahres = tagDerAra - (365 * jahrDerAra + jahrDerAra / 4 - jahrDerAra / 100);
    const long long mp = (5 * tagDesJahres + 2) / 153;
    t = static_cast<int>(tagDesJahres - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    j = jahrDerAra + ara * 400 + (m <= 2);
}

// Day and time of day, the time rounded to whole milliseconds: a value a hair below midnight is
// midnight of the next day, so 14:03:07 never reads as 14:03:06.999.
struct Zerlegt {
    long long tag;
    long long ms;
};

Zerlegt Zerlegen(TDateTime x) {
    const double ganz = std::trunc(x);
    Zerlegt z{static_cast<long long>(ganz), std::llround(std::fabs(x - ganz) * MsProTag)};
    if (z.ms >= MsProTag) {
        // Before 1899 the time counts away from zero, so the next day is still one day later.
        ++z.tag;
        z.ms -= MsProTag;
    }
    return z;
}

TDateTime Zusammensetzen(long long tag, long long ms) {
    const double zeit = static_cast<double>(ms) / MsProTag;
    return tag >= 0 ? tag + zeit : tag - zeit;
}

std::optional<std::pair<String, wchar_t>> gesetztesFormat;

String LocaleInfo(LCTYPE art) {
    wchar_t puffer[128];
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, art, puffer, 128);
    return n > 1 ? String(puffer, n - 1) : String();
}

bool IstBuchstabe(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}
wchar_t Klein(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Picture and separator in force: the set ones, else the user's (whose separator is the first
// character between its fields).
std::pair<String, wchar_t> FormatInKraft() {
    if (gesetztesFormat) return *gesetztesFormat;
    String bild = LocaleInfo(LOCALE_SSHORTDATE);
    if (bild.empty()) bild = L"dd/MM/yyyy";
    wchar_t trenner = L'/';
    for (wchar_t c : bild)
        if (!IstBuchstabe(c) && c != L' ' && c != L'\'' && c != L'"') {
            trenner = c;
            break;
        }
    return {bild, trenner};
}

String Name(LCTYPE erster, int index) {
    return LocaleInfo(erster + index);
}

String Formatieren(const String& bild, wchar_t trenner, long long tagnummer) {
    long long jahr;
    int monat, tag;
    DatumAusTagen(tagnummer - TageBis1970, jahr, monat, tag);
    String r;
    for (size_t i = 0; i < bild.size();) {
        const wchar_t c = bild[i];
        if (c == L'\'' || c == L'"') {
            size_t ende = bild.find(c, i + 1);
            if (ende == String::npos) ende = bild.size();
            r.append(bild, i + 1, ende - i - 1);
            i = ende + 1;
            continue;
        }
        size_t n = 1;
        while (i + n < bild.size() && Klein(bild[i + n]) == Klein(c))
            ++n;
        switch (Klein(c)) {
        case L'd':
            if (n <= 2)
                r += n == 1 ? std::to_wstring(tag) : ZweiStellen(tag);
            else {
                const int wochentag = static_cast<int>(((tagnummer + 5) % 7 + 7) % 7);
                r += Name(n == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1, wochentag);
            }
            break;
        case L'm':
            if (n <= 2)
                r += n == 1 ? std::to_wstring(monat) : ZweiStellen(monat);
            else
                r += Name(n == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1, monat - 1);
            break;
        case L'y':
            if (n <= 2)
                r += n == 1 ? std::to_wstring(jahr % 100) : ZweiStellen(jahr % 100);
            else
                r += VierStellen(jahr);
            break;
        case L'g': // era: none in the Gregorian calendar worth showing
            break;
        case L'/':
            r.append(n, trenner);
            break;
        default:
            r.append(n, c);
        }
        i += n;
    }
    return r;
}

// Order of day, month and year in a picture, as the letters 'd', 'm', 'y'.
String Reihenfolge(const String& bild) {
    String r;
    bool zitat = false;
    for (wchar_t c : bild) {
        if (c == L'\'' || c == L'"') zitat = !zitat;
        const wchar_t k = Klein(c);
        if (!zitat && (k == L'd' || k == L'm' || k == L'y') && r.find(k) == String::npos) r += k;
    }
    return r.size() == 3 ? r : String(L"dmy");
}

} // namespace

bool TryEncodeDate(int jahr, int monat, int tag, TDateTime& datum) {
    static const int tage[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (jahr < 1 || jahr > 9999 || monat < 1 || monat > 12 || tag < 1) return false;
    const bool schalt = (jahr % 4 == 0 && jahr % 100 != 0) || jahr % 400 == 0;
    if (tag > tage[monat - 1] + (monat == 2 && schalt)) return false;
    datum = static_cast<double>(TageAusDatum(jahr, monat, tag) + TageBis1970);
    return true;
}

TDateTime EncodeDate(int jahr, int monat, int tag) {
    TDateTime d;
    if (!TryEncodeDate(jahr, monat, tag, d)) throw std::out_of_range("EncodeDate: no such day");
    return d;
}

TDateTime EncodeTime(int stunde, int minute, int sekunde, int millisekunde) {
    const long long ms = ((stunde * 60LL + minute) * 60 + sekunde) * 1000 + millisekunde;
    return static_cast<double>(ms) / MsProTag;
}

void DecodeDate(TDateTime datum, int& jahr, int& monat, int& tag) {
    long long j;
    DatumAusTagen(Zerlegen(datum).tag - TageBis1970, j, monat, tag);
    jahr = static_cast<int>(j);
}

void DecodeTime(TDateTime datum, int& stunde, int& minute, int& sekunde, int& millisekunde) {
    const long long ms = Zerlegen(datum).ms;
    stunde = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    sekunde = static_cast<int>(ms / 1000 % 60);
    millisekunde = static_cast<int>(ms % 1000);
}

TDateTime DateOf(TDateTime datum) {
    return static_cast<double>(Zerlegen(datum).tag);
}

int IsoWochentag(TDateTime datum) {
    return static_cast<int>(((Zerlegen(datum).tag + 5) % 7 + 7) % 7) + 1;
}

// Day number and time of day from one reading of the clock, so that midnight cannot fall between.
static Zerlegt Uhr() {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return {TageAusDatum(st.wYear, st.wMonth, st.wDay) + TageBis1970,
            ((st.wHour * 60LL + st.wMinute) * 60 + st.wSecond) * 1000 + st.wMilliseconds};
}

TDateTime Heute() {
    return static_cast<double>(Uhr().tag);
}
TDateTime Jetzt() {
    const Zerlegt z = Uhr();
    return Zusammensetzen(z.tag, z.ms);
}
TDateTime Uhrzeit() {
    return static_cast<double>(Uhr().ms) / MsProTag;
}

TDateTime DatumUndZeit(TDateTime datum, TDateTime zeit) {
    return Zusammensetzen(Zerlegen(datum).tag, Zerlegen(zeit).ms);
}

void KurzesDatumsformatSetzen(const String& format, wchar_t trenner) {
    gesetztesFormat = std::make_pair(format, trenner);
}

void KurzesDatumsformatZuruecksetzen() {
    gesetztesFormat.reset();
}

String KurzesDatumsformat() {
    return FormatInKraft().first;
}
wchar_t Datumstrenner() {
    return FormatInKraft().second;
}

String DatumZuText(TDateTime datum) {
    const auto [bild, trenner] = FormatInKraft();
    return Formatieren(bild, trenner, Zerlegen(datum).tag);
}

// Numbers in the picture's order, split by the separator or blanks; blanks around them are allowed,
// and so is a closing separator ("2024. 03. 05."). Without a year the current one is meant; a two-digit
// year lies within fifty years of today.
bool TextZuDatum(const String& text, TDateTime& datum) {
    const auto [bild, trenner] = FormatInKraft();
    std::vector<int> zahlen;
    std::vector<size_t> stellen;
    size_t i = 0;
    auto blanks = [&] {
        while (i < text.size() && text[i] == L' ')
            ++i;
    };
    blanks();
    while (i < text.size()) {
        size_t anfang = i;
        while (i < text.size() && i - anfang < 5 && text[i] >= L'0' && text[i] <= L'9')
            ++i;
        if (i == anfang || i - anfang > 4 || zahlen.size() == 3) return false;
        zahlen.push_back(std::stoi(text.substr(anfang, i - anfang)));
        stellen.push_back(i - anfang);
        const size_t vorBlanks = i;
        blanks();
        if (i == text.size()) break;
        if (text[i] == trenner) {
            ++i;
            blanks();
        } else if (i == vorBlanks) { // blanks alone separate too, for pictures like "d MM yyyy"
            return false;
        }
    }
    if (zahlen.size() < 2) return false;
    const String folge = Reihenfolge(bild);
    SYSTEMTIME jetzt;
    GetLocalTime(&jetzt);
    int tag = 0, monat = 0, jahr = jetzt.wYear;
    if (zahlen.size() == 2) {
        const bool tagZuerst = folge.find(L'd') < folge.find(L'm');
        tag = zahlen[tagZuerst ? 0 : 1];
        monat = zahlen[tagZuerst ? 1 : 0];
    } else {
        for (size_t k = 0; k < 3; ++k) {
            if (folge[k] == L'd') tag = zahlen[k];
            if (folge[k] == L'm') monat = zahlen[k];
            if (folge[k] == L'y') {
                jahr = zahlen[k];
                if (stellen[k] <= 2) {
                    const int grenze = jetzt.wYear - 50;
                    jahr += grenze / 100 * 100;
                    if (jahr < grenze) jahr += 100;
                }
            }
        }
    }
    return TryEncodeDate(jahr, monat, tag, datum);
}

String DatumZeitZuText(TDateTime datum) {
    const Zerlegt z = Zerlegen(datum);
    String r = Formatieren(FormatInKraft().first, FormatInKraft().second, z.tag);
    if (z.ms == 0) return r;
    SYSTEMTIME st{};
    st.wYear = 2000; // any valid day; only the time is formatted
    st.wMonth = 1;
    st.wDay = 1;
    st.wHour = static_cast<WORD>(z.ms / 3600000);
    st.wMinute = static_cast<WORD>(z.ms / 60000 % 60);
    st.wSecond = static_cast<WORD>(z.ms / 1000 % 60);
    st.wMilliseconds = static_cast<WORD>(z.ms % 1000);
    wchar_t puffer[80];
    const int n = GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, puffer, 80);
    if (n > 1) r += L" " + String(puffer, n - 1);
    return r;
}
