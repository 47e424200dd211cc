#pragma once
// Opening a file, folder or program through the shell, the way a double click would.
#include "util/Basis.h"

#include <cstdint>
#include <windows.h>

// Launches through the application's main window; before that window exists it reports an internal
// error and launches nothing. Empty parameters or working folder mean none.
bool kivDateiStarten(const String& datei, const String& parameter = L"",
                     const String& arbeitsverzeichnis = L"", bool fehlerZeigen = true);
// Handles pending messages first, then asks the shell to "open" the file; a failure is explained in
// an information box when asked for. Does not wait for the started program.
bool ShellStarten(HWND owner, const String& datei, const String& parameter, bool fehlerZeigen,
                  const String& arbeitsverzeichnis);

// The shell's result as the 32-bit number it stands for; success is 0 or above 32.
bool ShellErfolg(std::int32_t ergebnis);
String ShellFehlerText(std::int32_t ergebnis);
