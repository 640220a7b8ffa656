#pragma once
// Scaled decimal number: a 96-bit unsigned coefficient, a sign and a power-of-ten
// scale 0..28. value = (-1)^sign * coefficient / 10^scale.
// Largest magnitude 79228162514264337593543950335.
//
// Arithmetic rounds half to even at the largest scale (at most 28) whose
// coefficient still fits in 96 bits; a result that fits at no scale is an
// Overflow. Trailing zeros are kept in the scale (12.5 * 2 holds 25.0) but
// compare and print by value.

#include "core/number/Result.h"

#include <compare>
#include <cstdint>
#include <string>

namespace qm {

namespace detail {
struct DecimalRaw;
inline constexpr std::uint64_t Pow10Table64[19] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull,
    1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull,
};
// For scales d = sa - sb in -18..18 (index d + 18): the powers of ten that
// bring both addends to the larger scale, and how far b's scale rises.
struct AddAlignment {
    std::uint64_t factorA;
    std::uint64_t factorB;
    std::uint32_t upB;
};
inline constexpr auto AddAlignTable = [] {
    struct Table {
        AddAlignment row[37];
    } t{};
    for (int d = -18; d <= 18; ++d) {
        const int upA = d < 0 ? -d : 0;
        const int upB = d > 0 ? d : 0;
        t.row[d + 18] = {Pow10Table64[upA], Pow10Table64[upB], static_cast<std::uint32_t>(upB)};
    }
    return t;
}();
} // namespace detail

class Decimal {
public:
    static constexpr int MaxScale = 28;

    constexpr Decimal() = default;                 // 0
    static Decimal fromInt(std::int64_t v);
    // Fails with Overflow when scale is outside 0..28 (nothing else can be out of range).
    static Result<Decimal> fromParts(std::uint32_t lo, std::uint32_t mid, std::uint32_t hi,
                                     bool negative, int scale);
    static Decimal max();                          // 79228162514264337593543950335

    // Converts keeping at most 15 significant digits (classic double-to-decimal
    // rounding: e comes out as 2.71828182845904). NaN, infinities and
    // magnitudes of 2^96 and above give Overflow; tiny magnitudes give 0.
    static Result<Decimal> fromDouble(double d);
    double toDouble() const;

    Result<Decimal> add(const Decimal& b) const;
    Result<Decimal> sub(const Decimal& b) const;
    Result<Decimal> mul(const Decimal& b) const;
    Result<Decimal> div(const Decimal& b) const;  // DivisionByZero for b == 0

    Decimal negated() const;
    Decimal abs() const;
    Decimal floor() const;                         // Int: largest integer not above
    Decimal trunc() const;                         // Fix: toward zero
    // Rounds to `digits` decimals, ties to even. Negative digits: InvalidArgument.
    // More digits than the scale leaves the value as it is.
    Result<Decimal> round(int digits) const;
    // Rounds to `digits` decimals, ties away from zero (display formatting).
    Result<Decimal> roundHalfAwayFromZero(int digits) const;

    bool isZero() const;
    bool isNegative() const { return negative_ && !isZero(); }
    int scale() const { return scale_; }
    std::uint32_t lo() const { return static_cast<std::uint32_t>(lo64_); }
    std::uint32_t mid() const { return static_cast<std::uint32_t>(lo64_ >> 32); }
    std::uint32_t hi() const { return hi32_; }

    // Compares by value: 25.0 == 25, -0 == 0.
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) {
        return (a <=> b) == std::strong_ordering::equal;
    }

private:
    friend struct detail::DecimalRaw;   // unchecked construction inside the number layer
    // Sums and products of small coefficients are worked out inline; the
    // general cases (wide intermediates, rounding, overflow) are out of line.
    Result<Decimal> addSigned(const Decimal& b, bool bNegative) const;
    static Result<Decimal> addSlow(const Decimal& a, const Decimal& b, bool bNegative);
    static Result<Decimal> mulSlow(const Decimal& a, const Decimal& b);

    std::uint64_t lo64_ = 0;   // low 64 bits of the coefficient
    std::uint32_t hi32_ = 0;   // high 32 bits of the coefficient
    std::uint8_t scale_ = 0;
    bool negative_ = false;
};

inline Result<Decimal> Decimal::add(const Decimal& b) const
{
    return addSigned(b, b.negative_);
}

inline Result<Decimal> Decimal::sub(const Decimal& b) const
{
    return addSigned(b, !b.negative_);
}

inline Result<Decimal> Decimal::addSigned(const Decimal& b, bool bNegative) const
{
    // Both coefficients below 2^63 and scales at most 18 apart: each operand,
    // aligned and signed, is one signed 64x64-bit product below 2^123 in
    // magnitude, so the sum is exact in 128 bits. No branch depends on the
    // signs or on which scale is larger.
    const int d = scale_ - b.scale_;
    if ((hi32_ | b.hi32_ | ((lo64_ | b.lo64_) >> 63)) == 0 && static_cast<unsigned>(d + 18) <= 36u) {
        using u64 = std::uint64_t;
        using i64 = std::int64_t;
        const detail::AddAlignment& align = detail::AddAlignTable.row[d + 18];
        const u64 ma = -static_cast<u64>(negative_);   // all ones when negative
        const u64 mb = -static_cast<u64>(bNegative);
        const auto fa = static_cast<i64>((align.factorA ^ ma) - ma);
        const auto fb = static_cast<i64>((align.factorB ^ mb) - mb);
        const __int128 sum = static_cast<__int128>(static_cast<i64>(lo64_)) * fa +
                             static_cast<__int128>(static_cast<i64>(b.lo64_)) * fb;
        // Magnitude and sign, on 64-bit halves.
        const auto lo = static_cast<u64>(sum);
        const auto hi = static_cast<u64>(static_cast<unsigned __int128>(sum) >> 64);
        const u64 ms = -(hi >> 63);
        const u64 t = lo ^ ms;
        const u64 mlo = t + (ms & 1);
        const u64 mhi = (hi ^ ms) + static_cast<u64>(mlo < t);
        if ((mhi >> 32) == 0) {
            Decimal r;
            r.lo64_ = mlo;
            r.hi32_ = static_cast<std::uint32_t>(mhi);
            r.scale_ = static_cast<std::uint8_t>(b.scale_ + align.upB);
            r.negative_ = (ms & 1) != 0;   // a zero sum is never negative
            return r;
        }
    }
    return addSlow(*this, b, bNegative);
}

inline Result<Decimal> Decimal::mul(const Decimal& b) const
{
    const int s = scale_ + b.scale_;
    if ((hi32_ | b.hi32_) == 0 && s <= MaxScale) {
        using u128 = unsigned __int128;
        const u128 p = static_cast<u128>(lo64_) * b.lo64_;
        if ((p >> 96) == 0) {
            Decimal r;
            r.lo64_ = static_cast<std::uint64_t>(p);
            r.hi32_ = static_cast<std::uint32_t>(p >> 64);
            r.scale_ = static_cast<std::uint8_t>(s);
            r.negative_ = (negative_ != b.negative_) && p != 0;
            return r;
        }
    }
    return mulSlow(*this, b);
}

} // namespace qm
