#include "core/controls/ControlMath.h"

#include <cmath>
#include <limits>

namespace qm {

double roundHalfEven(double x)
{
    if (!std::isfinite(x))
        return x;
    const double lower = std::floor(x);
    const double diff = x - lower;
    if (diff < 0.5)
        return lower;
    if (diff > 0.5)
        return lower + 1.0;
    // Exactly half way: pick the even neighbour.
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

namespace {

template <class T>
Result<T> roundTo(double x)
{
    if (!std::isfinite(x))
        return Failure::Overflow;
    const double r = roundHalfEven(x);
    if (r < static_cast<double>(std::numeric_limits<T>::min())
        || r > static_cast<double>(std::numeric_limits<T>::max()))
        return Failure::Overflow;
    return static_cast<T>(r);
}

template <class T>
Result<T> narrow(std::int64_t x)
{
    if (x < std::numeric_limits<T>::min() || x > std::numeric_limits<T>::max())
        return Failure::Overflow;
    return static_cast<T>(x);
}

} // namespace

Result<std::int16_t> roundToInt16(double x) { return roundTo<std::int16_t>(x); }
Result<std::int32_t> roundToInt32(double x) { return roundTo<std::int32_t>(x); }

Result<std::int16_t> toInt16(std::int64_t x) { return narrow<std::int16_t>(x); }
Result<std::int32_t> toInt32(std::int64_t x) { return narrow<std::int32_t>(x); }

Result<std::int16_t> add16(std::int32_t a, std::int32_t b)
{
    return narrow<std::int16_t>(static_cast<std::int64_t>(a) + b);
}

Result<std::int16_t> sub16(std::int32_t a, std::int32_t b)
{
    return narrow<std::int16_t>(static_cast<std::int64_t>(a) - b);
}

// The 64-bit operands come from 32-bit values, so the sums cannot overflow
// before the range check; larger inputs are refused rather than wrapped.
Result<std::int32_t> add32(std::int64_t a, std::int64_t b)
{
    constexpr std::int64_t limit = std::int64_t{1} << 40;
    if (a > limit || a < -limit || b > limit || b < -limit)
        return Failure::Overflow;
    return narrow<std::int32_t>(a + b);
}

Result<std::int32_t> sub32(std::int64_t a, std::int64_t b)
{
    constexpr std::int64_t limit = std::int64_t{1} << 40;
    if (a > limit || a < -limit || b > limit || b < -limit)
        return Failure::Overflow;
    return narrow<std::int32_t>(a - b);
}

Result<double> divide(double a, double b)
{
    if (b == 0.0)
        return Failure::DivisionByZero;
    const double q = a / b;
    if (!std::isfinite(q))
        return Failure::Overflow;
    return q;
}

int twipsToPixels(int twips, double dotsPerInch)
{
    constexpr double TwipsPerInch = 1440.0;
    const double dpi = dotsPerInch > 0 ? dotsPerInch : 96.0;
    const Result<std::int32_t> pixels = roundToInt32(twips * dpi / TwipsPerInch);
    return pixels ? *pixels : 0;
}

int WheelSteps::lines(int eighthsOfDegree)
{
    constexpr int EighthsPerLine = 120 / 3;
    remainder_ += eighthsOfDegree;
    const long long whole = remainder_ / EighthsPerLine;
    remainder_ -= whole * EighthsPerLine;
    return static_cast<int>(whole);   // |whole| <= (2^31 + 39) / 40
}

} // namespace qm
