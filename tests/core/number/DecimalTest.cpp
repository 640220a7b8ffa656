// Decimal behaviour the reference vectors do not reach: parts, kept scales,
// half-away rounding and ordering.

#include "core/number/Decimal.h"

#include "core/CoreTestSupport.h"

#include <cstdint>
#include <limits>
#include <vector>

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

TEST(Decimal, ArithmeticKeepsScalesAndLimits)
{
    const auto p = dec("12.5").mul(Decimal::fromInt(2));
    EXPECT_EQ(p->scale(), 1);
    EXPECT_EQ(*p, Decimal::fromInt(25));
    // Exact quotients do not carry the padding of digit generation.
    struct { const char* a; const char* b; int scale; } exact[] = {
        {"1", "4", 2}, {"10", "2", 0}, {"1.50", "0.5", 1}, {"7", "0.001", 0}};
    for (const auto& c : exact)
        EXPECT_EQ(dec(c.a).div(dec(c.b))->scale(), c.scale) << c.a << "/" << c.b;
    EXPECT_EQ(dec("-7.9").floor().scale(), 0);

    struct { char op; const char* a; const char* b; const char* want; } cases[] = {
        {'/', "79228162514264337593543950335", "0.5", "failure: overflow"},
        {'/', "1", "79228162514264337593543950335", "0"},
        {'/', "0.0000000000000000000000000001", "0.0000000000000000000000000003", "0.3333333333333333333333333333"},
        {'/', "18446744073709551616", "3", "6148914691236517205.3333333333"},
        {'*', "0.0000000000000000000000000001", "0.1", "0"},
        {'*', "0.0000000000000000000000000001", "-0.6", "-0.0000000000000000000000000001"},
        {'*', "8000000000000000000000000000", "10", "failure: overflow"},
        {'+', "18446744073709551615", "1", "18446744073709551616"},
    };
    for (const auto& c : cases) {
        const Decimal a = dec(c.a), b = dec(c.b);
        const auto r = c.op == '+' ? a.add(b) : c.op == '-' ? a.sub(b) : c.op == '*' ? a.mul(b) : a.div(b);
        EXPECT_EQ(show(r), c.want) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

TEST(Decimal, RoundingHalfEvenAndHalfAwayFromZero)
{
    struct { const char* v; int digits; const char* even; const char* away; } cases[] = {
        {"2.345", 2, "2.34", "2.35"},  {"-2.345", 2, "-2.34", "-2.35"}, {"2.5", 0, "2", "3"},
        {"-2.5", 0, "-2", "-3"},       {"-0.4", 0, "0", "0"},           {"1.23", 30, "1.23", "1.23"},
        {"0.0000000000000000000000000005", 27, "0", "0.000000000000000000000000001"},
        {"7.9228162514264337593543950335", 0, "8", "8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(show(dec(c.v).round(c.digits)), c.even) << c.v << " to " << c.digits;
        EXPECT_EQ(show(dec(c.v).roundHalfAwayFromZero(c.digits)), c.away) << c.v << " to " << c.digits;
    }
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
