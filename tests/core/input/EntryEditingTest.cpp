#include "core/input/EntryEditing.h"

#include "core/commands/TapeCommands.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qm {
namespace {

const Regional English{'.', ',', 3};
const Regional German{',', '.', 3};

std::string shown(const Value& v) { return plainText(v, '.'); }

TEST(EntryEditing, KeyPressTable)
{
    struct Row {
        int key;
        const char* box;
        bool swallow, tail, enter;
        char op;
    };
    const Row rows[] = {
        {AsciiCopy, "12", false, true, false, 0},
        {AsciiPaste, "", false, true, false, 0},
        {AsciiBackspace, "12", false, false, false, 0},
        {AsciiEnter, "12", true, true, true, 0},
        {'+', "", true, true, false, '+'},
        {'-', "", true, true, false, '-'},
        {'*', "", true, true, false, 'x'},
        {'/', "", true, true, false, '/'},
        {'x', "", true, true, false, 0},   // only "*" multiplies
        {'H', "", false, false, false, 0},
        {'I', "", false, false, false, 0},
        {'h', "", true, true, false, 0},   // upper case only
        {'0', "", false, true, false, 0},
        {'9', "1.5", false, true, false, 0},
        {',', "1,234", false, true, false, 0},   // thousands, any number of times
        {'.', "12", false, true, false, 0},
        {'.', "1.2", true, true, false, 0},      // a second point is refused
        {'(', "", true, true, false, 0},
        {'%', "10", true, true, false, 0},
        {' ', "", true, true, false, 0},
        {'^', "", true, true, false, 0},
        {0xE9, "", true, true, false, 0},
    };
    for (const Row& r : rows) {
        const KeyDecision d = classifyKeyPress(r.key, r.box, ',', '.');
        EXPECT_EQ(d.swallow, r.swallow) << r.key;
        EXPECT_EQ(d.tail, r.tail) << r.key;
        EXPECT_EQ(d.enter, r.enter) << r.key;
        EXPECT_EQ(d.op, r.op) << r.key;
    }
}

TEST(EntryEditing, SeparatorsFollowTheRegion)
{
    // With the comma as decimal separator the period groups thousands.
    EXPECT_FALSE(classifyKeyPress('.', "1.234,5", '.', ',').swallow);
    EXPECT_TRUE(classifyKeyPress(',', "1.234,5", '.', ',').swallow);
    EXPECT_FALSE(classifyKeyPress(',', "1.234", '.', ',').swallow);
    // A non-ASCII separator is compared as the character code it is typed as.
    EXPECT_FALSE(classifyKeyPress(0xA0, "1", static_cast<char>(0xA0), ',').swallow);
}

TEST(EntryEditing, KeyReleaseStoresNumbersTextsAndKeepsFailures)
{
    struct Row {
        Value stored;
        const char* box;
        bool changes;
        const char* expected;
    };
    const Row rows[] = {
        {Value(Decimal()), "12.5", true, "12.5"},
        {Value(Decimal()), "1,234,567.5", true, "1234567.5"},
        {Value(Decimal::fromInt(7)), "", true, "0"},
        {Value(Decimal::fromInt(7)), "-", false, "7"},
        {Value(Decimal::fromInt(7)), "12H", false, "7"},
        {Value(Decimal::fromInt(7)), ".", false, "7"},
        {Value("Sin(3"), "Sin(30", true, "Sin(30"},
        {Value("15%"), "155%", true, "155%"},
        {Value("15%"), "", true, ""},   // a text line stays text while edited
        {Value("Int"), "Int7", false, "Int"},
    };
    for (const Row& r : rows) {
        const std::optional<Value> v = keyReleaseValue(r.stored, r.box, English);
        ASSERT_EQ(v.has_value(), r.changes) << r.box;
        if (v) {
            EXPECT_EQ(shown(*v), r.expected) << r.box;
        }
    }
    const std::optional<Value> text = keyReleaseValue(Value("Cos(1"), "Cos(12", English);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isText());
    const std::optional<Value> german = keyReleaseValue(Value(), "1.234,5", German);
    ASSERT_TRUE(german);
    EXPECT_EQ(shown(*german), "1234.5");
}

TEST(EntryEditing, KeypadFigureValue)
{
    EXPECT_TRUE(keypadEntryValue("Sin(3", English)->isText());
    EXPECT_TRUE(keypadEntryValue("3%", English)->isText());
    // "(" as the first character is no function line: it does not convert.
    EXPECT_FALSE(keypadEntryValue("(3", English));
    EXPECT_EQ(shown(*keypadEntryValue("", English)), "0");
    EXPECT_EQ(shown(*keypadEntryValue("1,002.5", English)), "1002.5");
    EXPECT_FALSE(keypadEntryValue("-", English));
}

