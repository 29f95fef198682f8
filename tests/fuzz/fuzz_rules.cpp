// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the production rules. It does not only look for crashes: every input is
// checked against invariants taken from the rulebook and the headers of rules/, and any
// violation aborts with a message (libFuzzer then reports it as a crash and keeps the input).
//
// Input layout (any bytes are fine; missing parts read as empty):
//   byte 0  flags: bit 0 workshop, bit 1 enforce, bit 2 silver, bit 3 ',' as decimal separator,
//           bits 4-7 how many of the ten rows hold the costed row (0 to 10, modulo 11)
//   byte 1  item type selector (1 + b % 6)
//   byte 2  item selector within the type
//   rest    texts separated by '|': skill level, days, quantity, shatter resist, two extra texts
//           (the extras go to LeadingNumber, the list order and the weapon look-up)

#include "rules/catalogue.h"
#include "rules/costing.h"
#include "rules/fields.h"
#include "rules/numbers.h"
#include "rules/texts.h"
#include "tests/rules/rulebook_tables.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

[[noreturn]] void Violated(const char *what, int line, std::string_view detail)
{
    std::fprintf(stderr, "fuzz_rules: invariant violated (line %d): %s\n  detail: %.*s\n", line,
                 what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

#define INVARIANT(cond, detail)                                                                    \
    do {                                                                                           \
        if (!(cond))                                                                               \
            Violated(#cond, __LINE__, (detail));                                                   \
    } while (false)

std::string Quote(std::string_view text)
{
    std::string out = "\"";
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(c));
            out += buf;
        }
    }
    return out + "\"";
}

std::string Num(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17g", x);
    return buf;
}

constexpr double kInt32Min = -2147483648.0;
constexpr double kInt32Max = 2147483647.0;

// Round half to even: std::nearbyint in the default rounding mode (the fuzzer never changes it).
std::optional<std::int64_t> RefInt32(double x)
{
    if (!std::isfinite(x))
        return std::nullopt;
    const double r = std::nearbyint(x);
    if (r < kInt32Min || r > kInt32Max)
        return std::nullopt;
    return static_cast<std::int64_t>(r);
}

// A reference reading of LeadingNumber, used where it can decide the value for sure.

