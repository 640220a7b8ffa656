// Decimal behaviour beyond the reference vectors: construction, kept scales,
// rounding modes, ordering, and cross-checks between independent code paths.

#include "core/number/Decimal.h"
#include "core/number/TextForm.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

using qm::Decimal;
using qm::Failure;

Decimal d(const char* text)
{
    const auto r = qm::parseStrict(text);
    EXPECT_TRUE(r.ok()) << text;
    return r.valueOr(Decimal());
}

std::string text(const qm::Result<Decimal>& r)
{
    return r.ok() ? qm::plainText(*r) : std::string("failure: ") + qm::failureName(r.failure());
}

TEST(Decimal, ConstructionAndParts)
{
    EXPECT_EQ(qm::plainText(Decimal::fromInt(std::numeric_limits<std::int64_t>::min())),
              "-9223372036854775808");
    EXPECT_EQ(qm::plainText(Decimal::fromInt(std::numeric_limits<std::int64_t>::max())),
              "9223372036854775807");
    EXPECT_EQ(qm::plainText(Decimal::max()), "79228162514264337593543950335");

    const auto all = Decimal::fromParts(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, false, 0);
    ASSERT_TRUE(all.ok());
    EXPECT_EQ(*all, Decimal::max());
    const auto parts = Decimal::fromParts(1, 2, 3, true, 28);
    ASSERT_TRUE(parts.ok());
    EXPECT_EQ(parts->lo(), 1u);
    EXPECT_EQ(parts->mid(), 2u);
    EXPECT_EQ(parts->hi(), 3u);
    EXPECT_EQ(parts->scale(), 28);
    EXPECT_TRUE(parts->isNegative());

    for (int bad : {29, 255, -1}) {
        const auto r = Decimal::fromParts(1, 0, 0, false, bad);
        ASSERT_FALSE(r.ok()) << bad;
        EXPECT_EQ(r.failure(), Failure::Overflow);
    }
    // A negative zero is zero: not negative, equal to 0.
    const auto negZero = Decimal::fromParts(0, 0, 0, true, 5);
    ASSERT_TRUE(negZero.ok());
    EXPECT_FALSE(negZero->isNegative());
    EXPECT_EQ(*negZero, Decimal());
    EXPECT_EQ(qm::plainText(*negZero), "0");
    EXPECT_FALSE(Decimal().negated().isNegative());
}

TEST(Decimal, ArithmeticKeepsScaleButComparesByValue)
{
    const auto p = d("12.5").mul(Decimal::fromInt(2));
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p->scale(), 1);
    EXPECT_EQ(*p, Decimal::fromInt(25));
    EXPECT_EQ(qm::plainText(*p), "25");

    // Exact quotients do not carry the padding of digit generation.
    struct { const char* a; const char* b; const char* q; int scale; } exact[] = {
        {"1", "4", "0.25", 2},
        {"10", "2", "5", 0},
        {"1.50", "0.5", "3", 1},
        {"7", "0.001", "7000", 0},
    };
    for (const auto& c : exact) {
        const auto q = d(c.a).div(d(c.b));
        ASSERT_TRUE(q.ok()) << c.a << "/" << c.b;
        EXPECT_EQ(qm::plainText(*q), c.q);
        EXPECT_EQ(q->scale(), c.scale) << c.a << "/" << c.b;
    }
}

TEST(Decimal, ArithmeticTable)
{
    struct { char op; const char* a; const char* b; const char* want; } cases[] = {
        {'/', "0", "0", "failure: division by zero"},
        {'/', "79228162514264337593543950335", "0.5", "failure: overflow"},
        {'/', "79228162514264337593543950335", "-1", "-79228162514264337593543950335"},
        {'/', "-79228162514264337593543950335", "79228162514264337593543950335", "-1"},
        {'/', "1", "79228162514264337593543950335", "0"},
        {'/', "0.0000000000000000000000000001", "0.0000000000000000000000000003", "0.3333333333333333333333333333"},
        {'/', "18446744073709551616", "3", "6148914691236517205.3333333333"},
        {'*', "0.0000000000000000000000000001", "0.1", "0"},
        {'*', "0.0000000000000000000000000001", "-0.6", "-0.0000000000000000000000000001"},
        {'*', "79228162514264337593543950335", "1.0000000000000000000000000001", "failure: overflow"},
        {'*', "8000000000000000000000000000", "10", "failure: overflow"},
        {'*', "-0", "5", "0"},
        {'+', "18446744073709551615", "1", "18446744073709551616"},
        {'-', "0", "79228162514264337593543950335", "-79228162514264337593543950335"},
        {'-', "-79228162514264337593543950335", "1", "failure: overflow"},
        {'-', "1", "0.0000000000000000000000000001", "0.9999999999999999999999999999"},
        {'-', "1000000000000000000000000000", "0.00000000000000000000000000005", "1000000000000000000000000000"},
    };
    for (const auto& c : cases) {
        const Decimal a = d(c.a);
        const Decimal b = d(c.b);
        const auto r = c.op == '+' ? a.add(b) : c.op == '-' ? a.sub(b) : c.op == '*' ? a.mul(b) : a.div(b);
        EXPECT_EQ(text(r), c.want) << c.a << ' ' << c.op << ' ' << c.b;
    }
}

