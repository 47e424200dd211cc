#pragma once
// The program without its window: the unattended run ("/SICHERN"), its verification ("/PRUEFEN")
// and the help ("/?"). No box waits for a person; lines go to standard output, messages to
// standard error, and the exit code tells how the run ended.
#include "util/Basis.h"

#include <functional>
#include <windows.h>

struct Konsolenausgabe {
    std::function<void(const String&)> ausgabe; // a line on standard output
    std::function<void(const String&)> fehler;  // a message on standard error
};

enum class UnbeaufsichtigterLauf { sichern, pruefen };

// Runs the backup, or its verification, with the stored settings; returns the exit code (see
// HilfeText).
int Unbeaufsichtigt(const Konsolenausgabe& konsole,
                    UnbeaufsichtigterLauf lauf = UnbeaufsichtigterLauf::sichern);

// The help "/?" prints: the switches and the exit codes of the unattended runs; lines break with "\r".
String HilfeText();

// The console's Ctrl+C, Ctrl+Break or close, and the end of the session: the run is cancelled.
// The system calls it on a thread of its own.
BOOL WINAPI KonsolenAbbruch(DWORD ereignis);
