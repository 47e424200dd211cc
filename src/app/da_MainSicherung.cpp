// The window's backup: the checks on leaving page 1, the run behind "Sichern", a cancel during
// the run, and the unattended runs (the backup and its verification).
#include "app/da_Main.h"

#include "backup/Pruefung.h"
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

bool Tam_Main::PruefungSeiteEins(bool zielAnlegen) {
    const String ziel = ed_ZielDir->Text();
    if (!zielAnlegen) {
        if (!VerzeichnisExistiert(ziel, true)) return false;
    } else if (!VerzeichnisErstellen(ziel, true) || !VerzeichnisBeschreibbar(ziel, true)) {
        return false;
    }
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

// An error of a run whose window was asked to close is shown and confirmed first: a close
// posted before it would end the error box's loop and the error would vanish unread.
void Tam_Main::wzLastAction(TComponent*) {
    if (laeuft_) return;
    wz->SetLastActionRunning(true);
    std::exception_ptr fehler;
    try {
        SicherungAusfuehren();
    } catch (...) {
        fehler = std::current_exception();
    }
    wz->SetLastActionRunning(false);
    if (schliessenNachLauf_) {
        if (fehler) Application()->HandleException(fehler);
        ::PostMessageW(Handle(), WM_NACH_LAUF_SCHLIESSEN, 0, 0);
        return;
    }
    if (fehler) std::rethrow_exception(fehler);
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
    // The unattended run names each file on standard error as it comes; the window gathers them
    // for one box after the summary. A listed line that is not there is a note for the
    // unattended run only: the stick visits computers where a listed folder does not exist.
    std::vector<String> nichtGesichert;
    if (FehlerAusgabe) {
        lauf.OnUebersprungen = FehlerAusgabe;
        lauf.OnHinweis = FehlerAusgabe;
    } else {
        lauf.OnUebersprungen = [&nichtGesichert](const String& meldung) {
            nichtGesichert.push_back(meldung);
        };
    }
    lauf.LogDatei = ProgrammDateiMitEndung(L".log");

    std::exception_ptr fehler;
    {
        laeuft_ = true;
        lauf_ = &lauf;
        laufAbgebrochen_ = false;
        laufFehler_ = 0;
        status.BeginUpdate();
        struct Ende {
            Tam_Main& f;
            TSicherung& lauf;
            TStrings& status;
            ~Ende() {
                status.EndUpdate();
                f.laufAbgebrochen_ = lauf.Abgebrochen();
                f.laufFehler_ = lauf.Fehler();
                f.lauf_ = nullptr;
                f.laeuft_ = false;
                f.abbruch_ = false;
            }
        } ende{*this, lauf, status};
        try {
            lauf.SicherungAusfuehren();
        } catch (...) {
            fehler = std::current_exception();
        }
    }
    // After the summary, and also when an error of the target medium ended the run: the files
    // left out before it count as well.
    if (!nichtGesichert.empty() && !sitzungEndet_) FehlerMeldung(TSicherung::NichtGesichert(nichtGesichert));
    if (fehler) std::rethrow_exception(fehler);
}

// Closing while a backup runs asks the run to stop after the file in progress; the window
// closes once it has written its summary, so nothing is freed under the running backup. The
// unattended run ends by itself once its run has stopped.
void Tam_Main::QelFormCloseQuery(TComponent*, bool& canClose) {
    if (!laeuft_ && !unbeaufsichtigt_) return;
    abbruch_ = true;
    schliessenNachLauf_ = !unbeaufsichtigt_;
    canClose = false;
}

// The system gives a few seconds once the session ends: a run stops and writes its summary and
// its log line at once, and the settings are saved as closing would. No box can be answered now.
void Tam_Main::SitzungEndet() {
    sitzungEndet_ = true;
    if (lauf_) lauf_->SofortBeenden();
    if (unbeaufsichtigt_) abbruch_ = true;
    if (!SpeichernNoetig()) return;
    try {
        PAR->Speichern();
    } catch (...) {
    }
}

void Tam_Main::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_NACH_LAUF_SCHLIESSEN:
        schliessenNachLauf_ = false;
        message.Result = 0;
        Close();
        return;
    case WM_QUERYENDSESSION:
        if (laeuft_) abbruch_ = true;
        message.Result = TRUE;
        return;
    case WM_ENDSESSION:
        if (message.WParam) SitzungEndet();
        message.Result = 0;
        return;
    }
    TQelForm::WndProc(message);
}

int Tam_Main::UnbeaufsichtigtBeginnen(bool zielAnlegen) {
    unbeaufsichtigt_ = true;
    Application()->ProcessMessages(); // the window's set-up loads the settings
    if (abbruch_) return 3;
    if (!PruefungSeiteEins(zielAnlegen)) return abbruch_ ? 3 : 2;
    return -1;
}

int Tam_Main::UnbeaufsichtigtSichern() {
    if (int code = UnbeaufsichtigtBeginnen(true); code >= 0) return code;
    int code = 0;
    try {
        if (!abbruch_) wzLastAction(wz);
    } catch (...) {
        Application()->HandleException(std::current_exception());
        code = 1;
    }
    if (code == 0 && (laufAbgebrochen_ || abbruch_)) code = 3;
    if (code == 0 && laufFehler_ > 0) code = 1;
    if (!SpeichernNoetig()) return code;
    try {
        PAR->Speichern();
    } catch (...) {
        Application()->HandleException(std::current_exception());
        if (code == 0) code = 1;
    }
    return code;
}

// A verification writes nothing into the backup, not even the scratch file of the write test;
// it has nothing to save either.
int Tam_Main::UnbeaufsichtigtPruefen() {
    if (int code = UnbeaufsichtigtBeginnen(false); code >= 0) return code;
    TPruefung pruefung(
        {ed_ZielDir->Text(), &me_Einzel->Lines(), &me_Dir->Lines(), &me_Ext->Lines(), &me_Blacklist->Lines()},
        sl->Strings());
    pruefung.OnStatus = StatusAusgabe;
    pruefung.OnUebersprungen = FehlerAusgabe;
    pruefung.OnHinweis = FehlerAusgabe;
    pruefung.Zwischendurch = [] { Application()->ProcessMessages(); };
    pruefung.AbbruchGewuenscht = [this] { return abbruch_; };
    pruefung.LogDatei = ProgrammDateiMitEndung(L".log");
    lauf_ = &pruefung;
    struct Ende {
        Tam_Main& f;
        ~Ende() { f.lauf_ = nullptr; }
    } ende{*this};
    pruefung.PruefungAusfuehren();
    if (pruefung.Abgebrochen()) return 3;
    return pruefung.Befunde() || pruefung.Fehler() > 0 ? 1 : 0;
}
