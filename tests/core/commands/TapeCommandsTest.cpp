#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

TEST(RowText, FormsOfEveryKindOfValue)
{
    const struct { Value value; int decimals; Regional regional; std::string expected; } rows[] = {
        {val("-1234.5"), 2, German, "-1.234,50"}, {val("12.5"), 25, German, "12,5"},
        {val("-0.00"), 2, English, ""},           {Value(3.14159265358979), 3, English, "3.142"},
        // Neither a function nor a number: shown unformatted.
        {Value("(5"), 2, English, "(5"},
        // A number held as text while it is edited.
        {Value("30"), 2, English, "30.00"},       {Value("0"), 2, English, ""},
        // Too large for fixed decimals: the plain form instead of nothing.
        {Value(1e300), 2, English, "1E+300"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(rowText(r.value, r.decimals, r.regional), r.expected)
            << plainText(r.value) << " with " << r.decimals << " decimals";
    EXPECT_EQ(rowTextColour("-"), RowTextDarkRed);
    EXPECT_EQ(rowTextColour("Sin(-30)"), RowTextBlack);
}

TEST(ClearAll, RowsZeroUnderPlusLinesBeyondBlank)
{
    Tape t = tapeOfLines("x1|x2|xSin(3)|x4|x5");
    clearAllLines(t, 2);
    EXPECT_EQ(tapeText(t), "+0|+0|+0| | ");
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(i <= 2 ? t.TapeValue[i].isDecimal() : t.TapeValue[i].isEmpty()) << i;
    // A short tape grows to every created row.
    Tape s = tapeOfLines("+7");
    clearAllLines(s, 4);
    EXPECT_EQ(tapeText(s), "+0|+0|+0|+0|+0");
    EXPECT_TRUE(s.TapeValue[4].isDecimal());
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

// Trailing "+0" padding (the rows made, the lines Enter added) is neither
// copied nor saved; what a file or a paste gave stays.
TEST(EnteredLines, TrailingPaddingLeftOutKeptLinesStay)
{
    const struct { const char* tape; std::size_t kept; std::size_t want; } rows[] = {
        {"+5|+2|+0|+0|+0", 0, 2},
        {"+5|+0|+2|+0| ", 0, 3},            // padding inside the tape stays
        {"+5|+2|+0|+0", 4, 4},              // a file's own "+0" lines
        {"+5|+2|+0|+0|+0", 3, 3},           // the rows made after a short file
        {"+5|x0|+0", 0, 2},                 // "x0" zeroes the total: not padding
        {"+5|x|+0", 0, 2},                  // an operator the user chose
        {"+5|+Sin(0)|+0", 0, 2},
        {"+5|+|+0.000| | ", 0, 1},          // empty, 0.000 and blank lines are padding
        {"-0|+0", 0, 1},
        {"+0|+0|+0", 0, 1},                 // a tape of padding gives one line
        {"+7", 9, 1},                       // never more than the tape
    };
    for (const auto& r : rows)
        EXPECT_EQ(enteredLines(tapeOfLines(r.tape), r.kept), r.want) << r.tape << " kept " << r.kept;
    EXPECT_EQ(enteredLines(Tape{}, 0), 0u);
    EXPECT_EQ(copyNumbersText(tapeOfLines("+5|+2|+0"), '.', 2), "5\r\n2");
}

TEST(PasteNumbers, OneNumberPerLineOrTheStatementForm)
{
    const struct { const char* text; const Regional& regional; const char* want; } rows[] = {
        {"1,234.5\r\n7\r\nabc\r\n-2.5e1\t9", English, "+1234.5|+7|+0|+-25|+0"},
        // "7 kg" is no regional number, so its leading number counts; the
        // grouping dots go before that reading.
        {"1.234,5\r\n7 kg\r\n1.5x\r\n  ", German, "+1234.5|+7|+15|+0|+0"},
        // Tab-separated: an empty first field means minus, the fourth is the
        // amount; with fewer than four fields only the operator is set; the
        // "DE" line is no tape line.
        {"\t01.02.\tRent\t12.50\r\nx\t02.02.\tRefund\t 7.25abc\r\n\tshort\r\ny\ta\tb\tnothing\r\nDE", English,
         "-12.5|+7.25|-0|+0|+0"},
        // Statement amounts are read whole: the period is the point, grouping
        // commas, blanks and apostrophes go, the sign stays; an amount beyond
        // any number leaves the line as it was.
        {"\ta\tb\t1,234.56\r\nx\ta\tb\t-1,234,567.5\r\nx\ta\tb\t1 000'000\r\nx\ta\tb\t1e999\r\nDE", German,
         "-1234.56|+-1234567.5|+1000000|+0|+0"},
    };
    for (const auto& r : rows) {
        Tape t = clearedTape(4);
        EXPECT_EQ(pasteNumbers(t, r.text, r.regional, 4, 0), 0) << r.text;
        EXPECT_EQ(tapeText(t), r.want);
    }
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
