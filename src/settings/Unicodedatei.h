#pragma once
// The profile functions write a file in the form they find it: 8-bit in the ANSI code page, or
// UTF-16LE when it starts with FF FE. Before a write these keep every character of the text.
#include "util/Basis.h"

// True when the text survives the ANSI code page unchanged.
bool AnsiDarstellbar(const String& text);

// Prepares `datei` for a write of `text`: a missing file is created holding only the UTF-16LE
// mark; an existing 8-bit file is converted to UTF-16LE, content kept, when `text` needs it.
// A failed conversion raises the settings file's write error.
void UnicodeSicherstellen(const String& datei, const String& text);