struct RefLeading {
    bool decided = true;    // false: only "not NaN" can be checked
    double value = 0;       // the exact value when decided
    bool infOrZero = false; // out of the double range: either the infinity below or zero
    double infinity = 0;    // +inf or -inf
    bool subnormal = false; // a subnormal value: the exact value or zero are both fine
    // The reading stopped at a ','.
    bool stopsAtComma = false;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsRadixDigit(char c, bool hex)
{
    if (!hex)
        return c >= '0' && c <= '7';
    return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// The same whole number in hexadecimal digits: three bits per octal digit, regrouped by four.
std::string OctalAsHex(std::string_view octal)
{
    std::string bits;
    for (char c : octal)
        for (int bit = 2; bit >= 0; --bit)
            bits += ((c - '0') >> bit) & 1 ? '1' : '0';
    bits.insert(0, (4 - bits.size() % 4) % 4, '0');
    std::string hex;
    for (std::size_t i = 0; i < bits.size(); i += 4)
        hex += "0123456789ABCDEF"[std::stoi(bits.substr(i, 4), nullptr, 2)];
    return hex;
}

RefLeading ReferenceLeadingNumber(std::string_view text)
{
    std::string s;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            s += c;
    RefLeading ref;
    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        // The digits as one unsigned whole number, rounded once to the nearest double. That is
        // this program's reading (the rulebook leaves lower-case prefixes and values beyond 16
        // bits open). std::from_chars reads them as a hexadecimal floating-point number, which it
        // rounds correctly; octal digits are regrouped into hexadecimal ones first.
        const bool hex = s[1] == 'H' || s[1] == 'h';
        std::string digits;
        for (std::size_t i = 2; i < s.size() && IsRadixDigit(s[i], hex); ++i)
            digits += s[i];
        ref.stopsAtComma = s.size() > 2 + digits.size() && s[2 + digits.size()] == ',';
        if (!hex)
            digits = OctalAsHex(digits);
        if (digits.empty())
            return ref; // no digits: 0
        double v = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v,
                                               std::chars_format::hex);
        ref.value = ec == std::errc::result_out_of_range ? HUGE_VAL : v;
        return ref;
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    if (i < s.size() && s[i] == '&') { // a sign before &H / &O: left open
        ref.decided = false;
        return ref;
    }
    const std::size_t start = i;
    std::size_t mantissaDigits = 0;
    long long firstNonZero = 0; // decimal position of the first non-zero digit (for the scale)
    bool seenNonZero = false;
    long long intDigitsAfterLead = 0;
    bool inFraction = false;
    long long fractionZeros = 0;
    for (; i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            ++mantissaDigits;
            if (s[i] != '0')
                seenNonZero = true;
            if (!inFraction && seenNonZero)
                ++intDigitsAfterLead;
            if (inFraction && !seenNonZero)
                ++fractionZeros;
        } else if (s[i] == '.' && !inFraction) {
            inFraction = true;
        } else {
            break;
        }
    }
    ref.stopsAtComma = i < s.size() && s[i] == ',';
    if (mantissaDigits == 0)
        return ref; // no number: 0
    firstNonZero = intDigitsAfterLead > 0 ? intDigitsAfterLead : -fractionZeros;
    std::size_t end = i;
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        bool expNegative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            expNegative = s[j++] == '-';
        if (j < s.size() && IsDigit(s[j])) {
            while (j < s.size() && IsDigit(s[j])) {
                if (exponent < 1000000000)
                    exponent = exponent * 10 + (s[j] - '0');
                ++j;
            }
            if (expNegative)
                exponent = -exponent;
            end = j;
        }
    }
    ref.stopsAtComma = end < s.size() && s[end] == ',';
    const std::string number = s.substr(start, end - start);
    double v = 0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    if (ec == std::errc::result_out_of_range) {
        if (!seenNonZero)
            return ref;
        ref.infOrZero = true;
        ref.infinity = negative ? -HUGE_VAL : HUGE_VAL;
        // The scale decides: far above 10^308 overflows, far below 10^-308 underflows.
        ref.value = (firstNonZero + exponent > 0) ? ref.infinity : (negative ? -0.0 : 0.0);
        return ref;
    }
    if (ec != std::errc() || ptr != number.data() + number.size()) {
        ref.decided = false;
        return ref;
    }
    ref.value = negative ? -v : v;
    ref.subnormal = v != 0 && std::fabs(v) < DBL_MIN;
    return ref;
}

void CheckLeadingNumber(std::string_view text)
{
    const double v = rules::LeadingNumber(text);
    INVARIANT(!std::isnan(v), Quote(text));
    const RefLeading ref = ReferenceLeadingNumber(text);
    if (!ref.decided)
        return;
    const std::string detail = Quote(text) + " gave " + Num(v) + ", reference " + Num(ref.value);
    if (ref.infOrZero) {
        INVARIANT(v == ref.value, detail);
        return;
    }
    if (ref.subnormal) {
        INVARIANT(v == ref.value || v == 0, detail);
        return;
    }
    INVARIANT(v == ref.value, detail);
}

