// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/numbers.h"

#include "rules/decimal.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace rules {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int RadixDigit(char c, int base)
{
    return base == 16 ? HexValue(c) : (c >= '0' && c <= '7' ? c - '0' : -1);
}

// A whole number in base 8 or 16 after "&O" / "&H", rounded once to the nearest double (a tie to
// the even neighbour). The leading 60 bits are kept exactly; any later digit only counts as the
// sticky bit that decides a tie, so the reading never rounds twice. A very long run of digits
// ends at infinity.
double ReadRadix(std::string_view digits, int base)
{
    const int bitsPerDigit = base == 16 ? 4 : 3;
    constexpr std::uint64_t kKeepBelow = std::uint64_t{1} << 60;
    std::uint64_t kept = 0;
    int droppedBits = 0;
    bool sticky = false;
    for (char c : digits) {
        const int d = RadixDigit(c, base);
        if (d < 0)
            break;
        if (kept < kKeepBelow) {
            kept = kept * std::uint64_t(base) + std::uint64_t(d);
        } else {
            sticky = sticky || d != 0;
            if (droppedBits < 4096) // already far beyond the double range
                droppedBits += bitsPerDigit;
        }
    }
    constexpr int kMantissaBits = std::numeric_limits<double>::digits; // 53
    const int width = static_cast<int>(std::bit_width(kept));
    if (width <= kMantissaBits)
        return double(kept); // exact; nothing was dropped below 60 bits
    const int shift = width - kMantissaBits;
    std::uint64_t mantissa = kept >> shift;
    const std::uint64_t rest = kept & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (sticky || (mantissa & 1) != 0)))
        ++mantissa; // may reach 2^53: still exact in a double
    return std::ldexp(double(mantissa), shift + droppedBits);
}

std::string WithoutBlanks(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);
    return s;
}

// The number at the start of a text without blanks, and the place where its reading stopped: the
// first character that cannot continue the number.
struct Reading {
    double value = 0;
    std::size_t stop = 0;
};

Reading ReadLeading(const std::string &s)
{
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = s[1];
        const int base = kind == 'H' || kind == 'h' ? 16 : kind == 'O' || kind == 'o' ? 8 : 0;
        if (base == 0)
            return {};
        std::size_t end = 2;
        while (end < s.size() && RadixDigit(s[end], base) >= 0)
            ++end;
        return {ReadRadix(std::string_view(s).substr(2, end - 2), base), end};
    }

    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // The significant digits (no leading zeros) and the power of ten they are scaled by.
    std::string digits;
    long long exponent = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < s.size() && (IsDigit(s[i]) || (s[i] == '.' && !seenPoint)); ++i) {
        if (s[i] == '.') {
            seenPoint = true;
            continue;
        }
        seenDigit = true;
        if (s[i] != '0' || !digits.empty())
            digits.push_back(s[i]);
        if (seenPoint)
            --exponent;
    }
    if (!seenDigit)
        return {0, i};
    // An exponent counts only when at least one digit follows the E and its sign.
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            expNegative = s[j] == '-';
            ++j;
        }
        if (j < s.size() && IsDigit(s[j])) {
            long long written = 0;
            for (; j < s.size() && IsDigit(s[j]); ++j)
                if (written < 1'000'000'000) // already far beyond the double range
                    written = written * 10 + (s[j] - '0');
            exponent += expNegative ? -written : written;
            i = j;
        }
    }
    const double value = DecimalToDouble(digits, exponent);
    return {negative ? -value : value, i};
}

} // namespace

double LeadingNumber(std::string_view text)
{
    return ReadLeading(WithoutBlanks(text)).value;
}

bool LeadingNumberStopsAtComma(std::string_view text)
{
    const std::string s = WithoutBlanks(text);
    const std::size_t stop = ReadLeading(s).stop;
    return stop < s.size() && s[stop] == ',';
}

std::optional<std::int32_t> ToInt32HalfEven(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    double r = std::floor(x);
    const double diff = x - r;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(r, 2.0) != 0.0))
        r += 1.0;
    if (r < double(std::numeric_limits<std::int32_t>::min()) ||
        r > double(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(r);
}

namespace {

// x in scientific notation with 15 significant digits: digits "ddddddddddddddd" and the decimal
// exponent of the first. x is finite and not zero.
struct Digits15 {
    bool negative = false;
    std::string digits; // 15 digits, the first not zero
    int exponent = 0;
};

Digits15 ToDigits15(double x)
{
    const Decimal15 d = To15Digits(std::fabs(x));
    Digits15 out{std::signbit(x), std::string(15, '0'), d.exponent};
    std::uint64_t rest = d.digits;
    for (auto c = out.digits.rbegin(); c != out.digits.rend(); ++c, rest /= 10)
        *c = static_cast<char>('0' + rest % 10);
    return out;
}

} // namespace

double RoundTo15Digits(double x)
{
    if (!std::isfinite(x) || x == 0)
        return x;
    const Digits15 d = ToDigits15(x);
    const double rounded = DecimalToDouble(d.digits, d.exponent - 14);
    if (std::isinf(rounded))
        return x; // the 15 digits of a value next to the largest double lie beyond it
    return d.negative ? -rounded : rounded;
}

double RoundNumber(double x, int multiple)
{
    const double m = multiple;
    const double q = RoundTo15Digits(x / m);
    if (std::floor(q) == q)
        return x;
    return std::floor((x + 2 * m) / m - 1) * m;
}

std::string GeneralNumberText(double x, char decimalSeparator)
{
    if (std::isnan(x))
        return "NaN";
    if (std::isinf(x))
        return x < 0 ? "-Infinity" : "Infinity";
    if (x == 0)
        return "0";

    Digits15 d = ToDigits15(x);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();

    std::string out = d.negative ? "-" : "";
    const int n = int(d.digits.size());
    if (d.exponent >= -4 && d.exponent < 15) {
        if (d.exponent < 0) {
            out += '0';
            out += decimalSeparator;
            out.append(std::size_t(-d.exponent - 1), '0');
            out += d.digits;
        } else if (n <= d.exponent + 1) {
            out += d.digits;
            out.append(std::size_t(d.exponent + 1 - n), '0');
        } else {
            out += d.digits.substr(0, std::size_t(d.exponent + 1));
            out += decimalSeparator;
            out += d.digits.substr(std::size_t(d.exponent + 1));
        }
        return out;
    }

    // Exponent form: one digit, the rest after the separator, then E+dd / E-dd.
    out += d.digits[0];
    if (n > 1) {
        out += decimalSeparator;
        out += d.digits.substr(1);
    }
    out += d.exponent < 0 ? "E-" : "E+";
    const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
    if (magnitude < 10)
        out += '0';
    out += WholeNumberText(magnitude);
    return out;
}

std::string WholeNumberText(std::int64_t n)
{
    std::array<char, 24> buf{};
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), n);
    return std::string(buf.data(), res.ptr);
}

double ReadNumberText(std::string_view text, char decimalSeparator)
{
    if (decimalSeparator == '.')
        return LeadingNumber(text);
    std::string s(text);
    for (char &c : s)
        if (c == decimalSeparator)
            c = '.';
    return LeadingNumber(s);
}

} // namespace rules
