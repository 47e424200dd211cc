#include "util/QEL_Str.h"

#include "util/kv7_str.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>

namespace {

std::optional<std::vector<String>> ersatzParameter;

std::vector<String> ProzessParameter() {
    std::vector<String> liste;
    int anzahl = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &anzahl);
    if (!argv) return liste;
    for (int i = 1; i < anzahl; ++i)
        liste.emplace_back(argv[i]);
    LocalFree(argv);
    return liste;
}

// Read afresh each time: the switches are looked at a handful of times per run.
std::vector<String> AlleParameter() {
    return ersatzParameter ? *ersatzParameter : ProzessParameter();
}

// "A to Z only", independent of the locale, as the yes/no words are fixed.
String AsciiGross(String s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

} // namespace

void ParameterSetzen(std::vector<String> parameter) {
    ersatzParameter = std::move(parameter);
}
void ParameterZuruecksetzen() {
    ersatzParameter.reset();
}

int ParameterAnzahl() {
    return static_cast<int>(AlleParameter().size());
}

String Parameter(int i) {
    const std::vector<String> liste = AlleParameter();
    if (i < 1 || i > static_cast<int>(liste.size())) return String();
    return liste[i - 1];
}

String SchalterWert(const String& name) {
    const String n = GrossBuchstaben(name);
    String wert;
    for (const String& p : AlleParameter()) {
        const String g = GrossBuchstaben(p);
        if (g.starts_with(n)) wert = g.substr(n.size());
    }
    return Trimmen(wert);
}

bool SchalterVorhanden(const String& name) {
    const String n = GrossBuchstaben(name);
    for (const String& p : AlleParameter())
        if (GrossBuchstaben(p).starts_with(n)) return true;
    return false;
}

bool JaNein(const String& text, bool vorgabe) {
    const String t = AsciiGross(text);
    if (t == L"J" || t == L"JA" || t == L"TRUE" || t == L"WAHR") return true;
    if (t == L"N" || t == L"NEIN" || t == L"FALSE" || t == L"FALSCH") return false;
    return vorgabe;
}

bool Test800x600() {
    return SchalterVorhanden(L"/8X6") || SchalterVorhanden(L"8X6");
}