void CheckNumberText(double x, char sep)
{
    if (!std::isfinite(x))
        return;
    const std::string s = rules::GeneralNumberText(x, sep);
    const std::string detail = Num(x) + " -> " + Quote(s) + " sep " + std::string(1, sep);
    const char other = sep == '.' ? ',' : '.';
    INVARIANT(!s.empty(), detail);
    INVARIANT(s.find(other) == std::string::npos, detail);
    INVARIANT(s != "-0", detail);
    const std::size_t e = s.find('E');
    const std::string mantissa = s.substr(0, e);
    const std::size_t body = mantissa[0] == '-' ? 1 : 0;
    INVARIANT(body < mantissa.size() && IsDigit(mantissa[body]),
              detail); // "0" before the separator
    const std::size_t point = mantissa.find(sep);
    if (point != std::string::npos) {
        INVARIANT(point + 1 < mantissa.size(), detail); // no separator without digits after it
        INVARIANT(mantissa.back() != '0', detail);      // no trailing zeros
        INVARIANT(mantissa.find(sep, point + 1) == std::string::npos, detail);
    }
    int significant = 0;
    int pendingZeros = 0;
    bool started = false;
    for (std::size_t i = body; i < mantissa.size(); ++i) {
        const char c = mantissa[i];
        if (c == sep)
            continue;
        INVARIANT(IsDigit(c), detail);
        if (c != '0') {
            significant += (started ? pendingZeros : 0) + 1;
            pendingZeros = 0;
            started = true;
        } else if (started) {
            ++pendingZeros;
        }
    }
    INVARIANT(significant <= 15, detail);
    if (e != std::string::npos) {
        // d[.ddd]E+nn / E-nn: one leading digit, a sign and at least two digits.
        INVARIANT(point == std::string::npos || point == body + 1, detail);
        INVARIANT(mantissa[body] != '0', detail);
        INVARIANT(e + 1 < s.size() && (s[e + 1] == '+' || s[e + 1] == '-'), detail);
        INVARIANT(s.size() >= e + 4, detail); // at least two exponent digits
        for (std::size_t i = e + 2; i < s.size(); ++i)
            INVARIANT(IsDigit(s[i]), detail);
    }
    const double rounded = rules::RoundTo15Digits(x);
    const double ax = std::fabs(x);
    const double ar = std::fabs(rounded);
    if (x == 0 || (ax >= 0.0001 && ax < 1e15 && ar >= 0.0001 && ar < 1e15)) {
        INVARIANT(e == std::string::npos, detail); // plain notation
    }
    if (x == std::floor(x) && ax < 1e15) {
        INVARIANT(point == std::string::npos && e == std::string::npos, detail);
    }
    // Reading the text back gives x to within 15 significant digits.
    const double back = rules::ReadNumberText(s, sep);
    const double tolerance = std::max(ax * 1e-14, 2 * std::numeric_limits<double>::denorm_min());
    const bool subnormal = ax < DBL_MIN; // reading a subnormal back as 0 is left open
    INVARIANT(std::fabs(back - x) <= tolerance || (subnormal && back == 0),
              detail + " read back " + Num(back));
    INVARIANT(std::fabs(rounded - x) <= tolerance, detail + " RoundTo15Digits " + Num(rounded));
    INVARIANT((x < 0) == (s[0] == '-') || back == 0, detail);
}

void CheckConversions(double x)
{
    const auto got = rules::ToInt32HalfEven(x);
    const auto ref = RefInt32(x);
    INVARIANT(got.has_value() == ref.has_value(), "ToInt32HalfEven(" + Num(x) + ")");
    if (got)
        INVARIANT(*got == *ref, "ToInt32HalfEven(" + Num(x) + ")");

    if (std::isfinite(x) && std::fabs(x) < 1e12) {
        const double r = rules::RoundNumber(x, 1);
        const double q = rules::RoundTo15Digits(x);
        const double expected = (q == std::floor(q)) ? x : std::floor((x + 2.0) / 1.0 - 1.0) * 1.0;
        INVARIANT(r == expected, "RoundNumber(" + Num(x) + ", 1) = " + Num(r));
    }
    CheckNumberText(x, '.');
    CheckNumberText(x, ',');
    for (double y : {x / 10, x * 3 / 10, x / 7, -x / 3}) {
        CheckNumberText(y, '.');
        CheckNumberText(y, ',');
    }
}

bool IsOneOf(const std::string &message, std::initializer_list<std::string_view> allowed)
{
    return std::find(allowed.begin(), allowed.end(), std::string_view(message)) != allowed.end();
}

void ExpectCheck(const rules::FieldCheck &got, bool accepted, std::string_view message,
                 const std::string &detail)
{
    INVARIANT(got.accepted == accepted, detail + " message " + Quote(got.message));
    INVARIANT(got.message == message, detail + " message " + Quote(got.message));
}

bool CheckDaysText(std::string_view text)
{
    namespace t = rules::texts;
    const double v = rules::LeadingNumber(text);
    const auto got = rules::CheckDays(text);
    const std::string detail = "CheckDays(" + Quote(text) + ") v " + Num(v);
    if (ReferenceLeadingNumber(text).stopsAtComma)
        ExpectCheck(got, false, t::kDaysComma, detail);
    else if (!(v > 0))
        ExpectCheck(got, false, t::kDaysRefused, detail);
    else if (v < rules::kMinDays || v > rules::kMaxDays)
        ExpectCheck(got, false, t::kDaysOutOfRange, detail);
    else
        ExpectCheck(got, true, "", detail);
    return got.accepted;
}

