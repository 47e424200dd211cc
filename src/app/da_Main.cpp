// The window's construction, its set-up and its settings handlers.
#include "app/da_Main.h"

#include "app/Ablegen.h"
#include "framework/qelWizard.h"
#include "settings/kv7_Parameter.h"
#include "sys/Auswahl.h"
#include "sys/Ordner.h"
#include "sys/Starten.h"
#include "sys/Zeitmarken.h"
#include "sys/qelBox.h"
#include "toolkit/ActnList.h"
#include "toolkit/ComCtrls.h"
#include "toolkit/ExtCtrls.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <shellapi.h>

namespace da_Main {

void TMemo::WndProc(TMessage& message) {
    if (message.Msg != WM_DROPFILES) {
        ::TMemo::WndProc(message);
        return;
    }
    auto drop = reinterpret_cast<HDROP>(message.WParam);
    std::vector<String> zeilen = AbgelegteZeilen(drop, dropModus_);
    // The drop data is ours to release once read.
    Systemfunktion<decltype(::DragFinish)>(L"shell32.dll", "DragFinish")(drop);
    message.Result = 0;
    for (const String& zeile : zeilen)
        Lines().Add(zeile);
}

} // namespace da_Main

namespace {
// Page 1. Its first painting is the instant a benchmark takes for "the window is shown".
class TSeiteEins : public TqelWizardPage {
public:
    using TqelWizardPage::TqelWizardPage;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_PAINT && !gemalt_) {
            gemalt_ = true;
            Zeitmarke("seite1_gemalt");
        }
        TqelWizardPage::WndProc(message);
    }

private:
    bool gemalt_ = false;
};
} // namespace

Tam_Main::Tam_Main(TComponent* owner) : TQelForm(owner) {
    SetName(L"am_Main");
    Font().SetName(L"Tahoma");
    Font().SetHeight(-11);
    SetPosition(poDesktopCenter);

    // The settings file lists the four lists in the order the window owns them.
    me_Ext = new TMemo(this);
    me_Dir = new TMemo(this);
    me_Einzel = new TMemo(this);
    me_Blacklist = new TMemo(this);
    me_Status = new TZeilenListe(this);

    wz = new TqelWizard(this);
    wz->SetName(L"wz");
    wz->SetParent(this);
    wz->BtnNext()->SetLast_Caption(L"Sichern");
    wz->BtnNext()->SetLast_TAction(true);
    wz->OnLastAction = [this](TComponent* s) { wzLastAction(s); };

    AktionenAufbauen();
    SeiteEinsAufbauen();
    SeiteZweiAufbauen();

    PAR = new TkivParameter(this);
    PAR->SetName(L"PAR");
    PAR->SetTagExclusive(0);
    PAR->SetTagInclusive(99);
    PAR->SetFormPosSizeSave(true);
    PAR->OnBeforeLaden = [this](TComponent* s) { PARBeforeLaden(s); };
    PAR->OnAfterLaden = [this](TComponent* s) { PARAfterLaden(s); };
    PAR->OnAfterSpeichern = [this](TComponent* s) { PARAfterSpeichern(s); };

    sl = new TStringListBox(this);
    sl->SetName(L"sl");

    OnAfterCreate = [this](TComponent* s) { QelFormAfterCreate(s); };
    // Laid out for the window's size before it is first shown: the toolbar was arranged at its
    // default width while the window was being built, and its group would first paint too tall.
    OnCreate = [this](TComponent* s) { QelFormResize(s); };
    OnResize = [this](TComponent* s) { QelFormResize(s); };
    OnDestroy = [this](TComponent* s) { QelFormDestroy(s); };
    OnCloseQuery = [this](TComponent* s, bool& c) { QelFormCloseQuery(s, c); };
    SetClientWidth(545);
    SetClientHeight(757);
    // The folder list comes first in the page's keyboard order, so it has the focus at the start.
    gb_Dir->SetTabOrder(0);
    SetActiveControl(me_Dir);
}

