#include "settings/Einstellungswerte.h"
#include "util/kv7_date.h"
#include "util/kv7_str.h"

#include <cerrno>
#include <cmath>
#include <cwchar>

namespace {
bool IstZiffer(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
} // namespace

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
