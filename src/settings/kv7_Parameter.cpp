#include "settings/kv7_Parameter.h"
#include "settings/Einstellungsarten.h"
#include "settings/Fensterposition.h"
#include "sys/Dateien.h"
#include "sys/IniAenderung.h"
#include "sys/Qel_ini.h"
#include "toolkit/Forms.h"
#include "util/kv7_str.h"

#include <memory>

namespace {
// The walk's settings file object: its own one for a file name, else the program-wide one, which
// it only borrows. Chosen after the before-event, whose handler may name the file.
class TWegDatei {
public:
    explicit TWegDatei(const String& dateiName) {
        if (!Trimmen(dateiName).empty()) eigene_ = std::make_unique<TqelIniFile>(dateiName);
    }
    TqelIniFile& Ini() const { return eigene_ ? *eigene_ : StandardIniDatei(); }
    void Freigeben() { eigene_.reset(); }

private:
    std::unique_ptr<TqelIniFile> eigene_;
};
} // namespace

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

void TkivParameter::KomponenteSpeichern(TqelIniFile&, TComponent*, const String&) {}
void TkivParameter::KomponenteLaden(TqelIniFile&, TComponent*, const String&) {}

void TkivParameter::Laden() {
    TComponent* owner = Owner();
    if (!owner) return;
    ungelesen_ = false;
    if (!Trimmen(dateiName_).empty() && !DateiExistiert(dateiName_, false)) return;
    if (OnBeforeLaden) OnBeforeLaden(this);

    const String sektion = SektionsName();
    TWegDatei datei(dateiName_);
    // All values from one version of the file, also while another program saves it.
    auto sperre = std::make_unique<TqelIniLesesperre>(datei.Ini().FileName());
    ungelesen_ = sperre->Verweigert();
    TEinstellungsZugriff zugriff(*this, datei.Ini(), sektion);
    if (formPosSizeSave_) FensterpositionLaden(owner, zugriff);
    const int anzahl = owner->ComponentCount();
    for (int i = 0; i < anzahl && i < owner->ComponentCount(); ++i) {
        TComponent* k = owner->Components(i);
        if (!KomponenteGenommen(k)) continue;
        NachArtenLaden(k, zugriff);
        KomponenteLaden(datei.Ini(), k, sektion);
    }
    if (OnLaden) OnLaden(this);
    sperre.reset();
    datei.Freigeben();
    if (OnAfterLaden) OnAfterLaden(this);
}

void TkivParameter::Speichern() {
    TComponent* owner = Owner();
    if (!owner) return;
    if (OnBeforeSpeichern) OnBeforeSpeichern(this);

    const String sektion = SektionsName();
    TWegDatei datei(dateiName_);
    if (ungelesen_) IniSchreibfehler(datei.Ini().FileName());
    // The walk writes into a copy that replaces the file whole once everything is in, so a
    // failure half-way leaves the old file and no list cut short.
    TqelIniAenderung aenderung(datei.Ini().FileName());
    datei.Ini().EraseSection(sektion);
    TEinstellungsZugriff zugriff(*this, datei.Ini(), sektion);
    if (formPosSizeSave_) FensterpositionSpeichern(owner, zugriff);
    const int anzahl = owner->ComponentCount();
    for (int i = 0; i < anzahl && i < owner->ComponentCount(); ++i) {
        TComponent* k = owner->Components(i);
        if (!KomponenteGenommen(k)) continue;
        NachArtenSpeichern(k, zugriff);
        KomponenteSpeichern(datei.Ini(), k, sektion);
        // The section's values are held back; a refusal stops the walk at this component.
        IniNachtragen(datei.Ini().FileName());
    }
    if (OnSpeichern) OnSpeichern(this);
    aenderung.Uebernehmen();
    if (OnAfterSpeichern) OnAfterSpeichern(this);
}
