// Text forms of numbers: printing, strict/regional/leading-number reading and
// fixed-decimal formatting.

#include "core/CoreTestSupport.h"

#include <cstdlib>
#include <map>

namespace qm {
namespace {

using namespace test;

// The settings the case file names.
const Regional& regionalNamed(const std::string& name)
{
    static const std::map<std::string, Regional> named = {
        {"E", English}, {"G", German}, {"same", {',', ',', 3}}, {"blank", {',', ' ', 3}},
        {"noGroup", {'.', ',', 0}}, {"fours", {'.', '\'', 4}}};
    return named.at(name);
}

double number(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

TEST(TextForm, CasesOfTheFile)
{
    std::map<std::string, int> forms;
    for (const CaseRow& row : caseFile("core_textform.tsv", 4)) {
        const std::string& form = row[0];
        const std::string& in = row[1];
        ++forms[form];
        if (form == "double") {
            EXPECT_EQ(doubleText(number(in), row[2].at(0)), row[3]) << row.where;
        } else if (form == "strict") {
            EXPECT_EQ(show(parseStrict(in)), row[3]) << row.where;
        } else if (form == "regional") {
            EXPECT_EQ(show(parseRegional(in, regionalNamed(row[2]))), row[3]) << row.where;
        } else if (form == "leading") {
            EXPECT_EQ(leadingNumber(in), number(row[3])) << row.where;
        } else if (form == "fixed") {
            const std::size_t blank = row[2].find(' ');
            EXPECT_EQ(show(formatFixed(dec(in), std::stoi(row[2].substr(0, blank)), regionalNamed(row[2].substr(blank + 1)))),
                      row[3]) << row.where;
        } else {
            ADD_FAILURE() << row.where;
        }
    }
    EXPECT_EQ(forms.size(), 5u);
}

TEST(TextForm, ValuesAndLongTexts)
{
    EXPECT_EQ(plainText(dec("1.50"), ','), "1,5");
    EXPECT_EQ(plainText(dec("-0.000")), "0");
    EXPECT_EQ(plainText(dec("1234567890.0000000000000000001")), "1234567890.0000000000000000001");
    // What doubleText writes, parseStrict reads back (inside the decimal range).
    for (double v : {1e20, 1.5e-7, -2.5, 1.0 / 3.0, 1e-6, 123456789012345678.0, 7.9e28, 1e-30})
        EXPECT_EQ(parseStrict(doubleText(v)).value(), Decimal::fromDouble(v).value()) << doubleText(v);
    EXPECT_EQ(show(parseStrict("0." + std::string(5000, '0') + "1")), "0");
    EXPECT_EQ(show(parseStrict("1." + std::string(60, '3'))), "1.3333333333333333333333333333");
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
