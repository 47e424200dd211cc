#pragma once
// The gallery's pages, each built onto the window by one function, in the order of the window.
class Tgl_Main;
class TLabel;

// The overview; returns the label that lists the pages, filled once all are built.
TLabel* UebersichtSeite(Tgl_Main& fenster);
// Buttoned edits, the switchable group box and the colour buttons.
void FelderSeite(Tgl_Main& fenster);
// The keyed combo boxes: searching by initial letters, keys as numbers, folders and files.
void SchluesselboxenSeite(Tgl_Main& fenster);
// Period button, from-to dialog and date edit.
void DatumSeite(Tgl_Main& fenster);
