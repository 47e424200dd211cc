#pragma once
// Amounts of money: fixed-point numbers with four decimals.
#include "util/Basis.h"

#include <compare>

// Held as ten-thousandths, so that sums and comparisons are exact.
struct Currency {
    long long zehntausendstel = 0;

    // Rounded to the nearest ten-thousandth; a value beyond the range is 0.
    static Currency AusZahl(long double wert);
    double Zahl() const { return static_cast<double>(zehntausendstel) / 10000.0; }
    auto operator<=>(const Currency&) const = default;
};

// The shortest decimal text with the user's decimal separator, no thousands marks: 12,5 or 1234.
String WaehrungText(Currency betrag);
