#include "core/number/Decimal.h"

#include "core/number/DecimalRaw.h"
#include "core/number/WideUInt.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <optional>

namespace qm {

using detail::Coef96Max;
using detail::Pow10;
using detail::u128;
using detail::WideUInt;

namespace {

constexpr u128 U64Max = ~static_cast<std::uint64_t>(0);

// Nearest doubles of 10^0 .. 10^28 (exact up to 10^22).
constexpr double DoublePow10[29] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
    1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19,
    1e20, 1e21, 1e22, 1e23, 1e24, 1e25, 1e26, 1e27, 1e28,
};

// n / d and n % d, taking the one- or two-instruction route when d fits in 64 bits.
inline u128 divMod(u128 n, u128 d, u128& rem)
{
    if (d <= U64Max) {
        const auto d64 = static_cast<std::uint64_t>(d);
        const auto nHi = static_cast<std::uint64_t>(n >> 64);
        const auto nLo = static_cast<std::uint64_t>(n);
        if (nHi == 0) {
            rem = nLo % d64;
            return nLo / d64;
        }
        std::uint64_t r = 0;
        if (nHi < d64) {
            const std::uint64_t q = detail::div128by64(nHi, nLo, d64, r);
            rem = r;
            return q;
        }
        const std::uint64_t qHi = nHi / d64;
        const std::uint64_t qLo = detail::div128by64(nHi % d64, nLo, d64, r);
        rem = r;
        return (static_cast<u128>(qHi) << 64) | qLo;
    }
    rem = n % d;
    return n / d;
}

struct Reduced {
    u128 coef;
    int scale;
};

// The exact magnitude x at `scale` (0..56) brought to the largest scale <= 28
// whose half-to-even rounded coefficient fits in 96 bits; nothing when none does.
std::optional<Reduced> reduceExact(const WideUInt& x, int scale)
{
    if (scale <= Decimal::MaxScale && x.fits96())
        return Reduced{x.low128(), scale};
    const int kMin = std::max(0, scale - Decimal::MaxScale);
    // A lower bound of the digits that must go for the value to fit:
    // 10^k must exceed x / 2^96 >= 2^(bits - 97); 77/256 < log10(2).
    const int bits = x.bitLength();
    const int kEstimate = bits > 98 ? ((bits - 98) * 77) >> 8 : 0;
    for (int k = std::max(kMin, kEstimate); k <= scale; ++k) {
        const WideUInt q = detail::divPow10RoundEven(x, k);
        if (q.fits96())
            return Reduced{q.low128(), scale - k};
    }
    return std::nullopt;
}

inline u128 coefOf(const Decimal& d)
{
    return detail::DecimalRaw::coef(d);
}

inline Decimal fromCoef(u128 c, int scale, bool negative)
{
    return detail::DecimalRaw::make(c, scale, negative);
}

} // namespace

Decimal Decimal::fromInt(std::int64_t v)
{
    const bool neg = v < 0;
    // Magnitude without negating INT64_MIN.
    const std::uint64_t mag = neg ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
    return fromCoef(mag, 0, neg);
}

Result<Decimal> Decimal::fromParts(std::uint32_t lo, std::uint32_t mid, std::uint32_t hi,
                                   bool negative, int scale)
{
    if (scale < 0 || scale > MaxScale)
        return Failure::Overflow;
    return fromCoef((static_cast<u128>(hi) << 64) | (static_cast<u128>(mid) << 32) | lo, scale, negative);
}

Decimal Decimal::max()
{
    return fromCoef(Coef96Max, 0, false);
}

bool Decimal::isZero() const
{
    return lo64_ == 0 && hi() == 0;
}

Decimal Decimal::negated() const
{
    return fromCoef(coefOf(*this), scale(), !negativeBit());
}

Decimal Decimal::abs() const
{
    return fromCoef(coefOf(*this), scale(), false);
}

// ---------------------------------------------------------------- conversions

