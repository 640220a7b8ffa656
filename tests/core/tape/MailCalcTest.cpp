#include "core/tape/MailCalc.h"

#include "core/input/Evaluator.h"
#include "core/number/TextForm.h"
#include "core/tape/DefaultButtons.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace qm {
namespace {

// One tape line: a number (text read strictly), a keyword text, or empty.
struct L {
    enum class K { Num, Text, Empty, Dbl };
    K k;
    std::string s;
    char op;
    double d = 0;
};
L num(const char* s, char op = '+') { return {L::K::Num, s, op}; }
L txt(const char* s, char op = '+') { return {L::K::Text, s, op}; }
L emp(char op = '+') { return {L::K::Empty, "", op}; }
L dbl(double d, char op = '+') { return {L::K::Dbl, "", op, d}; }

Tape tapeOf(const std::vector<L>& lines)
{
    Tape tape;
    for (const L& l : lines) {
        switch (l.k) {
        case L::K::Num: tape.TapeValue.emplace_back(*parseStrict(l.s)); break;
        case L::K::Text: tape.TapeValue.emplace_back(l.s); break;
        case L::K::Empty: tape.TapeValue.emplace_back(); break;
        case L::K::Dbl: tape.TapeValue.emplace_back(l.d); break;
        }
        tape.TapeOp.push_back(l.op);
    }
    return tape;
}

struct Calc {
    int DecimalPlaces = 25;
    int StatMode = 0;
    Regional regional{};
    FunctionButtons buttons = defaultFunctionButtons();
    std::string previous = "previous";
    Evaluator evaluator;

