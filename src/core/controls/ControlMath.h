#pragma once
// Checked integer steps of the custom controls. Pixel positions are 16-bit and
// values 32-bit; a step whose result does not fit fails instead of wrapping.

#include "core/number/Result.h"

#include <cstdint>

namespace qm {

// Nearest whole number, halves to even (10.5 -> 10, 11.5 -> 12), without
// depending on the floating-point environment's rounding mode.
double roundHalfEven(double x);

// roundHalfEven into a 16-bit or 32-bit integer; NaN, infinities and results
// outside the type's range fail with Failure::Overflow.
Result<std::int16_t> roundToInt16(double x);
Result<std::int32_t> roundToInt32(double x);

// Integer conversions and arithmetic with the range checks of the narrow type.
Result<std::int16_t> toInt16(std::int64_t x);
Result<std::int32_t> toInt32(std::int64_t x);
Result<std::int16_t> add16(std::int32_t a, std::int32_t b);
Result<std::int16_t> sub16(std::int32_t a, std::int32_t b);
Result<std::int32_t> add32(std::int64_t a, std::int64_t b);
Result<std::int32_t> sub32(std::int64_t a, std::int64_t b);

// a / b in floating point; a zero divisor fails with Failure::DivisionByZero
// (including 0 / 0, which has no value either).
Result<double> divide(double a, double b);

// Pixels for a length in twips (1440 to the inch) at `dotsPerInch`, halves to
// even; a resolution that is not positive counts as 96.
int twipsToPixels(int twips, double dotsPerInch);

// Whole lines from wheel turns of any size. A notch (120 eighths of a degree)
// is three lines; what is left over waits for the next turn, so the small
// steps of a touchpad add up instead of being lost.
class WheelSteps {
public:
    // Lines to scroll for a turn of `eighthsOfDegree`; positive turns away
    // from the user, which scrolls towards the start.
    int lines(int eighthsOfDegree);

private:
    long long remainder_ = 0;
};

} // namespace qm