Result<Decimal> Decimal::fromDouble(double d)
{
    const auto bits = std::bit_cast<std::uint64_t>(d);
    // x lies in [2^(e-1), 2^e).
    const int e = static_cast<int>((bits >> 52) & 0x7FF) - 1022;
    if (e < -94)          // zero, subnormal, or too small to reach 0.5e-28
        return Decimal();
    if (e > 96)           // 2^96 and above, infinities, NaN
        return Failure::Overflow;
    const bool negative = (bits >> 63) != 0;
    double x = std::fabs(d);

    // Scale to a 15-digit integer: 19728 / 65536 approximates log10(2).
    int power = 14 - ((e * 19728) >> 16);
    if (power >= 0) {
        power = std::min(power, MaxScale);
        x *= DoublePow10[power];
    } else if (power != -1 || x >= 1e15) {
        x /= DoublePow10[-power];
    } else {
        power = 0;
    }
    if (x < 1e14 && power < MaxScale) {
        x *= 10;
        ++power;
    }
    if (!(x < 1e16))      // cannot happen for e <= 96; keeps the cast below defined
        return Failure::Overflow;

    std::uint64_t mant = static_cast<std::uint64_t>(x);
    const double frac = x - static_cast<double>(mant);
    if (frac > 0.5 || (frac == 0.5 && (mant & 1) != 0))
        ++mant;
    if (mant == 0)
        return Decimal();

    if (power < 0) {
        const u128 c = static_cast<u128>(mant) * Pow10[-power];
        if (c > Coef96Max)
            return Failure::Overflow;
        return fromCoef(c, 0, negative);
    }
    // Drop trailing zeros the scaling introduced (at most 14 of them).
    int strip = std::min(power, 14);
    while (strip > 0 && mant % 10 == 0) {
        mant /= 10;
        --power;
        --strip;
    }
    return fromCoef(mant, power, negative);
}

double Decimal::toDouble() const
{
    const double c = static_cast<double>(lo64_) + static_cast<double>(hi()) * 18446744073709551616.0;
    const double v = c / DoublePow10[scale()];
    return negativeBit() ? -v : v;
}

// ---------------------------------------------------------------- arithmetic

// Sum of a and (b with sign bNegative) for any operands: exact in 256 bits, then reduced.
Result<Decimal> Decimal::addSlow(const Decimal& a, const Decimal& b, bool bNegative)
{
    const int scale = std::max(a.scale(), b.scale());
    WideUInt wa = WideUInt::from(coefOf(a));
    WideUInt wb = WideUInt::from(coefOf(b));
    wa.mulPow10(scale - a.scale());   // < 2^96 * 10^28 < 2^190: cannot overflow
    wb.mulPow10(scale - b.scale());
    const bool aNegative = a.isNegative();
    bool neg = aNegative;
    if (aNegative == bNegative) {
        wa.add(wb);
    } else if (compare(wa, wb) >= 0) {
        wa.sub(wb);
    } else {
        wb.sub(wa);
        wa = wb;
        neg = bNegative;
    }
    if (auto r = reduceExact(wa, scale))
        return fromCoef(r->coef, r->scale, neg);
    return Failure::Overflow;
}

Result<Decimal> Decimal::mulSlow(const Decimal& a, const Decimal& b)
{
    const u128 ca = coefOf(a);
    const u128 cb = coefOf(b);
    const int scale = a.scale() + b.scale();
    const bool neg = a.negativeBit() != b.negativeBit();
    if (ca == 0 || cb == 0)
        return fromCoef(0, std::min(scale, Decimal::MaxScale), false);
    if (auto r = reduceExact(detail::mul128(ca, cb), scale))
        return fromCoef(r->coef, r->scale, neg);
    return Failure::Overflow;
}