TEST(EntryEditing, KeypadDelete)
{
    struct Row {
        const char* text;
        int caret;
        const char* newText;
        int newCaret;
        const char* stored;   // nullptr: the line keeps its value
    };
    const Row rows[] = {
        {"Sin(30)", 5, "30", 2, "30"},
        {"Sin(-3.5)", 0, "3.5", 3, "3.5"},
        {"Sin()", 4, "", 0, "0"},
        {"123", 3, "12", 2, "12"},        // the caret stays, within the text
        {"123", 2, "13", 2, "13"},
        {"123", 0, "23", 1, "23"},        // at the start the first character goes
        {"10%", 3, "10", 2, "10"},        // every "%" goes too
        {"1%0", 1, "0", 1, "0"},
        {"-5", 2, "-", 1, "0"},
        {".5", 2, ".", 1, "0"},
        {"5", 1, "", 0, "0"},
        {"", 0, "", 0, "0"},
        {"1H2", 3, "1H", 2, nullptr},     // not a number: the line keeps its value
        {"12", 40, "1", 1, "1"},          // a caret beyond the text takes the last one
    };
    for (const Row& r : rows) {
        const DeleteEdit e = keypadDelete(r.text, r.caret, English);
        EXPECT_EQ(e.text, r.newText) << r.text;
        EXPECT_EQ(e.caret, r.newCaret) << r.text;
        ASSERT_EQ(e.value.has_value(), r.stored != nullptr) << r.text;
        if (r.stored) {
            EXPECT_EQ(shown(*e.value), r.stored) << r.text;
        }
    }
    // A function line's argument is read as a binary number with "." as point.
    EXPECT_TRUE(keypadDelete("Sin(30)", 0, English).value->isDouble());
    EXPECT_EQ(shown(*keypadDelete("Sin(3,5)", 0, German).value), "3");
    // Hundreds of digits would be no finite number: the line keeps its value.
    EXPECT_FALSE(keypadDelete("Sin(" + std::string(400, '9') + ")", 0, English).value);
}

TEST(EntryEditing, KeypadSign)
{
    struct Row {
        const char* text;
        const char* newText;
        int caret;
        bool focus;
        int colour;   // -1: unchanged
        const char* stored;
        bool storedText;
    };
    const Row rows[] = {
        {"Sin(30)", "Sin(-30)", 7, false, -1, "Sin(-30)", true},
        {"Sin(-30)", "Sin(30)", 6, false, -1, "Sin(30)", true},
        {"12", "-12", 3, true, 0x0000C0, "-12", false},
        {"-12", "12", 2, true, 0x000000, "12", false},
        {"1,234", "-1,234", 6, true, 0x0000C0, "-1234", false},
        {"10%", "-10%", 4, true, 0x0000C0, "-10%", true},
        {"", "", 0, false, -1, "0", false},
    };
    for (const Row& r : rows) {
        const SignEdit e = keypadSign(r.text, English);
        EXPECT_EQ(e.text, r.newText) << r.text;
        EXPECT_EQ(e.caret, r.caret) << r.text;
        EXPECT_EQ(e.focus, r.focus) << r.text;
        EXPECT_EQ(e.foreColor ? static_cast<int>(*e.foreColor) : -1, r.colour) << r.text;
        ASSERT_TRUE(e.value) << r.text;
        EXPECT_EQ(shown(*e.value), r.stored) << r.text;
        EXPECT_EQ(e.value->isText(), r.storedText) << r.text;
    }
    // "H" makes no number: the text changes, the line keeps its value.
    const SignEdit h = keypadSign("1H", English);
    EXPECT_EQ(h.text, "-1H");
    EXPECT_FALSE(h.value);
}

