// "Sort Numbers...": every number stays, negatives first; zeros, then texts.

#include "core/commands/SortNumbers.h"

#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

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
    for (const CaseRow& c : caseFile("core_sort_numbers.tsv", 2))
        EXPECT_EQ(shownValues(sortedNumbers(valuesOf(c[0]))), c[1]) << c.where;
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
