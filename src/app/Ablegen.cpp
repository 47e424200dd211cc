#include "app/Ablegen.h"

#include "sys/Dateien.h"
#include "toolkit/SysUtils.h"
#include "util/kv7_str.h"

#include <shellapi.h>

bool ZeileFuerPfad(const String& pfad, int modus, String& zeile) {
    bool datei = DateiExistiert(pfad, false);
    switch (modus) {
    case dmDateien:
        zeile = pfad;
        return datei;
    case dmVerzeichnisse:
        if (datei) {
            zeile = pfad.substr(0, pfad.rfind(L'\\') + 1);
            return true;
        }
        zeile = pfad;
        return VerzeichnisExistiert(pfad, false);
    case dmErweiterungen:
        zeile = DateiErweiterung(pfad);
        return datei;
    default:
        return false;
    }
}

std::vector<String> AbgelegteZeilen(HDROP drop, int modus) {
    std::vector<String> zeilen;
    auto* DragQueryFileW = Systemfunktion<decltype(::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
    UINT anzahl = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < anzahl; ++i) {
        UINT laenge = DragQueryFileW(drop, i, nullptr, 0);
        String pfad(laenge + 1, L'\0');
        pfad.resize(DragQueryFileW(drop, i, pfad.data(), laenge + 1));
        String zeile;
        if (ZeileFuerPfad(pfad, modus, zeile)) zeilen.push_back(zeile);
    }
    return zeilen;
}