Tam_Main::~Tam_Main() = default;

TGroupBox* Tam_Main::Gruppe(TWinControl* parent, const wchar_t* name, const String& caption, TAlign align,
                            int hoehe) {
    auto* g = new TGroupBox(this);
    g->SetName(name);
    g->SetCaption(caption);
    g->SetParent(parent);
    if (hoehe > 0) g->SetHeight(hoehe);
    g->SetAlign(align);
    return g;
}

void Tam_Main::Liste(TMemo* memo, TGroupBox* gruppe, const wchar_t* name, int tag) {
    memo->SetName(name);
    memo->SetTag(tag);
    memo->SetParent(gruppe);
    memo->SetScrollBars(ssVertical);
    memo->SetWordWrap(false);
    memo->SetAlign(alClient);
}

TSplitter* Tam_Main::Teiler(TWinControl* parent, const wchar_t* name) {
    auto* s = new TSplitter(this);
    s->SetName(name);
    s->SetParent(parent);
    s->SetHeight(3);
    s->SetAlign(alTop);
    return s;
}

TAction* Tam_Main::Aktion(const wchar_t* name, const String& caption,
                          void (Tam_Main::*handler)(TComponent*)) {
    auto* a = new TAction(this);
    a->SetName(name);
    a->SetCaption(caption);
    a->SetActionList(ax);
    a->OnExecute = [this, handler](TComponent* s) { (this->*handler)(s); };
    return a;
}

void Tam_Main::AktionenAufbauen() {
    ax = new TActionList(this);
    ax->SetName(L"ax");
    ax_EigeneDateien = Aktion(L"ax_EigeneDateien", L"Eigene Dokumente", &Tam_Main::ax_EigeneDateienExecute);
    ax_EigeneBilder = Aktion(L"ax_EigeneBilder", L"Eigene Bilder", &Tam_Main::ax_EigeneBilderExecute);
    ax_EigeneMusik = Aktion(L"ax_EigeneMusik", L"Eigene Musik", &Tam_Main::ax_EigeneMusikExecute);
    ax_EigeneVideos = Aktion(L"ax_EigeneVideos", L"Eigene Videos", &Tam_Main::ax_EigeneVideosExecute);
    ax_Anwendungsdaten =
        Aktion(L"ax_Anwendungsdaten", L"Anwendungsdaten", &Tam_Main::ax_AnwendungsdatenExecute);
    ax_VirtualStore = Aktion(L"ax_VirtualStore", L"Virtual Store", &Tam_Main::ax_VirtualStoreExecute);
    ax_TempDir = Aktion(L"ax_TempDir", L"Temporäre Dateien", &Tam_Main::ax_TempDirExecute);
    ax_AlleLaufwerke = Aktion(L"ax_AlleLaufwerke", L"Alle Laufwerke", &Tam_Main::ax_AlleLaufwerkeExecute);
    ax_Standardwerte = Aktion(L"ax_Standardwerte", L"Standardwerte", &Tam_Main::ax_StandardwerteExecute);
    ax_Standardwerte->SetCategory(L"Config");
}

