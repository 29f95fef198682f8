// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/decimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>

namespace rules {

namespace {

// Significant digits read exactly. The halfway points between doubles have at most 767
// significant digits, so the digits after the 800th can only tell whether the value lies above
// the first 800, and one 1 in their place says the same.
constexpr std::size_t kMaxDigits = 800;

static_assert(std::numeric_limits<double>::is_iec559 && sizeof(double) == sizeof(std::uint64_t));

constexpr int kMantissaBits = std::numeric_limits<double>::digits; // 53, the leading 1 included
constexpr int kMinExponent = -1022; // of the smallest normal double, 2^-1022
constexpr int kMaxExponent = 1023;
constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << (kMantissaBits - 1);

constexpr std::array<std::uint32_t, 10> kPow10U32 = {
    1, 10, 100, 1'000, 10'000, 100'000, 1'000'000, 10'000'000, 100'000'000, 1'000'000'000};

std::uint32_t DigitValue(char c)
{
    return static_cast<std::uint32_t>(c - '0');
}

// A non-negative whole number, 32-bit limbs, the least significant first. The largest built here
// is under 2^2740 (86 limbs): 800 digits over 5^1125 (a value near 1e-324), shifted by 64 bits.
class BigInt {
public:
    explicit BigInt(std::uint64_t v)
    {
        for (; v != 0; v >>= 32)
            limbs_[size_++] = static_cast<std::uint32_t>(v);
    }

    bool IsZero() const { return size_ == 0; }

    int BitLength() const
    {
        if (size_ == 0)
            return 0;
        return static_cast<int>(32 * (size_ - 1)) +
               static_cast<int>(std::bit_width(limbs_[size_ - 1]));
    }

    // *this = *this * factor + addend
    void MulAdd(std::uint32_t factor, std::uint32_t addend)
    {
        std::uint64_t carry = addend;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t v = std::uint64_t{limbs_[i]} * factor + carry;
            limbs_[i] = static_cast<std::uint32_t>(v);
            carry = v >> 32;
        }
        if (carry != 0)
            limbs_[size_++] = static_cast<std::uint32_t>(carry);
    }

    void MulPow5(long long k)
    {
        constexpr std::uint32_t kPow5_13 = 1'220'703'125; // the largest power of 5 in 32 bits
        for (; k >= 13; k -= 13)
            MulAdd(kPow5_13, 0);
        std::uint32_t rest = 1;
        for (; k > 0; --k)
            rest *= 5;
        MulAdd(rest, 0);
    }

    void ShiftLeft(long long bits)
    {
        if (size_ == 0 || bits == 0)
            return;
        const auto limbShift = static_cast<std::size_t>(bits / 32);
        const auto bitShift = static_cast<unsigned>(bits % 32);
        std::size_t newSize = size_ + limbShift;
        if (bitShift != 0) {
            limbs_[newSize] = limbs_[size_ - 1] >> (32 - bitShift);
            for (std::size_t i = size_ - 1; i > 0; --i)
                limbs_[i + limbShift] =
                    (limbs_[i] << bitShift) | (limbs_[i - 1] >> (32 - bitShift));
            limbs_[limbShift] = limbs_[0] << bitShift;
            if (limbs_[newSize] != 0)
                ++newSize;
        } else {
            for (std::size_t i = size_; i-- > 0;)
                limbs_[i + limbShift] = limbs_[i];
        }
        std::fill_n(limbs_.begin(), limbShift, 0u);
        size_ = newSize;
    }

    void ShiftRightOne()
    {
        for (std::size_t i = 0; i + 1 < size_; ++i)
            limbs_[i] = (limbs_[i] >> 1) | (limbs_[i + 1] << 31);
        if (size_ > 0 && (limbs_[size_ - 1] >>= 1) == 0)
            --size_;
    }

    // *this -= other, where other <= *this
    void Subtract(const BigInt &other)
    {
        std::uint32_t borrow = 0;
        for (std::size_t i = 0; i < size_; ++i) {
            const std::uint64_t sub =
                std::uint64_t{i < other.size_ ? other.limbs_[i] : 0u} + borrow;
            borrow = limbs_[i] < sub ? 1u : 0u;
            limbs_[i] = static_cast<std::uint32_t>(limbs_[i] - sub);
        }
        while (size_ > 0 && limbs_[size_ - 1] == 0)
            --size_;
    }

