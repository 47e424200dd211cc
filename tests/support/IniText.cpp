#include "IniText.h"
#include "TestDateien.h"

#include <windows.h>

bool HatUtf16Marke(const String& datei) {
    return Lesen(datei).compare(0, 2, "\xFF\xFE") == 0;
}

std::vector<String> IniZeilen(const String& datei) {
    const std::string bytes = Lesen(datei);
    String text;
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / sizeof(wchar_t));
    } else if (!bytes.empty()) {
        int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        text.resize(static_cast<size_t>(n));
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    }
    std::vector<String> zeilen;
    size_t anfang = 0;
    for (size_t ende; (ende = text.find(L"\r\n", anfang)) != String::npos; anfang = ende + 2)
        zeilen.push_back(text.substr(anfang, ende - anfang));
    if (anfang < text.size()) zeilen.push_back(text.substr(anfang));
    return zeilen;
}