void Tam_Main::SeiteEinsAufbauen() {
    wz_1 = new TSeiteEins(this);
    wz_1->SetName(L"wz_1");
    wz_1->SetParent(wz);
    wz_1->SetWizard(wz);
    wz_1->OnChanging = [this](TComponent* s, bool& allow) { wz_1Changing(s, allow); };

    gb_Ziel = Gruppe(wz_1, L"gb_Ziel", L"Die Daten werden gesichert auf", alTop, 49);
    ed_ZielDir = new TEdit(this);
    ed_ZielDir->SetName(L"ed_ZielDir");
    ed_ZielDir->SetParent(gb_Ziel);
    ed_ZielDir->SetBounds(8, 20, gb_Ziel->ClientWidth() - 16, 21);
    ed_ZielDir->SetReadOnly(true);
    ed_ZielDir->SetBorderStyle(bsNone);
    ed_ZielDir->SetColor(clBtnFace);
    ed_ZielDir->SetTabStop(false);

    gb_WichtigeVerzeichnisse = Gruppe(wz_1, L"gb_WichtigeVerzeichnisse", L"Wichtige Verzeichnisse", alTop, 0);
    tb_WichtigeDateien = new TToolBar(this);
    tb_WichtigeDateien->SetName(L"tb_WichtigeDateien");
    tb_WichtigeDateien->SetParent(gb_WichtigeVerzeichnisse);
    tb_WichtigeDateien->SetShowCaptions(true);
    tb_WichtigeDateien->SetButtonWidth(99);
    tb_WichtigeDateien->SetButtonHeight(21);
    tb_WichtigeDateien->SetAutoSize(true);
    tb_WichtigeDateien->SetAlign(alTop);
    TAction* knoepfe[] = {ax_EigeneDateien,   ax_EigeneBilder, ax_EigeneMusik, ax_EigeneVideos,
                          ax_Anwendungsdaten, ax_VirtualStore, ax_TempDir,     ax_AlleLaufwerke};
    int nummer = 0;
    for (TAction* a : knoepfe) {
        auto* b = new TToolButton(this);
        b->SetName(L"ToolButton" + std::to_wstring(++nummer));
        b->SetParent(tb_WichtigeDateien);
        b->SetAction(a);
        b->SetWrap(nummer == 4);
    }
    gb_WichtigeVerzeichnisse->SetHeight(tb_WichtigeDateien->Height() + 20);

    gb_Einzel = Gruppe(wz_1, L"gb_Einzel", L"Einzeldateien, die Gesichert werden sollen", alTop, 120);
    Liste(me_Einzel, gb_Einzel, L"me_Einzel", 99);
    Splitter1 = Teiler(wz_1, L"Splitter1");
    gb_Dir = Gruppe(wz_1, L"gb_Dir", L"Verzeichnisse, die gesichert werden sollen", alTop, 120);
    Liste(me_Dir, gb_Dir, L"me_Dir", 99);
    Splitter2 = Teiler(wz_1, L"Splitter2");
    gb_Ext = Gruppe(wz_1, L"gb_Ext", L"Dateierweiterungen, die nicht gesichert werden sollen", alTop, 120);
    Liste(me_Ext, gb_Ext, L"me_Ext", 99);
    Splitter3 = Teiler(wz_1, L"Splitter3");
    gb_Blacklist = Gruppe(wz_1, L"gb_Blacklist",
                          L"Dateien und Pfade die folgende Zeichenkette enthalten werden nicht mit gesichert",
                          alClient, 0);
    Liste(me_Blacklist, gb_Blacklist, L"me_Blacklist", 99);

    me_Einzel->OnChange = [this](TComponent* s) { me_EinzelChange(s); };
    me_Dir->OnChange = [this](TComponent* s) { me_DirChange(s); };
    me_Ext->OnChange = [this](TComponent* s) { me_ExtChange(s); };
    me_Blacklist->OnChange = [this](TComponent* s) { me_ExtChange(s); };
}

void Tam_Main::SeiteZweiAufbauen() {
    wz_2 = new TqelWizardPage(this);
    wz_2->SetName(L"wz_2");
    wz_2->SetParent(wz);
    wz_2->SetWizard(wz);
    wz_2->OnChangeBack = [this](TComponent* s) { wz_2ChangeBack(s); };
    gb_Status = Gruppe(wz_2, L"gb_Status", L"Meldungen", alClient, 0);
    // A run over a large tree adds a line per copied file: a list that keeps its lines compactly
    // rather than a text box, which holds several times their size.
    me_Status->SetName(L"me_Status");
    me_Status->SetTag(0);
    me_Status->SetParent(gb_Status);
    me_Status->SetAlign(alClient);
}

