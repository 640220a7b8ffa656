#include "core/input/Evaluator.h"

#include "core/CoreTestSupport.h"

#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define QM_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_TEST_SANITIZED 1
#endif
#endif

namespace qm {
namespace {

using test::show;

TEST(Evaluator, Expressions)
{
    struct { const char* expr; const char* expected; } cases[] = {
        // Signs fold into the number before powers, powers go left to right,
        // and powers come before products and quotients.
        {"-2^2", "4"}, {"2*-3^2", "18"}, {"2^3^2", "64"}, {"8/2/2", "2"}, {"2^-1*4", "2"},
        {"4^0.5/2", "1"}, {"2*1/3", "0.6666666666666666666666666666"}, {"2^0.5", "1.4142135623731"},
        {"", "Error"}, {"   ", "Error"}, {"  2 + 3  ", "5"}, {"2,5*2", "5"},
        {"3--2", "5"}, {"3+-2", "1"}, {"-+3", "-3"}, {"--3", "3"},
        {"3--*2", "6"},   // a sign pair takes the next slot's text as it is
        {"+5", "Error - Sign"}, {"*5", "Error - Sign"}, {"5-", "Error - Sign"}, {"5+*2", "Error - Sign"},
        {"(+5)", "Error - Sign"}, {"5/0", "Error - Division"}, {"5/", "Error - Division"},
        {"3//2", "Error - Division"}, {"1/0.000", "Error - Division"},
        {"(5/0)+(1*)", "Error - Division"},   // the first piece reduced decides
        {"5^", "1"}, {"2*(1-3)", "-4"}, {"((4))", "4"}, {"2(3)", "23"}, {"(2)(3)", "23"},
        {"-(2)", "-2"}, {"5-(-2)", "7"},
        {"(1+2", "Error - ()"}, {")1(", "Error - ()"}, {"2 + (3", "Error - ()"},   // brackets checked first
        {"2X3", "Error - Token"}, {"2a", "Error - Token"}, {"2\t+3", "Error - Token"},   // only blanks go
        {"0.0/1", "0"}, {"1.50*2", "3"},
        {"10^20/10^20", "1"},   // "1E+20" is read back strictly
        {"2^0.5*2^0.5", "2.00000000000001400410360361"}, {"(4*3.14159265358979*12^3)/3", "7238.22947387087616"},
        {"79228162514264337593543950335", "79228162514264337593543950335"},
        {"()", "failure: conversion"}, {"5*", "failure: conversion"}, {"3**2", "failure: conversion"},
        {"1.2.3", "failure: conversion"}, {"3--", "failure: conversion"}, {"2*()", "failure: conversion"},
        {"79228162514264337593543950335+1", "failure: overflow"},
        {"10^30", "failure: overflow"},    // beyond the decimal range
        {"10^400", "failure: overflow"},   // beyond the double range
        {"-8^0.5", "failure: power"},
    };
    Evaluator ev;   // one evaluator throughout: nothing may leak between calls
    for (const auto& c : cases)
        EXPECT_EQ(show(ev.Evaluate(c.expr)), c.expected) << c.expr;
}

// `unit` repeated `count` times.
std::string times(std::string_view unit, std::size_t count)
{
    std::string s;
    while (count-- > 0)
        s.append(unit);
    return s;
}

TEST(Evaluator, SixteenBitAndTokenLimits)
{
    Evaluator ev;
    // "-1" then "+1" 49 times: 100 raw slots, the most a piece may use; one
    // more fails, in the same piece or in a bracketed one.
    const std::string hundred = "-1" + times("+1", 49);
    EXPECT_EQ(show(ev.Evaluate(hundred)), "48");
    EXPECT_EQ(show(ev.Evaluate(hundred + "+1")), "failure: tokens");
    EXPECT_EQ(show(ev.Evaluate("2*(" + hundred + "+1)")), "failure: tokens");
    // A trailing operator leaves the slot after it to be read: at slot 99 that
    // is slot 100, still in the table; at slot 100 it is slot 101.
    EXPECT_EQ(show(ev.Evaluate(std::string("-1").append(times("+1", 48)).append("^"))), "47");
    EXPECT_EQ(show(ev.Evaluate(std::string("1").append(times("*1", 49)).append("^"))), "failure: tokens");

    EXPECT_EQ(show(ev.Evaluate(times("(", 1000) + "1+2" + times(")", 1000))), "3");
    EXPECT_EQ(show(ev.Evaluate("2*" + times("(", 1000) + "3" + times(")", 1000) + "*5")), "30");
    // The closing bracket at position 32767 is the last that can be held.
    EXPECT_EQ(show(ev.Evaluate(std::string(32764, '0') + "(1)")), "1");   // 000...0 joined to 1
    EXPECT_EQ(show(ev.Evaluate(std::string(32765, '0') + "(1)")), "failure: overflow");
    // Substitution shortens the text: later pairs come into range.
    EXPECT_EQ(show(ev.Evaluate(times("(0)", 12000) + "+(5)")), "5");
}

// Millions of characters: a step that is quadratic in the length shows up
// as a timeout.
TEST(Evaluator, HugeInputs)
{
#if defined(QM_TEST_SANITIZED)
    constexpr std::size_t Big = 1'000'000;   // the instrumented build is ten times slower
#else
    constexpr std::size_t Big = 10'000'000;
#endif
    Evaluator ev;
    EXPECT_EQ(show(ev.Evaluate(std::string(Big, '0') + "7")), "7");
    EXPECT_EQ(show(ev.Evaluate(std::string(Big, ' '))), "Error");
    EXPECT_EQ(show(ev.Evaluate("1" + std::string(Big, '0'))), "failure: overflow");
    // "111..." pushes the next pair beyond position 32767.
    EXPECT_EQ(show(ev.Evaluate(times("(1)", Big / 3))), "failure: overflow");
    EXPECT_EQ(show(ev.Evaluate(times("1+", Big / 2) + "1")), "failure: tokens");
    // The first ")" stands far beyond position 32767.
    EXPECT_EQ(show(ev.Evaluate(std::string(Big / 2, '(') + "1" + std::string(Big / 2, ')'))), "failure: overflow");
    EXPECT_EQ(show(ev.Evaluate(std::string(Big, 'a'))), "Error - Token");
}

} // namespace
} // namespace qm
