#pragma once
// The program's start as a test process needs it: the program date fixed through
// "/Systemdatum=" as the command line fixes it, then the start-up settings.
#include "util/Basis.h"

// True when the program date is now the given day; false when this process had fixed another one
// before (several tests in one process asking for different days): the caller then skips.
bool StartMitProgrammdatum(TDateTime datum);
