#include "core/commands/PrintLayout.h"

#include "core/CoreTestSupport.h"

#include <cmath>
#include <limits>

namespace qm {
namespace {

// A predictable font: "W" is 10 units wide, every other character 5; bold
// adds 1 unit per character.
double fakeWidth(std::string_view text, bool bold)
{
    double w = 0;
    for (char c : text)
        w += (c == 'W' ? 10 : 5) + (bold ? 1 : 0);
    return w;
}

using namespace test;

TEST(PrintLayout, AddingMachineStripWithBoldTotal)
{
    Tape tape = tapeOf({{'+', val("12.5")}, {'x', val("3")}, {'+', val("0")}, {'+', Value()}});
    Result<PrintPlan> plan = planPrintedTape(tape, 2, English, "37.50", fakeWidth);
    ASSERT_TRUE(plan.ok());
    // R = bold width of "WWW37.50" = 3 * 11 + 5 * 6.
    EXPECT_EQ(plan->rightEdge, 63);
    ASSERT_EQ(plan->lines.size(), 3u);

    const struct { const char* op; const char* amount; double x; bool bold; } want[] = {
        {"+", "12.50", 63 - 25, false}, {"x", "3.00", 63 - 20, false},
        {"=", "37.50", 63 - 30, true},   // the total is measured in bold
    };
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(plan->lines[i].op, want[i].op) << i;
        EXPECT_EQ(plan->lines[i].amount, want[i].amount) << i;
        EXPECT_DOUBLE_EQ(plan->lines[i].amountX, want[i].x) << i;
        EXPECT_EQ(plan->lines[i].bold, want[i].bold) << i;
    }
}

TEST(PrintLayout, WhichLinesPrint)
{
    struct Row { const char* name; Value value; char sep; bool prints; };
    const Row rows[] = {
        {"tiny positive", val("0.0001"), '.', true},    {"zero", val("0"), '.', false},
        {"empty line", Value(), '.', false},             {"negative", val("-4"), '.', false},
        {"function line", Value("Sin(30)"), '.', false}, {"rounding Roun", Value("Roun(2)"), '.', false},
        {"negative percent", Value("-5%"), '.', false},
        {"percent reads its leading number", Value("10%"), '.', true},
        {"half under a comma setting", val("0.5"), ',', false},
        {"one and a half under a comma setting", val("1.5"), ',', true},
        {"negative double", Value(-2.0), '.', false},
        {"tiny double in exponent form", Value(1.5e-7), '.', true},
        {"largest decimal", Value(Decimal::max()), '.', true},
    };
    for (const Row& r : rows)
        EXPECT_EQ(printsOnTape(r.value, r.sep), r.prints) << r.name;
}

TEST(PrintLayout, AmountTexts)
{
    struct Row { Value value; int decimals; const Regional* region; const char* text; };
    const Row rows[] = {
        {val("0.5"), 2, &English, ".50"},        {val("1234.5"), 2, &German, "1.234,50"},
        {val("2.5"), 0, &English, "3"},          {val("1234.5"), 25, &English, "1234.5"},
        {val("1.5"), 25, &German, "1,5"},
        {val("0.3333333333333333333333333333"), 7, &English, "0.3333333333333333333333333333"},
        {Value(3.14159265358979), 2, &English, "3.14"}, {Value("10%"), 2, &English, "10%"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(printAmountText(r.value, r.decimals, *r.region), r.text)
            << r.text << " at " << r.decimals;
}

TEST(PrintLayout, RightEdgeRoundsHalvesToEven)
{
    struct Row { double in; bool ok; std::int32_t out; };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Row rows[] = {
        {2.5, true, 2},          {3.5, true, 4},        {2.4999, true, 2},
        {2.5001, true, 3},       {-2.5, true, -2},      {-3.5, true, -4},
        {-0.5, true, 0},         {0.0, true, 0},        {2147483647.4, true, 2147483647},
        {2147483647.5, false, 0}, {-2147483648.5, true, -2147483648},
        {-2147483649.0, false, 0}, {1e300, false, 0},    {nan, false, 0}, {inf, false, 0},
    };
    for (const Row& r : rows) {
        Result<std::int32_t> got = roundHalfEvenToInt32(r.in);
        ASSERT_EQ(got.ok(), r.ok) << r.in;
        if (r.ok)
            EXPECT_EQ(got.value(), r.out) << r.in;
        else
            EXPECT_EQ(got.failure(), Failure::Overflow) << r.in;
    }
}

TEST(PrintLayout, EdgeFromOddWidths)
{
    // Every character 2.5 wide: "WWW" + "" is 7.5 -> 8.
    auto quarter = [](std::string_view t, bool) { return 2.5 * static_cast<double>(t.size()); };
    Result<PrintPlan> empty = planPrintedTape(Tape{}, 2, English, "", quarter);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->rightEdge, 8);
    ASSERT_EQ(empty->lines.size(), 1u);   // an empty tape still prints its total line
    EXPECT_EQ(empty->lines[0].op, "=");
    EXPECT_DOUBLE_EQ(empty->lines[0].amountX, 8.0);

    // Amounts wider than the total ("Error") move the edge instead of running off the page.
    Tape tape = tapeOf({{'+', val("123456789012345")}, {'/', val("0")}});
    Result<PrintPlan> plan = planPrintedTape(tape, 25, English, "Error", fakeWidth);
    ASSERT_TRUE(plan.ok());
    ASSERT_EQ(plan->lines.size(), 2u);
    const PrintLine& wide = plan->lines[0];
    EXPECT_GE(wide.amountX, fakeWidth("+ ", false));
    EXPECT_DOUBLE_EQ(wide.amountX + fakeWidth(wide.amount, false), plan->rightEdge);
    // The total still ends on the same edge.
    EXPECT_DOUBLE_EQ(plan->lines[1].amountX + fakeWidth("Error", true), plan->rightEdge);

    // An edge beyond 32 bits is a failure, not an undefined number.
    auto huge = [](std::string_view, bool) { return 1e12; };
    EXPECT_EQ(planPrintedTape(Tape{}, 2, English, "5", huge).failure(), Failure::Overflow);

    // A width function that reports nonsense counts as zero width.
    auto broken = [](std::string_view, bool) { return std::numeric_limits<double>::quiet_NaN(); };
    Result<PrintPlan> zero = planPrintedTape(Tape{}, 2, English, "5", broken);
    ASSERT_TRUE(zero.ok());
    EXPECT_EQ(zero->rightEdge, 0);

    // A tape with unequal arrays stops at the shorter.
    Tape uneven = tapeOf({{'+', val("1")}, {'+', val("2")}});
    uneven.TapeOp.pop_back();
    Result<PrintPlan> shorter = planPrintedTape(uneven, 25, English, "3", fakeWidth);
    ASSERT_TRUE(shorter.ok());
    EXPECT_EQ(shorter->lines.size(), 2u);
}

TEST(PrintLayout, LinesFillPagesTopDown)
{
    struct Row { std::size_t index; double lineHeight, pageHeight; int page; double y; };
    const Row rows[] = {
        {0, 10, 35, 0, 0},  {2, 10, 35, 0, 20},  {3, 10, 35, 1, 0},  {7, 10, 35, 2, 10},
        {5, 10, 30, 1, 20}, {6, 10, 30, 2, 0},   {4, 10, 5, 4, 0},   {1, 0, 100, 1, 0},
    };
    for (const Row& r : rows) {
        PrintPlace p = printPlace(r.index, r.lineHeight, r.pageHeight);
        EXPECT_EQ(p.page, r.page) << r.index << " " << r.lineHeight << " " << r.pageHeight;
        EXPECT_DOUBLE_EQ(p.y, r.y) << r.index;
    }
    EXPECT_EQ(linesPerPrintedPage(10, 35), 3);
    EXPECT_EQ(linesPerPrintedPage(10, 9), 1);
    EXPECT_EQ(linesPerPrintedPage(std::numeric_limits<double>::quiet_NaN(), 100), 1);
}

} // namespace
} // namespace qm
