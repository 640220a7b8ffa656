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
#include <variant>

namespace qm {

namespace detail {
struct DecimalRaw;
inline constexpr std::uint64_t Pow10Table64[19] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull,
    1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull,
};
// Row ((2 * (sa - sb) + negA + 56) * 2 + negB) holds the signed powers of
// ten that bring both addends to the larger scale, and how far b's scale
// field rises. Scales more than 18 apart need more than 64-bit factors:
// `slow` sends those to the general path.
struct AddAlignment {
    std::int64_t factorA;
    std::int64_t factorB;
    std::uint64_t scaleRise;   // already shifted into the scale field
    std::uint64_t slow;
};
inline constexpr auto AddAlignTable = [] {
    struct Table {
        AddAlignment row[57 * 4];
    } t{};
    for (int d = -28; d <= 28; ++d) {
        const bool fits = d >= -18 && d <= 18;
        const int upA = d < 0 && fits ? -d : 0;
        const int upB = d > 0 && fits ? d : 0;
        for (int negA = 0; negA < 2; ++negA) {
            for (int negB = 0; negB < 2; ++negB) {
                const auto fa = static_cast<std::int64_t>(Pow10Table64[upA]);
                const auto fb = static_cast<std::int64_t>(Pow10Table64[upB]);
                t.row[(2 * d + negA + 56) * 2 + negB] = {negA ? -fa : fa, negB ? -fb : fb,
                                                         static_cast<std::uint64_t>(upB) << 33, fits ? 0u : 1u};
            }
        }
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
    bool isNegative() const { return negativeBit() && !isZero(); }
    int scale() const { return static_cast<int>((high_ >> 33) & 0xff); }
    std::uint32_t lo() const { return static_cast<std::uint32_t>(lo64_); }
    std::uint32_t mid() const { return static_cast<std::uint32_t>(lo64_ >> 32); }
    std::uint32_t hi() const { return static_cast<std::uint32_t>(high_); }

    // Compares by value: 25.0 == 25, -0 == 0.
    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) {
        return (a <=> b) == std::strong_ordering::equal;
    }

private:
    friend struct detail::DecimalRaw;   // unchecked construction inside the number layer
    friend class Result<Decimal>;
    // Sums and products of small coefficients are worked out inline; the
    // general cases (wide intermediates, rounding, overflow) are out of line.
    Result<Decimal> addSigned(const Decimal& b, bool bNegative) const;
    static Result<Decimal> addSlow(const Decimal& a, const Decimal& b, bool bNegative);
    static Result<Decimal> mulSlow(const Decimal& a, const Decimal& b);

    // Two words, so a decimal (and a decimal result) travels in registers:
    // the coefficient's low 64 bits, and its high 32 bits with the sign in
    // bit 32 and the scale in bits 33..40. Bit 63 marks a failed result.
    static constexpr std::uint64_t NegativeBit = 1ull << 32;
    static constexpr std::uint64_t FailedBit = 1ull << 63;
    static constexpr std::uint64_t packHigh(std::uint32_t hi32, int scale, bool negative)
    {
        return hi32 | (static_cast<std::uint64_t>(scale) << 33) | (negative ? NegativeBit : 0);
    }
    bool negativeBit() const { return (high_ & NegativeBit) != 0; }

    std::uint64_t lo64_ = 0;
    std::uint64_t high_ = 0;
};

// A decimal result is a decimal whose failed bit may carry a failure kind in
// the low word: 16 bytes, returned in registers with no tag to copy.
template <>
class Result<Decimal> {
public:
    Result(Decimal value) : v_(value) {}
    Result(Failure f)
    {
        v_.lo64_ = static_cast<std::uint64_t>(f);
        v_.high_ = Decimal::FailedBit;
    }

