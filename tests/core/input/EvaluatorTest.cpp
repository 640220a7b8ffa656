#include "core/input/Evaluator.h"

#include "core/CoreTestSupport.h"

#if defined(__SANITIZE_ADDRESS__)
#define QM_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_TEST_SANITIZED 1
#endif
#endif

namespace qm {
namespace {

using namespace test;

TEST(Evaluator, Expressions)
{
    Evaluator ev;   // one evaluator throughout: nothing may leak between calls
    for (const CaseRow& row : caseFile("core_evaluator.tsv", 2))
        EXPECT_EQ(show(ev.evaluate(row[0])), row[1]) << row.where;
}

// `unit` repeated `count` times.
std::string times(std::string_view unit, std::size_t count)
{
    std::string s;
    while (count-- > 0)
        s.append(unit);
    return s;
}

TEST(Evaluator, SixteenBitAndTokenLimits)
{
    Evaluator ev;
    // "-1" then "+1" 49 times: 100 raw slots, the most a piece may use; one
    // more fails, in the same piece or in a bracketed one.
    const std::string hundred = "-1" + times("+1", 49);
    EXPECT_EQ(show(ev.evaluate(hundred)), "48");
    EXPECT_EQ(show(ev.evaluate(hundred + "+1")), "failure: tokens");
    EXPECT_EQ(show(ev.evaluate("2*(" + hundred + "+1)")), "failure: tokens");
    // A trailing operator leaves the slot after it to be read: at slot 99 that
    // is slot 100, still in the table; at slot 100 it is slot 101.
    EXPECT_EQ(show(ev.evaluate(std::string("-1").append(times("+1", 48)).append("^"))), "47");
    EXPECT_EQ(show(ev.evaluate(std::string("1").append(times("*1", 49)).append("^"))), "failure: tokens");
    EXPECT_EQ(show(ev.evaluate(times("(", 1000) + "1+2" + times(")", 1000))), "3");
    EXPECT_EQ(show(ev.evaluate("2*" + times("(", 1000) + "3" + times(")", 1000) + "*5")), "30");
    // The closing bracket at position 32767 is the last that can be held.
    EXPECT_EQ(show(ev.evaluate(std::string(32764, '0') + "(1)")), "1");   // 000...0 joined to 1
    EXPECT_EQ(show(ev.evaluate(std::string(32765, '0') + "(1)")), "failure: overflow");
    // Substitution shortens the text: later pairs come into range.
    EXPECT_EQ(show(ev.evaluate(times("(0)", 12000) + "+(5)")), "5");
}

// Millions of characters: a step that is quadratic in the length shows up
// as a timeout.
TEST(Evaluator, HugeInputs)
{
#if defined(QM_TEST_SANITIZED)
    constexpr std::size_t Big = 1'000'000;   // the instrumented build is ten times slower
#else
    constexpr std::size_t Big = 10'000'000;
#endif
    Evaluator ev;
    EXPECT_EQ(show(ev.evaluate(std::string(Big, '0') + "7")), "7");
    EXPECT_EQ(show(ev.evaluate(std::string(Big, ' '))), "Error");
    EXPECT_EQ(show(ev.evaluate("1" + std::string(Big, '0'))), "failure: overflow");
    // "111..." pushes the next pair beyond position 32767.
    EXPECT_EQ(show(ev.evaluate(times("(1)", Big / 3))), "failure: overflow");
    EXPECT_EQ(show(ev.evaluate(times("1+", Big / 2) + "1")), "failure: tokens");
    // The first ")" stands far beyond position 32767.
    EXPECT_EQ(show(ev.evaluate(std::string(Big / 2, '(') + "1" + std::string(Big / 2, ')'))), "failure: overflow");
    EXPECT_EQ(show(ev.evaluate(std::string(Big, 'a'))), "Error - Token");
}

} // namespace
} // namespace qm
