#include "core/tape/Selectionsort.h"

#include "core/number/TextForm.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

namespace qm {
namespace {

Value dec(const char* s) { return Value(*parseStrict(s)); }

// The same value in the same representation: kind, scale, bits or bytes.
bool identical(const Value& a, const Value& b)
{
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case Value::Kind::Empty: return true;
    case Value::Kind::Decimal: return a.decimal() == b.decimal() && a.decimal().scale() == b.decimal().scale();
    case Value::Kind::Double: return std::bit_cast<std::uint64_t>(a.dbl()) == std::bit_cast<std::uint64_t>(b.dbl());
    case Value::Kind::Text: return a.text() == b.text();
    }
    return false;
}

std::string show(const std::vector<Value>& v)
{
    std::string s;
    for (const Value& x : v)
        s += (x.isEmpty() ? std::string("<empty>") : plainText(x)) + " ";
    return s;
}

struct SortCase {
    std::vector<Value> in;
    int expectedCount;
    std::vector<Value> expected;
};

TEST(Selectionsort, Table)
{
    const std::vector<SortCase> cases = {
        {{dec("3"), dec("1"), dec("3"), dec("2")}, 3, {dec("1"), dec("2"), dec("3"), dec("3")}},
        {{dec("-1"), dec("0")}, -1, {dec("0"), dec("0")}},
        {{dec("5"), dec("-3"), dec("0"), dec("2")}, 1, {dec("2"), dec("5"), dec("0"), dec("0")}},
        {{}, -1, {}},
        {{dec("7")}, 0, {dec("7")}},
        {{Value("b"), dec("1"), Value("a"), dec("-2")}, 2, {dec("1"), Value("a"), Value("b"), dec("0")}},
        {{Value(), dec("2"), Value()}, 0, {dec("2"), dec("0"), dec("0")}},
        {{Value(0.25), dec("0.5"), Value(-1.0)}, 1, {Value(0.25), dec("0.5"), dec("0")}},
        {{Value(""), dec("1")}, 1, {dec("1"), Value("")}},   // any text is above every number
    };
    for (const SortCase& c : cases) {
        std::vector<Value> v = c.in;
        EXPECT_EQ(Selectionsort(v), c.expectedCount) << show(c.in);
        ASSERT_EQ(v.size(), c.expected.size());
        for (std::size_t i = 0; i < v.size(); ++i)
            EXPECT_TRUE(identical(v[i], c.expected[i])) << show(c.in) << "-> " << show(v);
    }
}

TEST(Selectionsort, FirstOfEqualValuesIsTaken)
{
    // 25.0 and 25 are equal; the selection picks the first of equal
    // candidates and swaps, which moves 25.0 behind 25 here.
    const Value twentyFive = dec("25");
    const Value twentyFivePointZero = dec("25.0");
    std::vector<Value> v{twentyFivePointZero, dec("30"), twentyFive, dec("1")};
    EXPECT_EQ(Selectionsort(v), 3);
    EXPECT_TRUE(identical(v[0], dec("1")));
    EXPECT_TRUE(identical(v[1], twentyFive));
    EXPECT_TRUE(identical(v[2], twentyFivePointZero));
    EXPECT_TRUE(identical(v[3], dec("30")));
}

TEST(Selectionsort, FastFormMatchesTheLiteralPass)
{
    // Values with many ties that can still be told apart: scales, doubles
    // beside equal decimals, empties beside zeros, texts.
    const std::vector<Value> pool = {
        dec("1"), dec("1.0"), dec("1.00"), Value(1.0), dec("0"), dec("0.0"), Value(), Value(0.0),
        dec("-2"), dec("-2.0"), Value(-2.0), dec("0.1"), Value(0.1), dec("3.5"), Value(3.5),
        Value("a"), Value("b"), Value("a"), dec("79228162514264337593543950335"), Value(1e30)};
    std::mt19937 gen(12345);
    for (int round = 0; round < 3000; ++round) {
        std::uniform_int_distribution<std::size_t> len(0, 40);
        std::uniform_int_distribution<std::size_t> pick(0, pool.size() - 1);
        std::vector<Value> a(len(gen));
        for (auto& x : a)
            x = pool[pick(gen)];
        std::vector<Value> b = a;
        detail::selectionSortLiteral(a);
        detail::selectionSortTree(b);
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i)
            ASSERT_TRUE(identical(a[i], b[i])) << "round " << round << ": " << show(a) << "vs " << show(b);
    }
}

TEST(Selectionsort, LargeTapeMatchesTheLiteralPass)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> digits(-500, 500);
    std::vector<Value> a(4000);
    for (auto& x : a)
        x = Value(Decimal::fromInt(digits(gen)));
    std::vector<Value> b = a;
    detail::selectionSortLiteral(a);
    detail::selectionSortTree(b);
    for (std::size_t i = 0; i < a.size(); ++i)
        ASSERT_TRUE(identical(a[i], b[i])) << i;
    for (std::size_t i = 1; i < b.size(); ++i)
        ASSERT_TRUE(compare(b[i - 1], b[i]) <= 0) << i;
}

} // namespace
} // namespace qm
