#include "core/commands/TapeCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

const Regional English{'.', ',', 3};
const Regional German{',', '.', 3};

Value dec(const char* text)
{
    Result<Decimal> d = parseStrict(text);
    EXPECT_TRUE(d.ok()) << text;
    return d.ok() ? Value(*d) : Value();
}

Tape tapeOf(std::vector<Value> values, char op = '+')
{
    Tape t;
    t.TapeOp.assign(values.size(), op);
    t.TapeValue = std::move(values);
    return t;
}

// Text of a line's value as the tests compare it.
std::string shown(const Value& v) { return plainText(v, '.'); }

TEST(OperatorColour, EveryOperatorAndTheRest)
{
    const struct { char op; std::uint32_t colour; } rows[] = {
        {'+', 0xC0C0C0}, {'-', 0x0000FF}, {'x', 0x00FF00}, {'/', 0xFF0000},
        {'^', 0x000000}, {' ', 0xC0C0C0}, {'*', 0xC0C0C0}, {'\0', 0xC0C0C0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(operatorColour(r.op), r.colour) << "op '" << r.op << "'";
}

TEST(RowText, FormsOfEveryKindOfValue)
{
    const struct {
        Value value;
        int decimals;
        Regional regional;
        std::string expected;
    } rows[] = {
        {dec("0.5"), 2, English, ".50"},
        {dec("-1234.5"), 2, English, "-1,234.50"},
        {dec("-1234.5"), 2, German, "-1.234,50"},
        {dec("12.5"), 25, English, "12.5"},
        {dec("12.5"), 25, German, "12,5"},
        {dec("12.5"), 0, English, "13"},
        {dec("1234567.125"), 6, English, "1,234,567.125000"},
        {dec("0"), 25, English, ""},
        {dec("0"), 2, English, ""},
        {dec("-0.00"), 2, English, ""},
        {Value(), 2, English, ""},
        {Value(0.0), 25, English, ""},
        {Value(3.14159265358979), 25, English, "3.14159265358979"},
        {Value(3.14159265358979), 3, English, "3.142"},
        {Value("Sin(30)"), 2, English, "Sin(30)"},
        {Value("15%"), 2, English, "15%"},
        {Value("Roun(2)"), 25, English, "Roun(2)"},
        // Neither a function nor a number: shown unformatted.
        {Value("(5"), 2, English, "(5"},
        {Value("Int"), 2, English, "Int"},
        // A number held as text while it is edited.
        {Value("30"), 2, English, "30.00"},
        {Value("30"), 25, English, "30"},
        {Value("0"), 2, English, ""},
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
    EXPECT_EQ(rowTextColour("-1,234.50"), RowTextDarkRed);
    EXPECT_EQ(rowTextColour("-"), RowTextDarkRed);
    EXPECT_EQ(rowTextColour("Sin(-30)"), RowTextBlack);
    EXPECT_EQ(rowTextColour("12"), RowTextBlack);
    EXPECT_EQ(rowTextColour(""), RowTextBlack);
}

TEST(ClearAll, RowsZeroUnderPlusLinesBeyondBlank)
{
    Tape t = tapeOf({dec("1"), dec("2"), Value("Sin(3)"), dec("4"), dec("5")}, 'x');
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
}

TEST(ClearAll, ShortTapeGrowsToEveryCreatedRow)
{
    Tape t = tapeOf({dec("7")});
    clearAllLines(t, 16);
    ASSERT_EQ(t.size(), 17u);
    ASSERT_EQ(t.TapeOp.size(), 17u);
    EXPECT_EQ(t.TapeOp[16], '+');
    EXPECT_TRUE(t.TapeValue[16].isDecimal());
}

TEST(CopyNumbers, PlainFormsJoinedByCrLf)
{
    Tape t = tapeOf({dec("12.5"), dec("0"), dec("3"), Value("Sin(30)"), Value(), dec("-0.25")});
    EXPECT_EQ(copyNumbersText(t, '.'), "12.5\r\n0\r\n3\r\nSin(30)\r\n\r\n-0.25");
    EXPECT_EQ(copyNumbersText(t, ','), "12,5\r\n0\r\n3\r\nSin(30)\r\n\r\n-0,25");
    EXPECT_EQ(copyNumbersText(tapeOf({dec("1")}), '.'), "1");
    EXPECT_EQ(copyNumbersText(Tape{}, '.'), "");
}

TEST(ClipboardLines, CrLfAndLoneLf)
{
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(clipboardLines(""), Lines{});
    EXPECT_EQ(clipboardLines("abc"), (Lines{"abc"}));
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

TEST(PasteNumbers, MoreLinesThanRowsWidensTheScrollRange)
{
    Tape t = clearedTape(16);
    EXPECT_EQ(pasteNumbers(t, numberLines(20), English, 16, 0), 3);
    ASSERT_EQ(t.size(), 20u);
    ASSERT_EQ(t.TapeOp.size(), 20u);
    EXPECT_EQ(shown(t.TapeValue[19]), "20");
    EXPECT_EQ(t.TapeOp[19], '+');
}

TEST(PasteNumbers, ShortPasteKeepsALongerClearedTape)
{
    Tape t = tapeOf(std::vector<Value>(50, dec("9")));
    clearAllLines(t, 16);
    EXPECT_EQ(pasteNumbers(t, "1\r\n2", English, 16, 0), 0);
    EXPECT_EQ(t.size(), 50u);
    EXPECT_EQ(shown(t.TapeValue[1]), "2");
    EXPECT_TRUE(t.TapeValue[40].isEmpty());
}

TEST(PasteNumbers, LongPasteNeverShrinksALongerClearedTape)
{
    Tape t = tapeOf(std::vector<Value>(50, dec("9")));
    clearAllLines(t, 16);
    EXPECT_EQ(pasteNumbers(t, numberLines(20), English, 16, 0), 3);
    ASSERT_EQ(t.size(), 50u);
    ASSERT_EQ(t.TapeOp.size(), 50u);
    EXPECT_EQ(shown(t.TapeValue[19]), "20");
    EXPECT_TRUE(t.TapeValue[20].isEmpty());
    EXPECT_EQ(t.TapeOp[20], BlankOp);
}

TEST(PasteNumbers, EmptyClipboardLeavesTheClearedTape)
{
    Tape t = clearedTape(5);
    EXPECT_EQ(pasteNumbers(t, "", English, 5, 0), 0);
    EXPECT_EQ(t.size(), 6u);
}

TEST(PasteNumbers, OneNumberPerLineStopsAfter32001ExtraLines)
{
    Tape t = clearedTape(16);
    const int max = pasteNumbers(t, numberLines(40000, "\n"), English, 16, 0);
    EXPECT_EQ(max, 32001);
    ASSERT_EQ(t.size(), 32018u);
    EXPECT_EQ(shown(t.TapeValue[32017]), "32018");
}

TEST(PasteNumbers, StatementFormSkipsLinesBeyondThe16BitIndex)
{
    Tape t = clearedTape(16);
    std::string text;
    for (int i = 0; i < 40000; ++i)
        text += "a\tb\tc\t1\r\n";
    text += "DE";
    const int max = pasteNumbers(t, text, English, 16, 0);
    EXPECT_EQ(max, 32767 - 16);
    ASSERT_EQ(t.size(), 32768u);
    ASSERT_EQ(t.TapeOp.size(), 32768u);
    EXPECT_EQ(shown(t.TapeValue[32767]), "1");
}

TEST(PasteNumbers, ScrollMaximumNearTheLimitNeverPassesIt)
{
    // A scroll maximum already at the 16-bit limit cannot grow: the lines
    // beyond the shown rows are skipped, the shown ones still pasted.
    Tape t = clearedTape(2);
    EXPECT_EQ(pasteNumbers(t, "1\r\n2\r\n3\r\n4", English, 2, 32767), 32767);
    EXPECT_EQ(t.size(), 3u);
    EXPECT_EQ(shown(t.TapeValue[2]), "3");
}

} // namespace
} // namespace qm
