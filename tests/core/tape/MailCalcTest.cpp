#include "core/tape/MailCalc.h"

#include "core/CoreTestSupport.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"

#include <map>

namespace qm {
namespace {

using namespace test;

struct Calc {
    CalcSettings settings;
    FunctionButtons buttons = defaultFunctionButtons();
    std::string previous = "previous";
    Evaluator evaluator;
    TotalResult operator()(const Tape& tape) { return MailCalc(tape, settings, buttons, previous, evaluator); }
    std::string text(const Tape& tape) { return (*this)(tape).text; }
};

TEST(MailCalc, TotalsOfTheCaseFile)
{
    for (const CaseRow& row : caseFile("core_mailcalc_totals.tsv", 6)) {
        Calc calc;
        calc.settings.DecimalPlaces = row.number(0);
        calc.settings.StatMode = row.number(1);
        calc.settings.regional = row[2] == "G" ? German : English;
        EXPECT_EQ(calc.text(tapeOfLines(row[3])), row[4]) << row.where;
    }
}

TEST(MailCalc, UserFunctionFormulaRules)
{
    Calc calc;
    calc.buttons[18] = {"Add1", "X+1", ""};
    calc.buttons[19] = {"Twice", "T*2", ""};
    calc.buttons[20] = {"Bad", "X+Q", ""};
    calc.buttons[21] = {"Sq", "X*X", ""};
    calc.buttons[22] = {"Cnt", "1", ""};
    for (const CaseRow& r : caseFile("core_mailcalc_functions.tsv", 3))
        EXPECT_EQ(calc.text(tapeOfLines(r[1])), r[2]) << r.where;
    // The lowest button whose caption matches wins.
    calc.buttons[18] = {"F", "X+100", ""};
    calc.buttons[19] = {"F", "X+200", ""};
    EXPECT_EQ(calc.text(tapeOfLines("+F(1)")), "101");
    // A button with an empty caption takes any text with a bracket.
    calc.buttons[18] = {"", "X*3", ""};
    EXPECT_EQ(calc.text(tapeOfLines("+(4)")), "12");
    EXPECT_EQ(calc.text(tapeOfLines("+Whatever(4)")), " Error");   // X = "Whatever4"
}

TEST(MailCalc, Colour)
{
    Calc calc;
    EXPECT_EQ(calc(tapeOfLines("+0")).colour, TotalColourBlack);
    EXPECT_EQ(calc(tapeOfLines("+5|-7")).colour, TotalColourRed);
    calc.settings.StatMode = 1;
    EXPECT_EQ(calc(tapeOfLines("+-5")).colour, TotalColourBlack);   // "Average : -5"
    calc.settings.StatMode = 9;   // no such mode: the box keeps its text, coloured by it
    calc.previous = "-12";
    const TotalResult kept = calc(tapeOfLines("+1"));
    EXPECT_EQ(kept.text, "-12");
    EXPECT_EQ(kept.colour, TotalColourRed);
}

// Every line's running total, from the one pass, is the total of the tape
// cut after that line: on a tape built from the shared decimal vectors
// (a under "+", b under the case's operator), with rounding, function and
// power lines mixed in, in both the plain and the fixed-decimals form.
TEST(MailCalcRunningTotals, EqualTheTotalOfTheTapeCutAfterEachLine)
{
    Tape tape;
    const std::map<std::string, char> ops = {{"add", '+'}, {"sub", '-'}, {"mul", 'x'}, {"div", '/'}};
    const char* const extras[] = {"Roun(2)", "Int", "Asin(1)", "Sqr(2)", "Fix", "Atan(1)"};
    std::size_t cases = 0;
    for (const CaseRow& row : caseFile("decimal_vectors.tsv", 4)) {
        if (!ops.count(row[0]))
            continue;
        tape.TapeValue.push_back(val(row[1]));
        tape.TapeOp.push_back('+');
        tape.TapeValue.push_back(val(row[2]));
        tape.TapeOp.push_back(ops.at(row[0]));
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
