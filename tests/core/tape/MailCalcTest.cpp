#include "core/tape/MailCalc.h"

#include "core/CoreTestSupport.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace qm {
namespace {

using namespace test;
using Line = std::pair<char, Value>;
Line n(const char* s, char op = '+') { return {op, val(s)}; }
Line t(const char* s, char op = '+') { return {op, Value(s)}; }

struct Calc {
    CalcSettings settings;
    FunctionButtons buttons = defaultFunctionButtons();
    std::string previous = "previous";
    Evaluator evaluator;

    TotalResult operator()(std::vector<Line> lines)
    {
        return MailCalc(tapeOf(std::move(lines)), settings, buttons, previous, evaluator);
    }
    std::string text(std::vector<Line> lines) { return (*this)(std::move(lines)).text; }
};

struct Case {
    const char* name;
    std::vector<Line> lines;
    const char* expected;
};

void expectTexts(Calc& calc, const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(calc.text(c.lines), c.expected) << c.name;
}

TEST(MailCalc, RunningTotal)
{
    Calc calc;
    expectTexts(calc, {
        {"third", {n("1"), n("3", '/')}, "0.3333333333333333333333333333"},
        {"minus", {n("5"), n("7", '-')}, "-2"}, {"zero divides", {n("5"), n("0", '/')}, "Error"},
        {"empty value skipped", {n("5"), {'x', Value()}, {'/', Value()}}, "5"},
        {"blank operator skipped", {n("5"), n("100", ' '), n("7", '?')}, "5"},
        {"power gives a double", {n("2"), n("0.5", '^')}, "1.4142135623731"},
        {"huge double shown plainly", {n("10"), n("40", '^')}, "1E+40"},
        {"double back to decimal", {n("2"), n("3", '^'), n("0.1")}, "8.1"},
        {"stored double", {{'+', Value(3.141592653589793)}, n("1")}, "4.14159265358979"},
        {"number kept as text", {t("12.5"), t("2", 'x')}, "25"},
        {"text not a number", {n("1"), t("abc")}, "Error"}, {"empty text skipped", {n("1"), t("", 'x')}, "1"},
        {"overflow", {n("79228162514264337593543950335"), n("2", 'x')}, "Overflow"},
        {"overflow then error", {n("79228162514264337593543950335"), n("1"), n("0", '/')}, "Error"},
        {"error then overflow", {n("79228162514264337593543950335"), n("0", '/'), n("1")}, "Overflow"},
        // Percent lines.
        {"percent plus", {n("10"), t("15%")}, "11.5"}, {"percent minus", {n("10"), t("15%", '-')}, "8.5"},
        {"percent times", {n("10"), t("15%", 'x')}, "1.5"}, {"percent power", {n("2"), t("100%", '^')}, "4"},
        {"percent divides", {n("10"), t("15%", '/')}, "6.6666666666666666666666666667"},
        {"zero percent divides", {n("10"), t("0%", '/')}, "Error"}, {"empty percent", {n("10"), t("%")}, "Error"},
        {"zero total divided by percent", {n("0"), t("15%", '/')}, "Error"},
    });
}

TEST(MailCalc, Functions)
{
    Calc calc;
    expectTexts(calc, {
        {"cosine", {t("Cos(0)"), n("1")}, "2"}, {"log", {t("Log(1)"), t("Log(2.718281828459045)", 'x')}, "0"},
        {"natural log", {t("Log(10)")}, "2.30258509299405"}, {"exp", {t("Exp(1)")}, "2.71828182845904"},
        {"log of zero", {t("Log(0)")}, "Error"}, {"square root of negative", {t("Sqr(-4)")}, "Error"},
        {"exp beyond decimals", {t("Exp(100)")}, "Overflow"}, {"cotangent of zero", {t("Cot(0)")}, "Error"},
        {"cosecant of zero", {t("Csc(0)")}, "Error"}, {"secant", {t("Sec(0)")}, "1"},
        {"cotangent", {t("Cot(1)")}, "0.642092615934331"}, {"empty argument", {t("Sin()")}, "Error"},
        {"asin minus one", {t("Asin(-1)")}, "-1.5707963267949"},
        {"asin beyond one", {t("Asin(1.5)")}, "Asin Error"}, {"acos one", {n("2"), t("Acos(1)")}, "2"},
        {"acos half minus", {t("Acos(0.5)", '-')}, "-1.0471975511966"},
        {"acos beyond one", {t("Acos(-2)")}, "Acos Error"},
        {"label of later step", {n("5"), n("0", '/'), t("Atan(1)")}, "Atan Error"},
        {"label kept by later plain error", {t("Atan(1)"), n("0", '/')}, "Atan Error"},
        {"brackets optional", {t("Sin(0")}, "0"}, {"asin is not sin", {t("Asin(0)"), n("1")}, "1"},
        {"function power", {n("3"), t("Cos(0)", '^')}, "3"},
        // Rounding lines round the total with the next line's operator and value.
        {"round half even", {n("2.345"), t("Roun(2)"), n("0")}, "2.34"},
        {"int", {n("-2.5"), t("Int"), n("0")}, "-3"}, {"fix", {n("-2.5"), t("Fix"), n("0")}, "-2"},
        {"next line combined", {n("2.345"), t("Roun(2)"), n("1")}, "3.34"},
        {"next line not rounding", {n("2.5"), t("Int"), t("Fix")}, "Error"},
        {"last line is operand", {n("2.5"), t("Int")}, "Error"},
        {"no rounding operand", {n("2.5"), t("Int", ' '), n("1")}, "3"},
        {"negative decimals", {n("2.5"), t("Roun(-1)"), n("1")}, "Error"},
        {"fraction of digits", {n("2.345"), t("Roun(1.6)"), n("0")}, "2.34"},
        {"double total", {n("2"), n("0.5", '^'), t("Roun(3)"), n("0")}, "1.414"},
        {"anywhere in text", {n("7.9"), t("xxIntxx"), n("0")}, "7"},
        // Default user functions.
        {"sphere", {t("Svol(2)")}, "33.510321638291093333333333333"}, {"kilo", {t("Kilo(22)")}, "10"},
        {"pounds", {n("1"), t("Ibs(10)")}, "23"}, {"empty argument is zero", {n("5"), t("Kilo()")}, "5"},
        {"empty formula", {n("5"), t("(3)")}, " Error"},
        {"rounding keyword as operand", {n("2.5"), t("Int"), t("Roun(2)")}, "Roun Error"},
    });
}

TEST(MailCalc, UserFunctionFormulaRules)
{
    Calc calc;
    calc.buttons[18] = {"Add1", "X+1", ""};
    calc.buttons[19] = {"Twice", "T*2", ""};
    calc.buttons[20] = {"Bad", "X+Q", ""};
    calc.buttons[21] = {"Sq", "X*X", ""};
    calc.buttons[22] = {"Cnt", "1", ""};
    expectTexts(calc, {
        {"() passes 0 for X", {t("Add1()")}, "1"}, {"T is the total before", {n("5"), t("Twice()")}, "15"},
        {"minus", {n("-5"), t("Add1(3)", '-')}, "-9"}, {"X first, then T", {n("5"), t("Add1(T)")}, "11"},
        {"double total", {n("2"), n("3", '^'), t("Twice()")}, "24"},
        {"evaluator error text", {n("5"), t("Bad(1)")}, "Bad Error"},
        {"1.2.3 is no number", {n("5"), t("Add1(1,2,3)")}, "Add1 Error"},
        {"evaluator overflow", {t("Sq(10000000000000000)")}, "Overflow"},
        {"no label without operator", {n("3"), t("Cnt(7)", ' '), n("1")}, "4"},
    });
    // The lowest button whose caption matches wins.
    calc.buttons[18] = {"F", "X+100", ""};
    calc.buttons[19] = {"F", "X+200", ""};
    EXPECT_EQ(calc.text({t("F(1)")}), "101");
    // A button with an empty caption takes any text with a bracket.
    calc.buttons[18] = {"", "X*3", ""};
    EXPECT_EQ(calc.text({t("(4)")}), "12");
    EXPECT_EQ(calc.text({t("Whatever(4)")}), " Error");   // X = "Whatever4"
}

TEST(MailCalc, FormattingAndColour)
{
    Calc calc;
    calc.settings.DecimalPlaces = 2;
    expectTexts(calc, {
        {"zero", {n("0"), n("0")}, ".00"}, {"grouped", {n("1234567.891")}, "1,234,567.89"},
        {"half away from zero", {n("0.005")}, ".01"}, {"double", {n("2"), n("0.5", '^')}, "1.41"},
        {"15 significant digits", {n("-2"), n("101", '^')}, "-2,535,301,200,456,460,000,000,000,000,000.00"},
        {"error unformatted", {n("5"), n("0", '/')}, "Error"},
    });
    calc.settings.regional = German;
    calc.settings.DecimalPlaces = 25;
    expectTexts(calc, {
        {"comma", {n("1234.5")}, "1234,5"}, {"comma percent", {t("2,5"), t("10%", 'x')}, "0,25"},
        {"comma function", {t("Sin(0,5)")}, "0,479425538604203"},
        {"X as typed; the evaluator reads , as .", {t("Kilo(2,2)")}, "1"},
    });

    calc.settings.regional = English;
    EXPECT_EQ(calc({n("0")}).colour, TotalColourBlack);
    EXPECT_EQ(calc({n("5"), n("7", '-')}).colour, TotalColourRed);
    calc.settings.StatMode = 1;
    const TotalResult average = calc({n("-5")});
    EXPECT_EQ(average.text, "Average : -5");
    EXPECT_EQ(average.colour, TotalColourBlack);
    calc.settings.StatMode = 9;   // no such mode: the box keeps its text, coloured by it
    calc.previous = "-12";
    const TotalResult kept = calc({n("1")});
    EXPECT_EQ(kept.text, "-12");
    EXPECT_EQ(kept.colour, TotalColourRed);
}

TEST(MailCalc, Statistics)
{
    Calc calc;
    calc.settings.DecimalPlaces = 2;   // statistics are not formatted by it
    const std::pair<int, std::vector<Case>> modes[] = {
        {1, {{"average", {n("3"), n("1"), n("0"), n("3"), n("2")}, "Average : 2.25"},
             {"no values", {n("0"), {'+', Value()}, n("0")}, "previous"},
             {"skips text", {n("4"), t("Sin(30)"), t("15%"), n("2")}, "Average : 3"},
             {"double", {{'+', Value(0.5)}, n("1.5")}, "Average : 1"},
             {"overflow", {n("79228162514264337593543950335"), n("79228162514264337593543950335")}, "previous"}}},
        {2, {{"mean even", {n("3"), n("1"), n("0"), n("3"), n("2")}, "Mean : 2.5"},
             {"mean odd", {n("5"), n("1"), n("3"), n("-7")}, "Mean : 3"},
             {"mean none", {n("0"), n("-3"), {'+', Value()}}, "previous"},
             {"mean with text", {n("1"), t("Sin(1)")}, "previous"},
             {"mean text middle", {n("1"), t("Sin(1)"), t("Cos(1)")}, "Mean : Cos(1)"}}},
        {3, {{"mode tie", {n("4"), n("2")}, "Mode : 2"},
             {"negatives out", {n("-1"), n("-1"), n("2")}, "Mode : 2"}, {"none", {n("0"), n("-1")}, "Mode : "},
             {"equal values", {n("2.50"), n("2.5"), n("1")}, "Mode : 2.5"},
             {"later run", {n("1"), n("2"), n("2"), n("3"), n("3"), n("3")}, "Mode : 3"},
             {"text", {t("a"), t("b"), t("b"), n("1")}, "Mode : b"}}},
    };
    for (const auto& [mode, cases] : modes) {
        calc.settings.StatMode = mode;
        expectTexts(calc, cases);
    }
}

} // namespace
} // namespace qm

