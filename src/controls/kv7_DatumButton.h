#pragma once
#include "toolkit/ExtCtrls.h"

#include <cstdint>
#include <functional>

class TButton;
class TMenuItem;
class TPopupMenu;
class TEinstellungsZugriff;

enum TkivDatumButtonModus : uint8_t {
    kivdbm_Nop,
    kivdbm_Tag,
    kivdbm_Woche,
    kivdbm_Monat,
    kivdbm_Quartal,
    kivdbm_Halbjahr,
    kivdbm_Jahr,
    kivdbm_KitaJahr,
    kivdbm_12Monate,
    kivdbm_13Monate,
    kivdbm_KitaHalbJahr,
    kivdbm_FreierZeitraum
};
constexpr int kivdbm_Anzahl = kivdbm_FreierZeitraum + 1;

// Receives Datum itself: what the handler stores becomes Datum as it is.
using TkivOnDatumButtonChanged = std::function<void(TDateTime& aDatum)>;

// A reporting period to choose: "<" and ">" step to the previous and next period of the kind,
// the wide middle button shows the period and goes back to the one of the program date, and the
// panel's popup menu chooses the kind. Every write of Datum tells OnDatumChanged, once the window
// exists.
class TkivDatumButton : public TPanel {
public:
    explicit TkivDatumButton(TComponent* owner);

    TkivDatumButtonModus AnzeigeModus() const { return modus_; }
    // Shows the period of this kind that holds the program date.
    void SetAnzeigeModus(TkivDatumButtonModus modus);
    TDateTime Datum() const { return datum_; }
    // In the 12- and 13-month modes the date names the window's last month, and Datum becomes the
    // first day of its first month.
    void SetDatum(TDateTime datum);
    int BBHeuteWidth() const { return bbHeuteWidth_; }
    void SetBBHeuteWidth(int width);
    TDateTime DatumVon() const { return von_; }
    TDateTime DatumBis() const { return bis_; }
    bool PeriodMenuVisible() const { return periodMenuVisible_; }
    void SetPeriodMenuVisible(bool visible);
    bool NoPeriodAllowed() const { return noPeriodAllowed_; }
    void SetNoPeriodAllowed(bool allowed);

    // What "<", ">" and the middle button do.
    void Zurueck() { Schritt(-1); }
    void Vor() { Schritt(1); }
    void Heute();

    TButton* bb_Zurueck = nullptr;
    TButton* bb_Heute = nullptr;
    TButton* bb_Vor = nullptr;
    TPopupMenu* pm_Zeitraum = nullptr;
    TMenuItem* Eintrag(TkivDatumButtonModus modus) const { return eintraege_[modus]; }

    TkivOnDatumButtonChanged OnDatumChanged;

protected:
    void CreateWnd() override;
    void EnabledChanged() override;
    void Resize() override;
    void ChangeScale(int m, int d) override;

private:
    static void Laden(TkivDatumButton& b, const TEinstellungsZugriff& z);
    static void Speichern(TkivDatumButton& b, const TEinstellungsZugriff& z);
    TButton* Knopf(const wchar_t* name, const wchar_t* caption, const wchar_t* hint,
                   void (TkivDatumButton::*klick)());
    void MenueBauen();
    void EintragGewaehlt(TkivDatumButtonModus modus);
    void FreierZeitraum();
    bool ZeitraumAbfragen();
    void Schritt(int richtung);
    void Beschriften();
    void MenueSichtbarkeit();

    TMenuItem* eintraege_[kivdbm_Anzahl] = {};
    bool creating_ = true;
    TkivDatumButtonModus modus_ = kivdbm_Monat;
    TDateTime datum_ = 0;
    TDateTime von_ = 0;
    TDateTime bis_ = 0;
    int bbHeuteWidth_ = 120;
    bool periodMenuVisible_ = false;
    bool noPeriodAllowed_ = false;
};
