#include "core/commands/SortNumbers.h"
#include "core/commands/TapeCommands.h"
#include "core/commands/PrintLayout.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"

#include "core/CoreTestSupport.h"

#include <cmath>
#include <limits>
#include <map>

namespace qm {
namespace {

using namespace test;

// A tape as Clear All leaves it: rows 0..lastRow, nothing beyond.
Tape clearedTape(int lastRow)
{
    Tape t;
    clearAllLines(t, lastRow);
    return t;
}

// 1, 2, ... count, joined by `sep`.
std::string numberLines(int count, const std::string& sep = "\r\n")
{
    std::string text = "1";
    for (int i = 2; i <= count; ++i)
        text += sep + std::to_string(i);
    return text;
}

TEST(TapeCommands, CasesOfTheFile)
{
    std::map<std::string, int> kinds;
    for (const CaseRow& r : caseFile("core_tape_commands.tsv", 0)) {
        ++kinds[r[0]];
        if (r[0] == "rowText") {
            EXPECT_EQ(rowText(valueOf(r[1]), r.number(2), r[3] == "G" ? German : English), r[4]) << r.where;
        } else if (r[0] == "entered") {
            EXPECT_EQ(enteredLines(tapeOfLines(r[1]), static_cast<std::size_t>(r.number(2))), static_cast<std::size_t>(r.number(3)))
                << r.where;
        } else if (r[0] == "paste") {
            Tape t = clearedTape(4);
            EXPECT_EQ(pasteNumbers(t, r[1], r[2] == "G" ? German : English, 4, 0), 0) << r.where;
            EXPECT_EQ(tapeText(t), r[3]) << r.where;
        } else if (r[0] == "copy") {
            EXPECT_EQ(copyNumbersText(tapeOfLines(r[1]), r[2].at(0), r[3].empty() ? SIZE_MAX : std::stoul(r[3])), r[4]) << r.where;
        } else if (r[0] == "lines") {
            std::string joined;
            for (std::size_t n = 0; const std::string_view line : clipboardLines(r[1]))
                joined.append(n++ ? "|" : "").append(line);
            EXPECT_EQ(joined, r[2]) << r.where;
        } else {
            ADD_FAILURE() << r.where;
        }
    }
    EXPECT_EQ(kinds.size(), 5u);
    EXPECT_EQ(rowTextColour("-"), RowTextDarkRed);
    EXPECT_EQ(rowTextColour("Sin(-30)"), RowTextBlack);
    EXPECT_EQ(enteredLines(Tape{}, 0), 0u);
    EXPECT_EQ(copyNumbersText(Tape{}, '.'), "");
    EXPECT_TRUE(clipboardLines("").empty());
}

TEST(PasteNumbers, ScrollRangeGrowsUpToTheSixteenBitLimitsButNeverShrinksTheTape)
{
    Tape t = clearedTape(16);
    EXPECT_EQ(pasteNumbers(t, numberLines(20), English, 16, 0), 3);
    EXPECT_EQ(tapeText(t), std::string("+").append(numberLines(20, "|+")));
    for (int count : {2, 20}) {   // a longer cleared tape keeps its length
        Tape l;
        l.resize(50);
        clearAllLines(l, 16);
        EXPECT_EQ(pasteNumbers(l, numberLines(count), English, 16, 0), count > 17 ? 3 : 0);
        ASSERT_EQ(l.size(), 50u);
        EXPECT_EQ(tapeText(l).substr(0, 6), "+1|+2|");
        EXPECT_EQ(tapeText(l).substr(tapeText(l).size() - 4), "| | ");
    }
    Tape e = clearedTape(5);
    EXPECT_EQ(pasteNumbers(e, "", English, 5, 0), 0);
    EXPECT_EQ(e.size(), 6u);
    // One number per line stops after 32001 extra lines.
    Tape one = clearedTape(16);
    EXPECT_EQ(pasteNumbers(one, numberLines(40000, "\n"), English, 16, 0), 32001);
    EXPECT_EQ(tapeText(one), std::string("+").append(numberLines(32018, "|+")));
    // The statement form skips lines beyond the 16-bit index.
    Tape s = clearedTape(16);
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "a\tb\tc\t1\r\n";
    EXPECT_EQ(pasteNumbers(s, text + "DE", English, 16, 0), 32767 - 16);
    ASSERT_EQ(s.size(), 32768u);
    EXPECT_EQ(tapeText(s).substr(tapeText(s).size() - 6), "|+1|+1");
    // A scroll maximum already at the limit cannot grow: the lines beyond the
    // shown rows are skipped, the shown ones still pasted.
    Tape m = clearedTape(2);
    EXPECT_EQ(pasteNumbers(m, "1\r\n2\r\n3\r\n4", English, 2, 32767), 32767);
    EXPECT_EQ(tapeText(m), "+1|+2|+3");
}

// "Sort Numbers...": every number stays, negatives first; zeros, then texts.
// "n:<decimal>", "f:<double>", "t:<text>", "_" for empty, joined by blanks.
std::string shownValues(const std::vector<Value>& values)
{
    std::string s;
    for (const Value& v : values) {
        if (!s.empty())
            s += ' ';
        s += v.isText() ? "t:" + v.text()
             : v.isEmpty() ? std::string("_")
                           : (v.isDouble() ? "f:" : "n:") + plainText(v, '.');
    }
    return s;
}

// Operators stay; lines without one, as Clear All leaves them beyond the rows, take no part.
TEST(SortNumbers, KeepsEveryValueInItsGroupAndOperatorsStay)
{
    for (const CaseRow& c : caseFile("core_sort_numbers.tsv", 2))
        EXPECT_EQ(shownValues(sortedNumbers(valuesOf(c[0]))), c[1]) << c.where;
    Tape t = tapeOfLines("+Sin(1)|-8|+0|x-8| | | ");
    sortTapeNumbers(t);
    EXPECT_EQ(shownValues(t.TapeValue), "n:-8 n:8 n:0 t:Sin(1) _ _ _");
    EXPECT_EQ(tapeText(t), "+-8|-8|+0|xSin(1)| | | ");
}

// A predictable font: "W" is 10 units wide, every other character 5; bold
// adds 1 unit per character.
double fakeWidth(std::string_view text, bool bold)
{
    double w = 0;
    for (char c : text)
        w += (c == 'W' ? 10 : 5) + (bold ? 1 : 0);
    return w;
}


// "edge|op amount x|..." with " bold" after a bold line.
std::string described(const PrintPlan& plan)
{
    std::string s = std::to_string(plan.rightEdge);
    for (const PrintLine& l : plan.lines)
        s += "|" + l.op + " " + l.amount + " " + doubleText(l.amountX) + (l.bold ? " bold" : "");
    return s;
}

TEST(PrintLayout, AddingMachineStripWithBoldTotal)
{
    Tape tape = tapeOf({{'+', val("12.5")}, {'x', val("3")}, {'+', val("0")}, {'+', Value()}});
    Result<PrintPlan> plan = planPrintedTape(tape, 2, English, "37.50", fakeWidth);
    ASSERT_TRUE(plan.ok());
    // The edge is the bold width of "WWW37.50" (3 x 11 + 5 x 6); the total is measured in bold.
    EXPECT_EQ(described(*plan), "63|+ 12.50 38|x 3.00 43|= 37.50 33 bold");
}

TEST(PrintLayout, EveryLineThatCountsPrintsAsTheTapeShowsIt)
{
    for (const CaseRow& r : caseFile("core_print_lines.tsv", 4)) {
        const Value value = valueOf(r[1]);
        const char op = r[0].at(0);
        EXPECT_EQ(printsOnTape(value, op), r[2] != "-") << r.where;
        if (r[2] != "-") {
            EXPECT_EQ(printAmountText(value, 25, English) + " " + printAmountText(value, 2, English), r[2] + " " + r[3]) << r.where;
        }
    }
    // Below 1 under a comma setting too.
    EXPECT_TRUE(printsOnTape(val("0.5"), '+'));
    EXPECT_EQ(printAmountText(val("0.5"), 25, German), "0,5");
    EXPECT_EQ(printAmountText(val("1234.5"), 2, German), "1.234,50");
}

TEST(PrintLayout, TotalLineIsRecalculatedFromTheTape)
{
    const FunctionButtons buttons = defaultFunctionButtons();
    Evaluator evaluator;
    auto totalLine = [&](const Tape& tape, int stat, int decimals) {
        CalcSettings s;
        s.StatMode = stat;
        s.DecimalPlaces = decimals;
        s.regional = English;
        return printedTotalText(tape, s, buttons, evaluator);
    };
    for (const CaseRow& r : caseFile("core_print_totals.tsv", 4))
        EXPECT_EQ(totalLine(tapeOfLines(r[0]), r.number(1), r.number(2)), r[3]) << r.where;
}

TEST(PrintLayout, RightEdgeRoundsHalvesToEven)
{
    for (const CaseRow& r : caseFile("core_print_edge.tsv", 2)) {
        const Result<std::int32_t> got = roundHalfEvenToInt32(std::stod(r[0]));
        EXPECT_EQ(got.ok() ? std::to_string(*got) : "failure: " + std::string(failureName(got.failure())), r[1]) << r.where;
    }
}

TEST(PrintLayout, EdgeFromOddWidths)
{
    // Every character 2.5 wide: "WWW" + "" is 7.5 -> 8.
    auto quarter = [](std::string_view t, bool) { return 2.5 * static_cast<double>(t.size()); };
    Result<PrintPlan> empty = planPrintedTape(Tape{}, 2, English, "", quarter);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(described(*empty), "8|=  8 bold");   // an empty tape still prints its total line
    // Amounts wider than the total ("Error") move the edge instead of running off the page.
    Tape tape = tapeOf({{'+', val("123456789012345")}, {'/', val("0")}});
    Result<PrintPlan> plan = planPrintedTape(tape, 25, English, "Error", fakeWidth);
    ASSERT_TRUE(plan.ok());
    // "/ 0" prints: it is why the total is Error; the total ends on the same edge.
    EXPECT_EQ(described(*plan), "85|+ 123456789012345 10|/ 0 80|= Error 55 bold");
    // An edge beyond 32 bits is a failure, not an undefined number.
    auto huge = [](std::string_view, bool) { return 1e12; };
    EXPECT_EQ(planPrintedTape(Tape{}, 2, English, "5", huge).failure(), Failure::Overflow);
    // A width function that reports nonsense counts as zero width.
    auto broken = [](std::string_view, bool) { return std::numeric_limits<double>::quiet_NaN(); };
    Result<PrintPlan> zero = planPrintedTape(Tape{}, 2, English, "5", broken);
    ASSERT_TRUE(zero.ok());
    EXPECT_EQ(described(*zero), "0|= 5 0 bold");
    EXPECT_EQ(linesPerPrintedPage(std::numeric_limits<double>::quiet_NaN(), 100), 1);
    // A tape with unequal arrays stops at the shorter.
    Tape uneven = tapeOf({{'+', val("1")}, {'+', val("2")}});
    uneven.TapeOp.pop_back();
    Result<PrintPlan> shorter = planPrintedTape(uneven, 25, English, "3", fakeWidth);
    ASSERT_TRUE(shorter.ok());
    EXPECT_EQ(shorter->lines.size(), 2u);
}

// A text line of any length never pushes the amounts off the page: it is
// shortened with an ellipsis, the numbers and the total stay whole.
TEST(PrintLayout, LongTextLinesAreShortenedToThePage)
{
    constexpr double Page = 300;
    for (const std::size_t twos : {0u, 120u, 10000u}) {
        const std::string text = "Sqr(1." + std::string(twos, '2') + ")";
        const Tape tape = tapeOf({{'+', val("100")}, {'-', val("25.5")}, {'+', Value(text)}, {'+', val("7")}});
        Result<PrintPlan> plan = planPrintedTape(tape, 25, English, "82.5", fakeWidth, PrintColumns{nullptr, Page});
        ASSERT_TRUE(plan.ok());
        ASSERT_EQ(plan->lines.size(), 5u);
        EXPECT_LE(plan->rightEdge, Page) << twos;
        for (const PrintLine& line : plan->lines) {
            EXPECT_GE(line.amountX, fakeWidth(line.op + " ", line.bold)) << twos << " " << line.amount;
            EXPECT_LE(line.amountX + fakeWidth(line.amount, line.bold), Page) << twos;
        }
        EXPECT_EQ(plan->lines[0].amount, "100");
        EXPECT_EQ(plan->lines[3].amount, "7");
        const std::string& shown = plan->lines[2].amount;
        if (fakeWidth("+ " + text, false) <= Page) {
            EXPECT_EQ(shown, text);
        } else {
            EXPECT_EQ(shown.substr(0, 6), "Sqr(1.");
            EXPECT_EQ(shown.substr(shown.size() - 3), "\xE2\x80\xA6");
        }
    }
    // Without a page the strip widens as before; a cut never splits a character.
    EXPECT_EQ(elidedToWidth("ab\xC3\xA9" "cdef", 30, false, fakeWidth), "ab\xE2\x80\xA6");
    EXPECT_EQ(elidedToWidth("abc", 1, false, fakeWidth), "\xE2\x80\xA6");
}

} // namespace
} // namespace qm
