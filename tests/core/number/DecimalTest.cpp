// Decimal behaviour the reference vectors do not reach: parts, kept scales,
// half-away rounding and ordering.

#include "core/number/Decimal.h"

#include "core/CoreTestSupport.h"

#include <cstdint>
#include <limits>

namespace qm {
namespace {

using namespace test;

TEST(Decimal, PartsLimitsAndNegativeZero)
{
    EXPECT_EQ(plainText(Decimal::fromInt(std::numeric_limits<std::int64_t>::min())), "-9223372036854775808");
    EXPECT_EQ(*Decimal::fromParts(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, false, 0), Decimal::max());
    const auto parts = Decimal::fromParts(1, 2, 3, true, 28);
    ASSERT_TRUE(parts.ok());
    EXPECT_EQ(parts->hi(), 3u);
    EXPECT_EQ(parts->scale(), 28);
    EXPECT_TRUE(parts->isNegative());
    for (int bad : {29, 255, -1})
        EXPECT_EQ(Decimal::fromParts(1, 0, 0, false, bad).failure(), Failure::Overflow) << bad;
    // A negative zero is zero: not negative, equal to 0.
    const auto negZero = Decimal::fromParts(0, 0, 0, true, 5);
    ASSERT_TRUE(negZero.ok());
    EXPECT_FALSE(negZero->isNegative());
    EXPECT_EQ(*negZero, Decimal());
    EXPECT_EQ(plainText(*negZero), "0");
    EXPECT_FALSE(Decimal().negated().isNegative());
    EXPECT_FALSE(dec("-0.1").trunc().isNegative());
}

TEST(Decimal, ArithmeticScalesAndRounding)
{
    for (const CaseRow& c : caseFile("core_decimal.tsv", 0)) {
        const Decimal a = dec(c[1]);
        if (c[0] == "scale") {
            EXPECT_EQ(std::to_string(a.div(dec(c[2]))->scale()), c[3]) << c.where;
        } else if (c[0] == "round") {
            EXPECT_EQ(show(a.round(c.number(2))) + " " + show(a.roundHalfAwayFromZero(c.number(2))), c[3] + " " + c[4]) << c.where;
        } else {
            const Decimal b = dec(c[2]);
            const char op = c[0].at(0);
            EXPECT_EQ(show(op == '+' ? a.add(b) : op == '-' ? a.sub(b) : op == '*' ? a.mul(b) : a.div(b)), c[3]) << c.where;
        }
    }
    const auto p = dec("12.5").mul(Decimal::fromInt(2));
    EXPECT_EQ(p->scale(), 1);
    EXPECT_EQ(*p, Decimal::fromInt(25));
    EXPECT_EQ(dec("-7.9").floor().scale(), 0);
    EXPECT_EQ(dec("1.5").round(-1).failure(), Failure::InvalidArgument);
    EXPECT_EQ(dec("1.5").roundHalfAwayFromZero(-1).failure(), Failure::InvalidArgument);
}

TEST(Decimal, OrderingAcrossScalesAndSigns)
{
    std::vector<std::pair<Decimal, int>> ordered;
    for (const CaseRow& c : caseFile("core_value_order.tsv", 3))
        if (c[0] == "decimal")
            ordered.emplace_back(dec(c[1]), c.number(2));
    ASSERT_EQ(ordered.size(), 15u);
    for (const auto& [x, xGroup] : ordered)
        for (const auto& [y, yGroup] : ordered) {
            EXPECT_EQ(x <=> y, xGroup <=> yGroup) << plainText(x) << " vs " << plainText(y);
            EXPECT_EQ(x == y, xGroup == yGroup) << plainText(x) << " vs " << plainText(y);
        }
}

} // namespace
} // namespace qm
