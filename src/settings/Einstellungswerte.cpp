#include "settings/Einstellungswerte.h"
#include "util/kv7_date.h"
#include "util/kv7_str.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cwchar>

namespace {
bool IstZiffer(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

int HexZiffer(wchar_t c) {
    if (IstZiffer(c)) return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Up to eight hex digits; the 32 bits are taken as they stand, so 0xFFFFFFFF is -1.
bool HexZuInteger(const String& ziffern, int& zahl) {
    if (ziffern.empty() || ziffern.size() > 8) return false;
    std::uint32_t wert = 0;
    for (wchar_t c : ziffern) {
        int z = HexZiffer(c);
        if (z < 0) return false;
        wert = wert * 16 + static_cast<std::uint32_t>(z);
    }
    zahl = static_cast<int>(wert);
    return true;
}

bool DezimalZuInteger(const String& wert, int& zahl) {
    size_t i = 0;
    bool negativ = false;
    if (i < wert.size() && (wert[i] == L'-' || wert[i] == L'+')) negativ = wert[i++] == L'-';
    if (i == wert.size()) return false;
    std::int64_t betrag = 0;
    for (; i < wert.size(); ++i) {
        if (!IstZiffer(wert[i])) return false;
        betrag = betrag * 10 + (wert[i] - L'0');
        if (betrag > 2147483648LL) return false;
    }
    std::int64_t ergebnis = negativ ? -betrag : betrag;
    if (ergebnis > 2147483647LL) return false;
    zahl = static_cast<int>(ergebnis);
    return true;
}
} // namespace

String IntegerWert(int zahl) {
    return std::to_wstring(zahl);
}

bool WertZuInteger(const String& wert, int& zahl) {
    if (wert.size() >= 3 && wert[0] == L'0' && (wert[1] == L'x' || wert[1] == L'X'))
        return HexZuInteger(wert.substr(2), zahl);
    return DezimalZuInteger(wert, zahl);
}

String JaNeinWert(bool ja) {
    return ja ? L"1" : L"0";
}

bool WertZuJaNein(const String& wert, bool& ja) {
    int zahl = 0;
    if (!WertZuInteger(wert, zahl)) return false;
    ja = zahl != 0;
    return true;
}

String DatumWert(TDateTime datum) {
    return DatumZuText(DateOf(datum));
}

bool WertZuDatum(const String& wert, TDateTime& datum) {
    TDateTime gelesen = 0;
    if (!TextZuDatum(wert, gelesen)) return false;
    datum = gelesen;
    return true;
}

String ZahlWert(double zahl) {
    wchar_t puffer[64];
    std::swprintf(puffer, 64, L"%.15G", zahl);
    String text = puffer;
    size_t punkt = text.find(L'.');
    if (punkt != String::npos) text.replace(punkt, 1, DezimalTrenner());
    return text;
}

// Only what ZahlWert writes under the current separator: sign, digits, one separator, exponent.
bool WertZuZahl(const String& wert, double& zahl) {
    const String trenner = DezimalTrenner();
    String c;
    size_t i = 0;
    if (i < wert.size() && (wert[i] == L'-' || wert[i] == L'+')) c += wert[i++];
    bool ziffern = false;
    while (i < wert.size() && IstZiffer(wert[i])) {
        c += wert[i++];
        ziffern = true;
    }
    if (!trenner.empty() && wert.compare(i, trenner.size(), trenner) == 0) {
        c += L'.';
        i += trenner.size();
        while (i < wert.size() && IstZiffer(wert[i])) {
            c += wert[i++];
            ziffern = true;
        }
    }
    if (!ziffern) return false;
    if (i < wert.size() && (wert[i] == L'e' || wert[i] == L'E')) {
        c += wert[i++];
        if (i < wert.size() && (wert[i] == L'-' || wert[i] == L'+')) c += wert[i++];
        if (i == wert.size() || !IstZiffer(wert[i])) return false;
        while (i < wert.size() && IstZiffer(wert[i]))
            c += wert[i++];
    }
    if (i != wert.size()) return false;
    errno = 0;
    wchar_t* ende = nullptr;
    double gelesen = std::wcstod(c.c_str(), &ende);
    if (errno == ERANGE || !std::isfinite(gelesen)) return false;
    zahl = gelesen;
    return true;
}
