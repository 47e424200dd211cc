#pragma once
// The kinds of control the settings store knows. Each kind registers at its fixed row of the
// settings file layout: a class test, its load and its save. The walks test the rows in this
// order and handle a component once for every row it belongs to.
//
// A control of a later layer registers its kind before the first walk, best from its constructor
// through a function-local static (the linker drops an unreferenced registrar object), e.g.:
//     using Z = const TEinstellungsZugriff&;
//     EinstellungsartRegistrieren<TkivColorButton>(
//         TArtZeile::ColorButton,
//         [](TkivColorButton& b, Z z) { b.SetColor(z.IntegerLesen(b.Name(), b.Color())); },
//         [](TkivColorButton& b, Z z) { z.IntegerSchreiben(b.Name(), b.Color()); });
#include "settings/Einstellungsdatei.h"

#include <functional>

class TComponent;

enum class TArtZeile {
    Memo,                 // TMemo
    Edit,                 // TCustomEdit that is not a TMemo
    KeyComboBox,          // TkivKeyComboBox
    DirectoryKeyComboBox, // TkivDirectoryKeyComboBox
    FileKeyComboBox,      // TkivFileKeyComboBox
    ColorButton,          // TkivColorButton
    DateEdit,             // the editor library's date edit
    ButtonEdit,           // its button edit
    CurrencyEdit,         // its currency edit
    TextEdit,             // its text edit
    MaskEdit,             // its mask edit
    CxRadioGroup,         // its radio group
    DirectoryEdit,        // TqelDirectoryEdit
    FileEdit,             // TqelFileEdit
    SpinEdit,             // the editor library's spin edit
    DatumButton,          // TkivDatumButton
    Groupbox,             // Tkiv_Groupbox
    BrowserPanel,         // TkivBrowserPanel
    CheckBox,             // TCheckBox
    RadioButton,          // TRadioButton
    SpeedButton,          // TSpeedButton
    ComboBox,             // TComboBox
    RadioGroup,           // TRadioGroup
    ListBox,              // TListBox
    ToolBar,              // TToolBar
    Anzahl
};

using TArtTest = std::function<bool(TComponent* komponente)>;
using TArtWeg = std::function<void(TComponent* komponente, const TEinstellungsZugriff& zugriff)>;

struct TEinstellungsart {
    TArtTest Gehoert;
    TArtWeg Laden;
    TArtWeg Speichern; // empty for a kind that only loads, and the other way round
};

// Registers (or replaces) the kind of a row.
void EinstellungsartRegistrieren(TArtZeile zeile, TEinstellungsart art);

// The usual case: the row takes the class T and what derives from it.
template <class T, class Laden, class Speichern>
void EinstellungsartRegistrieren(TArtZeile zeile, Laden laden, Speichern speichern) {
    TEinstellungsart art;
    art.Gehoert = [](TComponent* k) { return dynamic_cast<T*>(k) != nullptr; };
    art.Laden = [laden](TComponent* k, const TEinstellungsZugriff& z) { laden(*dynamic_cast<T*>(k), z); };
    art.Speichern = [speichern](TComponent* k, const TEinstellungsZugriff& z) {
        speichern(*dynamic_cast<T*>(k), z);
    };
    EinstellungsartRegistrieren(zeile, std::move(art));
}

bool EinstellungsartVorhanden(TArtZeile zeile);

// What the walks do for one taken component: every row it belongs to, in row order.
void NachArtenLaden(TComponent* komponente, const TEinstellungsZugriff& zugriff);
void NachArtenSpeichern(TComponent* komponente, const TEinstellungsZugriff& zugriff);

// The toolkit's own controls; the registry calls this before its first use.
void StandardartenRegistrieren();
