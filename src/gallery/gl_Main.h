#pragma once
// The gallery's window: one wizard page per family of our controls, each showing the controls at
// work with labels that report what they say; everything on the pages is kept in a settings file
// beside the program.
#include "framework/QelForm.h"

#include <functional>
#include <vector>

class TqelWizard;
class TqelWizardPage;
class TkivParameter;
class TLabel;

class Tgl_Main : public TQelForm {
public:
    explicit Tgl_Main(TComponent* owner);
    ~Tgl_Main() override;

    TqelWizard* wz;
    TkivParameter* PAR;

    // A new last page with a heading and a line that says what it shows. Controls placed on a page
    // are owned by the window, so that its settings store keeps them.
    TqelWizardPage* NeueSeite(const wchar_t* name, const String& titel, const String& erklaerung);
    // Where a page's own controls may start below its heading.
    static constexpr int SeitenInhaltOben = 72;
    // A label owned by the window on parent at the given place; Tag 0 keeps it out of the settings.
    TLabel* Beschriftung(TWinControl* parent, const String& text, int left, int top);
    // The titles of the pages, in their order.
    const std::vector<String>& Titel() const { return titel_; }
    // Runs once the settings store has restored the pages: labels that report what a control says
    // catch up with what the store wrote silently.
    void NachDemLaden(std::function<void()> aktion) { nachDemLaden_.push_back(std::move(aktion)); }

    void QelFormAfterCreate(TComponent* sender);
    void PARBeforeLaden(TComponent* sender);
    void QelFormDestroy(TComponent* sender);

private:
    std::vector<String> titel_;
    std::vector<std::function<void()>> nachDemLaden_;
    int namen_ = 0;
};
