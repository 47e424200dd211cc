#pragma once
// The text of a settings file as the profile functions left it, for byte-level checks.
#include "util/Basis.h"

#include <vector>

// True when the file starts with the UTF-16LE mark FF FE.
bool HatUtf16Marke(const String& datei);
// The file's lines, decoded from UTF-16LE (after the mark) or the ANSI code page.
std::vector<String> IniZeilen(const String& datei);
