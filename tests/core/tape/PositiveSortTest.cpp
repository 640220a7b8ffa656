#include "core/tape/PositiveSort.h"

#include "core/CoreTestSupport.h"

#include <bit>
#include <random>

namespace qm {
namespace {

using namespace test;

// The same value in the same representation: kind, scale, bits or bytes.
bool identical(const Value& a, const Value& b)
{
    if (a.kind() != b.kind())
        return false;
    if (a.isDecimal())
        return a.decimal() == b.decimal() && a.decimal().scale() == b.decimal().scale();
    if (a.isDouble())
        return std::bit_cast<std::uint64_t>(a.dbl()) == std::bit_cast<std::uint64_t>(b.dbl());
    return !a.isText() || a.text() == b.text();
}

// The selection sort done literally, one pass per place over the rest: the
// reference the tree form must match exactly.
void selectionSortLiteral(std::vector<Value>& values)
{
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        std::size_t b = i;
        for (std::size_t j = i + 1; j < values.size(); ++j) {
            if (compare(values[j], values[b]) < 0)
                b = j;
        }
        if (b != i)
            std::swap(values[i], values[b]);
    }
}

void expectIdentical(const std::vector<Value>& got, const std::vector<Value>& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_TRUE(identical(got[i], want[i])) << what << " at " << i << ": " << plainText(got[i]);
}

TEST(PositiveSort, PositivesFirstRestZeroed)
{
    for (const CaseRow& c : caseFile("core_positive_sort.tsv", 3)) {
        std::vector<Value> in = valuesOf(c[0]);
        EXPECT_EQ(sortPositivesFirst(in), static_cast<std::size_t>(c.number(1))) << c.where;
        expectIdentical(in, valuesOf(c[2]), c.where);
    }
}

TEST(PositiveSort, FastFormMatchesTheLiteralPass)
{
    // Many ties that can still be told apart: scales, doubles beside equal
    // decimals, empties beside zeros, texts.
    const std::vector<Value> pool = {
        val("1"), val("1.0"), Value(1.0), val("0"), val("0.0"), Value(), Value(0.0), val("-2"),
        val("-2.0"), Value(-2.0), val("0.1"), Value(0.1), Value("a"), Value("b"), Value("a"),
        val("79228162514264337593543950335"), Value(1e30)};
    std::mt19937 gen(12345);
    for (int round = 0; round < 3001; ++round) {
        // The last round is one long tape of small integers.
        const bool large = round == 3000;
        std::vector<Value> a(large ? 4000 : std::uniform_int_distribution<std::size_t>(0, 40)(gen));
        for (auto& x : a)
            x = large ? Value(Decimal::fromInt(std::uniform_int_distribution<int>(-500, 500)(gen)))
                      : pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(gen)];
        std::vector<Value> b = a;
        selectionSortLiteral(a);
        detail::selectionSortTree(b);
        expectIdentical(b, a, "round " + std::to_string(round));
        for (std::size_t i = 1; i < b.size(); ++i)
            ASSERT_TRUE(compare(b[i - 1], b[i]) <= 0) << i;
    }
}

} // namespace
} // namespace qm
