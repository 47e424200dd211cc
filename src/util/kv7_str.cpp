#include "util/kv7_str.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>

String RechtsTrimmen(const String& s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == L' ')
        --n;
    return s.substr(0, n);
}

String LinksTrimmen(const String& s) {
    size_t i = 0;
    while (i < s.size() && s[i] == L' ')
        ++i;
    return s.substr(i);
}

String Trimmen(const String& s) {
    return LinksTrimmen(RechtsTrimmen(s));
}

String MitBackslash(const String& s) {
    if (s.empty() || s.back() == L'\\') return s;
    return s + L'\\';
}

String RechtsAuffuellen(const String& s, wchar_t c, int laenge) {
    String r = s;
    if (laenge > 0 && r.size() < static_cast<size_t>(laenge)) r.append(laenge - r.size(), c);
    return r;
}

String ZeichenWiederholen(wchar_t c, int anzahl) {
    return anzahl > 0 ? String(anzahl, c) : String();
}

String MitNullen(const String& s, int breite) {
    if (breite <= 0 || s.size() >= static_cast<size_t>(breite)) return s;
    return String(breite - s.size(), L'0') + s;
}

// The zeros go between the minus sign and the digits: "-005", not "00-5".
static String ZahlMitNullen(long long zahl, int breite) {
    if (zahl >= 0) return MitNullen(std::to_wstring(zahl), breite);
    String ziffern = std::to_wstring(zahl).substr(1);
    return L"-" + MitNullen(ziffern, breite - 1);
}

String ZweiStellen(long long zahl) {
    return ZahlMitNullen(zahl, 2);
}
String VierStellen(long long zahl) {
    return ZahlMitNullen(zahl, 4);
}

int Minimum(int a, int b) {
    return a < b ? a : b;
}

String OhneEndzeichen(const String& s, wchar_t c) {
    if (!s.empty() && s.back() == c) return s.substr(0, s.size() - 1);
    return s;
}

wchar_t ErstesZeichen(const String& s) {
    return s.empty() ? L'\0' : s.front();
}
wchar_t LetztesZeichen(const String& s) {
    return s.empty() ? L'\0' : s.back();
}

int ZeichenAnzahl(const String& s, wchar_t c) {
    int n = 0;
    for (wchar_t z : s)
        if (z == c) ++n;
    return n;
}

int SemikolonAnzahl(const String& s) {
    return ZeichenAnzahl(s, L';');
}

String JaNeinText(bool wert) {
    return wert ? L"Ja" : L"Nein";
}

// Start of the file name: after the last "\" or ":".
// A name begins after the last separator ("\" or "/") or drive colon.
static size_t NamensAnfang(const String& pfad) {
    size_t p = pfad.find_last_of(L"\\/:");
    return p == String::npos ? 0 : p + 1;
}

String DateiPfad(const String& pfad) {
    return pfad.substr(0, NamensAnfang(pfad));
}

String DateiErweiterung(const String& pfad) {
    size_t anfang = NamensAnfang(pfad);
    size_t punkt = pfad.rfind(L'.');
    if (punkt == String::npos || punkt < anfang) return String();
    return pfad.substr(punkt);
}

String DateiBasisname(const String& pfad) {
    String name = pfad.substr(NamensAnfang(pfad));
    return name.substr(0, name.size() - DateiErweiterung(name).size());
}

String OhneLaufwerk(const String& pfad) {
    size_t p = pfad.find(L':');
    return p == String::npos ? pfad : pfad.substr(p + 1);
}

String MitBackslashes(const String& pfad) {
    String s = pfad;
    std::replace(s.begin(), s.end(), L'/', L'\\');
    return s;
}

bool GleicherPfad(const String& a, const String& b) {
    const String x = OhneEndzeichen(MitBackslashes(a), L'\\'), y = OhneEndzeichen(MitBackslashes(b), L'\\');
    return CompareStringOrdinal(x.c_str(), -1, y.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool TextGleich(const String& a, const String& b) {
    return GrossBuchstaben(Trimmen(a)) == GrossBuchstaben(Trimmen(b));
}

bool TextUngleich(const String& a, const String& b) {
    return !TextGleich(a, b);
}

String AllesErsetzen(const String& s, const String& alt, const String& neu) {
    // An empty search text would match everywhere without ever advancing.
    if (alt.empty()) return s;
    String r;
    size_t von = 0;
    for (size_t p = s.find(alt); p != String::npos; p = s.find(alt, von)) {
        r.append(s, von, p - von);
        r += neu;
        von = p + alt.size();
    }
    r.append(s, von, String::npos);
    return r;
}

static String LocaleInfo(LCTYPE art, const wchar_t* ersatz) {
    wchar_t puffer[88];
    int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, art, puffer, 88);
    return n > 1 ? String(puffer, n - 1) : String(ersatz);
}

String DezimalTrenner() {
    return LocaleInfo(LOCALE_SDECIMAL, L".");
}
String TausenderTrenner() {
    return LocaleInfo(LOCALE_STHOUSAND, L",");
}

String GrossBuchstaben(const String& s) {
    if (s.empty()) return s;
    const int laenge = static_cast<int>(s.size());
    int n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, s.c_str(), laenge, nullptr, 0, nullptr,
                          nullptr, 0);
    if (n <= 0) return s;
    String r(n, L'\0');
    n = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, LCMAP_UPPERCASE, s.c_str(), laenge, r.data(), n, nullptr,
                      nullptr, 0);
    if (n <= 0) return s;
    r.resize(n);
    return r;
}

