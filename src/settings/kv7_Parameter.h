#pragma once
// The settings store: walks the components its owner owns, writes the state of every control it
// knows into one section of a settings file, and restores it from there.
#include "toolkit/Classes.h"

#include <functional>

class TIniDokument;

class TkivParameter : public TComponent {
public:
    explicit TkivParameter(TComponent* owner);

    TNotifyEvent OnBeforeLaden;
    TNotifyEvent OnLaden;
    TNotifyEvent OnAfterLaden;
    TNotifyEvent OnBeforeSpeichern;
    TNotifyEvent OnSpeichern;
    TNotifyEvent OnAfterSpeichern;

    // Empty or blank: the program-wide settings file.
    const String& DateiName() const { return dateiName_; }
    void SetDateiName(const String& name) {
        dateiName_ = name;
        ungelesen_ = false;
    }
    int TagExclusive() const { return tagExclusive_; }
    void SetTagExclusive(int tag) { tagExclusive_ = tag; }
    int TagInclusive() const { return tagInclusive_; }
    void SetTagInclusive(int tag) { tagInclusive_ = tag; }
    bool FormPosSizeSave() const { return formPosSizeSave_; }
    void SetFormPosSizeSave(bool wert) { formPosSizeSave_ = wert; }

    String IniDateiName() const;
    // The file the walks use: DateiName, or the program-wide file when DateiName is blank.
    String WegDateiName() const;
    void Laden();
    void Speichern();

    bool KomponenteGenommen(const TComponent* komponente) const;
    String SektionsName() const;

protected:
    // The walk's document: a save's values go into it and reach the file with the others.
    virtual void KomponenteSpeichern(TIniDokument& dokument, TComponent* komponente, const String& sektion);
    virtual void KomponenteLaden(TIniDokument& dokument, TComponent* komponente, const String& sektion);

private:
    void Durchlaufen(TComponent* owner, const std::function<void(TComponent*)>& weg) const;
    String dateiName_;
    int tagExclusive_ = 0;
    int tagInclusive_ = 0;
    bool formPosSizeSave_ = false;
    // The last load found the file held by another program and read nothing: a save would put
    // the defaults over the user's lists, so it is refused until a load succeeds.
    bool ungelesen_ = false;
};

// Forms and frames name their store's section after their class.
bool IstFormOderFrame(const TComponent* komponente);
