#include "util/QEL_Str.h"

#include "util/kv7_str.h"

#include <windows.h>

#include <optional>

namespace {

std::optional<std::vector<String>> ersatzParameter;

// Read afresh each time: the switches are looked at a handful of times per run. Split here rather
// than by the shell's function, whose library would otherwise load at every start.
std::vector<String> AlleParameter() {
    return ersatzParameter ? *ersatzParameter : BefehlszeileTeilen(GetCommandLineW());
}

// "A to Z only", independent of the locale, as the yes/no words are fixed.
String AsciiGross(String s) {
    for (wchar_t& c : s)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
}

} // namespace

std::vector<String> BefehlszeileTeilen(const String& zeile) {
    auto leer = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    size_t i = 0;
    if (!zeile.empty() && zeile[0] == L'"') {
        i = zeile.find(L'"', 1);
        i = i == String::npos ? zeile.size() : i + 1;
    } else {
        while (i < zeile.size() && !leer(zeile[i]))
            ++i;
    }
    std::vector<String> liste;
    for (;;) {
        while (i < zeile.size() && leer(zeile[i]))
            ++i;
        if (i >= zeile.size()) return liste;
        String teil;
        bool gruppe = false;
        while (i < zeile.size() && (gruppe || !leer(zeile[i]))) {
            size_t striche = 0;
            while (i < zeile.size() && zeile[i] == L'\\') {
                ++striche;
                ++i;
            }
            if (i < zeile.size() && zeile[i] == L'"') {
                teil.append(striche / 2, L'\\');
                if (striche % 2) {
                    teil += L'"';
                } else if (gruppe && i + 1 < zeile.size() && zeile[i + 1] == L'"') {
                    teil += L'"';
                    gruppe = false;
                    ++i;
                } else {
                    gruppe = !gruppe;
                }
                ++i;
            } else {
                teil.append(striche, L'\\');
                if (i < zeile.size() && (gruppe || !leer(zeile[i]))) teil += zeile[i++];
            }
        }
        liste.push_back(std::move(teil));
    }
}

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
