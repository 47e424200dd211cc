#pragma once
// Drop data as the file manager hands it over: a DROPFILES block with wide, double-zero-terminated paths.
#include "util/Basis.h"

#include <vector>
#include <windows.h>

HDROP DropDaten(const std::vector<String>& pfade);
