#pragma once
// Command-line switches. Parameters are those after the program name, numbered from 1.
#include "util/Basis.h"

#include <vector>

int ParameterAnzahl();
String Parameter(int i);

String SchalterWert(const String& name);
bool SchalterVorhanden(const String& name);
bool JaNein(const String& text, bool vorgabe);

// The 800 by 600 test switch: an argument beginning with "/8X6" or "8X6".
bool Test800x600();

// For tests only: replaces the parameter list of the process, and restores it.
void ParameterSetzen(std::vector<String> parameter);
void ParameterZuruecksetzen();
