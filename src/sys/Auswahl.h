#pragma once
// Choosing a folder or a file with the system's open-file dialog.
#include "util/Basis.h"

// The dialog has no folder mode: the user navigates into the folder and confirms the proposed name
// "Verzeichnis wählen". On confirmation the folder (with trailing backslash) replaces `verzeichnis`.
bool VerzeichnisWaehlen(String& verzeichnis, const String& maske = L"*.*");
// On confirmation the chosen file's full path replaces `datei`.
bool DateiWaehlen(const String& titel, String& datei, const String& maske);
class TCommonDialog;
// Runs the dialog; true when the user chose. A dialog that fails to open, unlike a cancel, is
// explained in an error message.
bool AuswahlAusfuehren(TCommonDialog& dialog);
// The German text for a dialog's error code (CommDlgExtendedError).
String AuswahlFehlerText(unsigned long fehler);
// ".ini" becomes "*.ini"; other masks stay as they are.
String MaskeMitStern(const String& maske);

class TCustomEdit;
// Stretches a single-line edit across its parent: width = the parent's client width minus the
// edit's left minus `rechterRand` (default, negative: the edit's own left, so both gaps match).
void EditBreiteAnpassen(TCustomEdit* edit, int rechterRand = -1);
