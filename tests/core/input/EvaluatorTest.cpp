#include "core/input/Evaluator.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define QM_TEST_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_TEST_SANITIZED 1
#endif
#endif

namespace qm {
namespace {

struct TextCase {
    const char* expr;
    const char* expected;
};

class EvaluatorText : public ::testing::TestWithParam<TextCase> {};

TEST_P(EvaluatorText, GivesText)
{
    Evaluator ev;
    const auto r = ev.Evaluate(GetParam().expr);
    ASSERT_TRUE(r.ok()) << GetParam().expr << " failed with " << failureName(r.failure());
    EXPECT_EQ(*r, GetParam().expected) << GetParam().expr;
}

INSTANTIATE_TEST_SUITE_P(
    Consequences, EvaluatorText,
    ::testing::Values(TextCase{"-2^2", "4"}, TextCase{"2*-3^2", "18"}, TextCase{"2^3^2", "64"},
                      TextCase{"8/2/2", "2"}, TextCase{"2*1/3", "0.6666666666666666666666666666"},
                      TextCase{"2^0.5", "1.4142135623731"}));

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, EvaluatorText,
    ::testing::Values(
        TextCase{"   ", "Error"}, TextCase{"  2 + 3  ", "5"}, TextCase{"2,5*2", "5"},
        TextCase{"3-5", "-2"}, TextCase{"3--2", "5"}, TextCase{"3+-2", "1"}, TextCase{"-3^2", "9"},
        TextCase{"2^-1", "0.5"}, TextCase{"-5", "-5"}, TextCase{"+5", "Error - Sign"},
        TextCase{"*5", "Error - Sign"}, TextCase{"5-", "Error - Sign"},
        TextCase{"5+*2", "Error - Sign"}, TextCase{"5/0", "Error - Division"},
        TextCase{"5/", "Error - Division"}, TextCase{"3//2", "Error - Division"},
        TextCase{"5^", "1"}, TextCase{"(1+2)*3", "9"}, TextCase{"2*(1-3)", "-4"},
        TextCase{"((4))", "4"}, TextCase{"2(3)", "23"}, TextCase{"(2)(3)", "23"},
        TextCase{"(1+2", "Error - ()"}, TextCase{")1(", "Error - ()"},
        TextCase{"2X3", "Error - Token"}, TextCase{"2a", "Error - Token"},
        TextCase{"1/3", "0.3333333333333333333333333333"}));

INSTANTIATE_TEST_SUITE_P(
    MoreRules, EvaluatorText,
    ::testing::Values(
        TextCase{"", "Error"},                      // nothing at all
        TextCase{"2\t+3", "Error - Token"},         // only blanks are removed
        TextCase{"2 + (3", "Error - ()"},           // bracket check before anything else
        TextCase{"(5/0)+(1*)", "Error - Division"}, // the first piece reduced decides
        TextCase{"3++2", "5"}, TextCase{"3-+2", "1"}, TextCase{"-+3", "-3"}, TextCase{"--3", "3"},
        TextCase{"3--*2", "6"},        // a sign pair takes the next slot's text as it is
        TextCase{"0.0/1", "0"}, TextCase{"1.50*2", "3"}, TextCase{"+5*0", "Error - Sign"},
        TextCase{"(+5)", "Error - Sign"}, TextCase{"2*(0-0)/1", "0"},
        TextCase{"1/0.000", "Error - Division"},
        TextCase{"10^20/10^20", "1"},  // "1E+20" is read back strictly
        TextCase{"2^0.5*2^0.5", "2.00000000000001400410360361"},
        TextCase{"(4*3.14159265358979*12^3)/3", "7238.22947387087616"},
        TextCase{"79228162514264337593543950335", "79228162514264337593543950335"},
        TextCase{"-(2)", "-2"}, TextCase{"5-(-2)", "7"}, TextCase{"(1)+(2)*(3)", "7"}));

struct FailCase {
    const char* expr;
    Failure failure;
};

class EvaluatorFailure : public ::testing::TestWithParam<FailCase> {};

TEST_P(EvaluatorFailure, Signalled)
{
    Evaluator ev;
    const auto r = ev.Evaluate(GetParam().expr);
    ASSERT_FALSE(r.ok()) << GetParam().expr << " gave " << *r;
    EXPECT_EQ(r.failure(), GetParam().failure) << GetParam().expr;
}

INSTANTIATE_TEST_SUITE_P(
    RunTime, EvaluatorFailure,
    ::testing::Values(FailCase{"()", Failure::Conversion}, FailCase{"5*", Failure::Conversion},
                      FailCase{"3**2", Failure::Conversion}, FailCase{"1.2.3", Failure::Conversion},
                      FailCase{"3--", Failure::Conversion}, FailCase{"2*()", Failure::Conversion},
                      FailCase{"79228162514264337593543950335+1", Failure::Overflow},
                      FailCase{"79228162514264337593543950335*2", Failure::Overflow},
                      FailCase{"10^30", Failure::Overflow},   // beyond the decimal range
                      FailCase{"10^400", Failure::Overflow},  // beyond the double range
                      FailCase{"-8^0.5", Failure::Power}));

TEST(Evaluator, PowersComeBeforeProductsAndQuotients)
{
    // The exponent is read with its folded sign; the power is taken first.
    Evaluator ev;
    EXPECT_EQ(*ev.Evaluate("2^-1*4"), "2");
    EXPECT_EQ(*ev.Evaluate("4^0.5/2"), "1");
}

TEST(Evaluator, TokenSlotLimit)
{
    // "-1" then "+1" 49 times: 100 raw slots, the most a piece may use.
    std::string hundred = "-1";
    for (int i = 0; i < 49; ++i)
        hundred += "+1";
    Evaluator ev;
    auto r = ev.Evaluate(hundred);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(*r, "48");

    // One slot more fails, in the same piece or in a bracketed one.
    auto over = ev.Evaluate(hundred + "+1");
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.failure(), Failure::Tokens);
    over = ev.Evaluate("2*(" + hundred + "+1)");
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.failure(), Failure::Tokens);

    // A trailing operator leaves the slot after it to be read: at slot 99 that
    // is slot 100, still in the table; at slot 100 it is slot 101.
    std::string ninetyEight = "-1";
    for (int i = 0; i < 48; ++i)
        ninetyEight += "+1";
    auto fine = ev.Evaluate(ninetyEight + "^");
    ASSERT_TRUE(fine.ok());
    EXPECT_EQ(*fine, "47");
    std::string ninetyNine = "1";
    for (int i = 0; i < 49; ++i)
        ninetyNine += "*1";
    over = ev.Evaluate(ninetyNine + "^");
    ASSERT_FALSE(over.ok());
    EXPECT_EQ(over.failure(), Failure::Tokens);
}