    friend int Compare(const BigInt &a, const BigInt &b)
    {
        if (a.size_ != b.size_)
            return a.size_ < b.size_ ? -1 : 1;
        for (std::size_t i = a.size_; i-- > 0;)
            if (a.limbs_[i] != b.limbs_[i])
                return a.limbs_[i] < b.limbs_[i] ? -1 : 1;
        return 0;
    }

private:
    std::array<std::uint32_t, 96> limbs_{};
    std::size_t size_ = 0;
};

// What was cut off below a whole-number quotient, against one half.
enum class Rest { kZero, kBelowHalf, kHalf, kAboveHalf };

struct Quotient {
    std::uint64_t whole = 0;
    Rest rest = Rest::kZero;
};

bool RoundsUp(Rest rest, std::uint64_t whole)
{
    return rest == Rest::kAboveHalf || (rest == Rest::kHalf && (whole & 1) != 0);
}

// a / b for a quotient below 2^64, one bit at a time: only the slow paths come here.
Quotient Divide(BigInt a, const BigInt &b)
{
    BigInt shifted = b;
    shifted.ShiftLeft(63);
    std::uint64_t whole = 0;
    for (int bit = 63; bit >= 0; --bit) {
        if (Compare(a, shifted) >= 0) {
            a.Subtract(shifted);
            whole |= std::uint64_t{1} << bit;
        }
        shifted.ShiftRightOne();
    }
    if (a.IsZero())
        return {whole, Rest::kZero};
    a.ShiftLeft(1);
    const int c = Compare(a, b);
    return {whole, c < 0 ? Rest::kBelowHalf : c == 0 ? Rest::kHalf : Rest::kAboveHalf};
}

// A 128-bit product, from 32-bit halves so that no compiler extension is needed.
struct U128 {
    std::uint64_t hi = 0;
    std::uint64_t lo = 0;

    bool Bit(int i) const { return ((i < 64 ? lo >> i : hi >> (i - 64)) & 1) != 0; }
    // Whether any of the bits below i is set (0 < i < 128).
    bool AnyBelow(int i) const
    {
        if (i <= 64)
            return (lo & (~std::uint64_t{0} >> (64 - i))) != 0;
        return lo != 0 || (hi & (~std::uint64_t{0} >> (128 - i))) != 0;
    }
    std::uint64_t ShiftedRight(int i) const
    {
        if (i >= 64)
            return hi >> (i - 64);
        return (hi << (64 - i)) | (lo >> i);
    }
};

U128 Multiply(std::uint64_t a, std::uint64_t b)
{
    constexpr std::uint64_t kLow = 0xffff'ffff;
    const std::uint64_t ll = (a & kLow) * (b & kLow);
    const std::uint64_t lh = (a & kLow) * (b >> 32);
    const std::uint64_t hl = (a >> 32) * (b & kLow);
    const std::uint64_t hh = (a >> 32) * (b >> 32);
    const std::uint64_t mid = (ll >> 32) + (lh & kLow) + (hl & kLow);
    return {hh + (lh >> 32) + (hl >> 32) + (mid >> 32), (mid << 32) | (ll & kLow)};
}

// floor(m * 2^e2 * 10^p) for a result below 2^64, and what it cut off.
Quotient ScaledByPow10(std::uint64_t m, int e2, int p)
{
    if (e2 < 0 && e2 > -128 && p >= 0 && p <= 19) {
        // The labels' usual range, 1e-5 to 1e15: the product fits 128 bits.
        static constexpr auto kPow10 = [] {
            std::array<std::uint64_t, 20> powers{1};
            for (std::size_t i = 1; i < powers.size(); ++i)
                powers[i] = powers[i - 1] * 10;
            return powers;
        }();
        const U128 product = Multiply(m, kPow10[static_cast<std::size_t>(p)]);
        const int shift = -e2;
        const bool half = product.Bit(shift - 1);
        const bool below = shift > 1 && product.AnyBelow(shift - 1);
        const Rest rest = half ? (below ? Rest::kAboveHalf : Rest::kHalf)
                               : (below ? Rest::kBelowHalf : Rest::kZero);
        return {product.ShiftedRight(shift), rest};
    }
    // m x 2^e2 x 10^p = m x 5^p x 2^(e2 + p): the smaller numbers to divide.
    BigInt num(m);
    BigInt den(1);
    if (p >= 0)
        num.MulPow5(p);
    else
        den.MulPow5(-p);
    if (e2 + p >= 0)
        num.ShiftLeft(e2 + p);
    else
        den.ShiftLeft(-(e2 + p));
    return Divide(num, den);
}

// The double of (whole + a fraction, not zero when sticky) x 2^e2, for a whole number of 55 bits or
// more: rounded once, to the precision of a normal double or of the subnormal it falls in.
double ComposeDouble(std::uint64_t whole, bool sticky, long long e2)
{
    const auto width = static_cast<int>(std::bit_width(whole));
    const long long top = width - 1 + e2; // the exponent of the leading bit
    if (top > kMaxExponent)
        return std::numeric_limits<double>::infinity();
    long long drop = width - kMantissaBits;
    if (top < kMinExponent)
        drop += kMinExponent - top;
    if (drop > width)
        return 0.0; // below half the smallest subnormal
    const auto d = static_cast<int>(drop);
    std::uint64_t mantissa = d >= 64 ? 0 : whole >> d;
    const std::uint64_t cut = d >= 64 ? whole : whole & ((std::uint64_t{1} << d) - 1);
    const std::uint64_t half = std::uint64_t{1} << (d - 1);
    if (cut > half || (cut == half && (sticky || (mantissa & 1) != 0)))
        ++mantissa;
    // A mantissa carried up to the next power of two moves into the exponent field by itself, up
    // to infinity; a subnormal's field is the mantissa alone.
    std::uint64_t bits = mantissa;
    if (top >= kMinExponent)
        bits = (static_cast<std::uint64_t>(top + kMaxExponent) << (kMantissaBits - 1)) +
               (mantissa - kHiddenBit);
    double value = 0;
    std::memcpy(&value, &bits, sizeof value); // std::bit_cast is missing in emscripten's libc++ 13
    return value;
}

} // namespace

