#include "core/input/DecimalText.h"

#include "core/CoreTestSupport.h"

#include <random>

namespace qm {
namespace {

std::string textOf(const Decimal& d, char sep = '.')
{
    std::string s = "x";   // appends, keeping what is there
    appendDecimalText(s, d, sep);
    return s.substr(1);
}

TEST(DecimalText, AgreesWithPlainText)
{
    EXPECT_EQ(textOf(*parseStrict("12.5")->mul(Decimal::fromInt(2))), "25");   // holds 25.0
    EXPECT_EQ(textOf(*parseStrict("-0.0")), "0");
    EXPECT_EQ(textOf(*parseStrict("-0.0500"), ','), "-0,05");
    EXPECT_EQ(textOf(Decimal::max().negated()), "-79228162514264337593543950335");
    std::mt19937 gen(99);
    std::uniform_int_distribution<std::uint32_t> limb;
    std::uniform_int_distribution<int> scale(0, 28);
    std::uniform_int_distribution<int> shape(0, 3);
    for (int i = 0; i < 20000; ++i) {
        // Mix full-width coefficients with small ones and round ones.
        std::uint32_t lo = limb(gen);
        std::uint32_t mid = shape(gen) == 0 ? 0 : limb(gen);
        std::uint32_t hi = shape(gen) < 2 ? 0 : limb(gen);
        if (shape(gen) == 0)
            lo = static_cast<std::uint32_t>(lo % 10) * 1000000u;
        const Decimal d = *Decimal::fromParts(lo, mid, hi, (i & 1) != 0, scale(gen));
        ASSERT_EQ(textOf(d), plainText(d)) << lo << " " << mid << " " << hi << " " << d.scale();
    }
}

} // namespace
} // namespace qm