TEST(Evaluator, StateDoesNotLeakBetweenCalls)
{
    Evaluator ev;
    EXPECT_EQ(*ev.Evaluate("5/0"), "Error - Division");
    EXPECT_EQ(*ev.Evaluate("1+1"), "2");
    EXPECT_FALSE(ev.Evaluate("2*(1.2.3)").ok());
    EXPECT_EQ(*ev.Evaluate("(1+2)*3"), "9");
    std::string many = "1";
    for (int i = 0; i < 40; ++i)
        many += "+2";
    EXPECT_EQ(*ev.Evaluate(many), "81");
    EXPECT_EQ(*ev.Evaluate("7"), "7");   // no token of the long call survives
    EXPECT_EQ(*ev.Evaluate("+7"), "Error - Sign");
    EXPECT_EQ(*ev.Evaluate("7-"), "Error - Sign");
}

TEST(Evaluator, DeepNesting)
{
    Evaluator ev;
    const std::string deep = std::string(1000, '(') + "1+2" + std::string(1000, ')');
    EXPECT_EQ(*ev.Evaluate(deep), "3");
    const std::string product = "2*" + std::string(1000, '(') + "3" + std::string(1000, ')') + "*5";
    EXPECT_EQ(*ev.Evaluate(product), "30");
}

TEST(Evaluator, BracketPositionsAre16Bit)
{
    Evaluator ev;
    // The closing bracket at position 32767 is the last that can be held.
    std::string fits = std::string(32764, '0') + "(1)";
    ASSERT_EQ(fits.size(), 32767u);
    EXPECT_EQ(*ev.Evaluate(fits), "1");   // 000...0 joined to 1
    std::string beyond = std::string(32765, '0') + "(1)";
    auto r = ev.Evaluate(beyond);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failure(), Failure::Overflow);

    // Substitution shortens the text: later pairs come into range.
    std::string pairs;
    for (int i = 0; i < 12000; ++i)
        pairs += "(0)";
    pairs += "+(5)";
    EXPECT_EQ(*ev.Evaluate(pairs), "5");
}

// Repeats `unit` until the text is at least `size` bytes long.
std::string repeated(std::string_view unit, std::size_t size)
{
    std::string s;
    s.reserve(size + unit.size());
    while (s.size() < size)
        s.append(unit);
    return s;
}

TEST(Evaluator, HugeInputIsHandledInLinearTime)
{
#if defined(QM_TEST_SANITIZED)
    constexpr std::size_t TenMB = 1'000'000;   // the instrumented build is ten times slower
#else
    constexpr std::size_t TenMB = 10'000'000;
#endif
    Evaluator ev;
    const auto start = std::chrono::steady_clock::now();

    std::string text(TenMB, '0');
    text += '7';
    EXPECT_EQ(*ev.Evaluate(text), "7");

    text.assign(TenMB, ' ');
    EXPECT_EQ(*ev.Evaluate(text), "Error");

    text.assign(TenMB, '0');
    text.front() = '1';
    auto r = ev.Evaluate(text);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failure(), Failure::Overflow);

    r = ev.Evaluate(repeated("(1)", TenMB));
    ASSERT_FALSE(r.ok());   // "111..." pushes the next pair beyond position 32767
    EXPECT_EQ(r.failure(), Failure::Overflow);

    r = ev.Evaluate(repeated("1+", TenMB) + "1");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.failure(), Failure::Tokens);

    text.assign(TenMB / 2, '(');
    text += '1';
    text.append(TenMB / 2, ')');
    r = ev.Evaluate(text);
    ASSERT_FALSE(r.ok());   // the first ")" stands far beyond position 32767
    EXPECT_EQ(r.failure(), Failure::Overflow);

    text.assign(TenMB, 'a');
    EXPECT_EQ(*ev.Evaluate(text), "Error - Token");

    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
#if defined(NDEBUG) && !defined(QM_TEST_SANITIZED)
    // Well under a second on an idle machine; quadratic work on these sizes
    // would take hours, so a loose bound is enough and survives a busy machine.
    EXPECT_LT(seconds, 30.0);
#else
    (void)seconds;
#endif
}

} // namespace
} // namespace qm