    TotalResult operator()(const std::vector<L>& lines)
    {
        CalcSettings s;
        s.DecimalPlaces = DecimalPlaces;
        s.StatMode = StatMode;
        s.regional = regional;
        return MailCalc(tapeOf(lines), s, buttons, previous, evaluator);
    }
    std::string text(const std::vector<L>& lines) { return (*this)(lines).text; }
};

struct TotalCase {
    const char* name;
    std::vector<L> lines;
    const char* expected;
};

void PrintTo(const TotalCase& c, std::ostream* os) { *os << c.name; }

class RunningTotal : public ::testing::TestWithParam<TotalCase> {};

TEST_P(RunningTotal, ShowsText)
{
    Calc calc;
    EXPECT_EQ(calc.text(GetParam().lines), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RunningTotal,
    ::testing::Values(
        TotalCase{"empty lines", {num("0"), num("0"), num("0")}, "0"},
        TotalCase{"times", {num("12.5"), num("2", 'x')}, "25"},
        TotalCase{"third", {num("1"), num("3", '/')}, "0.3333333333333333333333333333"},
        TotalCase{"minus", {num("5"), num("7", '-')}, "-2"},
        TotalCase{"zero times", {num("5"), num("0", 'x')}, "0"},
        TotalCase{"zero divides", {num("5"), num("0", '/')}, "Error"},
        TotalCase{"empty value skipped", {num("5"), emp('x'), emp('/')}, "5"},
        TotalCase{"blank operator skipped", {num("5"), num("100", ' '), num("7", '?')}, "5"},
        TotalCase{"power gives a double", {num("2"), num("0.5", '^')}, "1.4142135623731"},
        TotalCase{"huge double shown plainly", {num("10"), num("40", '^')}, "1E+40"},
        TotalCase{"double back to decimal", {num("2"), num("3", '^'), num("0.1")}, "8.1"},
        TotalCase{"stored double", {dbl(3.141592653589793), num("1")}, "4.14159265358979"},
        TotalCase{"number kept as text", {txt("12.5"), txt("2", 'x')}, "25"},
        TotalCase{"text not a number", {num("1"), txt("abc")}, "Error"},
        TotalCase{"empty text skipped", {num("1"), txt("", 'x')}, "1"},
        TotalCase{"overflow",
                  {num("1"), num("1000000", 'x'), num("1000000", 'x'), num("1000000", 'x'),
                   num("1000000", 'x'), num("1000000", 'x')},
                  "Overflow"},
        TotalCase{"overflow then error",
                  {num("79228162514264337593543950335"), num("1"), num("0", '/')}, "Error"},
        TotalCase{"error then overflow",
                  {num("79228162514264337593543950335"), num("0", '/'), num("1")}, "Overflow"}));

INSTANTIATE_TEST_SUITE_P(
    Percent, RunningTotal,
    ::testing::Values(
        TotalCase{"plus", {num("10"), txt("15%")}, "11.5"},
        TotalCase{"minus", {num("10"), txt("15%", '-')}, "8.5"},
        TotalCase{"times", {num("10"), txt("15%", 'x')}, "1.5"},
        TotalCase{"divides", {num("10"), txt("15%", '/')}, "6.6666666666666666666666666667"},
        TotalCase{"power", {num("2"), txt("100%", '^')}, "4"},
        TotalCase{"zero total divides", {num("0"), txt("15%", '/')}, "Error"},
        TotalCase{"zero percent divides", {num("10"), txt("0%", '/')}, "Error"},
        TotalCase{"empty percent", {num("10"), txt("%")}, "Error"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, RunningTotal,
    ::testing::Values(
        TotalCase{"sine", {txt("Sin(0)")}, "0"},
        TotalCase{"cosine", {txt("Cos(0)"), num("1")}, "2"},
        TotalCase{"tangent", {txt("Tan(1)")}, "1.5574077246549"},
        TotalCase{"log", {txt("Log(1)"), txt("Log(2.718281828459045)", 'x')}, "0"},
        TotalCase{"natural log", {txt("Log(10)")}, "2.30258509299405"},
        TotalCase{"exp", {txt("Exp(1)")}, "2.71828182845904"},
        TotalCase{"square root", {txt("Sqr(2)")}, "1.4142135623731"},
        TotalCase{"log of zero", {txt("Log(0)")}, "Error"},
        TotalCase{"square root of negative", {txt("Sqr(-4)")}, "Error"},
        TotalCase{"exp beyond decimals", {txt("Exp(100)")}, "Overflow"},
        TotalCase{"cotangent of zero", {txt("Cot(0)")}, "Error"},
        TotalCase{"cosecant of zero", {txt("Csc(0)")}, "Error"},
        TotalCase{"secant", {txt("Sec(0)")}, "1"},
        TotalCase{"cotangent", {txt("Cot(1)")}, "0.642092615934331"},
        TotalCase{"empty argument", {txt("Sin()")}, "Error"},
        TotalCase{"asin one", {txt("Asin(1)")}, "1.5707963267949"},
        TotalCase{"asin minus one", {txt("Asin(-1)")}, "-1.5707963267949"},
        TotalCase{"asin half", {txt("Asin(0.5)")}, "0.523598775598299"},
        TotalCase{"asin beyond one", {txt("Asin(1.5)")}, "Asin Error"},
        TotalCase{"acos one", {num("2"), txt("Acos(1)")}, "2"},
        TotalCase{"acos minus one", {txt("Acos(-1)")}, "3.14159265358979"},
        TotalCase{"acos half", {txt("Acos(0.5)")}, "1.0471975511966"},
        TotalCase{"acos half minus", {txt("Acos(0.5)", '-')}, "-1.0471975511966"},
        TotalCase{"acos beyond one", {txt("Acos(-2)")}, "Acos Error"},
        TotalCase{"atan", {txt("Atan(1)")}, "0.785398163397448"},
        TotalCase{"label of later step", {num("5"), num("0", '/'), txt("Atan(1)")}, "Atan Error"},
        TotalCase{"label kept by later plain error", {txt("Atan(1)"), num("0", '/')}, "Atan Error"},
        TotalCase{"brackets optional", {txt("Sin(0")}, "0"},
        TotalCase{"asin is not sin", {txt("Asin(0)"), num("1")}, "1"},
        TotalCase{"function power", {num("3"), txt("Cos(0)", '^')}, "3"}));

INSTANTIATE_TEST_SUITE_P(
    Rounding, RunningTotal,
    ::testing::Values(
        TotalCase{"round down", {num("2.345"), txt("Roun(2)"), num("0")}, "2.34"},
        TotalCase{"round up", {num("2.355"), txt("Roun(2)"), num("0")}, "2.36"},
        TotalCase{"int", {num("-2.5"), txt("Int"), num("0")}, "-3"},
        TotalCase{"fix", {num("-2.5"), txt("Fix"), num("0")}, "-2"},
        TotalCase{"next line combined", {num("2.345"), txt("Roun(2)"), num("1")}, "3.34"},
        TotalCase{"next line not rounding", {num("2.5"), txt("Int"), txt("Fix")}, "Error"},
        TotalCase{"last line is operand", {num("2.5"), txt("Int")}, "Error"},
        TotalCase{"no rounding operand", {num("2.5"), txt("Int", ' '), num("1")}, "3"},
        TotalCase{"negative decimals", {num("2.5"), txt("Roun(-1)"), num("1")}, "Error"},
        TotalCase{"round to even digits", {num("2.5"), txt("Roun(0.5)"), num("0")}, "2"},
        TotalCase{"fraction of digits", {num("2.345"), txt("Roun(1.6)"), num("0")}, "2.34"},
        TotalCase{"double total", {num("2"), num("0.5", '^'), txt("Roun(3)"), num("0")}, "1.414"},
        TotalCase{"int of double", {num("2"), num("0.5", '^'), txt("Int"), num("0")}, "1"},
        TotalCase{"anywhere in text", {num("7.9"), txt("xxIntxx"), num("0")}, "7"}));

INSTANTIATE_TEST_SUITE_P(
    UserFunctions, RunningTotal,
    ::testing::Values(
        TotalCase{"sphere", {txt("Svol(2)")}, "33.510321638291093333333333333"},
        TotalCase{"kilo", {txt("Kilo(22)")}, "10"},
        TotalCase{"pounds", {num("1"), txt("Ibs(10)")}, "23"},
        TotalCase{"empty argument is zero", {num("5"), txt("Kilo()")}, "5"},
        TotalCase{"empty formula", {num("5"), txt("(3)")}, " Error"},
        TotalCase{"rounding keyword as operand", {num("2.5"), txt("Int"), txt("Roun(2)")}, "Roun Error"}));

TEST(MailCalc, UserFunctionFormulaRules)
{
    Calc calc;
    calc.buttons[18] = {"Add1", "X+1", ""};
    calc.buttons[19] = {"Twice", "T*2", ""};
    calc.buttons[20] = {"Bad", "X+Q", ""};
    calc.buttons[21] = {"Sq", "X*X", ""};
    calc.buttons[22] = {"Cnt", "1", ""};
    EXPECT_EQ(calc.text({txt("Add1()")}), "1");                 // "()" passes 0 for X
    EXPECT_EQ(calc.text({num("5"), txt("Twice()")}), "15");       // T is the total before
    EXPECT_EQ(calc.text({num("-5"), txt("Add1(3)", '-')}), "-9");
    EXPECT_EQ(calc.text({num("5"), txt("Add1(T)")}), "11");       // X first, then T
    EXPECT_EQ(calc.text({num("2"), num("3", '^'), txt("Twice()")}), "24");   // double total
    EXPECT_EQ(calc.text({num("0.5"), txt("Twice()", 'x')}), "0.5");
    EXPECT_EQ(calc.text({num("5"), txt("Bad(1)")}), "Bad Error");   // error text of the evaluator
    EXPECT_EQ(calc.text({num("5"), txt("Add1(1,2,3)")}), "Add1 Error");   // 1.2.3 is no number
    EXPECT_EQ(calc.text({txt("Sq(10000000000000000)")}), "Overflow");   // evaluator overflow
    EXPECT_EQ(calc.text({num("3"), txt("Cnt(7)")}), "4");
    EXPECT_EQ(calc.text({num("3"), txt("Cnt(7)", ' '), num("1")}), "4");   // no label without operator
    // The lowest button whose caption matches wins.
    calc.buttons[18] = {"F", "X+100", ""};
    calc.buttons[19] = {"F", "X+200", ""};
    EXPECT_EQ(calc.text({txt("F(1)")}), "101");
    // A button with an empty caption takes any text with a bracket.
    calc.buttons[18] = {"", "X*3", ""};
    EXPECT_EQ(calc.text({txt("(4)")}), "12");
    EXPECT_EQ(calc.text({txt("Whatever(4)")}), " Error");   // X = "Whatever4"
}

TEST(MailCalc, Formatting)
{
    Calc calc;
    calc.DecimalPlaces = 2;
    EXPECT_EQ(calc.text({num("0"), num("0")}), ".00");
    EXPECT_EQ(calc.text({num("12.5"), num("2", 'x')}), "25.00");
    EXPECT_EQ(calc.text({num("0.5")}), ".50");
    EXPECT_EQ(calc.text({num("-0.25")}), "-.25");
    EXPECT_EQ(calc.text({num("1234567.891")}), "1,234,567.89");
    EXPECT_EQ(calc.text({num("0.005")}), ".01");   // half away from zero
    EXPECT_EQ(calc.text({num("2"), num("0.5", '^')}), "1.41");
    EXPECT_EQ(calc.text({num("10"), num("40", '^')}),
              "10,000,000,000,000,000,000,000,000,000,000,000,000,000.00");
    EXPECT_EQ(calc.text({num("-2"), num("101", '^')}),   // 15 significant digits
              "-2,535,301,200,456,460,000,000,000,000,000.00");
    EXPECT_EQ(calc.text({num("5"), num("0", '/')}), "Error");
    calc.DecimalPlaces = 0;
    EXPECT_EQ(calc.text({num("2.5")}), "3");

    calc.regional = Regional{',', '.', 3};
    calc.DecimalPlaces = 3;
    EXPECT_EQ(calc.text({num("1234.5")}), "1.234,500");
    calc.DecimalPlaces = 25;
    EXPECT_EQ(calc.text({num("1234.5")}), "1234,5");
    EXPECT_EQ(calc.text({txt("2,5"), txt("10%", 'x')}), "0,25");
    EXPECT_EQ(calc.text({txt("Sin(0,5)")}), "0,479425538604203");
    EXPECT_EQ(calc.text({txt("Kilo(2,2)")}), "1");   // X as typed; the evaluator reads "," as "."
    EXPECT_EQ(calc.text({num("1.5"), txt("Ibs()", '-')}), "1,5");
}

TEST(MailCalc, Colour)
{
    Calc calc;
    auto r = calc({num("0")});
    EXPECT_EQ(r.colour, TotalColourBlack);
    r = calc({num("5"), num("7", '-')});
    EXPECT_EQ(r.text, "-2");
    EXPECT_EQ(r.colour, TotalColourRed);
    r = calc({num("5"), num("0", '/')});
    EXPECT_EQ(r.colour, TotalColourBlack);
    calc.StatMode = 1;
    r = calc({num("-5")});
    EXPECT_EQ(r.text, "Average : -5");
    EXPECT_EQ(r.colour, TotalColourBlack);
    calc.StatMode = 9;   // no such mode: the box keeps its text, coloured by it
    calc.previous = "-12";
    r = calc({num("1")});
    EXPECT_EQ(r.text, "-12");
    EXPECT_EQ(r.colour, TotalColourRed);
    EXPECT_EQ(totalColour(""), TotalColourBlack);
}

struct StatCase {
    const char* name;
    int mode;
    std::vector<L> lines;
    const char* expected;
};

void PrintTo(const StatCase& c, std::ostream* os) { *os << c.name; }

class Statistic : public ::testing::TestWithParam<StatCase> {};

TEST_P(Statistic, ShowsText)
{
    Calc calc;
    calc.StatMode = GetParam().mode;
    calc.DecimalPlaces = 2;   // statistics are not formatted by it
    EXPECT_EQ(calc.text(GetParam().lines), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, Statistic,
    ::testing::Values(
        StatCase{"average", 1, {num("3"), num("1"), num("0"), num("3"), num("2")}, "Average : 2.25"},
        StatCase{"average negatives", 1, {num("-4"), num("0"), num("2")}, "Average : -1"},
        StatCase{"average no values", 1, {num("0"), emp(), num("0")}, "previous"},
        StatCase{"average skips text", 1, {num("4"), txt("Sin(30)"), txt("15%"), num("2")},
                 "Average : 3"},
        StatCase{"average double", 1, {dbl(0.5), num("1.5")}, "Average : 1"},
        StatCase{"average overflow", 1,
                 {num("79228162514264337593543950335"), num("79228162514264337593543950335")},
                 "previous"},
        StatCase{"average third", 1, {num("1"), num("0"), num("1"), num("1"), num("-2")}, "Average : 0.25"},
        StatCase{"mean even", 2, {num("3"), num("1"), num("0"), num("3"), num("2")}, "Mean : 2.5"},
        StatCase{"mean odd", 2, {num("5"), num("1"), num("3"), num("-7")}, "Mean : 3"},
        StatCase{"mean single", 2, {num("0"), num("4.5")}, "Mean : 4.5"},
        StatCase{"mean none", 2, {num("0"), num("-3"), emp()}, "previous"},
        StatCase{"mean with text", 2, {num("1"), txt("Sin(1)")}, "previous"},
        StatCase{"mean text middle", 2, {num("1"), txt("Sin(1)"), txt("Cos(1)")}, "Mean : Cos(1)"},
        StatCase{"mode", 3, {num("3"), num("1"), num("0"), num("3"), num("2")}, "Mode : 3"},
        StatCase{"mode tie", 3, {num("4"), num("2")}, "Mode : 2"},
        StatCase{"mode all differ", 3, {num("9"), num("5"), num("7")}, "Mode : 5"},
        StatCase{"mode negatives out", 3, {num("-1"), num("-1"), num("2")}, "Mode : 2"},
        StatCase{"mode none", 3, {num("0"), num("-1")}, "Mode : "},
        StatCase{"mode equal values", 3, {num("2.50"), num("2.5"), num("1")}, "Mode : 2.5"},
        StatCase{"mode later run", 3, {num("1"), num("2"), num("2"), num("3"), num("3"), num("3")},
                 "Mode : 3"},
        StatCase{"mode text", 3, {txt("a"), txt("b"), txt("b"), num("1")}, "Mode : b"}));

} // namespace
} // namespace qm
