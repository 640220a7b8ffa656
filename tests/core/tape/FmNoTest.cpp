#include "core/tape/FmNo.h"

#include <gtest/gtest.h>

#include <vector>

namespace qm {
namespace {

Value dec(const char* s) { return Value(*parseStrict(s)); }

TEST(FmNo, Table)
{
    const Regional dot{};
    const Regional comma{',', '.', 3};
    struct Case {
        Value stored;
        int decimals;
        Regional regional;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {dec("12.5"), 25, dot, "12.5"},
        {dec("12.5"), 2, dot, "12.50"},
        {dec("1234.5"), 2, dot, "1,234.50"},
        {dec("1234.5"), 25, dot, "1234.5"},
        {dec("0.5"), 2, dot, ".50"},
        {dec("-0.25"), 2, dot, "-.25"},
        {dec("0.5"), 25, dot, "0.5"},
        {dec("0"), 25, dot, ""},          // reads as 0
        {dec("0"), 2, dot, ""},
        {dec("0.001"), 2, dot, ".00"},    // the value is not 0, its rounding is
        {Value(), 25, dot, ""},
        {Value("Sin(30)"), 25, dot, ""},  // text reads as 0
        {Value("Sin(30)"), 2, dot, ""},   // text cannot be formatted
        {Value("12"), 2, dot, ""},
        {Value(3.141592653589793), 25, dot, "3.14159265358979"},
        {Value(3.141592653589793), 3, dot, "3.142"},
        {Value(1e40), 2, dot, ""},        // beyond the decimal range: formatting fails
        {dec("0.5"), 25, comma, "0,5"},   // not mistaken for 0 under a "," locale
        {dec("1234.5"), 1, comma, "1.234,5"},
        {dec("-7"), 0, dot, "-7"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fmNoText(c.stored, c.decimals, c.regional), c.expected)
            << plainText(c.stored) << " with " << c.decimals;
}

} // namespace
} // namespace qm
