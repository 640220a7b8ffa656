#pragma once
// Fast plain text of a decimal, written into a caller's buffer: the same form
// as plainText() with "." as point, but without allocating. The evaluator and
// the recalculation turn many intermediate results into text.

#include "core/number/Decimal.h"

#include <string>

namespace qm {

// Appends the plain text of d: "-" for negatives, "0." before a fraction below
// 1, no exponent, no grouping, trailing fractional zeros dropped ("25" for 25.0).
void appendDecimalText(std::string& out, const Decimal& d, char decimalSep = '.');

} // namespace qm