namespace qm {
namespace {

// Every line's running total, from the one pass, is the total of the tape
// cut after that line: on a tape built from the shared decimal vectors
// (a under "+", b under the case's operator), with rounding, function and
// power lines mixed in, in both the plain and the fixed-decimals form.
TEST(MailCalcRunningTotals, EqualTheTotalOfTheTapeCutAfterEachLine)
{
    std::ifstream in(std::string(QM_TESTDATA_DIR) + "/decimal_vectors.tsv");
    ASSERT_TRUE(in) << "decimal_vectors.tsv";
    Tape tape;
    const std::vector<std::pair<std::string, char>> ops = {{"add", '+'}, {"sub", '-'}, {"mul", 'x'}, {"div", '/'}};
    const char* const extras[] = {"Roun(2)", "Int", "Asin(1)", "Sqr(2)", "Fix", "Atan(1)"};
    std::string line;
    std::size_t cases = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string op, a, b;
        std::getline(fields, op, '\t');
        std::getline(fields, a, '\t');
        std::getline(fields, b, '\t');
        const auto found = std::find_if(ops.begin(), ops.end(), [&op](const auto& o) { return o.first == op; });
        if (found == ops.end())
            continue;
        tape.TapeValue.push_back(val(a));
        tape.TapeOp.push_back('+');
        tape.TapeValue.push_back(val(b));
        tape.TapeOp.push_back(found->second);
        if (++cases % 7 == 0) {
            tape.TapeValue.emplace_back(std::string(extras[(cases / 7) % std::size(extras)]));
            tape.TapeOp.push_back(cases % 3 == 0 ? '^' : '+');
        }
    }
    ASSERT_GT(cases, 1000u);
    const FunctionButtons buttons = defaultFunctionButtons();
    for (const int decimals : {25, 2}) {
        CalcSettings settings;
        settings.DecimalPlaces = decimals;
        Evaluator ev;
        std::vector<LineTotal> totals;
        const TotalResult whole = MailCalc(tape, settings, buttons, {}, ev, totals);
        ASSERT_EQ(totals.size(), tape.size());
        EXPECT_EQ(runningTotalText(totals.back(), settings, buttons), whole.text);
        Tape cut;
        for (std::size_t i = 0; i < tape.size(); ++i) {
            cut.TapeValue.push_back(tape.TapeValue[i]);
            cut.TapeOp.push_back(tape.TapeOp[i]);
            Evaluator fresh;
            ASSERT_EQ(runningTotalText(totals[i], settings, buttons), MailCalc(cut, settings, buttons, {}, fresh).text)
                << "line " << i << " with " << decimals << " decimals";
        }
    }
}

} // namespace
} // namespace qm
