#pragma once
// Internal to the number layer: direct access to a decimal's coefficient for
// code that has already established the value fits.

#include "core/number/Decimal.h"
#include "core/number/WideUInt.h"

namespace qm::detail {

struct DecimalRaw {
    // Precondition: coef < 2^96 and 0 <= scale <= 28. A zero never carries a sign.
    static Decimal make(u128 coef, int scale, bool negative)
    {
        Decimal d;
        d.lo64_ = static_cast<std::uint64_t>(coef);
        d.high_ = Decimal::packHigh(static_cast<std::uint32_t>(coef >> 64), scale, negative && coef != 0);
        return d;
    }

    static u128 coef(const Decimal& d) { return (static_cast<u128>(d.hi()) << 64) | d.lo64_; }
};

} // namespace qm::detail
