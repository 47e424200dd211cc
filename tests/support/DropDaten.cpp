#include "DropDaten.h"

#include <cstring>
#include <shlobj.h>

HDROP DropDaten(const std::vector<String>& pfade) {
    size_t zeichen = 1;
    for (const String& p : pfade)
        zeichen += p.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, sizeof(DROPFILES) + zeichen * sizeof(wchar_t));
    auto* df = static_cast<DROPFILES*>(GlobalLock(mem));
    df->pFiles = sizeof(DROPFILES);
    df->fWide = TRUE;
    auto* ziel = reinterpret_cast<wchar_t*>(reinterpret_cast<char*>(df) + sizeof(DROPFILES));
    for (const String& p : pfade) {
        std::memcpy(ziel, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
        ziel += p.size() + 1;
    }
    *ziel = 0;
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}
