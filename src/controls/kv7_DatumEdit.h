#pragma once
#include "toolkit/Controls.h"

#include <commctrl.h>

// What an empty date field reads as.
constexpr TDateTime DatumLeer = -700000;

// A date field with a drop-down month calendar on the system's date-and-time picker, showing
// dd.mm.yyyy. It can be empty: the check box in front of the date empties and fills it, and from
// the keyboard Entf empties it and the space bar fills it again with the date it showed.
class TkivDatumEdit : public TWinControl {
public:
    explicit TkivDatumEdit(TComponent* owner);

    // DatumLeer while empty; otherwise the day with the time of day it was given.
    TDateTime Date() const;
    // DatumLeer and 0 empty the field; so does a day the picker cannot show (before 1753 or
    // after 9998), rather than showing another one. Raises OnChange when the value changed.
    void SetDate(TDateTime date);
    bool Leer() const { return Date() == DatumLeer; }
    // A date the field holds: 1753 to 9998, and not 30.12.1899, which stands for no date.
    static bool Darstellbar(TDateTime date);
    bool DroppedDown() const { return droppedDown_; }

    LRESULT CNNotify(NMHDR* header) override;

    // Every change of Date, by the user or the program.
    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& message) override;

private:
    void Zeigen();
    void Uebernehmen(TDateTime date);
    TDateTime date_ = DatumLeer;
    TDateTime zuletzt_; // the last date it held, filled in again by the space bar
    bool droppedDown_ = false;
};
