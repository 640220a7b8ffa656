#include "core/tape/MailCalc.h"
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/PositiveSort.h"

#include "core/CoreTestSupport.h"

#include <bit>
#include <map>
#include <random>

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

// The same value in the same representation: kind, scale, bits or bytes.
bool identical(const Value& a, const Value& b)
{
    if (a.kind() != b.kind())
        return false;
    if (a.isDecimal())
        return a.decimal() == b.decimal() && a.decimal().scale() == b.decimal().scale();
    if (a.isDouble())
        return std::bit_cast<std::uint64_t>(a.dbl()) == std::bit_cast<std::uint64_t>(b.dbl());
    return !a.isText() || a.text() == b.text();
}

// The selection sort done literally, one pass per place over the rest: the
// reference the tree form must match exactly.
void selectionSortLiteral(std::vector<Value>& values)
{
    for (std::size_t i = 0; i + 1 < values.size(); ++i) {
        std::size_t b = i;
        for (std::size_t j = i + 1; j < values.size(); ++j) {
            if (compare(values[j], values[b]) < 0)
                b = j;
        }
        if (b != i)
            std::swap(values[i], values[b]);
    }
}

void expectIdentical(const std::vector<Value>& got, const std::vector<Value>& want, const std::string& what)
{
    ASSERT_EQ(got.size(), want.size()) << what;
    for (std::size_t i = 0; i < got.size(); ++i)
        ASSERT_TRUE(identical(got[i], want[i])) << what << " at " << i << ": " << plainText(got[i]);
}

TEST(PositiveSort, PositivesFirstRestZeroed)
{
    for (const CaseRow& c : caseFile("core_positive_sort.tsv", 3)) {
        std::vector<Value> in = valuesOf(c[0]);
        EXPECT_EQ(sortPositivesFirst(in), static_cast<std::size_t>(c.number(1))) << c.where;
        expectIdentical(in, valuesOf(c[2]), c.where);
    }
}

TEST(PositiveSort, FastFormMatchesTheLiteralPass)
{
    // Many ties that can still be told apart: scales, doubles beside equal
    // decimals, empties beside zeros, texts.
    const std::vector<Value> pool = {
        val("1"), val("1.0"), Value(1.0), val("0"), val("0.0"), Value(), Value(0.0), val("-2"),
        val("-2.0"), Value(-2.0), val("0.1"), Value(0.1), Value("a"), Value("b"), Value("a"),
        val("79228162514264337593543950335"), Value(1e30)};
    std::mt19937 gen(12345);
    for (int round = 0; round < 3001; ++round) {
        // The last round is one long tape of small integers.
        const bool large = round == 3000;
        std::vector<Value> a(large ? 4000 : std::uniform_int_distribution<std::size_t>(0, 40)(gen));
        for (auto& x : a)
            x = large ? Value(Decimal::fromInt(std::uniform_int_distribution<int>(-500, 500)(gen)))
                      : pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(gen)];
        std::vector<Value> b = a;
        selectionSortLiteral(a);
        detail::selectionSortTree(b);
        expectIdentical(b, a, "round " + std::to_string(round));
        for (std::size_t i = 1; i < b.size(); ++i)
            ASSERT_TRUE(compare(b[i - 1], b[i]) <= 0) << i;
    }
}

} // namespace
} // namespace qm
