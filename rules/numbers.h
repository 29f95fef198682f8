// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Reading and writing the numbers of the fields and labels. Nothing here uses the C locale:
// once QApplication has called setlocale, printf and strtod follow the user's decimal separator,
// so the digits are read and written here (rules/decimal.h), and the separator is taken
// explicitly.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rules {

// The number at the start of a field's text. Blanks, tabs and line feeds are dropped wherever they
// stand; then an optional sign, digits with at most one ".", and an optional exponent (E or e, an
// optional sign, digits) are read; "&H" / "&O" read a hexadecimal / octal whole number, rounded
// once to the nearest double. The decimal point is always ".". No number gives 0; a magnitude
// beyond the double range gives +-infinity, one too small to represent gives 0. Never NaN.
double LeadingNumber(std::string_view text);

// Whether the reading of LeadingNumber stops at a comma, blanks dropped: "2,5", "2 ,5", "1,500"
// and ",5" do. Such a comma is a decimal comma or a thousands separator, which the reading would
// silently cut the number at.
bool LeadingNumberStopsAtComma(std::string_view text);

// Rounds to the nearest whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
// Empty when the result does not fit a 32-bit signed integer, or x is infinite or NaN.
std::optional<std::int32_t> ToInt32HalfEven(double x);

// x rounded to 15 significant decimal digits (as the label texts show it), to the nearest double.
// From 1.797693134862315E+308 in magnitude, where the 15 digits round beyond the largest double,
// x comes back unchanged.
double RoundTo15Digits(double x);

// x rounded up to the next multiple of `multiple`, except that a quotient x / multiple that is
// whole to 15 significant digits counts as whole and x comes back unchanged.
double RoundNumber(double x, int multiple);

// The text of a result label: 15 significant digits, no grouping, no trailing zeros, no separator
// for whole values, "0" before the separator below 1. Plain notation from 0.0001 up to (not
// including) 10^15, otherwise an exponent form such as 1E+15 or 1.5E-05. Negative zero is written
// "0".
std::string GeneralNumberText(double x, char decimalSeparator);

// A whole number as plain decimal digits with a leading minus for negatives.
std::string WholeNumberText(std::int64_t n);

// Reads back a text written by GeneralNumberText or WholeNumberText in the same convention.
double ReadNumberText(std::string_view text, char decimalSeparator);

} // namespace rules