double DecimalToDouble(std::string_view digits, long long exponent)
{
    while (!digits.empty() && digits.front() == '0')
        digits.remove_prefix(1);
    while (!digits.empty() && digits.back() == '0') {
        digits.remove_suffix(1);
        ++exponent;
    }
    if (digits.empty())
        return 0.0;
    const auto count = static_cast<long long>(digits.size());
    // The value lies in [10^(count - 1 + exponent), 10^(count + exponent)).
    if (count + exponent <= -324)
        return 0.0; // under 1e-324, less than half the smallest subnormal
    if (count - 1 + exponent >= 309)
        return std::numeric_limits<double>::infinity();

#if FLT_EVAL_METHOD == 0
    // Up to 15 digits and 10^22 are exact doubles, so one multiplication or division rounds the
    // exact value once (where the compiler keeps doubles in double precision).
    if (count <= 15 && exponent >= -22 && exponent <= 22) {
        static constexpr std::array<double, 23> kPow10 = {
            1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
            1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        std::uint64_t whole = 0;
        for (char c : digits)
            whole = whole * 10 + DigitValue(c);
        const auto m = static_cast<double>(whole);
        const auto e = static_cast<std::size_t>(exponent < 0 ? -exponent : exponent);
        return exponent < 0 ? m / kPow10[e] : m * kPow10[e];
    }
#endif

    // Exactly: value = u / v x 2^exponent, u and v whole, one of them a power of 5.
    const std::size_t kept = std::min(digits.size(), kMaxDigits);
    BigInt u(0);
    for (std::size_t i = 0; i < kept; i += 9) {
        const std::size_t n = std::min<std::size_t>(9, kept - i);
        std::uint32_t chunk = 0;
        for (char c : digits.substr(i, n))
            chunk = chunk * 10 + DigitValue(c);
        u.MulAdd(kPow10U32[n], chunk);
    }
    exponent += static_cast<long long>(digits.size() - kept);
    if (kept < digits.size()) { // the trailing zeros are gone: what was dropped is not zero
        u.MulAdd(10, 1);
        --exponent;
    }
    BigInt v(1);
    if (exponent >= 0)
        u.MulPow5(exponent);
    else
        v.MulPow5(-exponent);
    // Scaled so that the quotient has 63 or 64 bits: far more than the 53 kept.
    const long long shift = 63 + v.BitLength() - u.BitLength();
    if (shift >= 0)
        u.ShiftLeft(shift);
    else
        v.ShiftLeft(-shift);
    const Quotient q = Divide(u, v);
    return ComposeDouble(q.whole, q.rest != Rest::kZero, exponent - shift);
}

Decimal15 To15Digits(double x)
{
    constexpr std::uint64_t kLow15 = 100'000'000'000'000; // 10^14
    constexpr std::uint64_t kHigh15 = 10 * kLow15;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    const auto biased = static_cast<int>(bits >> (kMantissaBits - 1));
    std::uint64_t m = bits & (kHiddenBit - 1);
    int e2 = kMinExponent - (kMantissaBits - 1); // x = m x 2^e2
    if (biased != 0) {
        m |= kHiddenBit;
        e2 = biased - kMaxExponent - (kMantissaBits - 1);
    }
    // floor(log10 x), or one off: 78913 / 2^18 is just under log10(2).
    int k = ((static_cast<int>(std::bit_width(m)) - 1 + e2) * 78913) >> 18;
    for (;;) {
        Quotient q = ScaledByPow10(m, e2, 14 - k);
        if (q.whole >= kHigh15) {
            ++k;
        } else if (q.whole < kLow15) {
            --k;
        } else {
            if (RoundsUp(q.rest, q.whole) && ++q.whole == kHigh15) {
                q.whole = kLow15;
                ++k;
            }
            return {q.whole, k};
        }
    }
}

} // namespace rules
