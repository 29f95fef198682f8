// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Exact conversions between decimal digits and doubles, written here so that every compiler takes
// the same path: the C library's strtod and printf follow the C locale, and the libc++ that
// emscripten ships has no floating-point std::from_chars / std::to_chars. Both directions round
// the exact value once, to the nearest, a tie to the even neighbour.

#include <cstdint>
#include <string_view>

namespace rules {

// The double nearest to digits x 10^exponent. `digits` holds decimal digits only (leading and
// trailing zeros allowed, empty for 0); any length and any exponent are read exactly: a magnitude
// beyond the double range gives infinity, one below half the smallest subnormal gives 0.
double DecimalToDouble(std::string_view digits, long long exponent);

// A positive finite x rounded to 15 significant digits: x ~ digits x 10^(exponent - 14), with
// digits from 10^14 up to (not including) 10^15 and exponent the decimal exponent of the first.
struct Decimal15 {
    std::uint64_t digits = 0;
    int exponent = 0;
};
Decimal15 To15Digits(double x);

} // namespace rules
