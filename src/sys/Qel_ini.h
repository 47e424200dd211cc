#pragma once
// A settings file of sections, keys and values, read and written one value at a time: every read
// reads the file, every write changes it whole (see IniDokument.h). Creating the object touches no
// file. A walk over many values takes one TIniDokument instead.
#include "util/Basis.h"

#include <functional>
#include <optional>
#include <utility>
#include <vector>

class TIniDokument;
class TStrings;

class TqelIniFile {
public:
    explicit TqelIniFile(String fileName) : fileName_(std::move(fileName)) {}
    TqelIniFile(const TqelIniFile&) = delete;
    TqelIniFile& operator=(const TqelIniFile&) = delete;

    const String& FileName() const { return fileName_; }

    // Reads never fail: a missing file, section or key gives the default. At most 2047 characters.
    String ReadString(const String& section, const String& ident, const String& deflt) const;
    // The value, or nothing when the key is missing.
    std::optional<String> ReadValue(const String& section, const String& ident) const;
    // Decimal, or hexadecimal after "0x"; anything else gives the default.
    int ReadInteger(const String& section, const String& ident, int deflt) const;
    bool ReadBool(const String& section, const String& ident, bool deflt) const;
    void ReadSection(const String& section, TStrings& idents) const;
    // Every key of the section with its value as ReadValue gives it, in the file's order, read at
    // once: a long list read key by key costs a pass over the file for every key.
    std::vector<std::pair<String, String>> ReadSectionValues(const String& section) const;
    bool SectionExists(const String& section) const;
    bool ValueExists(const String& section, const String& ident) const;

    // Writes raise Exception "In <file> kann nicht geschrieben werden" when the file system refuses,
    // or when a file named without a full path cannot hold the text in the ANSI code page.
    void WriteString(const String& section, const String& ident, const String& value);
    void WriteInteger(const String& section, const String& ident, int value);
    void WriteBool(const String& section, const String& ident, bool value);
    void EraseSection(const String& section);

private:
    void Aendern(const std::function<void(TIniDokument&)>& aenderung);
    String fileName_;
};

// An integer value of a settings file: decimal, or hexadecimal after "0x". False for anything else.
bool GanzzahlLesen(const String& text, int& wert);

// The program-wide settings file in the program's data folder, named after the executable with
// ".ini"; made on first use, released at program end.
TqelIniFile& StandardIniDatei();
