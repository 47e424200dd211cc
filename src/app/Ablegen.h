#pragma once
// What a list of the main window makes of items dropped from the file manager.
#include "util/Basis.h"

#include <vector>
#include <windows.h>

enum DropModus : int { dmKeiner = 0, dmDateien = 1, dmVerzeichnisse = 2, dmErweiterungen = 3 };

// Reads every dropped path and turns it into the line the mode asks for; items that do not fit
// the mode give no line. Does not release the drop data.
std::vector<String> AbgelegteZeilen(HDROP drop, int modus);
// The line one dropped path gives in a mode, or false when it gives none.
bool ZeileFuerPfad(const String& pfad, int modus, String& zeile);
