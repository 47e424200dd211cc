// The window's backup: the checks on leaving page 1, the run behind "Sichern", a cancel during
// the run, and the unattended run.
#include "app/da_Main.h"

#include "backup/Sicherung.h"
#include "framework/qelWizard.h"
#include "settings/kv7_Parameter.h"
#include "sys/Dateien.h"
#include "sys/Meldungen.h"
#include "sys/Ordner.h"
#include "sys/qelBox.h"

namespace {
// Closes the window once the run that was cancelled has unwound.
const UINT WM_NACH_LAUF_SCHLIESSEN = WM_USER + 201;
} // namespace

bool Tam_Main::PruefungSeiteEins() {
    const String ziel = ed_ZielDir->Text();
    if (!VerzeichnisErstellen(ziel, true)) return false;
    if (!VerzeichnisBeschreibbar(ziel, true)) return false;
    if (me_Dir->Lines().Count() + me_Einzel->Lines().Count() == 0) {
        InfoMeldung(
            L"Bitte tragen Sie mindestens\r- ein Verzeichnis oder\r- eine Einzeldatei\rein, die gesichert "
            L"weden sollen.");
        return false;
    }
    return true;
}

void Tam_Main::wz_1Changing(TComponent*, bool& allowChange) {
    allowChange = false;
    allowChange = PruefungSeiteEins();
}

void Tam_Main::wzLastAction(TComponent*) {
    if (laeuft_) return;
    wz->SetLastActionRunning(true);
    try {
        SicherungAusfuehren();
    } catch (...) {
        wz->SetLastActionRunning(false);
        if (schliessenNachLauf_) ::PostMessageW(Handle(), WM_NACH_LAUF_SCHLIESSEN, 0, 0);
        throw;
    }
    wz->SetLastActionRunning(false);
    if (schliessenNachLauf_) ::PostMessageW(Handle(), WM_NACH_LAUF_SCHLIESSEN, 0, 0);
}

void Tam_Main::SicherungAusfuehren() {
    TSicherung lauf(
        {ed_ZielDir->Text(), &me_Einzel->Lines(), &me_Dir->Lines(), &me_Ext->Lines(), &me_Blacklist->Lines()},
        sl->Strings());
    lauf.OnStatus = [this](const String& zeile) {
        me_Status->Lines().Add(zeile);
        if (StatusAusgabe) StatusAusgabe(zeile);
    };
    lauf.EinstellungenGeaendert = [this] { return geaendert_; };
    lauf.EinstellungenSpeichern = [this] {
        PAR->Speichern();
        return PAR->IniDateiName();
    };
    lauf.OnLaufEnde = [this] { wz->BtnCancel()->SetCaption(L"Beenden"); };
    // Status lines reach the window in batches: a redraw per line would cost more than the copy.
    TStrings& status = me_Status->Lines();
    lauf.Zwischendurch = [&status] {
        status.EndUpdate();
        Application()->ProcessMessages();
        status.BeginUpdate();
    };
    lauf.AbbruchGewuenscht = [this] { return abbruch_; };
    lauf.LogDatei = ProgrammDateiMitEndung(L".log");

    laeuft_ = true;
    abbruch_ = false;
    status.BeginUpdate();
    struct Ende {
        bool& laeuft;
        TStrings& status;
        ~Ende() {
            status.EndUpdate();
            laeuft = false;
        }
    } ende{laeuft_, status};
    lauf.SicherungAusfuehren();
}

// Closing while a backup runs asks the run to stop after the file in progress; the window
// closes once it has written its summary, so nothing is freed under the running backup.
void Tam_Main::QelFormCloseQuery(TComponent*, bool& canClose) {
    if (!laeuft_) return;
    abbruch_ = true;
    schliessenNachLauf_ = true;
    canClose = false;
}

void Tam_Main::WndProc(TMessage& message) {
    if (message.Msg == WM_NACH_LAUF_SCHLIESSEN) {
        schliessenNachLauf_ = false;
        message.Result = 0;
        Close();
        return;
    }
    TQelForm::WndProc(message);
}

int Tam_Main::UnbeaufsichtigtSichern() {
    if (!PruefungSeiteEins()) return 2;
    int code = 0;
    try {
        wzLastAction(wz);
    } catch (...) {
        Application()->HandleException(std::current_exception());
        code = 1;
    }
    try {
        PAR->Speichern();
    } catch (...) {
        Application()->HandleException(std::current_exception());
        code = 1;
    }
    return code;
}
