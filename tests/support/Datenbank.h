#pragma once
// Reads a database as another program sees it.
#include "util/Basis.h"

// Every row of the query through a connection of its own: the fields joined by ",", NULL for no
// value, each row ended by ";".
String TabelleLesen(const String& verbindung, const String& sql);
