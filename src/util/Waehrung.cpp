#include "util/Waehrung.h"

#include "util/kv7_str.h"

#include <cmath>

Currency Currency::AusZahl(long double wert) {
    long double skaliert = wert * 10000.0L;
    // Beyond about 9.2e14 the ten-thousandths no longer fit.
    if (!std::isfinite(skaliert) || std::fabs(skaliert) >= 9.2e18L) return {};
    return {std::llround(skaliert)};
}

String WaehrungText(Currency betrag) {
    const bool negativ = betrag.zehntausendstel < 0;
    unsigned long long betragOhne = negativ ? 0ULL - static_cast<unsigned long long>(betrag.zehntausendstel)
                                            : static_cast<unsigned long long>(betrag.zehntausendstel);
    String text = std::to_wstring(betragOhne / 10000);
    String bruch = MitNullen(std::to_wstring(betragOhne % 10000), 4);
    while (!bruch.empty() && bruch.back() == L'0')
        bruch.pop_back();
    if (!bruch.empty()) text += DezimalTrenner() + bruch;
    return negativ ? L"-" + text : text;
}
