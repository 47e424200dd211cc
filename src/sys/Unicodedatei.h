#pragma once
// The profile functions write a file in the form they find it: 8-bit in the ANSI code page, or
// UTF-16LE when it starts with FF FE. These keep every character a write brings.
#include "util/Basis.h"

// The first bytes of a UTF-16LE file.
inline constexpr char kUtf16Marke[] = "\xFF\xFE";

// True when the text survives the ANSI code page unchanged.
bool AnsiDarstellbar(const String& text);

// A drive or network path; the profile functions look for any other name in the Windows folder.
bool VollerPfad(const String& datei);

// Converts an existing 8-bit file to UTF-16LE, content kept, when `text` needs it. False when the
// file could not be read or rewritten.
bool UnicodeSicherstellen(const String& datei, const String& text);
