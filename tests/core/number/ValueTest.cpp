// Arithmetic, powers, conversions and ordering of dynamically typed values.

#include "core/number/Value.h"

#include "core/CoreTestSupport.h"

#include <cmath>
#include <limits>
#include <string>

namespace qm {
namespace {

using namespace test;

// "D:<plain text>", "F:<double text>" or "failure: <name>".
std::string show(const Result<Value>& r)
{
    if (!r.ok())
        return std::string("failure: ") + failureName(r.failure());
    return (r->isDecimal() ? "D:" : r->isDouble() ? "F:" : "?:") + plainText(*r);
}

TEST(Value, ArithmeticAndPower)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct { char op; Value a; Value b; const char* want; } cases[] = {
        {'*', val("12.5"), val("2"), "D:25"}, {'*', Value(), val("5"), "D:0"},
        {'/', val("5"), Value(), "failure: division by zero"}, {'-', Value(), Value(), "D:0"},
        // A double meets a decimal: converted to 15 digits, decimal result.
        {'+', Value(0.1), val("0.2"), "D:0.3"}, {'*', Value(2.718281828459045), val("1"), "D:2.71828182845904"},
        {'+', val("1"), Value(1e30), "failure: overflow"}, {'-', Value(nan), val("1"), "failure: overflow"},
        // Two doubles stay double.
        {'/', Value(1.0), Value(4.0), "F:0.25"}, {'/', Value(1.0), Value(0.0), "failure: division by zero"},
        {'*', Value(1e308), Value(10.0), "failure: overflow"},
        {'+', val("79228162514264337593543950335"), val("1"), "failure: overflow"},
        {'+', Value("12"), val("1"), "failure: conversion"}, {'/', val("1"), Value(""), "failure: conversion"},
        // Powers are always doubles.
        {'^', val("2"), val("10"), "F:1024"}, {'^', val("-2"), val("3"), "F:-8"},
        {'^', Value(), val("0"), "F:1"}, {'^', val("-8"), Value(1.0 / 3.0), "failure: power"},
        {'^', val("10"), val("400"), "failure: overflow"}, {'^', val("0"), val("-1"), "failure: overflow"},
        {'^', val("2"), Value("x"), "failure: conversion"},
    };
    for (const auto& c : cases) {
        const auto r = c.op == '+' ? add(c.a, c.b) : c.op == '-' ? sub(c.a, c.b) : c.op == '*' ? mul(c.a, c.b)
                     : c.op == '/' ? div(c.a, c.b) : power(c.a, c.b);
        EXPECT_EQ(show(r), c.want) << plainText(c.a) << ' ' << c.op << ' ' << plainText(c.b);
    }
}

TEST(Value, Conversions)
{
    EXPECT_EQ(toDouble(Value("7")), 0.0);
    EXPECT_EQ(toDouble(val("-2.5")), -2.5);
    EXPECT_EQ(toDecimal(Value()).value(), Decimal());
    EXPECT_EQ(toDecimal(Value(std::acos(0.5))).value(), dec("1.0471975511966"));
    EXPECT_EQ(toDecimal(Value(1e30)).failure(), Failure::Overflow);
    EXPECT_EQ(toDecimal(Value("1")).failure(), Failure::Conversion);
}

// Values listed in ascending order; equal neighbours share a group number.
TEST(Value, CompareOrdersEverything)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct { Value v; int group; } ordered[] = {
        {Value(std::numeric_limits<double>::quiet_NaN()), 0},   // NaN sorts below every number
        {Value(-inf), 1}, {Value(-1e300), 2}, {val("-79228162514264337593543950335"), 3},
        {Value(-2.5), 4}, {val("-2.50"), 4}, {Value(-1e-40), 5},
        {Value(), 6}, {val("0"), 6}, {Value(0.0), 6}, {Value(-0.0), 6}, {Value(1e-40), 7},
        {val("0.0000000000000000000000000001"), 8}, {val("0.1"), 9},
        {Value(0.1), 10},          // the double 0.1 is slightly above one tenth
        {Value(1.0 / 3.0), 11},    // and the double 1/3 slightly below a third
        {val("0.3333333333333333333333333333"), 12}, {val("1"), 13}, {Value(1.0), 13},
        {val("79228162514264337593543950335"), 14}, {Value(0x1p96), 15},
        {Value(""), 16}, {Value("-5"), 17}, {Value("B"), 18}, {Value("a"), 19}, {Value("ab"), 20},
        {Value("\xC3\xA9"), 21},   // bytes above ASCII sort last
    };
    for (const auto& x : ordered)
        for (const auto& y : ordered)
            EXPECT_EQ(compare(x.v, y.v), x.group <=> y.group) << plainText(x.v) << " vs " << plainText(y.v);
}

} // namespace
} // namespace qm
