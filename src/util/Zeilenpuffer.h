#pragma once
// Many lines of text kept compactly: the characters of all lines in large blocks, one small entry
// per line. A list of a million file paths holds about the bytes of their names.
#include "util/Basis.h"

#include <cstdint>
#include <memory>
#include <vector>

class TZeilenpuffer {
public:
    int Anzahl() const { return static_cast<int>(zeilen_.size()); }
    String Zeile(int index) const;
    // The line's characters, read into `ziel` with at most `platz` characters and a terminator;
    // returns the number of characters written.
    int ZeileLesen(int index, wchar_t* ziel, int platz) const;
    // Characters of the line, as the window draws it.
    int Laenge(int index) const;
    void Anhaengen(const String& zeile);
    void Leeren();
    // The memory the lines take, blocks and entries together.
    size_t Bytes() const;

private:
    struct Eintrag {
        std::uint32_t block;
        std::uint32_t anfang;
    };
    struct Block {
        std::unique_ptr<char[]> daten;
        std::uint32_t groesse = 0;
        std::uint32_t belegt = 0;
    };
    std::uint32_t Ende(size_t index) const;

    std::vector<Block> bloecke_;
    std::vector<Eintrag> zeilen_;
};