bool CheckSkillText(std::string_view text)
{
    namespace t = rules::texts;
    const double v = rules::LeadingNumber(text);
    const auto got = rules::CheckSkillLevel(text);
    const std::string detail = "CheckSkillLevel(" + Quote(text) + ") v " + Num(v);
    if (ReferenceLeadingNumber(text).stopsAtComma) {
        ExpectCheck(got, false, t::kSkillLevelComma, detail);
    } else if (!(v > 0)) {
        ExpectCheck(got, false, t::kSkillLevelRefused, detail);
    } else if (v > 10000.5) {
        ExpectCheck(got, false, t::kSkillLevelTooHigh, detail);
    } else if (v > rules::kMaxSkillLevel) {
        // (10000, 10000.5]: rounds to 10000; whether the check reads v or the rounded level
        // is left to the unit tests.
        INVARIANT(got.accepted || got.message == t::kSkillLevelTooHigh, detail);
    } else if (std::nearbyint(v) < 1) {
        ExpectCheck(got, false, t::kSkillLevelTooLow, detail);
    } else {
        ExpectCheck(got, true, "", detail);
    }
    INVARIANT(got.accepted == got.message.empty(), detail);
    if (got.accepted) {
        const auto level = rules::FilterLevel(text);
        INVARIANT(level.has_value() && *level >= 1 && *level <= 10000, detail);
        for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
            INVARIANT(!rules::OfferedItems(code, true, *level).empty(), detail);
        }
    }
    const auto level = rules::FilterLevel(text);
    const auto ref = RefInt32(v);
    INVARIANT(level.has_value() == ref.has_value(), detail);
    if (level)
        INVARIANT(*level == *ref, detail);
    return got.accepted;
}

bool CheckQuantityText(std::string_view text)
{
    namespace t = rules::texts;
    const double v = rules::LeadingNumber(text);
    const auto got = rules::CheckQuantity(text);
    const std::string detail = "CheckQuantity(" + Quote(text) + ") v " + Num(v);
    if (ReferenceLeadingNumber(text).stopsAtComma)
        ExpectCheck(got, false, t::kQuantityComma, detail);
    else if (v < 0 || (v == 0 && text != "0"))
        ExpectCheck(got, false, t::kQuantityRefused, detail);
    else if (v > rules::kMaxQuantity)
        ExpectCheck(got, false, t::kQuantityTooLarge, detail);
    else
        ExpectCheck(got, true, "", detail);
    return got.accepted;
}

bool CheckShatterText(std::string_view text)
{
    namespace t = rules::texts;
    const double v = rules::LeadingNumber(text);
    const auto got = rules::CheckShatterResist(text);
    const std::string detail = "CheckShatterResist(" + Quote(text) + ") v " + Num(v);
    if (ReferenceLeadingNumber(text).stopsAtComma) {
        ExpectCheck(got, false, t::kShatterResistComma, detail);
    } else if (v < 0) {
        ExpectCheck(got, false, t::kShatterResistRefused, detail);
    } else if (v > 10000.5) {
        INVARIANT(!got.accepted &&
                      IsOneOf(got.message, {t::kShatterResistTooLarge, t::kShatterResistRefused}),
                  detail);
    } else {
        const bool odd = std::fmod(std::nearbyint(v), 2.0) != 0;
        const bool accepted = !odd && (text == "0" || v != 0);
        if (!accepted) {
            INVARIANT(!got.accepted && IsOneOf(got.message, {t::kShatterResistRefused,
                                                             t::kShatterResistTooLarge}),
                      detail);
            if (v <= rules::kMaxShatterResist)
                ExpectCheck(got, false, t::kShatterResistRefused, detail);
        } else if (v > rules::kMaxShatterResist) {
            INVARIANT(got.accepted || got.message == t::kShatterResistTooLarge, detail);
        } else {
            ExpectCheck(got, true, "", detail);
        }
    }
    return got.accepted;
}

struct RefRow {
    bool inRange = true;
    std::int64_t points = 0;
    double silver = 0;
    bool unknownWeapon = false;
};

RefRow ReferenceRow(const rules::RowInputs &in)
{
    RefRow ref;
    const double q = rules::LeadingNumber(in.quantityText);
    const double r = rules::LeadingNumber(in.shatterResistText);
    double p = in.unitCost;
    double v = in.unitCost;
    if (in.silver) {
        p += 10;
        const auto w = rules::WeaponSilverCost(in.itemName);
        ref.unknownWeapon = !w.has_value();
        v = v + w.value_or(0);
    }
    if (r > 0) {
        v = v * 3;
        p += 80;
    }
    if (q == 0)
        return ref;
    const auto points = RefInt32(p * q);
    if (!points) {
        ref.inRange = false;
        return ref;
    }
    ref.points = *points;
    v = q * v;
    v = v / 10;
    ref.silver = v;
    return ref;
}

