// Arithmetic, powers, conversions and ordering of dynamically typed values.

#include "core/number/Value.h"

#include "core/CoreTestSupport.h"

#include <cmath>

namespace qm {
namespace {

using namespace test;

// "D:<plain text>", "F:<double text>" or "failure: <name>".
std::string show(const Result<Value>& r)
{
    if (!r.ok())
        return std::string("failure: ") + failureName(r.failure());
    return (r->isDecimal() ? "D:" : r->isDouble() ? "F:" : "?:") + plainText(*r);
}

TEST(Value, ArithmeticAndPower)
{
    for (const CaseRow& c : caseFile("core_value_arithmetic.tsv", 4)) {
        const Value a = valueOf(c[1]), b = valueOf(c[2]);
        const char op = c[0].at(0);
        const auto r = op == '+' ? add(a, b) : op == '-' ? sub(a, b) : op == '*' ? mul(a, b) : op == '/' ? div(a, b) : power(a, b);
        EXPECT_EQ(show(r), c[3]) << c.where;
    }
}

TEST(Value, Conversions)
{
    EXPECT_EQ(toDouble(Value("7")), 0.0);
    EXPECT_EQ(toDouble(val("-2.5")), -2.5);
    EXPECT_EQ(toDecimal(Value()).value(), Decimal());
    EXPECT_EQ(toDecimal(Value(std::acos(0.5))).value(), dec("1.0471975511966"));
    EXPECT_EQ(toDecimal(Value(1e30)).failure(), Failure::Overflow);
    EXPECT_EQ(toDecimal(Value("1")).failure(), Failure::Conversion);
}

TEST(Value, CompareOrdersEverything)
{
    std::vector<std::pair<Value, int>> ordered;
    for (const CaseRow& c : caseFile("core_value_order.tsv", 3))
        if (c[0] == "value")
            ordered.emplace_back(valueOf(c[1]), c.number(2));
    ASSERT_EQ(ordered.size(), 27u);
    for (const auto& [x, xGroup] : ordered)
        for (const auto& [y, yGroup] : ordered)
            EXPECT_EQ(compare(x, y), xGroup <=> yGroup) << plainText(x) << " vs " << plainText(y);
}

} // namespace
} // namespace qm
