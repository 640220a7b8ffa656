#pragma once
// Text forms of numbers and conversions from text. Nothing here reads the
// environment or uses locale-dependent C functions: separators are passed in.

#include "core/number/Decimal.h"
#include "core/number/Value.h"

#include <string>
#include <string_view>

namespace qm {

// The user's regional number settings.
struct Regional {
    char decimalSep = '.';
    char thousandSep = ',';
    int grouping = 3;            // digits per group; 0 = no grouping
};

// Plain text of a decimal: no grouping, no exponent, every significant digit,
// no trailing fractional zeros ("25" for 25.0), "-" for negatives, "0." style
// leading zero for magnitudes below 1 ("0.5").
std::string plainText(const Decimal& d, char decimalSep = '.');
// Text of a double: rounded to 15 significant digits, trailing zeros dropped,
// exponent form when the decimal exponent is >= 15 or < -5 ("1E+20",
// "1.5E-07"); "0" for zero (also -0). Non-finite values give "Infinity",
// "-Infinity" or "NaN", which no parser here accepts.
std::string doubleText(double d, char decimalSep = '.');
// Plain text of any value: decimal and double as above, text as it stands,
// empty as "".
std::string plainText(const Value& v, char decimalSep = '.');

// Strict: the whole text is an optional sign, digits with at most one ".",
// and optionally E, a sign and digits. Anything else (the empty text too) is
// a Conversion failure; a value outside the decimal range is Overflow.
// Digits beyond what 96 bits hold are rounded half to even.
Result<Decimal> parseStrict(std::string_view text);

// Regional: the user's decimal separator; thousands separators are ignored
// in the integer part after its first digit; leading and trailing blanks
// (space, tab) allowed; optional sign and exponent. "", "-", "." and "12H"
// fail with Conversion. When both separators are the same character it is
// the decimal separator. Range and rounding as for parseStrict.
Result<Decimal> parseRegional(std::string_view text, const Regional& r);

// Leading-number reading with "." as the point: skips leading blanks, reads
// the longest prefix that forms a number (sign, digits, point, exponent) and
// ignores the rest; nothing readable gives 0. Beyond the double range the
// result is an infinity (or 0 for an underflow).
double leadingNumber(std::string_view text);

// Exactly `decimals` decimals (0..28, else InvalidArgument), half away from
// zero, regional grouping, leading "-", no "0" before the separator below 1
// (".50", "-.25", ".00"). With 0 decimals no separator is written ("0" stays
// "0"). A negative value that rounds to zero shows no sign (".00").
Result<std::string> formatFixed(const Decimal& d, int decimals, const Regional& r);
// The same for a value: a double goes through Decimal::fromDouble, empty is
// 0, text fails with Conversion.
Result<std::string> formatFixed(const Value& v, int decimals, const Regional& r);

} // namespace qm
