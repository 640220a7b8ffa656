// Undo and redo in the editing session: each kind of change comes back
// exactly, the history holds changed lines only and replaced tapes by moving.

#include "core/editing/TapeEditor.h"

#include "core/commands/TapeCommands.h"
#include "core/editing/UndoHistory.h"

#include "EditorScript.h"


namespace qm {
namespace {

using namespace test;

// The grand total of a tape as a recalculation gives it.
std::string totalOf(const Tape& tape)
{
    TapeEditor e(English, 1);
    e.replaceTape(tape);
    return e.total().text;
}

TEST(Undo, EachKindOfChangeComesBackExactly)
{
    for (const CaseRow& c : caseFile("core_undo_kinds.tsv", 3)) {
        TapeEditor e(English, 6);
        Tape start = numbered(12);
        start.TapeValue[5] = Value(std::string("Cos(0)"));
        start.TapeValue[6] = Value(Decimal());
        start.TapeValue[7] = Value(-3.5);
        start.TapeOp[8] = 'x';
        e.replaceTape(start);
        run(e, c[1]);
        e.forgetHistory();
        const Tape before = e.tape();
        const std::string totalBefore = totalOf(before);
        const long long lineBefore = e.currentLine();
        run(e, c[2]);
        const Tape after = e.tape();
        // Some commands leave the total for the next change; undo and redo
        // always recalculate.
        const std::string totalAfter = totalOf(after);
        ASSERT_FALSE(identicalTapes(before, after)) << c.where << ": the change changed nothing";
        // Undo recalculates and goes back where the change was made; it is one step.
        ASSERT_TRUE(e.undo()) << c.where;
        EXPECT_TRUE(identicalTapes(e.tape(), before)) << c.where << "\n" << tapeText(e.tape()) << "\n" << tapeText(before);
        EXPECT_EQ(e.total().text + " " + std::to_string(e.currentLine()), totalBefore + " " + std::to_string(lineBefore)) << c.where;
        EXPECT_FALSE(e.undo()) << c.where;
        ASSERT_TRUE(e.redo()) << c.where;
        EXPECT_TRUE(identicalTapes(e.tape(), after)) << c.where << "\n" << tapeText(e.tape()) << "\n" << tapeText(after);
        EXPECT_EQ(e.total().text, totalAfter) << c.where;
        EXPECT_FALSE(e.redo()) << c.where;
    }
}

TEST(Undo, TheHistoryGrowsWithTheLinesChangedAndReplacedTapesAreMovedNotCopied)
{
    TapeEditor e(English, 17);
    e.replaceTape(numbered(20000));
    e.forgetHistory();
    for (int i = 0; i < 100; ++i) {
        e.scrollTo(i * 190);
        e.focusRow(0);
        e.typeCharacter('5');
    }
    e.focusRow(5);   // leaving the line ends the last step
    EXPECT_EQ(e.history().undoSteps(), 100u);
    EXPECT_EQ(e.history().keptLines(), 100u);   // one line each, whatever the tape's length
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(e.undo());
    EXPECT_TRUE(identicalTapes(e.tape(), numbered(20000)));
    const Value* storage = e.tape().TapeValue.data();
    e.clearAll();
    ASSERT_TRUE(e.undo());
    EXPECT_EQ(e.tape().TapeValue.data(), storage);   // the very same lines, not a copy
    EXPECT_EQ(e.total().text, "99990000");           // 1 + 2 + 3 - 4 + 5 ... over 20000 lines
    e.replaceTape(numbered(300));
    const Value* openedStorage = e.tape().TapeValue.data();
    ASSERT_TRUE(e.undo());
    EXPECT_EQ(e.tape().TapeValue.data(), storage);
    ASSERT_TRUE(e.redo());
    EXPECT_EQ(e.tape().TapeValue.data(), openedStorage);
}

TEST(Undo, TheOldestStepsGoBeyondTheLimit)
{
    TapeEditor e(English, 5);
    e.forgetHistory();
    const std::size_t changes = UndoHistory::MaxSteps + 3;
    for (std::size_t i = 0; i < changes; ++i)
        e.cycleOperator(1);
    EXPECT_EQ(e.history().undoSteps(), UndoHistory::MaxSteps);
    std::size_t undone = 0;
    while (e.undo())
        ++undone;
    EXPECT_EQ(undone, UndoHistory::MaxSteps);
    // Three changes could not be undone: the operator went "+", "-", "x", "/".
    EXPECT_EQ(e.tape().TapeOp[1], '/');
}

} // namespace
} // namespace qm
