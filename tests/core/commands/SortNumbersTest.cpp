// "Sort Numbers...": every number stays, negatives first; zeros, then texts.

#include "core/commands/SortNumbers.h"

#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

#include <string>
#include <vector>

namespace qm {
namespace {

using namespace test;

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
    const struct { const char* what; std::vector<Value> in; const char* out; } cases[] = {
        {"the documented example, -3 kept", {val("5"), val("-3"), val("0"), val("2")}, "n:-3 n:2 n:5 n:0"},
        {"negatives ascending", {val("-1"), val("-10"), val("-2.5")}, "n:-10 n:-2.5 n:-1"},
        {"empty and zero lines after the numbers, as they were",
         {Value(), val("4"), val("0.00"), Value(0.0), val("-4")}, "n:-4 n:4 _ n:0 f:0"},
        {"texts last, in tape order", {Value("Sin(30)"), val("7"), Value("15%"), Value("Cos(0)"), val("0")},
         "n:7 n:0 t:Sin(30) t:15% t:Cos(0)"},
        {"decimals and doubles by value; equal ones keep their order",
         {val("100"), val("2.5"), Value(2.5), Value(-0.125), val("2.50")}, "f:-0.125 n:2.5 f:2.5 n:2.5 n:100"},
        {"the same the other way round", {Value(2.5), val("2.5")}, "f:2.5 n:2.5"},
        {"nothing to sort", {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shownValues(sortedNumbers(c.in)), c.out) << c.what;
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
