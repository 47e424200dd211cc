#include "sys/Qel_ini.h"

#include "sys/IniDokument.h"
#include "sys/Ordner.h"
#include "sys/qel_SHFolder.h"
#include "toolkit/Classes.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <windows.h>

namespace {

int HexZiffer(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

} // namespace

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

std::optional<String> TqelIniFile::ReadValue(const String& section, const String& ident) const {
    return TIniDokument(fileName_).Wert(section, ident);
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
    idents.Clear();
    for (const auto& [key, wert] : ReadSectionValues(section))
        idents.Add(key);
}

std::vector<std::pair<String, String>> TqelIniFile::ReadSectionValues(const String& section) const {
    return TIniDokument(fileName_).Werte(section);
}

bool TqelIniFile::SectionExists(const String& section) const {
    return !ReadSectionValues(section).empty();
}

bool TqelIniFile::ValueExists(const String& section, const String& ident) const {
    return ReadValue(section, ident).has_value();
}

void TqelIniFile::Aendern(const std::function<void(TIniDokument&)>& aenderung) {
    TIniDokument dokument(fileName_);
    dokument.Vorbereiten();
    aenderung(dokument);
    dokument.Speichern();
}

void TqelIniFile::WriteString(const String& section, const String& ident, const String& value) {
    Aendern([&](TIniDokument& d) { d.Schreiben(section, ident, value); });
}

void TqelIniFile::WriteInteger(const String& section, const String& ident, int value) {
    WriteString(section, ident, std::to_wstring(value));
}

void TqelIniFile::WriteBool(const String& section, const String& ident, bool value) {
    WriteString(section, ident, value ? L"1" : L"0");
}

void TqelIniFile::EraseSection(const String& section) {
    Aendern([&](TIniDokument& d) { d.SektionLoeschen(section); });
}

TqelIniFile& StandardIniDatei() {
    static TqelIniFile datei(ProgrammdatenOrdner() + DateiBasisname(ProgrammDatei()) + L".ini");
    return datei;
}