Result<Decimal> Decimal::div(const Decimal& b) const
{
    const u128 cb = coefOf(b);
    if (cb == 0)
        return Failure::DivisionByZero;
    const u128 ca = coefOf(*this);
    if (ca == 0)
        return Decimal();
    const bool neg = negativeBit() != b.negativeBit();
    const int natural = std::max(0, scale() - b.scale());

    // q + r/cb is the quotient scaled by 10^scale; scale may start negative.
    int scale = this->scale() - b.scale();
    u128 r = 0;
    u128 q = divMod(ca, cb, r);

    while (scale < MaxScale && (r != 0 || scale < 0)) {
        // How many digits can be produced at once: r * 10^k must stay below
        // 2^128 and (q + 1) * 10^k at most 2^96 (1233/4096 < log10(2)).
        const int kRem = ((128 - detail::bitLength(r)) * 1233) >> 12;
        const int kQuo = ((96 - detail::bitLength(q + 1)) * 1233) >> 12;
        const int k = std::min({MaxScale - scale, kRem, kQuo});
        if (k > 0) {
            const u128 t = r * Pow10[k];
            const u128 digits = divMod(t, cb, r);
            q = q * Pow10[k] + digits;
            scale += k;
            continue;
        }
        // One more digit may still fit exactly.
        const u128 t = r * 10;
        u128 r1 = 0;
        const u128 digit = divMod(t, cb, r1);
        const u128 q10 = q * 10 + digit;   // q < 2^96: no overflow
        if (q10 > Coef96Max)
            break;
        q = q10;
        r = r1;
        ++scale;
    }
    if (scale < 0)
        return Failure::Overflow;

    if (r == 0) {
        // Exact: drop the zeros that digit generation appended.
        while (scale > natural && q > U64Max && q % 10 == 0) {
            q /= 10;
            --scale;
        }
        if (q <= U64Max) {
            auto q64 = static_cast<std::uint64_t>(q);
            while (scale > natural && q64 % 10 == 0) {
                q64 /= 10;
                --scale;
            }
            q = q64;
        }
        return fromCoef(q, scale, neg);
    }
    const u128 twice = r << 1;   // r < 2^96
    if (twice > cb || (twice == cb && (q & 1) != 0)) {
        if (q == Coef96Max) {
            // Rounding up would need 2^96: one digit less. The remainder is
            // nonzero, so a last digit of 5 or more rounds up.
            if (scale == 0)
                return Failure::Overflow;
            const u128 last = q % 10;
            q /= 10;
            --scale;
            if (last >= 5)
                ++q;
        } else {
            ++q;
        }
    }
    return fromCoef(q, scale, neg);
}

// ---------------------------------------------------------------- rounding

namespace {

enum class RoundMode { HalfEven, HalfAway, Floor, Trunc };

Decimal roundTo(const Decimal& d, int digits, RoundMode mode)
{
    if (digits >= d.scale())
        return d;
    const int k = d.scale() - digits;
    const u128 c = coefOf(d);
    u128 r = 0;
    u128 q = divMod(c, Pow10[k], r);
    const u128 half = Pow10[k] / 2;
    bool up = false;
    switch (mode) {
    case RoundMode::HalfEven: up = r > half || (r == half && (q & 1) != 0); break;
    case RoundMode::HalfAway: up = r >= half; break;
    case RoundMode::Floor: up = r != 0 && d.isNegative(); break;
    case RoundMode::Trunc: break;
    }
    if (up)
        ++q;   // q <= c / 10: stays below 2^96
    return fromCoef(q, digits, d.isNegative());
}

} // namespace

Decimal Decimal::floor() const
{
    return roundTo(*this, 0, RoundMode::Floor);
}

Decimal Decimal::trunc() const
{
    return roundTo(*this, 0, RoundMode::Trunc);
}

Result<Decimal> Decimal::round(int digits) const
{
    if (digits < 0)
        return Failure::InvalidArgument;
    return roundTo(*this, digits, RoundMode::HalfEven);
}

Result<Decimal> Decimal::roundHalfAwayFromZero(int digits) const
{
    if (digits < 0)
        return Failure::InvalidArgument;
    return roundTo(*this, digits, RoundMode::HalfAway);
}

// ---------------------------------------------------------------- ordering

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b)
{
    const bool an = a.isNegative();
    const bool bn = b.isNegative();
    if (an != bn)
        return an ? std::strong_ordering::less : std::strong_ordering::greater;
    const u128 ca = coefOf(a);
    const u128 cb = coefOf(b);
    std::strong_ordering mag = std::strong_ordering::equal;
    if (a.scale() == b.scale()) {
        mag = ca <=> cb;
    } else {
        // Scale the one with fewer decimals up; exact in 256 bits.
        const bool aLow = a.scale() < b.scale();
        const int diff = aLow ? b.scale() - a.scale() : a.scale() - b.scale();
        WideUInt low = WideUInt::from(aLow ? ca : cb);
        low.mulPow10(diff);
        const WideUInt high = WideUInt::from(aLow ? cb : ca);
        const int c = compare(low, high);
        const int signedC = aLow ? c : -c;
        mag = signedC < 0 ? std::strong_ordering::less
            : signedC > 0 ? std::strong_ordering::greater
                          : std::strong_ordering::equal;
    }
    if (!an)
        return mag;
    return mag == std::strong_ordering::less      ? std::strong_ordering::greater
         : mag == std::strong_ordering::greater ? std::strong_ordering::less
                                                : std::strong_ordering::equal;
}

} // namespace qm
