#pragma once
// Instants a benchmark asks the program for. When the environment variable SICHERUNG_ZEITMARKEN
// names a file, each mark appends the line "<name> <time>", the time being the system time in
// 100-ns steps since 1601; the process's peak working set in bytes follows at its end as
// "speicher_spitze <bytes>". Without the variable a mark does nothing.
void Zeitmarke(const char* name);