void Tam_Main::QelFormAfterCreate(TComponent*) {
    SetCaption(DateiBasisname(ProgrammDatei()) + L" " + L"1.0" + L" auf " + ComputerName());
    TMemo* ziele[] = {me_Einzel, me_Dir, me_Ext};
    auto* DragAcceptFiles = Systemfunktion<decltype(::DragAcceptFiles)>(L"shell32.dll", "DragAcceptFiles");
    for (TMemo* m : ziele)
        DragAcceptFiles(m->Handle(), TRUE);
    me_Einzel->SetDropModus(dmDateien);
    me_Dir->SetDropModus(dmVerzeichnisse);
    me_Ext->SetDropModus(dmErweiterungen);
    PAR->Laden();
    Zeitmarke("einrichtung_fertig");
}

void Tam_Main::PARBeforeLaden(TComponent*) {
    PAR->SetDateiName(ProgrammDateiMitEndung(L".ini"));
    ed_ZielDir->SetText(ProgrammVerzeichnis() + L"Datensicherung_" + ComputerName() + L"\\");
    me_Ext->Lines().Clear();
    me_Dir->Lines().Clear();
    me_Einzel->Lines().Clear();
    me_Status->Lines().Clear();
}

void Tam_Main::PARAfterLaden(TComponent*) {
    SetGeaendert(false);
}
void Tam_Main::PARAfterSpeichern(TComponent*) {
    SetGeaendert(false);
}
void Tam_Main::me_EinzelChange(TComponent*) {
    SetGeaendert(true);
}
void Tam_Main::me_DirChange(TComponent*) {
    SetGeaendert(true);
}
void Tam_Main::me_ExtChange(TComponent*) {
    SetGeaendert(true);
}

void Tam_Main::QelFormResize(TComponent*) {
    EditBreiteAnpassen(ed_ZielDir);
    gb_WichtigeVerzeichnisse->SetHeight(tb_WichtigeDateien->Height() + 20);
}

void Tam_Main::wz_2ChangeBack(TComponent*) {
    wz->BtnCancel()->SetCaption(L"Abbrechen");
}

void Tam_Main::ExplorerStarten(const String& parameter) {
    const String explorer = WindowsOrdner() + L"EXPLORER.EXE";
    if (Starten)
        Starten(explorer, parameter);
    else
        kivDateiStarten(explorer, parameter, L"", true);
}

void Tam_Main::ExplorerOeffnen(const String& verzeichnis) {
    ExplorerStarten(verzeichnis);
}

void Tam_Main::ax_EigeneDateienExecute(TComponent*) {
    ExplorerOeffnen(DokumenteOrdner());
}
void Tam_Main::ax_EigeneBilderExecute(TComponent*) {
    ExplorerOeffnen(BilderOrdner());
}
void Tam_Main::ax_EigeneMusikExecute(TComponent*) {
    ExplorerOeffnen(MusikOrdner());
}
void Tam_Main::ax_EigeneVideosExecute(TComponent*) {
    ExplorerOeffnen(VideosOrdner());
}
void Tam_Main::ax_AnwendungsdatenExecute(TComponent*) {
    ExplorerOeffnen(AppDatenOrdner());
}
void Tam_Main::ax_VirtualStoreExecute(TComponent*) {
    ExplorerOeffnen(VirtualStoreOrdner());
}
void Tam_Main::ax_TempDirExecute(TComponent*) {
    ExplorerOeffnen(TempOrdner());
}

void Tam_Main::ax_AlleLaufwerkeExecute(TComponent*) {
    ExplorerStarten(L"/n, /e, /select, c:\\");
}

void Tam_Main::ax_StandardwerteExecute(TComponent*) {}

// Closing saves whether or not anything changed; a settings file that cannot be written is
// reported and the window closes all the same.
void Tam_Main::QelFormDestroy(TComponent*) {
    if (!SpeichernNoetig()) return;
    try {
        PAR->Speichern();
    } catch (...) {
        Application()->HandleException(std::current_exception());
    }
}