long double TextZuZahl(const String& s) {
    String t = Trimmen(s);
    if (t.empty() || t == L"+" || t == L"-") return 0;
    t = AllesErsetzen(t, L".", L"");
    // Rewrite to the C library's form: the user's decimal separator becomes ".".
    const String dezimal = DezimalTrenner();
    size_t p = t.find(dezimal);
    if (p != String::npos) t.replace(p, dezimal.size(), L".");
    if (t.empty() || t.find_first_not_of(L"0123456789+-.eE") != String::npos) return 0;
    if (t.find_first_of(L"0123456789") == String::npos) return 0;
    const wchar_t* anfang = t.c_str();
    wchar_t* ende = nullptr;
    errno = 0;
    long double wert = std::wcstold(anfang, &ende);
    if (ende != anfang + t.size() || errno == ERANGE) return 0;
    return wert;
}

String ZahlMitTausendern(long long zahl) {
    const String ziffern = std::to_wstring(zahl < 0 ? -(unsigned long long)zahl : (unsigned long long)zahl);
    const String tausender = TausenderTrenner();
    String r;
    for (size_t i = 0; i < ziffern.size(); ++i) {
        if (i > 0 && (ziffern.size() - i) % 3 == 0) r += tausender;
        r += ziffern[i];
    }
    return zahl < 0 ? LocaleInfo(LOCALE_SNEGATIVESIGN, L"-") + r : r;
}

String AnzahlText(long long anzahl, const String& einzahl, const String& mehrzahl) {
    if (anzahl == 1) return L"1 " + einzahl;
    return ZahlMitTausendern(anzahl) + L" " + mehrzahl;
}

String FeldMitTrenner(const String& s, wchar_t trenner, int nummer) {
    if (nummer < 0) return String();
    size_t p = s.find(trenner);
    if (nummer == 0) return p == String::npos ? s : s.substr(0, p);
    for (int i = 1; i < nummer && p != String::npos; ++i)
        p = s.find(trenner, p + 1);
    if (p == String::npos) return String();
    size_t ende = s.find(trenner, p + 1);
    return Trimmen(s.substr(p + 1, ende == String::npos ? String::npos : ende - p - 1));
}

String Feld(const String& s, int nummer) {
    return FeldMitTrenner(s, L';', nummer);
}

String ListenEintrag(const String& s, wchar_t trenner) {
    return Trimmen(AllesErsetzen(s, String(1, trenner), L" ")) + trenner;
}

String SemikolonEintrag(const String& s) {
    return ListenEintrag(s, L';');
}

String ZahlfeldSetzen(const String& s, int position, int breite, long long wert) {
    const size_t vorne = position > 1 ? static_cast<size_t>(position - 1) : 0;
    const long long hinten = static_cast<long long>(vorne) + (breite > 0 ? breite : 0);
    String r = s.substr(0, vorne < s.size() ? vorne : s.size());
    r += ZahlMitNullen(wert, breite);
    if (hinten < static_cast<long long>(s.size())) r += s.substr(static_cast<size_t>(hinten));
    return r;
}

// Optional sign and decimal digits only; anything else, or an overflow, is no integer.
static bool GanzeZahl(const String& t, long long& wert) {
    if (t.empty()) return false;
    size_t i = (t[0] == L'+' || t[0] == L'-') ? 1 : 0;
    if (i == t.size() || t.find_first_not_of(L"0123456789", i) != String::npos) return false;
    wchar_t* ende = nullptr;
    errno = 0;
    wert = std::wcstoll(t.c_str(), &ende, 10);
    return errno != ERANGE;
}

String ZahlfeldErhoehen(const String& s, int position, int breite) {
    const size_t vorne = position > 1 ? static_cast<size_t>(position - 1) : 0;
    long long wert = 0;
    if (vorne < s.size() && breite > 0 && !GanzeZahl(s.substr(vorne, breite), wert)) wert = 0;
    return ZahlfeldSetzen(s, position, breite, wert + 1);
}
