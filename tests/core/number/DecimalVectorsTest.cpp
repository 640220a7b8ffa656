// Every reference case of tests/data/decimal_vectors.tsv.

#include "core/number/Decimal.h"
#include "core/number/TextForm.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

using qm::Decimal;
using qm::Failure;
using qm::Result;

struct Case {
    int line;
    std::string op, a, b, expected;
};

std::vector<Case> loadCases()
{
    std::ifstream in(std::string(QM_TESTDATA_DIR) + "/decimal_vectors.tsv");
    std::vector<Case> cases;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        std::istringstream fields(text);
        Case c{line, {}, {}, {}, {}};
        for (std::string* field : {&c.op, &c.a, &c.b, &c.expected})
            std::getline(fields, *field, '\t');
        if (!text.empty())
            cases.push_back(c);
    }
    return cases;
}

Decimal dec(const std::string& s)
{
    const auto r = qm::parseStrict(s);
    // The file writes decimals canonically: reading and printing must agree.
    EXPECT_EQ(r.ok() ? qm::plainText(*r) : "unreadable", s);
    return r.valueOr(Decimal());
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
                                : got.ok() && *got == dec(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "got " << (got.ok() ? qm::plainText(*got) : std::string("failure ") + qm::failureName(got.failure()));
}


TEST(DecimalVectors, EveryLineMatches)
{
    const auto cases = loadCases();
    ASSERT_GT(cases.size(), 2500u) << "vector file missing or truncated";
    std::map<std::string, int> checked;
    for (const Case& c : cases) {
        SCOPED_TRACE("line " + std::to_string(c.line) + ": " + c.op + " " + c.a + " " + c.b +
                     " -> " + c.expected);
        if (c.op == "add" || c.op == "sub" || c.op == "mul" || c.op == "div") {
            const Decimal a = dec(c.a), b = dec(c.b);
            EXPECT_TRUE(matches(c.op == "add" ? a.add(b) : c.op == "sub" ? a.sub(b)
                                : c.op == "mul" ? a.mul(b) : a.div(b), c.expected));
        } else if (c.op == "round") {
            EXPECT_TRUE(matches(dec(c.a).round(std::stoi(c.b)), c.expected));
        } else if (c.op == "floor") {
            EXPECT_TRUE(matches(dec(c.a).floor(), c.expected));
        } else if (c.op == "trunc") {
            EXPECT_TRUE(matches(dec(c.a).trunc(), c.expected));
        } else if (c.op == "fromdouble") {
            EXPECT_TRUE(matches(Decimal::fromDouble(dbl(c.a)), c.expected));
        } else if (c.op == "todouble") {
            const double got = dec(c.a).toDouble(), want = dbl(c.expected);   // within one unit in the last place
            EXPECT_TRUE(got == want || got == std::nextafter(want, INFINITY) || got == std::nextafter(want, -INFINITY))
                << "got " << qm::doubleText(got);
        } else {
            ADD_FAILURE() << "unknown operation";
            continue;
        }
        ++checked[c.op];
    }
    EXPECT_EQ(checked.size(), 9u);
}

} // namespace
