#pragma once
// A settings file held in memory: read once, asked and changed there, written once. Reading and
// changing follow the system's profile functions, so that a file goes through this class the way
// it would go through them; writing puts a complete new file in the old one's place in one step,
// so that another program finds the old content or the new one, never half of it.
#include "util/Basis.h"

#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

class TIniDokument {
public:
    // Reads the file: UTF-16LE after the mark FF FE, UTF-8 after its mark, else the ANSI code page.
    // A missing file is an empty document. While another program holds or replaces the file, the
    // read waits a little; past that the document stays empty and Verweigert says so. A name
    // without a full path means the file of that name in the Windows folder, as the profile
    // functions have it.
    explicit TIniDokument(const String& datei);
    ~TIniDokument();
    TIniDokument(const TIniDokument&) = delete;
    TIniDokument& operator=(const TIniDokument&) = delete;

    const String& Datei() const { return datei_; }
    // The file is there but could not be read: the document holds nothing of it.
    bool Verweigert() const { return verweigert_; }

    // The value as the profile functions give it: blanks around it and one pair of surrounding
    // quotes gone, at most 2047 characters; names found whatever their letter case, in the first
    // section of the name, the first key of the name. Nothing when there is no such key.
    std::optional<String> Wert(const String& sektion, const String& key) const;
    // Every key of the section with its value as Wert gives it, in the file's order (comments left
    // out, repeated keys as they stand).
    std::vector<std::pair<String, String>> Werte(const String& sektion) const;

    // A key that exists gets the value where it stands; a new key goes to the end of its section,
    // a new section to the end of the file.
    void Schreiben(const String& sektion, const String& key, const String& wert);
    // Removes the section's header and all its lines.
    void SektionLoeschen(const String& sektion);

    // Makes sure before the first change that the file can be replaced at all: raises the write
    // error for a file that cannot be read, a read-only file or a folder that refuses the new file.
    void Vorbereiten();
    // Writes the document into a new file beside the settings file, which then takes its place;
    // the file keeps its attributes. Every line comes out as a rewrite by the profile functions
    // leaves it: "[section]", "key=value" or the line as read, each ending in "\r\n", blank lines
    // gone. Nothing happens when nothing changed. Raises the write error
    // (and leaves the file as it was) when any step fails.
    void Speichern();

private:
    struct TZeile {
        String name;                // the key, or the whole line when it has no "=": no key then
        std::optional<String> wert; // after "=", leading blanks gone
    };
    struct TSektion {
        String name; // empty for the lines before the first section
        bool kopf = true;
        std::vector<TZeile> zeilen;
        std::unordered_map<String, size_t> keys; // name in capitals -> its first line
    };
    enum class TKodierung { Ansi, Utf8, Utf16 };

    void Einlesen(const std::string& bytes);
    void Anhaengen(TSektion sektion);
    void Verzeichnen();
    const TSektion* Finden(const String& sektion) const;
    String Text() const;
    void Verwerfen();

    String datei_;
    bool nurAnsi_ = false; // a name without a full path: the profile functions keep such a file 8-bit
    bool verweigert_ = false;
    unsigned long attribute_ = 0;
    TKodierung kodierung_ = TKodierung::Utf16;
    bool geaendert_ = false;
    std::vector<TSektion> sektionen_;
    std::unordered_map<String, size_t> sektionsIndex_; // name in capitals -> its first section
    void* neu_ = nullptr; // the new file's handle from Vorbereiten on
    String neuName_;
};

[[noreturn]] void IniSchreibfehler(const String& datei);