    bool ok() const { return (v_.high_ & Decimal::FailedBit) == 0; }
    explicit operator bool() const { return ok(); }
    const Decimal& value() const& { return checked(); }
    Decimal& value() & { return const_cast<Decimal&>(checked()); }
    Decimal&& value() && { return std::move(const_cast<Decimal&>(checked())); }
    const Decimal& operator*() const& { return value(); }
    const Decimal* operator->() const { return &value(); }
    Failure failure() const
    {
        if (ok())
            throw std::bad_variant_access();
        return static_cast<Failure>(v_.lo64_);
    }
    Decimal valueOr(Decimal fallback) const { return ok() ? v_ : fallback; }

private:
    // Same contract as the general result: reading a missing value throws.
    const Decimal& checked() const
    {
        if (!ok())
            throw std::bad_variant_access();
        return v_;
    }
    Decimal v_;
};

inline Result<Decimal> Decimal::add(const Decimal& b) const
{
    return addSigned(b, b.negativeBit());
}

inline Result<Decimal> Decimal::sub(const Decimal& b) const
{
    return addSigned(b, !b.negativeBit());
}

inline Result<Decimal> Decimal::addSigned(const Decimal& b, bool bNegative) const
{
    // Both coefficients below 2^63 and scales at most 18 apart: each operand,
    // aligned and signed, is one signed 64x64-bit product below 2^123 in
    // magnitude, so the sum is exact in 128 bits. The signs and the scale
    // difference pick one table row, so no branch depends on them.
    // The sign and scale fields side by side give 2 * scale + sign.
    const auto signScaleA = static_cast<unsigned>(high_ >> 32);
    const auto scaleB2 = static_cast<unsigned>(b.high_ >> 32) & ~1u;
    const unsigned rowIndex = (signScaleA - scaleB2 + 56) * 2 + static_cast<unsigned>(bNegative);
    const detail::AddAlignment& align = detail::AddAlignTable.row[rowIndex];
    if ((static_cast<std::uint32_t>(high_ | b.high_) | ((lo64_ | b.lo64_) >> 63) | align.slow) == 0) {
        using i64 = std::int64_t;
        using u64 = std::uint64_t;
        using u128 = unsigned __int128;
        const __int128 sum = static_cast<__int128>(static_cast<i64>(lo64_)) * align.factorA +
                             static_cast<__int128>(static_cast<i64>(b.lo64_)) * align.factorB;
        // Magnitude on 64-bit halves: when negative, ~sum + 1, whose carry
        // reaches the high half only when the low half is zero.
        const auto lo = static_cast<u64>(sum);
        const auto hi = static_cast<u64>(static_cast<u128>(sum) >> 64);
        const u64 negMask = static_cast<u64>(static_cast<i64>(hi) >> 63);
        const u64 mlo = (lo ^ negMask) - negMask;
        const u64 mhi = (hi ^ negMask) + (negMask & static_cast<u64>(lo == 0));
        if ((mhi >> 32) == 0) {
            // The larger scale is b's raised by upB; a zero sum is never negative.
            Decimal r;
            r.lo64_ = mlo;
            r.high_ = mhi + (u64{scaleB2} << 32) + align.scaleRise + (negMask & NegativeBit);
            return r;
        }
    }
    return addSlow(*this, b, bNegative);
}

inline Result<Decimal> Decimal::mul(const Decimal& b) const
{
    const int s = scale() + b.scale();
    if (static_cast<std::uint32_t>(high_ | b.high_) == 0 && s <= MaxScale) {
        using u128 = unsigned __int128;
        const u128 p = static_cast<u128>(lo64_) * b.lo64_;
        if ((p >> 96) == 0) {
            Decimal r;
            r.lo64_ = static_cast<std::uint64_t>(p);
            r.high_ = packHigh(static_cast<std::uint32_t>(p >> 64), s,
                               ((high_ ^ b.high_) & NegativeBit) != 0 && p != 0);
            return r;
        }
    }
    return mulSlow(*this, b);
}

} // namespace qm
