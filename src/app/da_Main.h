#pragma once
// The program's window: a two-page wizard that collects what to back up and runs the backup.
#include "framework/QelForm.h"
#include "toolkit/StdCtrls.h"
#include "toolkit/ZeilenListe.h"

#include <functional>

class TqelWizard;
class TqelWizardPage;
class TkivParameter;
class TStringListBox;
class TGroupBox;
class TToolBar;
class TSplitter;
class TAction;
class TActionList;
class TLauf;

namespace da_Main {

// The window's text box: the toolkit's one, plus files dropped from the file manager.
class TMemo : public ::TMemo {
public:
    explicit TMemo(TComponent* owner) : ::TMemo(owner) {}
    int DropModus() const { return dropModus_; }
    void SetDropModus(int modus) { dropModus_ = modus; }

protected:
    void WndProc(TMessage& message) override;

private:
    int dropModus_ = 0;
};

} // namespace da_Main

class Tam_Main : public TQelForm {
public:
    explicit Tam_Main(TComponent* owner);
    ~Tam_Main() override;

    using TMemo = da_Main::TMemo;

    TqelWizard* wz;
    TqelWizardPage* wz_1;
    TqelWizardPage* wz_2;
    TGroupBox* gb_Ziel;
    TEdit* ed_ZielDir;
    TGroupBox* gb_WichtigeVerzeichnisse;
    TToolBar* tb_WichtigeDateien;
    TGroupBox* gb_Einzel;
    TMemo* me_Einzel;
    TSplitter* Splitter1;
    TGroupBox* gb_Dir;
    TMemo* me_Dir;
    TSplitter* Splitter2;
    TGroupBox* gb_Ext;
    TMemo* me_Ext;
    TSplitter* Splitter3;
    TGroupBox* gb_Blacklist;
    TMemo* me_Blacklist;
    TGroupBox* gb_Status;
    TZeilenListe* me_Status;
    TActionList* ax;
    TAction* ax_EigeneDateien;
    TAction* ax_EigeneBilder;
    TAction* ax_EigeneMusik;
    TAction* ax_EigeneVideos;
    TAction* ax_Anwendungsdaten;
    TAction* ax_VirtualStore;
    TAction* ax_TempDir;
    TAction* ax_AlleLaufwerke;
    TAction* ax_Standardwerte;
    TkivParameter* PAR;
    TStringListBox* sl;

    bool Geaendert() const { return geaendert_; }
    // The unattended run has nothing of its own to keep: writing back the lists it loaded would
    // undo what a window of the same program saved meanwhile.
    bool SpeichernNoetig() const { return !unbeaufsichtigt_ || geaendert_; }
    void SetGeaendert(bool geaendert) { geaendert_ = geaendert; }
    void SicherungAusfuehren();
    void ExplorerOeffnen(const String& verzeichnis);

    // True while a backup runs.
    bool LaeuftSicherung() const { return laeuft_; }
    // The unattended run: the set-up, the checks of page 1, the backup, the settings saved.
    // Returns the exit code: 0 every file that was due was copied; 1 the run ended with an error
    // or files were skipped because of one; 2 the check before the run failed; 3 it was cancelled.
    int UnbeaufsichtigtSichern();
    // The verification without the window: the set-up, the check before the run (which creates
    // and writes nothing), every file read back against its copy. Returns the exit code: 0 every
    // copy is there, current and identical; 1 a finding, or a folder that could not be listed;
    // 2 the check before the run failed; 3 it was cancelled.
    int UnbeaufsichtigtPruefen();
    // Where status lines go besides the status list (the console of the unattended run).
    std::function<void(const String&)> StatusAusgabe;
    // Where files skipped because of an error are reported (standard error of the unattended
    // run); unset, the window passes over them silently.
    std::function<void(const String&)> FehlerAusgabe;
    // How the shortcuts launch the file manager; unset: through the shell (kivDateiStarten).
    std::function<bool(const String& datei, const String& parameter)> Starten;

    // Handlers, as the window publishes them.
    void QelFormAfterCreate(TComponent* sender);
    void PARBeforeLaden(TComponent* sender);
    void PARAfterLaden(TComponent* sender);
    void PARAfterSpeichern(TComponent* sender);
    void me_EinzelChange(TComponent* sender);
    void me_DirChange(TComponent* sender);
    void me_ExtChange(TComponent* sender);
    void QelFormResize(TComponent* sender);
    void wz_1Changing(TComponent* sender, bool& allowChange);
    void wz_2ChangeBack(TComponent* sender);
    void wzLastAction(TComponent* sender);
    void ax_EigeneDateienExecute(TComponent* sender);
    void ax_EigeneBilderExecute(TComponent* sender);
    void ax_EigeneMusikExecute(TComponent* sender);
    void ax_EigeneVideosExecute(TComponent* sender);
    void ax_AnwendungsdatenExecute(TComponent* sender);
    void ax_VirtualStoreExecute(TComponent* sender);
    void ax_TempDirExecute(TComponent* sender);
    void ax_AlleLaufwerkeExecute(TComponent* sender);
    void ax_StandardwerteExecute(TComponent* sender);
    void QelFormDestroy(TComponent* sender);
    void QelFormCloseQuery(TComponent* sender, bool& canClose);

protected:
    void WndProc(TMessage& message) override;

private:
    void SeiteEinsAufbauen();
    void SeiteZweiAufbauen();
    void AktionenAufbauen();
    TGroupBox* Gruppe(TWinControl* parent, const wchar_t* name, const String& caption, TAlign align,
                      int hoehe);
    void Liste(TMemo* memo, TGroupBox* gruppe, const wchar_t* name, int tag);
    TSplitter* Teiler(TWinControl* parent, const wchar_t* name);
    TAction* Aktion(const wchar_t* name, const String& caption, void (Tam_Main::*handler)(TComponent*));
    // With `zielAnlegen` false the target folder must exist already and is not written to.
    bool PruefungSeiteEins(bool zielAnlegen = true);
    // The unattended start: -1 when the run may go on, else its exit code.
    int UnbeaufsichtigtBeginnen(bool zielAnlegen);
    void ExplorerStarten(const String& parameter);
    void SitzungEndet();

    bool geaendert_ = false;
    bool laeuft_ = false;
    bool abbruch_ = false;
    bool schliessenNachLauf_ = false;
    bool unbeaufsichtigt_ = false;
    bool sitzungEndet_ = false; // no box can be answered any more
    TLauf* lauf_ = nullptr;     // the run in progress, on the stack of the function running it
    bool laufAbgebrochen_ = false;
    int laufFehler_ = 0;
};
