#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

#include <string>
#include <vector>

namespace qm {
namespace {

using namespace test;

Tape tapeOfValues(std::vector<Value> values, char op = '+')
{
    Tape t;
    t.TapeOp.assign(values.size(), op);
    t.TapeValue = std::move(values);
    return t;
}

std::string shown(const Value& v) { return plainText(v, '.'); }

TEST(RowText, FormsOfEveryKindOfValue)
{
    const struct { Value value; int decimals; Regional regional; std::string expected; } rows[] = {
        {val("0.5"), 2, English, ".50"},           {val("-1234.5"), 2, German, "-1.234,50"},
        {val("12.5"), 25, German, "12,5"},         {val("12.5"), 0, English, "13"},
        {val("1234567.125"), 6, English, "1,234,567.125000"},
        {val("0"), 25, English, ""},               {val("-0.00"), 2, English, ""},
        {Value(), 2, English, ""},                 {Value(0.0), 25, English, ""},
        {Value(3.14159265358979), 3, English, "3.142"},
        {Value("Sin(30)"), 2, English, "Sin(30)"}, {Value("15%"), 2, English, "15%"},
        // Neither a function nor a number: shown unformatted.
        {Value("(5"), 2, English, "(5"},           {Value("Int"), 2, English, "Int"},
        // A number held as text while it is edited.
        {Value("30"), 2, English, "30.00"},        {Value("0"), 2, English, ""},
        {Value(""), 2, English, ""},
        // Too large for fixed decimals: the plain form instead of nothing.
        {Value(1e300), 2, English, "1E+300"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(rowText(r.value, r.decimals, r.regional), r.expected)
            << shown(r.value) << " with " << r.decimals << " decimals";
}

TEST(RowText, DarkRedOnlyForLeadingMinus)
{
    EXPECT_EQ(rowTextColour("-"), RowTextDarkRed);
    EXPECT_EQ(rowTextColour("Sin(-30)"), RowTextBlack);
    EXPECT_EQ(rowTextColour(""), RowTextBlack);
}

TEST(ClearAll, RowsZeroUnderPlusLinesBeyondBlank)
{
    Tape t = tapeOfValues({val("1"), val("2"), Value("Sin(3)"), val("4"), val("5")}, 'x');
    clearAllLines(t, 2);
    ASSERT_EQ(t.size(), 5u);
    ASSERT_EQ(t.TapeOp.size(), 5u);
    for (int i = 0; i <= 2; ++i) {
        EXPECT_EQ(t.TapeOp[i], '+');
        ASSERT_TRUE(t.TapeValue[i].isDecimal());
        EXPECT_TRUE(t.TapeValue[i].decimal().isZero());
    }
    for (int i = 3; i < 5; ++i) {
        EXPECT_EQ(t.TapeOp[i], BlankOp);
        EXPECT_TRUE(t.TapeValue[i].isEmpty());
    }

    // A short tape grows to every created row.
    Tape s = tapeOfValues({val("7")});
    clearAllLines(s, 16);
    ASSERT_EQ(s.size(), 17u);
    ASSERT_EQ(s.TapeOp.size(), 17u);
    EXPECT_EQ(s.TapeOp[16], '+');
    EXPECT_TRUE(s.TapeValue[16].isDecimal());
}

TEST(Clipboard, CopiedAsCrLfLinesPastedFromCrLfOrLf)
{
    Tape t = tapeOfValues({val("12.5"), val("0"), val("3"), Value("Sin(30)"), Value(), val("-0.25")});
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

// A tape as Clear All leaves it: rows 0..lastRow, nothing beyond.
Tape clearedTape(int lastRow)
{
    Tape t;
    clearAllLines(t, lastRow);
    return t;
}

TEST(PasteNumbers, OneNumberPerLine)
{
    Tape t = clearedTape(3);
    const int max = pasteNumbers(t, "1,234.5\r\n7\r\nabc\r\n-2.5e1\t9", English, 3, 0);
    EXPECT_EQ(max, 0);
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(shown(t.TapeValue[0]), "1234.5");
    EXPECT_EQ(shown(t.TapeValue[1]), "7");
    EXPECT_EQ(shown(t.TapeValue[2]), "0");
    EXPECT_EQ(shown(t.TapeValue[3]), "-25");
    for (char op : t.TapeOp)
        EXPECT_EQ(op, '+');
}

TEST(PasteNumbers, RegionalSeparatorsAndLeadingNumberFallback)
{
    Tape t = clearedTape(3);
    // German: "1.234,5" is 1234.5; "7 kg" is no regional number, so its
    // leading number counts; the grouping dots go before that reading.
    pasteNumbers(t, "1.234,5\r\n7 kg\r\n1.5x\r\n  ", German, 3, 0);
    EXPECT_EQ(shown(t.TapeValue[0]), "1234.5");
    EXPECT_EQ(shown(t.TapeValue[1]), "7");
    EXPECT_EQ(shown(t.TapeValue[2]), "15");
    EXPECT_EQ(shown(t.TapeValue[3]), "0");
}

TEST(PasteNumbers, TabSeparatedStatementForm)
{
    Tape t = clearedTape(4);
    const std::string text = "\t01.02.\tRent\t12.50\r\n"
                             "x\t02.02.\tRefund\t 7.25abc\r\n"
                             "\tshort\r\n"
                             "y\ta\tb\tnothing\r\n"
                             "DE";
    EXPECT_EQ(pasteNumbers(t, text, English, 4, 0), 0);
    EXPECT_EQ(t.TapeOp[0], '-');
    EXPECT_EQ(shown(t.TapeValue[0]), "12.5");
    EXPECT_EQ(t.TapeOp[1], '+');
    EXPECT_EQ(shown(t.TapeValue[1]), "7.25");
    // Fewer than four fields: the operator is set, the value stays.
    EXPECT_EQ(t.TapeOp[2], '-');
    EXPECT_EQ(shown(t.TapeValue[2]), "0");
    EXPECT_EQ(shown(t.TapeValue[3]), "0");
    // The "DE" line itself is no tape line.
    EXPECT_EQ(t.TapeOp[4], '+');
    EXPECT_EQ(shown(t.TapeValue[4]), "0");
}

std::string numberLines(int count, const char* sep = "\r\n")
{
    std::string text;
    for (int i = 1; i <= count; ++i) {
        if (i > 1)
            text += sep;
        text += std::to_string(i);
    }
    return text;
}

TEST(PasteNumbers, ScrollRangeGrowsButNeverShrinksTheTape)
{
    Tape t = clearedTape(16);
    EXPECT_EQ(pasteNumbers(t, numberLines(20), English, 16, 0), 3);
    ASSERT_EQ(t.size(), 20u);
    ASSERT_EQ(t.TapeOp.size(), 20u);
    EXPECT_EQ(shown(t.TapeValue[19]), "20");
    EXPECT_EQ(t.TapeOp[19], '+');

    for (int count : {2, 20}) {   // a longer cleared tape keeps its length
        Tape l = tapeOfValues(std::vector<Value>(50, val("9")));
        clearAllLines(l, 16);
        EXPECT_EQ(pasteNumbers(l, numberLines(count), English, 16, 0), count > 17 ? 3 : 0);
        ASSERT_EQ(l.size(), 50u);
        ASSERT_EQ(l.TapeOp.size(), 50u);
        EXPECT_EQ(shown(l.TapeValue[1]), "2");
        EXPECT_TRUE(l.TapeValue[40].isEmpty());
        EXPECT_EQ(l.TapeOp[40], BlankOp);
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
    ASSERT_EQ(t.size(), 32018u);
    EXPECT_EQ(shown(t.TapeValue[32017]), "32018");

    // The statement form skips lines beyond the 16-bit index.
    Tape s = clearedTape(16);
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "a\tb\tc\t1\r\n";
    EXPECT_EQ(pasteNumbers(s, text + "DE", English, 16, 0), 32767 - 16);
    ASSERT_EQ(s.size(), 32768u);
    ASSERT_EQ(s.TapeOp.size(), 32768u);
    EXPECT_EQ(shown(s.TapeValue[32767]), "1");

    // A scroll maximum already at the limit cannot grow: the lines beyond the
    // shown rows are skipped, the shown ones still pasted.
    Tape m = clearedTape(2);
    EXPECT_EQ(pasteNumbers(m, "1\r\n2\r\n3\r\n4", English, 2, 32767), 32767);
    EXPECT_EQ(m.size(), 3u);
    EXPECT_EQ(shown(m.TapeValue[2]), "3");
}

} // namespace
} // namespace qm
