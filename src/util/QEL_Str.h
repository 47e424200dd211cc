#pragma once
// Command-line switches. Parameters are those after the program name, numbered from 1.
#include "util/Basis.h"

#include <vector>

int ParameterAnzahl();
String Parameter(int i);

String SchalterWert(const String& name);
bool SchalterVorhanden(const String& name);
bool JaNein(const String& text, bool vorgabe);

// The parameters of a command line, split by the system's rules: blanks and tabs part them,
// double quotes group, a backslash escapes a double quote (2n backslashes before a quote give n
// and the quote groups, 2n+1 give n and a literal quote), two quotes within a group give one and
// end the group.
// The program name goes up to the next quote when it starts with one, otherwise up to a blank.
std::vector<String> BefehlszeileTeilen(const String& zeile);

// The 800 by 600 test switch: an argument beginning with "/8X6" or "8X6".
bool Test800x600();

// For tests only: replaces the parameter list of the process, and restores it.
void ParameterSetzen(std::vector<String> parameter);
void ParameterZuruecksetzen();