TEST(EntryEditing, PercentAndFunctionTexts)
{
    EXPECT_EQ(togglePercent("10"), "10%");
    EXPECT_EQ(togglePercent("10%"), "10");
    EXPECT_EQ(togglePercent("1%0%"), "10");
    EXPECT_EQ(togglePercent(""), "%");

    struct Row {
        const char* caption;
        const char* text;
        char sep;
        const char* line;
    };
    const Row rows[] = {
        {"Sin", "", '.', "Sin()"},
        {"Sin", "Cos(45)", '.', "Sin(45)"},
        {"Sin", "Cos(-4.5)", '.', "Sin(4.5)"},
        {"Sin", "1,234.5", '.', "Sin(1,234.5)"},   // a number line as it stands
        {"Kilo", "Sin(2,5)", ',', "Kilo(2,5)"},
        {"", "12", '.', "(12)"},
        {"Log", "30)", '.', "Log(30)"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(functionLineText(r.caption, r.text, r.sep), r.line) << r.text;
    EXPECT_TRUE(isFunctionLine("Sin(1"));
    EXPECT_FALSE(isFunctionLine("(1"));
    EXPECT_FALSE(isFunctionLine("15%"));
}

TEST(EntryEditing, OperatorCycle)
{
    const char order[] = {'+', '-', 'x', '/', '^', '+'};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(nextOperator(order[i], false), order[i + 1]);
    // Tape line 0: + - x only.
    EXPECT_EQ(nextOperator('x', true), '+');
    EXPECT_EQ(nextOperator('+', true), '-');
    EXPECT_EQ(nextOperator('-', true), 'x');
    EXPECT_FALSE(nextOperator(BlankOp, false));
    EXPECT_FALSE(nextOperator('*', false));
    EXPECT_EQ(operatorOfCaption("x"), 'x');
    EXPECT_EQ(operatorOfCaption(""), BlankOp);
}

TEST(EntryEditing, TapeGrowsByOneLineUntilItsLimit)
{
    Tape tape;
    tape.resize(17);   // rows 0..16 shown, nothing to scroll
    tape.TapeValue[16] = Value(Decimal::fromInt(4));
    Result<int> m = growTape(tape, 0, 16, 'x');
    ASSERT_TRUE(m);
    EXPECT_EQ(*m, 1);
    ASSERT_EQ(tape.size(), 18u);
    EXPECT_EQ(shown(tape.TapeValue[16]), "4");
    EXPECT_TRUE(tape.TapeValue[17].isEmpty());
    EXPECT_EQ(tape.TapeOp[17], 'x');

    // A tape longer than the scroll range says (left by Clear All) is cut to it.
    tape.resize(40);
    m = growTape(tape, 1, 16, '-');
    ASSERT_TRUE(m);
    EXPECT_EQ(tape.size(), 19u);
    EXPECT_EQ(tape.TapeOp[18], '-');

    // The last line index is 32767: one line short of it still grows.
    Tape big;
    big.resize(32767);
    m = growTape(big, 32766 - 16, 16, '+');
    ASSERT_TRUE(m);
    EXPECT_EQ(big.TapeLast(), 32767);
    const std::size_t size = big.size();
    for (int scrollMax : {32767 - 16, 32767}) {
        const Result<int> refused = growTape(big, scrollMax, 16, '+');
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.failure(), Failure::Overflow);
        EXPECT_EQ(big.size(), size);
    }
    EXPECT_FALSE(growTape(big, 0, 40000, '+'));
    EXPECT_FALSE(growTape(big, -1, 16, '+'));
}

TEST(EntryEditing, MemoryTexts)
{
    const Value half(*parseStrict("0.5"));
    EXPECT_EQ(memoryText(half, 2, English), ".50");
    EXPECT_EQ(memoryText(Value(*parseStrict("-1234.5")), 2, English), "-1,234.50");
    EXPECT_EQ(memoryText(half, 25, English), "0.5");
    EXPECT_EQ(memoryText(half, 25, German), "0,5");
    EXPECT_EQ(memoryText(Value("Sin(30)"), 2, English), "Sin(30)");

    EXPECT_EQ(shown(*totalMemoryValue("1,234.50", English)), "1234.5");
    EXPECT_EQ(shown(*totalMemoryValue("", English)), "0");
    EXPECT_TRUE(totalMemoryValue("Sin(", English)->isText());
    EXPECT_FALSE(totalMemoryValue("Average : 5", English));
    EXPECT_FALSE(totalMemoryValue("Overflow", English));

    EXPECT_EQ(doubleText(piValue()), "3.14159265358979");
    EXPECT_DOUBLE_EQ(piValue(), std::acos(-1.0));
    EXPECT_TRUE(showsNegative(Value(*parseStrict("-2"))));
    EXPECT_TRUE(showsNegative(Value("-Sin(")));
    EXPECT_FALSE(showsNegative(Value(Decimal())));
    EXPECT_FALSE(showsNegative(Value()));
}

} // namespace
} // namespace qm
