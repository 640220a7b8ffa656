// Undo and redo in the editing session: each kind of change comes back
// exactly, typing on a line is one step, replaced tapes are kept by moving,
// and random edit sequences undone fully give back the first tape.

#include "core/editing/TapeEditor.h"

#include "core/commands/TapeCommands.h"
#include "core/editing/UndoHistory.h"

#include "EditorScript.h"

#include <random>

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

TEST(Undo, TypingOnOneLineIsOneStepAndLeavingTheLineEndsIt)
{
    TapeEditor e(English, 5);
    e.forgetHistory();
    run(e, "123\b4");
    e.moveDown();
    EXPECT_EQ(e.history().undoSteps(), 1u);
    e.typeCharacter('8');
    e.moveUp();
    e.typeCharacter('9');   // back on the first line: a new step
    EXPECT_EQ(e.total().text, "1257");   // 1249 + 8
    for (const char* total : {"132", "124", "0"}) {
        ASSERT_TRUE(e.undo());
        EXPECT_EQ(e.total().text, total);
    }
    EXPECT_EQ(e.editText(), "");
    EXPECT_FALSE(e.undo());
    // Typing that ends where it began leaves no step.
    run(e, "5\b");
    e.focusRow(2);
    EXPECT_FALSE(e.canUndo());
}

TEST(Undo, TheTotalShownAfterUndoFollowsTheSettingsOfNow)
{
    TapeEditor e(English, 5);
    e.forgetHistory();
    run(e, "1.5+2");
    e.clearAll();
    ASSERT_TRUE(e.undo());
    EXPECT_EQ(e.total().text, "3.5");
    e.clearAll();
    e.setDecimals(2);
    ASSERT_TRUE(e.undo());
    EXPECT_EQ(e.total().text, "3.50");
    e.setStatMode(StatMode::Average);
    ASSERT_TRUE(e.undo());   // the typing of 2
    EXPECT_EQ(e.total().text, "Average : 1.5");
    ASSERT_TRUE(e.redo());
    EXPECT_EQ(e.total().text, "Average : 1.75");
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

// One random input on the session; undo and redo among them or not.
void randomInput(TapeEditor& e, std::mt19937& rng, bool undoAndRedo = true)
{
    const auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    static const std::string typed = "0123456789.,-+*/\r\bH";
    switch (pick(20)) {
    case 0: case 1: case 2: case 3: case 4:
        e.typeCharacter(typed[static_cast<std::size_t>(pick(static_cast<int>(typed.size())))]);
        break;
    case 5: e.backspace(); break;
    case 6: e.deleteForward(); break;
    case 7: e.focusRow(pick(e.lastRow() + 1)); break;
    case 8: pick(2) ? e.moveDown() : e.moveUp(); break;
    case 9: e.keypad(static_cast<KeypadKey>(pick(KeypadKeyCount))); break;
    case 10: e.cycleOperator(pick(e.lastRow() + 1)); break;
    case 11: e.functionButton(pick(FunctionButtonCount)); break;
    case 12: pick(2) ? e.memoryPlus() : e.memoryRecall(); break;
    case 13: e.pi(); break;
    case 14:
        switch (pick(4)) {
        case 0: e.clearAll(); break;
        case 1: e.sortNumbers(); break;
        case 2: e.pasteNumbers(pick(2) ? "3\r\n-1.5\r\n\r\n2" : "1\n2\n3\n4\n5\n6\n7\n8\n9"); break;
        default: e.replaceTape(numbered(static_cast<std::size_t>(1 + pick(30)))); break;
        }
        break;
    case 15: e.scrollTo(pick(e.scrollMax() + 1)); break;
    case 16: e.selectAll(); break;
    case 17: e.insertText(pick(2) ? "Sin(1)" : "42"); break;
    case 18: undoAndRedo ? void(e.undo()) : e.typeCharacter('7'); break;
    default: undoAndRedo ? void(e.redo()) : e.typeCharacter('\r'); break;
    }
}

TEST(Undo, EveryUndoShowsATapeTheUserHadSeen)
{
    for (unsigned seed = 100; seed < 120; ++seed) {
        std::mt19937 rng(seed);
        TapeEditor e(English, 5);
        e.forgetHistory();
        std::vector<Tape> seen{e.tape()};
        for (int i = 0; i < 200; ++i) {
            // Without undo and redo among the inputs, the history is the
            // sequence of tapes seen.
            randomInput(e, rng, false);
            if (!identicalTapes(e.tape(), seen.back()))
                seen.push_back(e.tape());
        }
        // Walking back, each tape is one seen earlier than the one before it.
        std::size_t at = seen.size() - 1;
        while (e.undo()) {
            bool found = false;
            while (at > 0 && !found) {
                --at;
                found = identicalTapes(e.tape(), seen[at]);
            }
            ASSERT_TRUE(found) << "seed " << seed << ": undo gave a tape never seen\n" << tapeText(e.tape());
        }
        EXPECT_EQ(at, 0u) << "seed " << seed;
    }
}

} // namespace
} // namespace qm
