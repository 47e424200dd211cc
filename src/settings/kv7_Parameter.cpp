#include "settings/kv7_Parameter.h"
#include "settings/Einstellungsarten.h"
#include "settings/Fensterposition.h"
#include "sys/Dateien.h"
#include "sys/IniDokument.h"
#include "sys/Qel_ini.h"
#include "toolkit/Forms.h"
#include "util/kv7_str.h"

bool IstFormOderFrame(const TComponent* komponente) {
    return dynamic_cast<const TForm*>(komponente) || dynamic_cast<const TFrame*>(komponente);
}

TkivParameter::TkivParameter(TComponent* owner) : TComponent(owner) {}

String TkivParameter::IniDateiName() const {
    if (!dateiName_.empty()) return dateiName_;
    return StandardIniDatei().FileName();
}

String TkivParameter::WegDateiName() const {
    return Trimmen(dateiName_).empty() ? StandardIniDatei().FileName() : dateiName_;
}

bool TkivParameter::KomponenteGenommen(const TComponent* komponente) const {
    if (tagExclusive_ == 0 && tagInclusive_ == 0) return false;
    if (tagInclusive_ != 0 && komponente->Tag() == tagInclusive_) return true;
    return tagExclusive_ != 0 && komponente->Tag() != tagExclusive_;
}

String TkivParameter::SektionsName() const {
    return IstFormOderFrame(Owner()) ? Owner()->ClassName() : String(L"Standard");
}

void TkivParameter::KomponenteSpeichern(TIniDokument&, TComponent*, const String&) {}
void TkivParameter::KomponenteLaden(TIniDokument&, TComponent*, const String&) {}

// The owned components taken, up to the count the walk found at its start.
void TkivParameter::Durchlaufen(TComponent* owner, const std::function<void(TComponent*)>& weg) const {
    const int anzahl = owner->ComponentCount();
    for (int i = 0; i < anzahl && i < owner->ComponentCount(); ++i)
        if (KomponenteGenommen(owner->Components(i))) weg(owner->Components(i));
}

void TkivParameter::Laden() {
    TComponent* owner = Owner();
    if (!owner) return;
    ungelesen_ = false;
    if (!Trimmen(dateiName_).empty() && !DateiExistiert(dateiName_, false)) return;
    if (OnBeforeLaden) OnBeforeLaden(this);

    const String sektion = SektionsName();
    {
        // Read once: all values come from one version of the file, also while another program
        // saves it.
        TIniDokument dokument(WegDateiName());
        ungelesen_ = dokument.Verweigert();
        TEinstellungsZugriff zugriff(*this, dokument, sektion);
        if (formPosSizeSave_) FensterpositionLaden(owner, zugriff);
        Durchlaufen(owner, [&](TComponent* k) {
            NachArtenLaden(k, zugriff);
            KomponenteLaden(dokument, k, sektion);
        });
        if (OnLaden) OnLaden(this);
    }
    if (OnAfterLaden) OnAfterLaden(this);
}

void TkivParameter::Speichern() {
    TComponent* owner = Owner();
    if (!owner) return;
    if (OnBeforeSpeichern) OnBeforeSpeichern(this);

    const String sektion = SektionsName();
    const String datei = WegDateiName();
    if (ungelesen_) IniSchreibfehler(datei);
    // The walk writes into the document, which replaces the file whole once everything is in: a
    // failure half-way leaves the old file and no list cut short.
    TIniDokument dokument(datei);
    dokument.Vorbereiten();
    dokument.SektionLoeschen(sektion);
    TEinstellungsZugriff zugriff(*this, dokument, sektion);
    if (formPosSizeSave_) FensterpositionSpeichern(owner, zugriff);
    Durchlaufen(owner, [&](TComponent* k) {
        NachArtenSpeichern(k, zugriff);
        KomponenteSpeichern(dokument, k, sektion);
    });
    if (OnSpeichern) OnSpeichern(this);
    dokument.Speichern();
    if (OnAfterSpeichern) OnAfterSpeichern(this);
}
