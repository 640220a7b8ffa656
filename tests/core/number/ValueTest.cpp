// Arithmetic, powers, conversions and ordering of dynamically typed values.

#include "core/number/TextForm.h"
#include "core/number/Value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using qm::Decimal;
using qm::Failure;
using qm::Value;

Value dv(const char* text)
{
    return Value(qm::parseStrict(text).value());
}

// "D:<plain text>", "F:<double text>" or "failure: <name>".
std::string show(const qm::Result<Value>& r)
{
    if (!r.ok())
        return std::string("failure: ") + qm::failureName(r.failure());
    if (r->isDecimal())
        return "D:" + qm::plainText(r->decimal());
    if (r->isDouble())
        return "F:" + qm::doubleText(r->dbl());
    return "other";
}

TEST(Value, Arithmetic)
{
    struct { char op; Value a; Value b; const char* want; } cases[] = {
        {'+', dv("12.5"), dv("2"), "D:14.5"},
        {'*', dv("12.5"), dv("2"), "D:25"},
        {'/', dv("1"), dv("3"), "D:0.3333333333333333333333333333"},
        {'+', Value(), dv("5"), "D:5"},
        {'*', Value(), dv("5"), "D:0"},
        {'/', dv("5"), Value(), "failure: division by zero"},
        {'-', Value(), Value(), "D:0"},
        // A double meets a decimal: converted to 15 digits, decimal result.
        {'+', dv("1"), Value(0.1), "D:1.1"},
        {'+', Value(0.1), dv("0.2"), "D:0.3"},
        {'*', Value(2.718281828459045), dv("1"), "D:2.71828182845904"},
        {'+', dv("1"), Value(1e30), "failure: overflow"},
        {'-', Value(std::numeric_limits<double>::quiet_NaN()), dv("1"), "failure: overflow"},
        // Two doubles stay double.
        {'+', Value(0.5), Value(0.25), "F:0.75"},
        {'/', Value(1.0), Value(4.0), "F:0.25"},
        {'/', Value(1.0), Value(0.0), "failure: division by zero"},
        {'*', Value(1e308), Value(10.0), "failure: overflow"},
        {'+', dv("79228162514264337593543950335"), dv("1"), "failure: overflow"},
        {'+', Value("12"), dv("1"), "failure: conversion"},
        {'/', dv("1"), Value(""), "failure: conversion"},
    };
    for (const auto& c : cases) {
        const auto r = c.op == '+' ? qm::add(c.a, c.b)
                     : c.op == '-' ? qm::sub(c.a, c.b)
                     : c.op == '*' ? qm::mul(c.a, c.b)
                                   : qm::div(c.a, c.b);
        EXPECT_EQ(show(r), c.want) << qm::plainText(c.a) << ' ' << c.op << ' ' << qm::plainText(c.b);
    }
}

TEST(Value, Power)
{
    struct { Value base; Value exponent; const char* want; } cases[] = {
        {dv("2"), dv("10"), "F:1024"},
        {dv("2"), dv("0.5"), "F:1.4142135623731"},
        {dv("-2"), dv("3"), "F:-8"},
        {dv("2"), dv("-1"), "F:0.5"},
        {Value(), dv("0"), "F:1"},
        {Value(9.0), Value(0.5), "F:3"},
        {dv("-8"), Value(1.0 / 3.0), "failure: power"},
        {dv("-2"), dv("0.5"), "failure: power"},
        {dv("10"), dv("400"), "failure: overflow"},
        {dv("0"), dv("-1"), "failure: overflow"},
        {Value("x"), dv("2"), "failure: conversion"},
        {dv("2"), Value("x"), "failure: conversion"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(qm::power(c.base, c.exponent)), c.want)
            << qm::plainText(c.base) << " ^ " << qm::plainText(c.exponent);
}

TEST(Value, Conversions)
{
    EXPECT_EQ(qm::toDouble(Value()), 0.0);
    EXPECT_EQ(qm::toDouble(Value("7")), 0.0);
    EXPECT_EQ(qm::toDouble(dv("-2.5")), -2.5);
    EXPECT_EQ(qm::toDouble(Value(1e300)), 1e300);

    EXPECT_EQ(qm::toDecimal(Value()).value(), Decimal());
    EXPECT_EQ(qm::toDecimal(Value(std::acos(0.5))).value(), qm::parseStrict("1.0471975511966").value());
    EXPECT_EQ(qm::toDecimal(Value(1e30)).failure(), Failure::Overflow);
    EXPECT_EQ(qm::toDecimal(Value("1")).failure(), Failure::Conversion);
}

// Values listed in ascending order; equal neighbours share a group number.
TEST(Value, CompareOrdersEverything)
{
    const double third = 1.0 / 3.0;   // 0.33333333333333331483...
    struct { Value v; int group; } ordered[] = {
        {Value(-std::numeric_limits<double>::infinity()), 0},
        {Value(-1e300), 1},
        {dv("-79228162514264337593543950335"), 2},
        {Value(-2.5), 3},
        {dv("-2.50"), 3},
        {Value(-1e-40), 4},
        {Value(), 5},
        {dv("0"), 5},
        {Value(0.0), 5},
        {Value(-0.0), 5},
        {Value(1e-40), 6},
        {dv("0.0000000000000000000000000001"), 7},
        {dv("0.1"), 8},
        {Value(0.1), 9},    // the double 0.1 is slightly above one tenth
        {Value(third), 10}, // and the double 1/3 slightly below a third
        {dv("0.3333333333333333333333333333"), 11},
        {dv("1"), 12},
        {Value(1.0), 12},
        {dv("79228162514264337593543950335"), 13},
        {Value(0x1p96), 14},
        {Value(1e300), 15},
        {Value(""), 16},
        {Value("-5"), 17},
        {Value("B"), 18},
        {Value("a"), 19},
        {Value("ab"), 20},
        {Value("\xC3\xA9"), 21},   // bytes above ASCII sort last
    };
    for (const auto& x : ordered)
        for (const auto& y : ordered) {
            EXPECT_EQ(qm::compare(x.v, y.v), x.group <=> y.group)
                << qm::plainText(x.v) << " vs " << qm::plainText(y.v);
        }
}

TEST(Value, NaNSortsBelowEveryNumber)
{
    const Value nan(std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(qm::compare(nan, nan), std::weak_ordering::equivalent);
    EXPECT_EQ(qm::compare(nan, Value(-1e300)), std::weak_ordering::less);
    EXPECT_EQ(qm::compare(nan, dv("-79228162514264337593543950335")), std::weak_ordering::less);
    EXPECT_EQ(qm::compare(dv("-1"), nan), std::weak_ordering::greater);
    EXPECT_EQ(qm::compare(Value("x"), nan), std::weak_ordering::greater);
}

} // namespace
