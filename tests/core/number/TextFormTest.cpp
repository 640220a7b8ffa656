// Text forms of numbers: printing, strict/regional/leading-number reading and
// fixed-decimal formatting.

#include "core/CoreTestSupport.h"

#include <limits>
#include <string>

namespace qm {
namespace {

using namespace test;

TEST(TextForm, PlainAndDoubleText)
{
    EXPECT_EQ(plainText(dec("1.50"), ','), "1,5");
    EXPECT_EQ(plainText(dec("-0.000")), "0");
    EXPECT_EQ(plainText(dec("1234567890.0000000000000000001")), "1234567890.0000000000000000001");

    const double inf = std::numeric_limits<double>::infinity();
    struct { double v; char sep; const char* out; } cases[] = {
        {-0.0, '.', "0"},                {1.5e-7, ',', "1,5E-07"},
        {-2.5, ',', "-2,5"},             {1e15, '.', "1E+15"}, {999999999999999.0, '.', "999999999999999"},
        {9999999999999998.0, '.', "1E+16"},   // rounding to 15 digits carries into the exponent
        {123456789012345678.0, '.', "1.23456789012346E+17"},
        {0.1 + 0.2, '.', "0.3"},         {1.0 / 3.0, '.', "0.333333333333333"},
        {1e-5, '.', "0.00001"},          {1e-6, '.', "1E-06"},
        {1e100, '.', "1E+100"},          {-1.7976931348623157e308, '.', "-1.79769313486232E+308"},
        {5e-324, '.', "4.94065645841247E-324"}, {inf, '.', "Infinity"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(doubleText(c.v, c.sep), c.out) << c.v;
    // What doubleText writes, parseStrict reads back (inside the decimal range).
    for (double v : {1e20, 1.5e-7, -2.5, 1.0 / 3.0, 1e-6, 123456789012345678.0, 7.9e28, 1e-30})
        EXPECT_EQ(parseStrict(doubleText(v)).value(), Decimal::fromDouble(v).value()) << doubleText(v);
}

TEST(TextForm, ParseStrict)
{
    struct { std::string in; const char* out; } cases[] = {
        {"-0", "0"}, {"+5", "5"}, {".5", "0.5"}, {"5.", "5"}, {"-000123.4500", "-123.45"},
        {"1.5E-07", "0.00000015"}, {"1e3", "1000"},
        {"7.9228162514264337593543950335E+28", "79228162514264337593543950335"},
        // Digits beyond 96 bits round half to even; a tie is broken by any later digit.
        {"79228162514264337593543950334.5", "79228162514264337593543950334"},
        {"0.66666666666666666666666666666666", "0.6666666666666666666666666667"},
        {"12345678901234567890.1234567885", "12345678901234567890.123456788"},
        {"12345678901234567890.12345678850000000000000000000000001", "12345678901234567890.123456789"},
        {"0.00000000000000000000000000005", "0"},
        {"0.000000000000000000000000000050000000000000000001", "0.0000000000000000000000000001"},
        {"0.00000000000000000000000000015", "0.0000000000000000000000000002"},
        {"1E-999999999999999", "0"}, {"0E+999999999999", "0"}, {"0." + std::string(5000, '0') + "1", "0"},
        {"1." + std::string(60, '3'), "1.3333333333333333333333333333"},
        {"79228162514264337593543950336", "failure: overflow"},
        {"79228162514264337593543950335.5", "failure: overflow"},
        {"1E+29", "failure: overflow"}, {"1E999999999999999999999", "failure: overflow"},
        {std::string(40, '9'), "failure: overflow"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(parseStrict(c.in)), c.out) << c.in;

    for (const char* bad : {"", "+", "-", ".", "-.", "1.2.3", " 1", "1 ", "1,5", "1E", "1E+", "E5",
                            "--1", "1-", "0x10", "12H", "Infinity", "NaN", "1e5.5", "1E+-2", "1\t"})
        EXPECT_EQ(show(parseStrict(bad)), "failure: conversion") << '"' << bad << '"';
}

TEST(TextForm, ParseRegional)
{
    const Regional same{',', ',', 3};    // the same character is taken as the decimal point
    const Regional blank{',', ' ', 3};
    struct { const char* in; const Regional& r; const char* out; } cases[] = {
        {"  -1,234.50  ", English, "-1234.5"}, {"1,2,3", English, "123"}, {"\t12 ", English, "12"},
        {".5", English, "0.5"},                {"1.5E+3", English, "1500"}, {"-1.234,50", German, "-1234.5"},
        {"1.5", German, "15"},                 {"1,5E-07", German, "0.00000015"},
        {"1,5", same, "1.5"},                  {" 1 234,5 ", blank, "1234.5"},
        {"79228162514264337593543950336", English, "failure: overflow"},
        {"", English, "failure: conversion"},  {"   ", English, "failure: conversion"},
        {"-", English, "failure: conversion"}, {".", English, "failure: conversion"},
        {"12H", English, "failure: conversion"}, {",5", English, "failure: conversion"},
        {"1.2.3", English, "failure: conversion"}, {"1.234,5", English, "failure: conversion"},
        {"1,234.5", German, "failure: conversion"}, {".5", German, "failure: conversion"},
        {"- 5", English, "failure: conversion"}, {"5 -", English, "failure: conversion"},
        {"1E", English, "failure: conversion"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(parseRegional(c.in, c.r)), c.out) << '"' << c.in << '"';
}

TEST(TextForm, LeadingNumber)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct { const char* in; double out; } cases[] = {
        {"", 0.0},      {"abc", 0.0},  {"  12.5abc", 12.5}, {"+3", 3.0},   {"1E3x", 1000.0},
        {"1E", 1.0},    {"1e+", 1.0},  {"2)", 2.0},         {".5", 0.5},   {"5.", 5.0},
        {"1.2.3", 1.2}, {"1e-2", 0.01}, {"- 3", 0.0},       {"1,5", 1.0},  {"-", 0.0},
        {".", 0.0},     {"1E-400", 0.0}, {"1E400", inf},    {"-1E400", -inf},
        // Out of range: the position of the leading digit decides between infinity and 0.
        {"100000E305", inf}, {"0.001E-322", 0.0}, {"0.000001E310", 1e304},
    };
    for (const auto& c : cases)
        EXPECT_EQ(leadingNumber(c.in), c.out) << '"' << c.in << '"';
}

TEST(TextForm, FormatFixed)
{
    const Regional noGroup{'.', ',', 0};
    const Regional fours{'.', '\'', 4};
    struct { const char* v; int decimals; const Regional& r; const char* out; } cases[] = {
        {"0.5", 2, English, ".50"},         {"-0.25", 2, English, "-.25"},   {"0", 2, English, ".00"},
        {"0", 0, English, "0"},             {"0.4", 0, English, "0"},        {"-0.5", 0, English, "-1"},
        {"-1234.5", 2, German, "-1.234,50"}, {"25.0", 2, English, "25.00"},  {"-2.345", 2, English, "-2.35"},
        {"-0.004", 2, English, ".00"},      {"0.0001", 6, English, ".000100"},
        {"999.995", 2, English, "1,000.00"}, {"1234567", 0, noGroup, "1234567"},
        {"123456", 1, English, "123,456.0"}, {"123456789", 0, fours, "1'2345'6789"},
        {"79228162514264337593543950335", 0, English, "79,228,162,514,264,337,593,543,950,335"},
        {"0.3333333333333333333333333333", 28, English, ".3333333333333333333333333333"},
        {"1", -1, English, "failure: invalid argument"}, {"1", 29, English, "failure: invalid argument"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(show(formatFixed(dec(c.v), c.decimals, c.r)), c.out) << c.v << " with " << c.decimals;

    EXPECT_EQ(show(formatFixed(Value(), 2, English)), ".00");
    EXPECT_EQ(show(formatFixed(Value(0.1 + 0.2), 2, English)), ".30");
    EXPECT_EQ(show(formatFixed(Value(2.718281828459045), 14, English)), "2.71828182845904");
    EXPECT_EQ(show(formatFixed(Value(1e30), 2, English)), "failure: overflow");
    EXPECT_EQ(show(formatFixed(Value("Sin(30)"), 2, English)), "failure: conversion");
    EXPECT_EQ(plainText(Value()), "");
    EXPECT_EQ(plainText(Value("Sin(30)")), "Sin(30)");
    EXPECT_EQ(plainText(Value(1e20), ','), "1E+20");
}

} // namespace
} // namespace qm
