// Every reference case of tests/data/decimal_vectors.tsv.

#include "core/number/Decimal.h"

#include "core/CoreTestSupport.h"

#include <charconv>
#include <cmath>
#include <map>

namespace qm {
namespace {

using namespace test;

// The file writes decimals canonically: reading and printing must agree.
Decimal canonical(const std::string& s)
{
    const Decimal d = dec(s);
    EXPECT_EQ(plainText(d), s);
    return d;
}

double dbl(const std::string& s)
{
    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    EXPECT_TRUE(res.ec == std::errc() && res.ptr == s.data() + s.size()) << "cannot read double " << s;
    return v;
}

// Compares a decimal result with the expected field (a decimal or a failure name).
::testing::AssertionResult matches(const Result<Decimal>& got, const std::string& expected)
{
    if (expected == "OVERFLOW" ? !got.ok() && got.failure() == Failure::Overflow
        : expected == "DIVZERO" ? !got.ok() && got.failure() == Failure::DivisionByZero
                                : got.ok() && *got == canonical(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "got " << show(got);
}

TEST(DecimalVectors, EveryLineMatches)
{
    const std::vector<CaseRow> cases = caseFile("decimal_vectors.tsv", 4);
    ASSERT_GT(cases.size(), 2500u) << "vector file missing or truncated";
    std::map<std::string, int> checked;
    for (const CaseRow& c : cases) {
        SCOPED_TRACE(c.where);
        const std::string &op = c[0], &expected = c[3];
        if (op == "add" || op == "sub" || op == "mul" || op == "div") {
            const Decimal a = canonical(c[1]), b = canonical(c[2]);
            EXPECT_TRUE(matches(op == "add" ? a.add(b) : op == "sub" ? a.sub(b) : op == "mul" ? a.mul(b) : a.div(b), expected));
        } else if (op == "round") {
            EXPECT_TRUE(matches(canonical(c[1]).round(std::stoi(c[2])), expected));
        } else if (op == "floor") {
            EXPECT_TRUE(matches(canonical(c[1]).floor(), expected));
        } else if (op == "trunc") {
            EXPECT_TRUE(matches(canonical(c[1]).trunc(), expected));
        } else if (op == "fromdouble") {
            EXPECT_TRUE(matches(Decimal::fromDouble(dbl(c[1])), expected));
        } else if (op == "todouble") {
            const double got = canonical(c[1]).toDouble(), want = dbl(expected);   // within one unit in the last place
            EXPECT_TRUE(got == want || got == std::nextafter(want, INFINITY) || got == std::nextafter(want, -INFINITY))
                << "got " << doubleText(got);
        } else {
            ADD_FAILURE() << "unknown operation";
            continue;
        }
        ++checked[op];
    }
    EXPECT_EQ(checked.size(), 9u);
}

} // namespace
} // namespace qm
