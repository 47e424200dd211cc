#include "sys/Qel_ini.h"

#include "sys/IniAenderung.h"
#include "sys/Ordner.h"
#include "sys/qel_SHFolder.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <windows.h>
#include <vector>

namespace {

constexpr DWORD WertPuffer = 2048;

int HexZiffer(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Decimal with an optional sign, or "0x" and up to eight hexadecimal digits (a 32-bit pattern, so
// colours written as negative numbers also come back from their hexadecimal form).
bool GanzzahlLesen(const String& text, int& wert) {
    if (text.size() >= 3 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        if (text.size() > 10) return false;
        unsigned long muster = 0;
        for (size_t i = 2; i < text.size(); ++i) {
            int z = HexZiffer(text[i]);
            if (z < 0) return false;
            muster = muster * 16 + static_cast<unsigned long>(z);
        }
        wert = static_cast<int>(static_cast<unsigned int>(muster));
        return true;
    }
    size_t i = 0;
    bool negativ = false;
    if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negativ = text[i++] == L'-';
    if (i == text.size()) return false;
    long long betrag = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
        betrag = betrag * 10 + (text[i] - L'0');
        if (betrag > 2147483648LL) return false;
    }
    if (!negativ && betrag > 2147483647LL) return false;
    wert = static_cast<int>(negativ ? -betrag : betrag);
    return true;
}

// Blanks and tabs around a key or a value are not part of it.
String OhneLeerraum(const String& s) {
    size_t a = s.find_first_not_of(L" \t"), e = s.find_last_not_of(L" \t");
    return a == String::npos ? String() : s.substr(a, e - a + 1);
}

} // namespace

// The profile functions hand back the default themselves, but with trailing blanks cut and at most
// 2047 characters. Two improbable markers tell a missing key apart.
std::optional<String> TqelIniFile::ReadValue(const String& section, const String& ident) const {
    const String ziel = IniLeseziel(fileName_);
    wchar_t puffer[WertPuffer];
    auto lesen = [&](const wchar_t* marke) {
        DWORD n =
            GetPrivateProfileStringW(section.c_str(), ident.c_str(), marke, puffer, WertPuffer, ziel.c_str());
        return String(puffer, n);
    };
    String wert = lesen(L"\x01");
    if (wert == L"\x01" && lesen(L"\x02") == L"\x02") return std::nullopt;
    return wert;
}

String TqelIniFile::ReadString(const String& section, const String& ident, const String& deflt) const {
    return ReadValue(section, ident).value_or(deflt);
}

int TqelIniFile::ReadInteger(const String& section, const String& ident, int deflt) const {
    int wert = deflt;
    return GanzzahlLesen(ReadString(section, ident, L""), wert) ? wert : deflt;
}

bool TqelIniFile::ReadBool(const String& section, const String& ident, bool deflt) const {
    return ReadInteger(section, ident, deflt ? 1 : 0) != 0;
}

void TqelIniFile::ReadSection(const String& section, TStrings& idents) const {
    std::vector<wchar_t> puffer(4096);
    DWORD n = 0;
    for (;;) {
        n = GetPrivateProfileStringW(section.c_str(), nullptr, L"", puffer.data(),
                                     static_cast<DWORD>(puffer.size()), IniLeseziel(fileName_).c_str());
        if (n + 2 < puffer.size()) break;
        puffer.resize(puffer.size() * 2);
    }
    idents.Clear();
    for (DWORD i = 0; i < n;) {
        String ident(&puffer[i]);
        if (ident.empty()) break;
        idents.Add(ident);
        i += static_cast<DWORD>(ident.size()) + 1;
    }
}

// The section comes back as "key=value" lines as they stand; the value is cut and unquoted here
// the way a read of the single key does it.
std::vector<std::pair<String, String>> TqelIniFile::ReadSectionValues(const String& section) const {
    std::vector<wchar_t> puffer(65536);
    DWORD n = 0;
    for (;;) {
        n = GetPrivateProfileSectionW(section.c_str(), puffer.data(), static_cast<DWORD>(puffer.size()),
                                      IniLeseziel(fileName_).c_str());
        if (n + 2 < puffer.size()) break;
        puffer.resize(puffer.size() * 2);
    }
    std::vector<std::pair<String, String>> werte;
    for (DWORD i = 0; i < n;) {
        String zeile(&puffer[i]);
        if (zeile.empty()) break;
        i += static_cast<DWORD>(zeile.size()) + 1;
        if (zeile[0] == L';') continue; // some systems hand back comment lines too
        size_t gleich = zeile.find(L'=');
        String key = OhneLeerraum(zeile.substr(0, gleich));
        String wert = gleich == String::npos ? String() : OhneLeerraum(zeile.substr(gleich + 1));
        if (wert.size() >= 2 && (wert[0] == L'"' || wert[0] == L'\'') && wert.back() == wert[0])
            wert = wert.substr(1, wert.size() - 2);
        if (wert.size() > WertPuffer - 1) wert.resize(WertPuffer - 1);
        werte.emplace_back(std::move(key), std::move(wert));
    }
    return werte;
}

bool TqelIniFile::SectionExists(const String& section) const {
    TStringList idents;
    ReadSection(section, idents);
    return idents.Count() > 0;
}

bool TqelIniFile::ValueExists(const String& section, const String& ident) const {
    TStringList idents;
    ReadSection(section, idents);
    for (int i = 0; i < idents.Count(); ++i)
        if (CompareStringOrdinal(idents[i].c_str(), -1, ident.c_str(), -1, TRUE) == CSTR_EQUAL) return true;
    return false;
}

void TqelIniFile::WriteString(const String& section, const String& ident, const String& value) {
    IniWertSchreiben(fileName_, section, ident, value);
}

void TqelIniFile::WriteInteger(const String& section, const String& ident, int value) {
    WriteString(section, ident, std::to_wstring(value));
}

void TqelIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? L"1" : L"0");
}

void TqelIniFile::EraseSection(const String& section) {
    IniSektionLoeschen(fileName_, section);
}

TqelIniFile& StandardIniDatei() {
    static TqelIniFile datei(ProgrammdatenOrdner() + DateiBasisname(ProgrammDatei()) + L".ini");
    return datei;
}
