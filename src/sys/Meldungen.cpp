#include "sys/Meldungen.h"

#include "toolkit/Dialogs.h"

#include <cstring>

namespace {

UINT Symbol(TMsgDlgType kind) {
    switch (kind) {
    case TMsgDlgType::mtWarning:
        return MB_ICONWARNING;
    case TMsgDlgType::mtError:
        return MB_ICONERROR;
    case TMsgDlgType::mtInformation:
        return MB_ICONINFORMATION;
    case TMsgDlgType::mtConfirmation:
        return MB_ICONQUESTION;
    }
    return 0;
}

const wchar_t* Titel(TMsgDlgType kind) {
    switch (kind) {
    case TMsgDlgType::mtWarning:
        return L"Warnung";
    case TMsgDlgType::mtError:
        return L"Fehler";
    case TMsgDlgType::mtInformation:
        return L"Informationen";
    case TMsgDlgType::mtConfirmation:
        return L"Bestätigen";
    }
    return L"";
}

UINT Knoepfe(TMsgDlgButtons buttons) {
    switch (buttons) {
    case TMsgDlgButtons::mbOK:
        return MB_OK;
    case TMsgDlgButtons::mbOKCancel:
        return MB_OKCANCEL;
    case TMsgDlgButtons::mbYesNo:
        return MB_YESNO;
    case TMsgDlgButtons::mbYesNoCancel:
        return MB_YESNOCANCEL;
    case TMsgDlgButtons::mbRetryCancel:
        return MB_RETRYCANCEL;
    case TMsgDlgButtons::mbAbortRetryIgnore:
        return MB_ABORTRETRYIGNORE;
    }
    return MB_OK;
}

MessageBoxArgs Box(const String& text, TMsgDlgType kind, TMsgDlgButtons buttons, int defaultResult, int top,
                   int left) {
    MessageBoxArgs box;
    box.text = text;
    box.caption = Titel(kind);
    box.icon = Symbol(kind);
    box.buttons = Knoepfe(buttons);
    box.defaultResult = defaultResult;
    box.top = top;
    box.left = left;
    return box;
}

} // namespace

// The program ships no help files, so help file and context are accepted and not used.
int MeldungsDialog(const String& text, TMsgDlgType kind, TMsgDlgButtons buttons, int defaultResult,
                   const String& /*helpFile*/, int top, int left, int /*helpContext*/) {
    return ShowMessageBox(Box(text, kind, buttons, defaultResult, top, left));
}

void FehlerMeldung(const String& text) {
    MessageBoxArgs box = Box(text, TMsgDlgType::mtError, TMsgDlgButtons::mbOK, IDOK, -1, -1);
    box.beep = true;
    ShowMessageBox(box);
}

// Default result "No", which the box does not have: no button carries the default mark.
void InfoMeldung(const String& text) {
    MeldungsDialog(text, TMsgDlgType::mtInformation, TMsgDlgButtons::mbOK, IDNO);
}

void MeldungWertFehlt() {
    InfoMeldung(L"Es muss ein Wert eingegeben werden.");
}
void MeldungMonatserster() {
    InfoMeldung(L"Das Datum wurde auf den Monatsersten gesetzt.");
}
void MeldungMonatsletzter() {
    InfoMeldung(L"Das Datum wurde auf den Monatsletzten gesetzt.");
}
void MeldungZeitraumUngueltig() {
    InfoMeldung(L"Es muss ein gültiger Zeitraum eingegeben werden.");
}

String InternerFehlerText(const String& modul, const String& meldung) {
    return L"Interner Fehler im Modul [" + modul + L"]\r\r" + meldung + L"\r" + L"\r" +
           L"Benachrichtigen Sie bitte Ihren Systemadministrator.";
}

void InternerFehler(const String& modul, const String& meldung) {
    String text = InternerFehlerText(modul, meldung);
    InZwischenablage(text);
    FehlerMeldung(text + L"\r\r" + L"Die Fehlernachricht wurde ins Clipboard (Zwischenablage) kopiert.");
    Abort();
}

