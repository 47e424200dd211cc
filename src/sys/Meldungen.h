#pragma once
// The program's message boxes. Every text the user reads in a box passes through here.
#include "toolkit/SysUtils.h"
#include "util/Basis.h"

#include <windows.h>

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };

// The standard button sets; each button closes the box with its modal result
// (OK 1, Cancel 2, Abort 3, Retry 4, Ignore 5, Yes 6, No 7).
enum class TMsgDlgButtons { mbOK, mbOKCancel, mbYesNo, mbYesNoCancel, mbRetryCancel, mbAbortRetryIgnore };

int MeldungsDialog(const String& text, TMsgDlgType kind, TMsgDlgButtons buttons, int defaultResult,
                   const String& helpFile = L"", int top = -1, int left = -1, int helpContext = 0);

void FehlerMeldung(const String& text);
void InfoMeldung(const String& text);
// Fills the format by printf rules ("%s" takes a text, "%d" a number).
template <typename... Args> void InfoMeldungFormat(const wchar_t* format, Args... values);
void MeldungWertFehlt();
void MeldungMonatserster();
void MeldungMonatsletzter();
void MeldungZeitraumUngueltig();

String InternerFehlerText(const String& modul, const String& meldung);
// Puts the text on the clipboard, shows it, then stops the current operation silently.
[[noreturn]] void InternerFehler(const String& modul, const String& meldung);

#include "toolkit/SysUtils.h"

template <typename... Args> void InfoMeldungFormat(const wchar_t* format, Args... values) {
    InfoMeldung(Format(format, values...));
}
