#include "gallery/gl_Main.h"

#include "framework/qelWizard.h"
#include "gallery/gl_Seiten.h"
#include "settings/kv7_Parameter.h"
#include "sys/Ordner.h"
#include "toolkit/StdCtrls.h"

namespace {

// One page per family of controls, in the order the gallery shows them after the overview.
const std::vector<void (*)(Tgl_Main&)> kSeiten = {
    FelderSeite,
    SchluesselboxenSeite,
    DatumSeite,
};

} // namespace

Tgl_Main::Tgl_Main(TComponent* owner) : TQelForm(owner) {
    SetName(L"gl_Main");
    SetCaption(L"Bausteine");
    Font().SetName(L"Tahoma");
    Font().SetHeight(-11);
    SetPosition(poDesktopCenter);

    wz = new TqelWizard(this);
    wz->SetName(L"wz");
    wz->SetParent(this);
    wz->BtnCancel()->SetCaption(L"Schließen");

    TLabel* seitenListe = UebersichtSeite(*this);
    for (auto seite : kSeiten)
        seite(*this);
    String liste;
    for (size_t i = 1; i < titel_.size(); ++i)
        liste += L"Seite " + std::to_wstring(i + 1) + L": " + titel_[i] + L"\r\n";
    seitenListe->SetCaption(liste);
    wz->SetActivePageIndex(0);

    PAR = new TkivParameter(this);
    PAR->SetName(L"PAR");
    PAR->SetTagExclusive(0);
    PAR->SetTagInclusive(99);
    PAR->SetFormPosSizeSave(true);
    PAR->OnBeforeLaden = [this](TComponent* s) { PARBeforeLaden(s); };

    OnAfterCreate = [this](TComponent* s) { QelFormAfterCreate(s); };
    OnDestroy = [this](TComponent* s) { QelFormDestroy(s); };
    SetClientWidth(640);
    SetClientHeight(480);
}

Tgl_Main::~Tgl_Main() = default;

TqelWizardPage* Tgl_Main::NeueSeite(const wchar_t* name, const String& titel, const String& erklaerung) {
    auto* seite = new TqelWizardPage(this);
    seite->SetName(name);
    seite->SetParent(wz);
    seite->SetWizard(wz);
    titel_.push_back(titel);

    TLabel* kopf = Beschriftung(seite, titel, 12, 10);
    kopf->Font().SetHeight(-16);
    kopf->Font().SetStyle(fsBold);
    kopf->AdjustSize();
    TLabel* text = Beschriftung(seite, erklaerung, 12, 36);
    text->SetAutoSize(false);
    text->SetWordWrap(true);
    text->SetBounds(12, 36, 616, SeitenInhaltOben - 40);
    return seite;
}

TLabel* Tgl_Main::Beschriftung(TWinControl* parent, const String& text, int left, int top) {
    auto* l = new TLabel(this);
    l->SetName(L"lb_" + std::to_wstring(++namen_));
    l->SetParent(parent);
    l->SetLeft(left);
    l->SetTop(top);
    l->SetCaption(text);
    return l;
}

void Tgl_Main::QelFormAfterCreate(TComponent*) {
    PAR->Laden();
    for (const auto& aktion : nachDemLaden_)
        aktion();
}

void Tgl_Main::PARBeforeLaden(TComponent*) {
    PAR->SetDateiName(ProgrammDateiMitEndung(L".ini"));
}

// Closing keeps what the pages show; a file that cannot be written is reported and the window
// closes all the same.
void Tgl_Main::QelFormDestroy(TComponent*) {
    try {
        PAR->Speichern();
    } catch (...) {
        Application()->HandleException(std::current_exception());
    }
}
