// Text forms of numbers: printing, strict/regional/leading-number reading and
// fixed-decimal formatting.

#include "core/number/TextForm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

using qm::Decimal;
using qm::Failure;
using qm::Regional;

const Regional US{'.', ',', 3};
const Regional DE{',', '.', 3};

Decimal d(const char* text)
{
    const auto r = qm::parseStrict(text);
    EXPECT_TRUE(r.ok()) << text;
    return r.valueOr(Decimal());
}

std::string show(const qm::Result<Decimal>& r)
{
    return r.ok() ? qm::plainText(*r) : std::string("failure: ") + qm::failureName(r.failure());
}

std::string show(const qm::Result<std::string>& r)
{
    return r.ok() ? *r : std::string("failure: ") + qm::failureName(r.failure());
}

TEST(TextForm, PlainTextOfDecimals)
{
    struct { const char* in; char sep; const char* out; } cases[] = {
        {"0.5", '.', "0.5"},
        {"-0.25", '.', "-0.25"},
        {"0.000", '.', "0"},
        {"1.50", ',', "1,5"},
        {"100", '.', "100"},
        {"0.0000000000000000000000000001", '.', "0.0000000000000000000000000001"},
        {"-7.9228162514264337593543950335", '.', "-7.9228162514264337593543950335"},
        {"10000000000000000000000000000", '.', "10000000000000000000000000000"},
        {"18446744073709551616", '.', "18446744073709551616"},
        {"12345678900000000000000000001", '.', "12345678900000000000000000001"},
        {"1234567890.0000000000000000001", '.', "1234567890.0000000000000000001"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qm::plainText(d(c.in), c.sep), c.out) << c.in;
}

TEST(TextForm, DoubleText)
{
    struct { double v; char sep; const char* out; } cases[] = {
        {0.0, '.', "0"},
        {-0.0, '.', "0"},
        {1e20, '.', "1E+20"},
        {1.5e-7, '.', "1.5E-07"},
        {1.5e-7, ',', "1,5E-07"},
        {-2.5, ',', "-2,5"},
        {1e15, '.', "1E+15"},
        {999999999999999.0, '.', "999999999999999"},
        {9999999999999998.0, '.', "1E+16"},
        {1e14, '.', "100000000000000"},
        {123456789012345678.0, '.', "1.23456789012346E+17"},
        {0.1 + 0.2, '.', "0.3"},
        {1.4142135623730951, '.', "1.4142135623731"},
        {1.0 / 3.0, '.', "0.333333333333333"},
        {1e-5, '.', "0.00001"},
        {1e-6, '.', "1E-06"},
        {1e100, '.', "1E+100"},
        {-1.7976931348623157e308, '.', "-1.79769313486232E+308"},
        {5e-324, '.', "4.94065645841247E-324"},
        {std::numeric_limits<double>::infinity(), '.', "Infinity"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qm::doubleText(c.v, c.sep), c.out) << c.v;
}

// What doubleText writes, parseStrict must read back (inside the decimal range).
TEST(TextForm, DoubleTextReadsBackStrictly)
{
    for (double v : {1e20, 1.5e-7, -2.5, 1.0 / 3.0, 1e-5, 1e-6, 123456789012345678.0, 7.9e28, 1e-30}) {
        const auto r = qm::parseStrict(qm::doubleText(v));
        ASSERT_TRUE(r.ok()) << qm::doubleText(v);
        EXPECT_EQ(*r, Decimal::fromDouble(v).value()) << qm::doubleText(v);
    }
}

TEST(TextForm, ParseStrict)
{
    struct { const char* in; const char* out; } cases[] = {
        {"0", "0"},
        {"-0", "0"},
        {"12.5", "12.5"},
        {"+5", "5"},
        {".5", "0.5"},
        {"5.", "5"},
        {"-000123.4500", "-123.45"},
        {"1E+20", "100000000000000000000"},
        {"1.5E-07", "0.00000015"},
        {"1e3", "1000"},
        {"2E5", "200000"},
        {"1E+28", "10000000000000000000000000000"},
        {"7.9228162514264337593543950335E+28", "79228162514264337593543950335"},
        {"79228162514264337593543950335", "79228162514264337593543950335"},
        {"79228162514264337593543950334.5", "79228162514264337593543950334"},
        {"0.33333333333333333333333333333333", "0.3333333333333333333333333333"},
        {"0.66666666666666666666666666666666", "0.6666666666666666666666666667"},
        {"12345678901234567890.1234567895", "12345678901234567890.12345679"},
        {"12345678901234567890.1234567885", "12345678901234567890.123456788"},
        {"12345678901234567890.12345678850000000000000000000000001", "12345678901234567890.123456789"},
        {"0.00000000000000000000000000005", "0"},
        {"0.000000000000000000000000000050000000000000000001", "0.0000000000000000000000000001"},
        {"0.00000000000000000000000000015", "0.0000000000000000000000000002"},
        {"-0.00000000000000000000000000001", "0"},
        {"1E-30", "0"},
        {"1E-999999999999999", "0"},
        {"0E+999999999999", "0"},
        {"79228162514264337593543950336", "failure: overflow"},
        {"79228162514264337593543950335.5", "failure: overflow"},
        {"1E+29", "failure: overflow"},
        {"1E999999999999999999999", "failure: overflow"},
        {"-100000000000000000000000000000", "failure: overflow"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(qm::parseStrict(c.in)), c.out) << c.in;

    for (const char* bad : {"", "+", "-", ".", "-.", "1.2.3", " 1", "1 ", "1,5", "1E", "1E+", "E5",
                            "--1", "1-", "0x10", "12H", "Infinity", "NaN", "1e5.5", "1E+-2", "1\t"}) {
        const auto r = qm::parseStrict(bad);
        ASSERT_FALSE(r.ok()) << '"' << bad << '"';
        EXPECT_EQ(r.failure(), Failure::Conversion) << '"' << bad << '"';
    }
}

TEST(TextForm, ParseStrictLongInputs)
{
    const std::string manyZeros = "0." + std::string(5000, '0') + "1";
    EXPECT_EQ(show(qm::parseStrict(manyZeros)), "0");
    const std::string longInteger = std::string(40, '9');
    EXPECT_EQ(show(qm::parseStrict(longInteger)), "failure: overflow");
    const std::string longFraction = "1." + std::string(60, '3');
    EXPECT_EQ(show(qm::parseStrict(longFraction)), "1.3333333333333333333333333333");
}

TEST(TextForm, ParseRegional)
{
    struct { const char* in; const Regional* r; const char* out; } cases[] = {
        {"1,234.5", &US, "1234.5"},
        {"  -1,234.50  ", &US, "-1234.5"},
        {"1,2,3", &US, "123"},
        {"12", &US, "12"},
        {"\t12 ", &US, "12"},
        {".5", &US, "0.5"},
        {"1.5E+3", &US, "1500"},
        {"1.234,5", &DE, "1234.5"},
        {"-1.234,50", &DE, "-1234.5"},
        {"1,5", &DE, "1.5"},
        {"1.5", &DE, "15"},
        {"1,5E-07", &DE, "0.00000015"},
        {"79228162514264337593543950336", &US, "failure: overflow"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(qm::parseRegional(c.in, *c.r)), c.out) << c.in;

    struct { const char* in; const Regional* r; } bad[] = {
        {"", &US}, {"   ", &US}, {"-", &US}, {".", &US}, {"12H", &US}, {",5", &US},
        {"1.2.3", &US}, {"1.234,5", &US}, {"1,234.5", &DE}, {",", &DE}, {".5", &DE}, {"1,2,3", &DE},
        {"- 5", &US}, {"5 -", &US}, {"1E", &US},
    };
    for (const auto& c : bad) {
        const auto r = qm::parseRegional(c.in, *c.r);
        ASSERT_FALSE(r.ok()) << '"' << c.in << '"';
        EXPECT_EQ(r.failure(), Failure::Conversion) << '"' << c.in << '"';
    }

    // A separator set to the same character is taken as the decimal point.
    const Regional same{',', ',', 3};
    EXPECT_EQ(show(qm::parseRegional("1,5", same)), "1.5");
    // Blank as the thousands separator.
    const Regional blank{',', ' ', 3};
    EXPECT_EQ(show(qm::parseRegional(" 1 234,5 ", blank)), "1234.5");
}

TEST(TextForm, LeadingNumber)
{
    struct { const char* in; double out; } cases[] = {
        {"", 0.0},
        {"abc", 0.0},
        {"  12.5abc", 12.5},
        {"-3", -3.0},
        {"+3", 3.0},
        {"1E3x", 1000.0},
        {"1E", 1.0},
        {"1e+", 1.0},
        {"2)", 2.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"1.2.3", 1.2},
        {"1e-2", 0.01},
        {"- 3", 0.0},
        {"1,5", 1.0},
        {"0.1", 0.1},
        {"1E-400", 0.0},
        {"-", 0.0},
        {".", 0.0},
        {"   7", 7.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(qm::leadingNumber(c.in), c.out) << '"' << c.in << '"';
    EXPECT_EQ(qm::leadingNumber("1E400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(qm::leadingNumber("-1E400"), -std::numeric_limits<double>::infinity());
    // Out of range: the position of the leading digit decides between infinity and 0.
    EXPECT_EQ(qm::leadingNumber("100000E305"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(qm::leadingNumber("0.001E-322"), 0.0);
    EXPECT_EQ(qm::leadingNumber("0.000001E310"), 1e304);
}

TEST(TextForm, FormatFixed)
{
    const Regional noGroup{'.', ',', 0};
    struct { const char* v; int decimals; const Regional* r; const char* out; } cases[] = {
        {"0.5", 2, &US, ".50"},
        {"-0.25", 2, &US, "-.25"},
        {"0", 2, &US, ".00"},
        {"0", 0, &US, "0"},
        {"0.4", 0, &US, "0"},
        {"1.5", 0, &US, "2"},
        {"-0.5", 0, &US, "-1"},
        {"-1234.5", 2, &US, "-1,234.50"},
        {"-1234.5", 2, &DE, "-1.234,50"},
        {"25.0", 2, &US, "25.00"},
        {"2.345", 2, &US, "2.35"},
        {"-2.345", 2, &US, "-2.35"},
        {"-0.004", 2, &US, ".00"},
        {"0.05", 1, &US, ".1"},
        {"0.0001", 4, &US, ".0001"},
        {"0.0001", 6, &US, ".000100"},
        {"999.995", 2, &US, "1,000.00"},
        {"123", 0, &US, "123"},
        {"1234567", 0, &US, "1,234,567"},
        {"1234567", 0, &noGroup, "1234567"},
        {"123456", 1, &US, "123,456.0"},
        {"79228162514264337593543950335", 0, &US, "79,228,162,514,264,337,593,543,950,335"},
        {"0.3333333333333333333333333333", 28, &US, ".3333333333333333333333333333"},
        {"7.9228162514264337593543950335", 6, &US, "7.922816"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(qm::formatFixed(d(c.v), c.decimals, *c.r)), c.out) << c.v << " with " << c.decimals;

    const Regional fours{'.', '\'', 4};
    EXPECT_EQ(show(qm::formatFixed(d("123456789"), 0, fours)), "1'2345'6789");

    for (int bad : {-1, 29}) {
        const auto r = qm::formatFixed(d("1"), bad, US);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.failure(), Failure::InvalidArgument);
    }
}

TEST(TextForm, FormatAndPlainTextOfValues)
{
    EXPECT_EQ(show(qm::formatFixed(qm::Value(), 2, US)), ".00");
    EXPECT_EQ(show(qm::formatFixed(qm::Value(0.1 + 0.2), 2, US)), ".30");
    EXPECT_EQ(show(qm::formatFixed(qm::Value(2.718281828459045), 14, US)), "2.71828182845904");
    EXPECT_EQ(show(qm::formatFixed(qm::Value(1e30), 2, US)), "failure: overflow");
    EXPECT_EQ(show(qm::formatFixed(qm::Value("Sin(30)"), 2, US)), "failure: conversion");

    EXPECT_EQ(qm::plainText(qm::Value()), "");
    EXPECT_EQ(qm::plainText(qm::Value("Sin(30)")), "Sin(30)");
    EXPECT_EQ(qm::plainText(qm::Value(1e20), ','), "1E+20");
    EXPECT_EQ(qm::plainText(qm::Value(d("-1.5")), ','), "-1,5");
}

} // namespace
