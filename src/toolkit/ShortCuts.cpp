#include "toolkit/ShortCuts.h"

namespace {
// Keys whose German label differs from their character.
const wchar_t* KeyName(WORD key) {
    switch (key) {
    case VK_BACK:
        return L"Rücktaste";
    case VK_TAB:
        return L"Tab";
    case VK_RETURN:
        return L"Eingabe";
    case VK_ESCAPE:
        return L"Esc";
    case VK_SPACE:
        return L"Leer";
    case VK_PRIOR:
        return L"Bild auf";
    case VK_NEXT:
        return L"Bild ab";
    case VK_END:
        return L"Ende";
    case VK_HOME:
        return L"Pos1";
    case VK_LEFT:
        return L"Links";
    case VK_UP:
        return L"Nach oben";
    case VK_RIGHT:
        return L"Rechts";
    case VK_DOWN:
        return L"Nach unten";
    case VK_INSERT:
        return L"Einfg";
    case VK_DELETE:
        return L"Entf";
    default:
        return nullptr;
    }
}
} // namespace

TShortCut ShortCutOfKey(WORD key) {
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LWIN || key == VK_RWIN)
        return scNone;
    TShortCut modifiers = scNone;
    if (GetKeyState(VK_SHIFT) < 0) modifiers |= scShift;
    if (GetKeyState(VK_CONTROL) < 0) modifiers |= scCtrl;
    if (GetKeyState(VK_MENU) < 0) modifiers |= scAlt;
    return ShortCut(key, modifiers);
}

String ShortCutToText(TShortCut shortCut) {
    const WORD key = shortCut & 0xFF;
    String name;
    if (const wchar_t* known = KeyName(key))
        name = known;
    else if (key >= VK_F1 && key <= VK_F24)
        name = L"F" + std::to_wstring(key - VK_F1 + 1);
    else if ((key >= L'0' && key <= L'9') || (key >= L'A' && key <= L'Z'))
        name = String(1, static_cast<wchar_t>(key));
    else if (key == 0)
        return String();
    else
        name = L"#" + std::to_wstring(key);
    String text;
    if (shortCut & scCtrl) text += L"Strg+";
    if (shortCut & scShift) text += L"Umschalt+";
    if (shortCut & scAlt) text += L"Alt+";
    return text + name;
}
