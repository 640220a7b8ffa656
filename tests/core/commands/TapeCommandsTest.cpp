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
        } else {
            ADD_FAILURE() << r.where;
        }
    }
    EXPECT_EQ(kinds.size(), 3u);
    EXPECT_EQ(rowTextColour("-"), RowTextDarkRed);
    EXPECT_EQ(rowTextColour("Sin(-30)"), RowTextBlack);
    EXPECT_EQ(enteredLines(Tape{}, 0), 0u);
    EXPECT_EQ(copyNumbersText(tapeOfLines("+5|+2|+0"), '.', 2), "5\r\n2");
}

TEST(Clipboard, CopiedAsCrLfLinesPastedFromCrLfOrLf)
{
    const Tape t = tapeOfLines("+12.5|+0|+3|+Sin(30)|+|+-0.25");
    EXPECT_EQ(copyNumbersText(t, '.'), "12.5\r\n0\r\n3\r\nSin(30)\r\n\r\n-0.25");
    EXPECT_EQ(copyNumbersText(t, ','), "12,5\r\n0\r\n3\r\nSin(30)\r\n\r\n-0,25");
    EXPECT_EQ(copyNumbersText(Tape{}, '.'), "");
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(clipboardLines(""), Lines{});
    EXPECT_EQ(clipboardLines("1\r\n2"), (Lines{"1", "2"}));
    EXPECT_EQ(clipboardLines("1\n2\n"), (Lines{"1", "2", ""}));
    EXPECT_EQ(clipboardLines("1\r\n\r\n2"), (Lines{"1", "", "2"}));
    EXPECT_EQ(clipboardLines("a\rb"), (Lines{"a\rb"}));
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

} // namespace
} // namespace qm