bool NoInfNaN(const std::string &s)
{
    return s.find("inf") == std::string::npos && s.find("nan") == std::string::npos &&
           s.find("INF") == std::string::npos && s.find("NAN") == std::string::npos;
}

void CheckTotals(const rules::TotalsInputs &in, bool allAccepted, const std::string &detail)
{
    const rules::Totals t = rules::ComputeTotals(in);
    const char sep = in.decimalSeparator;
    const double days = rules::LeadingNumber(in.daysText);
    const double skill = rules::LeadingNumber(in.skillLevelText);
    auto capacity = RefInt32(skill * 4 * days);
    if (capacity && in.workshop) {
        const std::int64_t doubled = *capacity * 2;
        capacity = doubled > 2147483647 || doubled < -2147483648LL
                       ? std::nullopt
                       : std::optional<std::int64_t>(doubled);
    }
    std::optional<std::int64_t> total = 0;
    double silver = 0;
    for (int i = 0; i < rules::kRowCount; ++i) {
        const auto row = static_cast<std::size_t>(i);
        if (total) {
            const double sum =
                rules::ReadNumberText(in.rowPointsTexts[row], sep) + static_cast<double>(*total);
            total = RefInt32(sum);
        }
        silver = silver + rules::ReadNumberText(in.rowSilverTexts[row], sep);
    }
    const bool expectInRange = days > 0 && capacity.has_value() && total.has_value();
    // A per-day figure beyond the double range (days far below what the field accepts) may be
    // reported as out of range too.
    const double perDayRaw =
        total ? (static_cast<double>(*total) / (in.workshop ? 8.0 : 4.0)) / days : 0.0;
    if (expectInRange && !std::isfinite(perDayRaw)) {
        INVARIANT(!allAccepted, detail);
    } else {
        INVARIANT(t.inRange == expectInRange, detail);
    }
    if (allAccepted)
        INVARIANT(t.inRange, detail);
    INVARIANT(NoInfNaN(t.pointsText) && NoInfNaN(t.workshopsText), detail);
    if (!t.inRange)
        return;

    INVARIANT(t.pointsText ==
                  rules::WholeNumberText(*total) + " / " + rules::WholeNumberText(*capacity),
              detail + " points " + t.pointsText);
    const double perLevel = in.workshop ? 8 : 4;
    const double totalPoints = static_cast<double>(*total);
    const double levels = rules::RoundNumber(totalPoints / perLevel, 1);
    const double perDay = rules::RoundNumber((totalPoints / perLevel) / days, 1);
    // A per-day figure beyond the double range (days far below what the field accepts) is
    // left open.
    if (std::isfinite(levels) && std::isfinite(perDay)) {
        INVARIANT(t.levelText == rules::GeneralNumberText(levels, sep) + " / " +
                                     rules::GeneralNumberText(perDay, sep) + " per day",
                  detail + " levels " + t.levelText);
        INVARIANT(NoInfNaN(t.levelText), detail);
    }
    const std::string workshops =
        in.workshop ? rules::GeneralNumberText(rules::RoundNumber(totalPoints / 400, 1), sep) : "0";
    INVARIANT(t.workshopsText == workshops, detail + " workshops " + t.workshopsText);
    if (std::isfinite(silver)) {
        INVARIANT(t.silverText == rules::GeneralNumberText(silver, sep),
                  detail + " silver " + t.silverText);
    }
    INVARIANT(t.overLevel == (in.enforceLevel && *total > *capacity), detail);
    if (allAccepted) {
        INVARIANT(std::isfinite(levels) && std::isfinite(perDay) && levels >= 0 && perDay >= 0,
                  detail);
        INVARIANT(*total >= 0 && *capacity >= 0, detail);
        INVARIANT(std::isfinite(silver) && silver >= 0, detail);
        INVARIANT(NoInfNaN(t.silverText), detail);
        // The points text parses back.
        const std::size_t slash = t.pointsText.find(" / ");
        INVARIANT(slash != std::string::npos, detail);
        INVARIANT(rules::ReadNumberText(t.pointsText.substr(0, slash), sep) == totalPoints, detail);
        INVARIANT(rules::ReadNumberText(t.pointsText.substr(slash + 3), sep) ==
                      static_cast<double>(*capacity),
                  detail);
    }
}

