#pragma once
#include "framework/QelForm.h"

class TAction;
class TActionList;
class TButton;
class TLabel;
class TPanel;
class TkivDatumEdit;

// "Zeitraum festlegen": the user enters a period as a from-date and a to-date. With WholeMonths
// the dialog holds them to whole calendar months, moving a date to the first or last day of its
// month and saying so.
class Tkv7EingabeVonBis : public TQelForm {
public:
    explicit Tkv7EingabeVonBis(TComponent* owner);
    ~Tkv7EingabeVonBis() override;

    TLabel* Label1;
    TLabel* Label2;
    TkivDatumEdit* ed_Von;
    TkivDatumEdit* ed_Bis;
    TPanel* pa_button;
    TPanel* pa_ButtonRight;
    TButton* bb_OK;
    TButton* bb_Cancel;
    TActionList* ax;
    TAction* ax_OK;
    TAction* ax_Cancel;

    bool WholeMonths() const { return wholeMonths_; }
    void SetWholeMonths(bool value) { wholeMonths_ = value; }

    // Opens the dialog at the mouse pointer on the months of von and bis, in whole months. On
    // "Speichern" both take the entered dates and the result is true; otherwise both stay.
    bool Execute(TDateTime& von, TDateTime& bis);
    // A period that Execute could give back: both dates fit the fields, whole months, von before
    // bis.
    static bool Annehmbar(TDateTime von, TDateTime bis);

    void QelFormDestroy(TComponent* sender);
    void QelFormCloseQuery(TComponent* sender, bool& canClose);
    void QelFormActivate(TComponent* sender);
    void ax_OKExecute(TComponent* sender);
    void ax_CancelExecute(TComponent* sender);

private:
    bool wholeMonths_ = false;
};

// The program's one dialog of this kind, made with the application as its owner at its first use
// and made anew after it was freed.
Tkv7EingabeVonBis* kv7EingabeVonBis();
