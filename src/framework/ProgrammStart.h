#pragma once
// The process-wide start-up every program of ours makes before its first window: the program
// date, where the settings live, the keys a push button keeps, the shared custom colours, and the
// application object.
void ProgrammStarten();
