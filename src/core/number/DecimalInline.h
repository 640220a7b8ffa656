#pragma once
// Internal to the number layer, included by Decimal.h: the decimal result
// type and the inline fast paths of addition and multiplication.

#include "core/number/Decimal.h"

#include <variant>

namespace qm {

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
