#pragma once
// The profile functions write a file in the form they find it: 8-bit in the ANSI code page, or
// UTF-16LE when it starts with FF FE. What a settings file needs to keep every character.
#include "util/Basis.h"

// The first bytes of a UTF-16LE file.
inline constexpr char kUtf16Marke[] = "\xFF\xFE";

// True when the text survives the ANSI code page unchanged.
bool AnsiDarstellbar(const String& text);

// A drive or network path; the profile functions look for any other name in the Windows folder.
bool VollerPfad(const String& datei);