std::string AsciiLower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string AsciiUpper(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool PlainPrintable(std::string_view s)
{
    for (char c : s) {
        if (c < 0x20 || c > 0x7E)
            return false;
        if (c >= '[' && c <= '`')
            return false; // between the cases: folding direction matters
    }
    return true;
}

void CheckListOrder(std::string_view a, std::string_view b)
{
    const std::string detail = Quote(a) + " vs " + Quote(b);
    const bool ab = rules::ListOrderLess(a, b);
    const bool ba = rules::ListOrderLess(b, a);
    INVARIANT(!rules::ListOrderLess(a, a), detail);
    INVARIANT(!(ab && ba), detail);
    INVARIANT(ab == rules::ListOrderLess(AsciiLower(a), AsciiLower(b)), detail);
    INVARIANT(ab == rules::ListOrderLess(AsciiUpper(a), AsciiUpper(b)), detail);
    if (AsciiLower(a) == AsciiLower(b))
        INVARIANT(!ab && !ba, detail);
    if (PlainPrintable(a) && PlainPrintable(b)) {
        INVARIANT(ab == (AsciiLower(a) < AsciiLower(b)), detail);
    }
}

void CheckWeaponLookUp(std::string_view name)
{
    const auto got = rules::WeaponSilverCost(name);
    std::optional<std::int32_t> expected;
    for (const auto &[n, v] : rulebook::kWeaponSilver)
        if (n == name)
            expected = v;
    INVARIANT(got == expected, "WeaponSilverCost(" + Quote(name) + ")");
}

void CheckOffered(std::int32_t code, bool enforce, std::int32_t level)
{
    const auto offered = rules::OfferedItems(code, enforce, level);
    const auto sorted = rules::SortedOfferedItems(code, enforce, level);
    const std::string detail = "type " + std::to_string(code) + " level " + std::to_string(level);
    INVARIANT(offered.size() == sorted.size(), detail);
    std::size_t expected = 0;
    for (const auto &item : rules::CatalogueItems(code))
        if (!enforce || 4 * static_cast<std::int64_t>(level) >= item.unitCost)
            ++expected;
    INVARIANT(offered.size() == expected, detail);
    for (std::size_t i = 1; i < sorted.size(); ++i)
        INVARIANT(rules::ListOrderLess(sorted[i - 1].name, sorted[i].name), detail);
    for (const auto &entry : sorted) {
        const auto it = std::find_if(offered.begin(), offered.end(), [&](const auto &o) {
            return o.name == entry.name && o.unitCost == entry.unitCost;
        });
        INVARIANT(it != offered.end(), detail);
    }
}

std::vector<std::string_view> Split(std::string_view data, std::size_t count)
{
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t bar = data.find('|');
        if (bar == std::string_view::npos)
            break;
        parts.push_back(data.substr(0, bar));
        data.remove_prefix(bar + 1);
    }
    parts.push_back(data);
    parts.resize(count);
    return parts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::uint8_t flags = size > 0 ? data[0] : 0;
    const std::uint8_t typeByte = size > 1 ? data[1] : 0;
    const std::uint8_t itemByte = size > 2 ? data[2] : 0;
    const std::string_view rest =
        size > 3 ? std::string_view(reinterpret_cast<const char *>(data) + 3, size - 3)
                 : std::string_view();
    const auto texts = Split(rest, 6);
    const std::string_view skillText = texts[0];
    const std::string_view daysText = texts[1];
    const std::string_view quantityText = texts[2];
    const std::string_view shatterText = texts[3];

    const bool workshop = (flags & 1u) != 0;
    const bool enforce = (flags & 2u) != 0;
    const bool silver = (flags & 4u) != 0;
    const char sep = (flags & 8u) != 0 ? ',' : '.';
    const int rowsUsed = (flags >> 4) % 11;

    // Numbers: every text through LeadingNumber and the conversions.
    for (const auto &t : texts) {
        CheckLeadingNumber(t);
        CheckConversions(rules::LeadingNumber(t));
    }

    // The field rules.
    const bool skillOk = CheckSkillText(skillText);
    const bool daysOk = CheckDaysText(daysText);
    const bool quantityOk = CheckQuantityText(quantityText);
    const bool shatterOk = CheckShatterText(shatterText);
    const bool allAccepted = skillOk && daysOk && quantityOk && shatterOk;

    // One row, from a catalogue item.
    const std::int32_t code = 1 + typeByte % 6;
    const auto items = rules::CatalogueItems(code);
    INVARIANT(!items.empty(), "catalogue type " + std::to_string(code));
    const auto &item = items[static_cast<std::size_t>(itemByte) % items.size()];
    const rules::RowInputs in{item.unitCost, item.name, quantityText, silver, shatterText};
    const rules::RowCost cost = rules::CostRow(in);
    const RefRow ref = ReferenceRow(in);
    const std::string rowDetail = "row " + Quote(item.name) + " quantity " + Quote(quantityText) +
                                  " shatter " + Quote(shatterText) + " silver " +
                                  (silver ? "on" : "off");
    INVARIANT(cost.inRange == ref.inRange, rowDetail);
    if (allAccepted)
        INVARIANT(cost.inRange, rowDetail);
    INVARIANT(cost.points == ref.points, rowDetail + " points " + std::to_string(cost.points));
    INVARIANT(cost.silver == ref.silver || (std::isnan(ref.silver) && std::isnan(cost.silver)),
              rowDetail + " silver " + Num(cost.silver) + " reference " + Num(ref.silver));
    if (cost.inRange)
        INVARIANT(cost.unknownWeapon == ref.unknownWeapon, rowDetail);
    INVARIANT(std::isfinite(cost.silver), rowDetail);
    if (allAccepted)
        INVARIANT(cost.points >= 0 && cost.silver >= 0, rowDetail);

    // Quantity "0" costs nothing, whatever the rest.
    const rules::RowCost zero =
        rules::CostRow(rules::RowInputs{item.unitCost, item.name, "0", silver, shatterText});
    INVARIANT(zero.inRange && zero.points == 0 && zero.silver == 0, rowDetail);

    // The row's label texts, read back.
    const std::string pointsText = rules::WholeNumberText(cost.points);
    const std::string silverText = rules::GeneralNumberText(cost.silver, sep);
    INVARIANT(rules::ReadNumberText(pointsText, sep) == cost.points, rowDetail);
    INVARIANT(rules::LeadingNumber(pointsText) == cost.points, rowDetail);
    CheckNumberText(cost.silver, sep);

    // The totals, with the row in the first rowsUsed rows.
    rules::TotalsInputs totals;
    totals.skillLevelText = skillText;
    totals.daysText = daysText;
    totals.workshop = workshop;
    totals.enforceLevel = enforce;
    totals.decimalSeparator = sep;
    for (std::size_t i = 0; i < totals.rowPointsTexts.size(); ++i) {
        const bool used = static_cast<int>(i) < rowsUsed;
        totals.rowPointsTexts[i] = used ? std::string_view(pointsText) : std::string_view("0");
        totals.rowSilverTexts[i] = used ? std::string_view(silverText) : std::string_view("0");
    }
    CheckTotals(totals, allAccepted,
                rowDetail + " skill " + Quote(skillText) + " days " + Quote(daysText) + " rows " +
                    std::to_string(rowsUsed));

    // The level filter and the lists.
    const auto level = rules::FilterLevel(skillText);
    if (level) {
        CheckOffered(code, enforce, *level);
        CheckOffered(1 + (code % 6), true, *level);
    }
    CheckListOrder(texts[4], texts[5]);
    CheckListOrder(item.name, texts[4]);
    CheckWeaponLookUp(texts[4]);
    CheckWeaponLookUp(item.name);

    // The warning alternation: shown on every second over-level check, starting with the first.
    rules::LevelWarning warning;
    bool expectedShown = false;
    for (std::size_t i = 0; i < rest.size() && i < 16; ++i) {
        const bool over = (static_cast<unsigned char>(rest[i]) & 1u) != 0;
        bool show = false;
        if (over) {
            show = !expectedShown;
            expectedShown = !expectedShown;
        }
        INVARIANT(warning.Check(over) == show && warning.Shown() == expectedShown,
                  "LevelWarning step " + std::to_string(i));
    }
    return 0;
}
