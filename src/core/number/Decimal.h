#pragma once
// Scaled decimal number: a 96-bit unsigned coefficient, a sign and a power-of-ten
// scale 0..28. value = (-1)^sign * coefficient / 10^scale.
// Largest magnitude 79228162514264337593543950335.
//
// Arithmetic rounds half to even at the largest scale (at most 28) whose
// coefficient still fits in 96 bits; a result that fits at no scale is an
// Overflow. Trailing zeros are kept in the scale (12.5 * 2 holds 25.0) but
// compare and print by value.

#include "core/number/DecimalDetail.h"
#include "core/number/Result.h"

#include <compare>
#include <cstdint>
#include <string>
#include <variant>

namespace qm {

namespace detail {
struct DecimalRaw;
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

    // The two words' layout is detail::DecimalLayout.
    static constexpr std::uint64_t NegativeBit = detail::DecimalLayout::NegativeBit;
    static constexpr std::uint64_t FailedBit = detail::DecimalLayout::FailedBit;
    static constexpr std::uint64_t packHigh(std::uint32_t hi32, int scale, bool negative)
    {
        return detail::DecimalLayout::packHigh(hi32, scale, negative);
    }
    bool negativeBit() const { return (high_ & NegativeBit) != 0; }

    std::uint64_t lo64_ = 0;
    std::uint64_t high_ = 0;
};

} // namespace qm

// The result type and the inline fast paths of the arithmetic.
#include "core/number/DecimalInline.h"
