#pragma once
// Key combinations that run actions: the virtual key in the low byte, the held modifiers above.
#include "util/Basis.h"

#include <windows.h>

using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;

constexpr TShortCut ShortCut(WORD key, TShortCut modifiers = scNone) {
    return static_cast<TShortCut>((key & 0xFF) | modifiers);
}
// The combination a key makes with the modifiers held now; scNone for a modifier key alone.
TShortCut ShortCutOfKey(WORD key);
// The combination as a German keyboard labels it: "F2", "Einfg", "Strg+Entf", "Umschalt+F10".
String ShortCutToText(TShortCut shortCut);
