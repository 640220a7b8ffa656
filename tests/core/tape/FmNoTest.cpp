#include "core/tape/FmNo.h"

#include "core/CoreTestSupport.h"

namespace qm {
namespace {

using namespace test;

TEST(FmNo, Table)
{
    struct { Value stored; int decimals; const Regional& regional; const char* expected; } cases[] = {
        {val("1234.5"), 2, English, "1,234.50"}, {val("1234.5"), 25, English, "1234.5"},
        {val("-0.25"), 2, English, "-.25"},     {val("0.5"), 25, English, "0.5"},
        {val("0"), 2, English, ""},             // reads as 0
        {val("0.001"), 2, English, ".00"},      // the value is not 0, its rounding is
        {Value(), 25, English, ""},             {Value("Sin(30)"), 25, English, ""},    // text reads as 0
        {Value("12"), 2, English, ""},          // text cannot be formatted
        {Value(3.141592653589793), 25, English, "3.14159265358979"},
        {Value(1e40), 2, English, ""},          // beyond the decimal range: formatting fails
        {val("0.5"), 25, German, "0,5"},        // not mistaken for 0 under a "," locale
        {val("1234.5"), 1, German, "1.234,5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fmNoText(c.stored, c.decimals, c.regional), c.expected)
            << plainText(c.stored) << " with " << c.decimals;
}

} // namespace
} // namespace qm