TEST(Decimal, RoundingModes)
{
    struct { const char* v; int digits; const char* even; const char* away; } cases[] = {
        {"2.345", 2, "2.34", "2.35"},
        {"2.355", 2, "2.36", "2.36"},
        {"-2.345", 2, "-2.34", "-2.35"},
        {"2.5", 0, "2", "3"},
        {"-2.5", 0, "-2", "-3"},
        {"0.5", 0, "0", "1"},
        {"-0.4", 0, "0", "0"},
        {"12.5", 5, "12.5", "12.5"},
        {"1.23", 30, "1.23", "1.23"},
        {"0.0000000000000000000000000005", 27, "0", "0.000000000000000000000000001"},
        {"79228162514264337593543950335", 0, "79228162514264337593543950335", "79228162514264337593543950335"},
        {"7.9228162514264337593543950335", 0, "8", "8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(d(c.v).round(c.digits)), c.even) << c.v << " to " << c.digits;
        EXPECT_EQ(text(d(c.v).roundHalfAwayFromZero(c.digits)), c.away) << c.v << " to " << c.digits;
    }
    EXPECT_EQ(d("1.5").round(-1).failure(), Failure::InvalidArgument);
    EXPECT_EQ(d("1.5").roundHalfAwayFromZero(-1).failure(), Failure::InvalidArgument);

    struct { const char* v; const char* floor; const char* trunc; } whole[] = {
        {"-2.5", "-3", "-2"},
        {"2.5", "2", "2"},
        {"-0.1", "-1", "0"},
        {"-3", "-3", "-3"},
        {"-7.9228162514264337593543950335", "-8", "-7"},
    };
    for (const auto& c : whole) {
        EXPECT_EQ(qm::plainText(d(c.v).floor()), c.floor) << c.v;
        EXPECT_EQ(qm::plainText(d(c.v).trunc()), c.trunc) << c.v;
        EXPECT_EQ(d(c.v).floor().scale(), 0);
    }
    EXPECT_FALSE(d("-0.1").trunc().isNegative());
}

TEST(Decimal, OrderingAcrossScalesAndSigns)
{
    // Ascending; equal neighbours marked by the same group number.
    struct { const char* v; int group; } ordered[] = {
        {"-79228162514264337593543950335", 0},
        {"-8", 1},
        {"-7.9228162514264337593543950335", 2},
        {"-0.0000000000000000000000000001", 3},
        {"0", 4},
        {"-0", 4},
        {"0.000", 4},
        {"0.0000000000000000000000000001", 5},
        {"1", 6},
        {"1.0000000000000000000000000000", 6},
        {"1.0000000000000000000000000001", 7},
        {"25", 8},
        {"25.0", 8},
        {"7922816251426433759354395033.5", 9},
        {"79228162514264337593543950335", 10},
    };
    for (const auto& x : ordered)
        for (const auto& y : ordered) {
            const auto want = x.group <=> y.group;
            EXPECT_EQ(d(x.v) <=> d(y.v), want) << x.v << " vs " << y.v;
            EXPECT_EQ(d(x.v) == d(y.v), x.group == y.group) << x.v << " vs " << y.v;
        }
}

TEST(Decimal, FromDoubleFailures)
{
    for (double bad : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                       std::numeric_limits<double>::quiet_NaN(), 0x1p96, -1e29}) {
        const auto r = Decimal::fromDouble(bad);
        ASSERT_FALSE(r.ok()) << bad;
        EXPECT_EQ(r.failure(), Failure::Overflow);
    }
}

// Random decimals of every size and scale, built from their parts.
Decimal randomDecimal(std::mt19937_64& rng)
{
    const int bits = static_cast<int>(rng() % 97);
    const unsigned __int128 mask = bits == 0 ? 0 : (~static_cast<unsigned __int128>(0)) >> (128 - bits);
    const unsigned __int128 c = ((static_cast<unsigned __int128>(rng()) << 64) | rng()) & mask;
    const auto r = Decimal::fromParts(static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(c >> 32),
                                      static_cast<std::uint32_t>(c >> 64), (rng() & 1) != 0,
                                      static_cast<int>(rng() % 29));
    return r.value();
}

// Ordering, subtraction, addition and text use separate code; they must agree.
TEST(Decimal, RandomCrossChecks)
{
    std::mt19937_64 rng(20240611);
    for (int i = 0; i < 20000; ++i) {
        const Decimal a = randomDecimal(rng);
        const Decimal b = randomDecimal(rng);
        const auto diff = a.sub(b);
        if (diff.ok()) {
            const auto sign = diff->isZero() ? std::strong_ordering::equal
                            : diff->isNegative() ? std::strong_ordering::less
                                                 : std::strong_ordering::greater;
            // Rounding can only bring a tiny difference to zero, never flip its sign.
            if (!diff->isZero()) {
                EXPECT_EQ(a <=> b, sign) << qm::plainText(a) << " vs " << qm::plainText(b);
            }
        }
        const auto s1 = a.add(b);
        const auto s2 = b.add(a);
        ASSERT_EQ(s1.ok(), s2.ok());
        if (s1.ok()) {
            EXPECT_EQ(*s1, *s2);
            // a + b - b gives a back whenever nothing was rounded away.
            if (s1->scale() == std::max(a.scale(), b.scale())) {
                const auto back = s1->sub(b);
                ASSERT_TRUE(back.ok());
                EXPECT_EQ(*back, a) << qm::plainText(a) << " + " << qm::plainText(b);
            }
        }
        const auto m1 = a.mul(b);
        const auto m2 = b.mul(a);
        ASSERT_EQ(m1.ok(), m2.ok());
        if (m1.ok()) {
            EXPECT_EQ(*m1, *m2);
        }
        EXPECT_EQ(qm::parseStrict(qm::plainText(a)).value(), a);
    }
}

} // namespace
