#pragma once
// The dynamically typed value of one tape line (and of the high-score names):
// empty, a decimal, a 64-bit double or a text.

#include "core/number/Decimal.h"

#include <compare>
#include <string>
#include <variant>

namespace qm {

class Value {
public:
    enum class Kind { Empty, Decimal, Double, Text };

    Value() = default;
    Value(Decimal d) : v_(d) {}
    Value(double d) : v_(d) {}
    Value(std::string s) : v_(std::move(s)) {}
    Value(const char* s) : v_(std::string(s)) {}

    Kind kind() const { return static_cast<Kind>(v_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isDecimal() const { return kind() == Kind::Decimal; }
    bool isDouble() const { return kind() == Kind::Double; }
    bool isText() const { return kind() == Kind::Text; }
    bool isNumber() const { return isDecimal() || isDouble(); }

    // Preconditions: the matching kind (checked by the caller with isX()).
    const Decimal& decimal() const { return std::get<Decimal>(v_); }
    double dbl() const { return std::get<double>(v_); }
    const std::string& text() const { return std::get<std::string>(v_); }

private:
    std::variant<std::monostate, Decimal, double, std::string> v_;
};

// Arithmetic between numeric values (empty counts as decimal 0). Decimal with
// decimal gives a decimal; decimal with double converts the double to decimal
// and gives a decimal; double with double gives a double (checked for finite:
// Overflow otherwise). Any zero divisor is DivisionByZero.
// Text operands fail with Conversion: the caller converts text first.
Result<Value> add(const Value& a, const Value& b);
Result<Value> sub(const Value& a, const Value& b);
Result<Value> mul(const Value& a, const Value& b);
Result<Value> div(const Value& a, const Value& b);
// Always computed in double and returned as a double; a result that is not a
// finite real number fails with Power (negative base, fractional exponent)
// or Overflow (infinite).
Result<Value> power(const Value& base, const Value& exponent);

// The ordering used by sorting and statistics: numbers by value (decimals and
// doubles with each other, exactly), empty as 0, any text above any number,
// texts by their bytes (unsigned). A NaN double sorts below every number.
std::weak_ordering compare(const Value& a, const Value& b);

// Numeric view of a number or empty value as a double (text: 0).
double toDouble(const Value& v);
// Decimal view of a number or empty value; doubles converted with fromDouble,
// text fails with Conversion.
Result<Decimal> toDecimal(const Value& v);

} // namespace qm
