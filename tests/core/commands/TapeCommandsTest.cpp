#include "core/commands/SortNumbers.h"
#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

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

TEST(PasteNumbers, ScrollRangeGrowsButNeverShrinksTheTape)
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
}

TEST(PasteNumbers, SixteenBitLineLimits)
{
    // One number per line stops after 32001 extra lines.
    Tape t = clearedTape(16);
    EXPECT_EQ(pasteNumbers(t, numberLines(40000, "\n"), English, 16, 0), 32001);
    EXPECT_EQ(tapeText(t), std::string("+").append(numberLines(32018, "|+")));
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

TEST(SortNumbers, KeepsEveryValueInItsGroup)
{
    for (const CaseRow& c : caseFile("core_sort_numbers.tsv", 2))
        EXPECT_EQ(shownValues(sortedNumbers(valuesOf(c[0]))), c[1]) << c.where;
}

TEST(SortNumbers, OperatorsStayAndLinesWithoutOneTakeNoPart)
{
    Tape t;
    clearAllLines(t, 3);   // lines 0..3 "+", 0
    t.TapeValue.resize(7);
    t.TapeOp.resize(7, BlankOp);   // three lines as Clear All leaves them beyond the rows
    t.TapeValue[0] = Value("Sin(1)");
    t.TapeValue[1] = val("8");
    t.TapeOp[1] = '-';
    t.TapeValue[3] = val("-8");
    t.TapeOp[3] = 'x';
    sortTapeNumbers(t);
    EXPECT_EQ(shownValues(t.TapeValue), "n:-8 n:8 n:0 t:Sin(1) _ _ _");
    EXPECT_EQ(std::string(t.TapeOp.begin(), t.TapeOp.end()), std::string("+-+x") + BlankOp + BlankOp + BlankOp);
}

} // namespace
} // namespace qm
