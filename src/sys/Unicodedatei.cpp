#include "sys/Unicodedatei.h"

#include <windows.h>

bool AnsiDarstellbar(const String& text) {
    if (text.empty()) return true;
    BOOL ersetzt = FALSE;
    int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                                nullptr, 0, nullptr, &ersetzt);
    return n > 0 && !ersetzt;
}

bool VollerPfad(const String& datei) {
    if (datei.size() >= 3 && datei[1] == L':' && datei[2] == L'\\') return true;
    return datei.size() >= 2 && datei[0] == L'\\' && datei[1] == L'\\';
}
