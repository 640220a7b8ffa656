// The editing session: every input as one operation on the tape, the current
// line and the caret, and what the window is told to redraw.

#include "core/editing/TapeEditor.h"

#include "core/commands/TapeCommands.h"
#include "core/editing/EntryEditing.h"
#include "core/files/RecoveryWriter.h"
#include "core/tape/DefaultButtons.h"

#include "EditorScript.h"

#include <cmath>
#include <functional>
#include <map>

namespace qm {
namespace {

using namespace test;

std::string lineOf(const TapeEditor& e, long long line)
{
    return stored(e.tape().TapeValue.at(static_cast<std::size_t>(line)));
}

// A tape of `lines` lines, line i holding `values[i]` (the rest 0), all under "+".
Tape tapeWith(std::size_t lines, std::vector<Value> values = {})
{
    Tape t;
    t.resize(lines);
    for (std::size_t i = 0; i < values.size() && i < lines; ++i)
        t.TapeValue[i] = values[i];
    return t;
}
// Lines holding first, first + step, ...
std::vector<Value> counting(int lines, int first, int step = 1)
{
    std::vector<Value> values;
    for (int i = 0; i < lines; ++i)
        values.emplace_back(Decimal::fromInt(first + i * step));
    return values;
}

TEST(TapeEditor, EditsOnALine)
{
    for (const CaseRow& c : caseFile("core_editor_edits.tsv", 7)) {
        const Regional& regional = c[0] == "G" ? German : English;
        TapeEditor e(regional, 5);
        const std::string& start = c[1];
        Value v{Decimal()};
        if (start.find_first_of("(%") != std::string::npos)
            v = Value(start);
        else if (std::optional<Decimal> d = entryNumber(start, regional))
            v = Value(*d);
        e.replaceTape(tapeWith(5, {v}));
        if (e.editText() != start) {
            e.selectAll();
            e.insertText(start);
        }
        e.setCaret(c.number(2), c.number(2));
        run(e, c[3]);
        EXPECT_EQ(e.editText() + " " + std::to_string(e.caret()) + " " + std::to_string(e.selectionAnchor()) + " " +
                      lineOf(e, e.currentLine()),
                  c[4] + " " + c[5] + " " + c[5] + " " + c[6]) << c.where;
    }
}

// Nothing but a new empty line is written: 0 once Enter or a typed operator lands on it.
TEST(TapeEditor, MovesEnterOperatorsAndGrowth)
{
    for (const CaseRow& c : caseFile("core_editor_moves.tsv", 9)) {
        const int lines = c.number(0);
        TapeEditor e(English, 5);
        e.replaceTape(tapeWith(static_cast<std::size_t>(lines), counting(lines, 1)));
        e.scrollTo(c.number(1));
        e.focusRow(c.number(2));
        run(e, c[3]);
        EXPECT_EQ(std::to_string(e.tape().TapeLast()) + " " + std::to_string(e.firstLine()) + " " +
                      std::to_string(e.scrollMax()) + " " + std::to_string(e.currentRow()) + " " + e.row(e.currentRow()).op,
                  c[4] + " " + c[5] + " " + c[6] + " " + c[7] + " " + c[8]) << c.where;
        for (int i = 0; i < lines; ++i)
            EXPECT_EQ(lineOf(e, i), std::to_string(i + 1)) << c.where << " line " << i;
        if (c.number(4) >= lines) {
            EXPECT_EQ(lineOf(e, c.number(4)), c[3].back() == ']' ? "empty" : "0") << c.where;
        }
    }
    // A box cannot show pi exactly: reaching its line by Enter, an operator
    // or an arrow must not store the box's 15 figures.
    TapeEditor p(English, 5);
    run(p, "[Row1][Pi][Row0]\r[Up][Down][+][Row0]*[Row0][x]");
    ASSERT_TRUE(p.tape().TapeValue[1].isDouble());
    EXPECT_EQ(p.tape().TapeValue[1].dbl(), std::acos(-1.0));
    EXPECT_EQ(p.tape().TapeOp[1], 'x');
}

TEST(TapeEditor, TheTapeGrowsUpToItsLimitAndShortTapesStoreNothing)
{
    // The digits after Enter go to the new line, never onto the last one; at
    // the limit Enter and the operators say the tape is full and add nothing.
    TapeEditor e(English, 17);
    e.replaceTape(tapeWith(40000));
    e.scrollTo(e.scrollMax());
    e.focusRow(16);
    run(e, "99\r1000");
    EXPECT_EQ(lineOf(e, 39999) + " " + lineOf(e, 40000), "99 1000");
    e.setMaxLines(40001);
    for (const char* full : {"\r", "[x]"}) {
        run(e, full);
        EXPECT_TRUE(e.takeChanges().tapeFull) << full;
    }
    EXPECT_EQ(e.tape().TapeLast(), 40000);
    EXPECT_EQ(e.currentLine(), 40000);
    // Clear All with few rows shown, then Enter: the tape is cut to the rows
    // shown plus one; shown again, the rows past its end hold no line.
    TapeEditor s(English, 10);
    s.setShownRows(2);
    s.clearAll();
    run(s, "[Row2]8\r");
    EXPECT_EQ(s.tape().size(), 4u);
    s.setShownRows(9);
    EXPECT_EQ(s.currentRow(), 3);
    run(s, "[Row6]7[7][Sin][Pi][Op6]");
    EXPECT_EQ(s.editText() + "|" + s.row(6).text + "|" + s.row(6).op + "|" + s.total().text, "||+|8");
    EXPECT_EQ(s.tape().size(), 4u);
    s.clearAll();
    EXPECT_EQ(s.tape().size(), 10u);
}

TEST(TapeEditor, OperatorButtonsCycleAndTheFirstLineSkipsDivideAndPower)
{
    TapeEditor e(English, 5);
    for (const char op : {'-', 'x', '+', '-'}) {
        e.cycleOperator(0);
        EXPECT_EQ(e.tape().TapeOp[0], op);
    }
    e.cycleOperator(3);
    EXPECT_EQ(e.row(3).op, '-');
    EXPECT_EQ(e.row(3).opColour, 0x0000FFu);
    EXPECT_EQ(e.currentRow(), 0);
    e.replaceTape(tapeWith(30, {val("6"), Value(), val("2")}));
    e.scrollTo(2);   // row 0 shows line 2, which cycles fully
    run(e, "[Op0][Op0][Op0]");
    EXPECT_EQ(e.tape().TapeOp[2], '/');
    EXPECT_EQ(e.total().text, "3");   // 6 / 2
}

TEST(TapeEditor, FunctionLinesMemoryAndUserButtons)
{
    // The memory, whether line 1 and the total are shaded, the edit text and the total.
    TapeEditor m(English, 5);
    const auto state = [&m] {
        return m.memoryDisplay() + " " + (m.row(1).background == EntryBackMemory ? "shaded" : "plain") + " " +
               (m.totalBackground() == EntryBackMemory ? "shaded" : "plain") + " " + m.editText() + " " + m.total().text;
    };
    const struct { const char* input; const char* state; } steps[] = {
        {"2+3[M+]", "3 shaded plain 3 5"}, {"[Row2]", "3 plain plain  5"},   // the shading goes with the focus
        {"[Total][M+]", "5 plain shaded  5"},                                // with the total focused it stores the total
        {"[Leave]", "5 plain plain  5"},                                     // the memory button is left
        {"[MR]", "5 plain plain 5 10"}};
    for (const auto& step : steps) {
        run(m, step.input);
        EXPECT_EQ(state(), step.state) << step.input;
    }
    run(m, "[Row3]1234.5");
    m.setDecimals(2);
    m.recalculate();
    run(m, "[M=]");   // "1,244.50"
    EXPECT_EQ(m.memoryDisplay(), "1244.5");
    m.setStatMode(StatMode::Average);
    run(m, "[M=]");   // a statistics text leaves the memory as it was
    EXPECT_EQ(stored(m.memory()), "1244.5");
    TapeEditor e(English, 5);
    FunctionButtons b = defaultFunctionButtons();
    b[18] = {"Area", "X*2+T", ""};
    b[19] = {"Interest", "X*2", ""};
    e.setFunctionButtons(b);
    const struct { const char* input; const char* line; const char* total; } lines[] = {
        {"1+[F18][4]", "text:Area(4)", "10"},       // 1 + (4*2+1)
        {"2.5+[F19][5]", "text:Interest(5)", "2"},  // a name holding "Int" rounds down
    };
    for (const auto& l : lines) {
        run(e, std::string("[CA]") + l.input);
        EXPECT_EQ(lineOf(e, 1) + " " + e.total().text, l.line + (" " + std::string(l.total)));
    }
    b[15].Caption = "";   // an empty name matches every line with a "(", first of all
    e.setFunctionButtons(b);
    run(e, "[CA]1+[F18][4]");
    EXPECT_EQ(e.total().text, " Error");
}

// Clear All keeps the length; the view goes back to the top.
TEST(TapeEditor, ClearAllShowsTheTopOfTheTape)
{
    TapeEditor e(English, 5);
    e.replaceTape(tapeWith(30, {val("9"), val("8")}));
    e.scrollTo(10);
    e.focusRow(3);
    run(e, "[CA]");
    ASSERT_EQ(e.tape().size(), 30u);
    EXPECT_EQ(tapeText(e.tape()).substr(0, 14), "+0|+0|+0|+0|+0");
    EXPECT_EQ(e.tape().TapeOp[5], BlankOp);
    EXPECT_TRUE(e.tape().TapeValue[5].isEmpty());
    EXPECT_EQ(e.total().text + "|" + e.editText(), "|");
    EXPECT_EQ(e.firstLine() + e.scrollMax() + e.currentRow(), 0);
}

TEST(TapeEditor, PasteNumbers)
{
    const std::string many = [] { std::string s; for (int i = 0; i < 33000; ++i) s += "1\r\n"; return s + "1"; }();
    for (const CaseRow& c : caseFile("core_editor_paste.tsv", 8)) {
        TapeEditor e(English, 5);
        Tape t = tapeWith(30, {val("9")});
        t.TapeOp[0] = 'x';
        e.replaceTape(t);
        const PasteOutcome out = e.pasteNumbers(c[0] == "many" ? many : c[0]);
        EXPECT_EQ(std::to_string(out.pasted) + " " + std::to_string(out.lines) + " " + std::to_string(out.cut) + " " +
                      std::to_string(e.scrollMax()) + " " + lineOf(e, 0) + " " + e.tape().TapeOp[0] + " " + e.total().text,
                  c[1] + " " + c[2] + " " + c[3] + " " + c[4] + " " + c[5] + " " + c[6] + " " + c[7]) << c.where;
    }
}

TEST(TapeEditor, DecimalsKeepTheValues)
{
    TapeEditor e(English, 5);
    e.replaceTape(tapeWith(5, {val("1234.5"), val("2.555"), val("0.5"), val("-1234.5")}));
    e.focusRow(1);
    e.setDecimals(2);
    // The current line keeps its full value in the box.
    EXPECT_EQ(e.row(0).text + "|" + e.row(1).text + "|" + e.rowDisplayText(1) + "|" + e.row(2).text + "|" + e.row(3).text,
              "1,234.50|2.555|2.56|.50|-1,234.50");
    EXPECT_EQ(e.row(3).textColour, RowTextDarkRed);
    e.focusRow(0);
    EXPECT_EQ(e.editText(), "1,234.50");   // it reads back as its value
    for (int refused : {7, -1, 24})
        e.setDecimals(refused);
    EXPECT_EQ(e.settings().DecimalPlaces, 2);
    e.setDecimals(VariableDecimals);
    EXPECT_EQ(e.row(1).text, "2.555");
}

// The rows made at start-up are padding; a file's and a paste's lines are kept.
TEST(TapeEditor, CopyAndSaveGiveTheEnteredLines)
{
    TapeEditor e(English, 50);
    run(e, "12.5\r2*3\r4-5\r");
    EXPECT_EQ(e.enteredLines(), 5u);
    EXPECT_EQ(e.copyNumbersText(), "12.5\r\n2\r\n3\r\n4\r\n5");
    e.replaceTape(tapeWith(3, {val("5")}));
    EXPECT_EQ(e.enteredLines(), 3u);
    e.pasteNumbers("1\r\n0");
    EXPECT_EQ(e.enteredLines(), 2u);
    e.clearAll();
    EXPECT_EQ(e.enteredLines(), 1u);
}

// ---- The faults that made the screen and the tape drift apart ----

TEST(TapeEditorFaults, MovingUnderZeroDecimalsLeavesTheValuesWhole)
{
    TapeEditor e(English, 17);
    run(e, "2.5\r2.5\r2.5");
    e.setDecimals(0);
    EXPECT_EQ(e.row(0).text, "3");
    run(e, "[Row0]");
    EXPECT_EQ(e.editText(), "2.5");
    run(e, "[Down][Down]");
    e.setDecimals(VariableDecimals);
    EXPECT_EQ(lineOf(e, 0) + " " + lineOf(e, 1) + " " + lineOf(e, 2), "2.5 2.5 2.5");
    e.recalculate();
    EXPECT_EQ(e.total().text, "7.5");
}

TEST(TapeEditorFaults, AResizeKeepsTheCaretsLine)
{
    for (const CaseRow& c : caseFile("core_editor_resize.tsv", 6)) {
        TapeEditor e(English, 17);
        e.replaceTape(tapeWith(40, counting(40, 0)));
        e.setShownRows(c.number(0));
        e.scrollTo(c.number(1));
        e.focusRow(c.number(2));
        const long long line = e.currentLine();
        e.setCaret(1, 1);
        e.setShownRows(c.number(3));
        EXPECT_EQ((std::vector<int>{e.firstLine(), e.currentRow(), e.caret()}), (std::vector<int>{c.number(4), c.number(5), 1}))
            << c.where;
        e.typeCharacter('9');
        for (int i = 0; i < 40; ++i) {
            const std::string digits = std::to_string(i);
            EXPECT_EQ(lineOf(e, i), i == line ? digits.substr(0, 1) + "9" + digits.substr(1) : digits) << line;
        }
    }
}

// Each input that once left the screen showing what the tape does not hold.
TEST(TapeEditorFaults, EveryEditTellsTheTruth)
{
    const std::vector<Value> tens = counting(40, 10, 10);
    {   // A keypad operator on a past line counts at once.
        TapeEditor e(English, 17);
        run(e, "10\r5[Row0][x]");
        EXPECT_EQ(e.total().text, "50");
    }
    {   // A paste that is no number is refused whole; a keyword form is kept as text.
        TapeEditor e(English, 17);
        run(e, "100\r200\r300[Up][All]");
        e.takeChanges();
        e.insertText("12.3.4");
        EXPECT_TRUE(e.takeChanges().refused);
        EXPECT_EQ(e.editText() + " " + e.total().text, "200 600");
        e.insertText("7%");
        EXPECT_EQ(lineOf(e, 1), "text:7%");
    }
    {   // A figure beyond the decimal's range is refused, never stored cut short.
        TapeEditor e(English, 17);
        run(e, std::string(35, '7'));
        EXPECT_EQ(e.editText() + " " + lineOf(e, 0), std::string(29, '7') + " " + std::string(29, '7'));
    }
    {   // Decimals redraws the total and keeps what is being typed.
        TapeEditor e(English, 17);
        run(e, "1234.5678\r1");
        e.setDecimals(2);
        EXPECT_EQ(e.total().text, "1,235.57");
        run(e, "\r7.");
        e.setDecimals(0);
        EXPECT_EQ(e.editText(), "7.");
        run(e, "5");
        EXPECT_EQ(lineOf(e, 2), "7.5");
    }
    {   // Scrolling keeps the edited line; the next key brings it back into view.
        TapeEditor e(English, 17);
        e.replaceTape(tapeWith(40, tens));
        run(e, "[Row4]");
        e.scrollBy(9);
        EXPECT_FALSE(e.currentShown());
        run(e, "2");
        EXPECT_EQ(lineOf(e, 4) + " " + lineOf(e, 13), "502 140");
        EXPECT_TRUE(e.currentShown() && e.currentLine() == 4);
    }
    {   // Any new change clears Redo, also one that only adds a line.
        TapeEditor e(English, 17);
        e.replaceTape(tapeWith(60, tens));
        e.scrollTo(e.scrollMax());
        run(e, "[Row16]9");
        ASSERT_TRUE(e.undo());
        run(e, "\r");
        EXPECT_FALSE(e.canRedo());
    }
    {   // While a game runs nothing changes the tape.
        TapeEditor e(English, 17);
        run(e, "5.25+4.75*2");
        const Tape before = e.tape();
        e.setTapeLocked(true);
        run(e, "[Row0][Pi][Sin][MR][CA][+][7]9\r");
        e.clearAll();
        e.pasteNumbers("1\n2");
        e.sortNumbers();
        EXPECT_FALSE(e.undo());
        EXPECT_TRUE(identicalTapes(e.tape(), before));
        EXPECT_EQ(e.total().text, "20");
    }
}

TEST(TapeEditorFaults, AGroupingSymbolTypedAsAPointShowsTheStoredValueOnceLeft)
{
    TapeEditor e(German, 5);
    run(e, "12.5");
    EXPECT_EQ(lineOf(e, 0), "125");
    run(e, "[Down]");
    EXPECT_EQ(e.row(0).text, "125");
    run(e, "[Up]");
    EXPECT_EQ(e.editText(), "125");
}

// Notes belong to the lines of the session: each row is one operation and
// the notes of lines 0..3 after it ("-" for none).
TEST(TapeEditorNotes, FollowTheirLines)
{
    TapeEditor e(English, 4);
    run(e, "5+3+9+");   // lines 5, 3, 9
    const auto notes = [&e] {
        std::string out;
        for (long long i = 0; i < 4; ++i)
            out += (e.note(i).empty() ? std::string("-") : e.note(i)) + "|";
        return out;
    };
    struct Step { const char* what; std::function<bool()> op; const char* after; };
    const std::string tooLong(MaxNoteChars + 1, 'n');
    const Step steps[] = {
        {"add", [&] { return e.setNote(0, "Lunch"); }, "Lunch|-|-|-|"},
        {"add another", [&] { return e.setNote(2, "Taxi"); }, "Lunch|-|Taxi|-|"},
        {"change", [&] { return e.setNote(0, "Dinner"); }, "Dinner|-|Taxi|-|"},
        {"undo the change", [&] { return e.undo(); }, "Lunch|-|Taxi|-|"},
        {"redo it", [&] { return e.redo(); }, "Dinner|-|Taxi|-|"},
        {"a tab is refused", [&] { return !e.setNote(1, "a\tb"); }, "Dinner|-|Taxi|-|"},
        {"too long is refused", [&] { return !e.setNote(1, tooLong); }, "Dinner|-|Taxi|-|"},
        {"no such line", [&] { return !e.setNote(99, "x"); }, "Dinner|-|Taxi|-|"},
        {"sort moves notes with values", [&] { e.sortNumbers(); return true; }, "-|Dinner|Taxi|-|"},
        {"undo the sort", [&] { return e.undo(); }, "Dinner|-|Taxi|-|"},
        {"remove", [&] { return e.setNote(2, ""); }, "Dinner|-|-|-|"},
        {"a note keeps a +0 line entered", [&] { return e.setNote(3, "Tip") && e.enteredLines() == 4; }, "Dinner|-|-|Tip|"},
        {"clear all", [&] { e.clearAll(); return true; }, "-|-|-|-|"},
        {"undo clear all", [&] { return e.undo(); }, "Dinner|-|-|Tip|"},
        {"paste starts without", [&] { return e.pasteNumbers("1\r\n2").pasted; }, "-|-|-|-|"},
        {"undo the paste", [&] { return e.undo(); }, "Dinner|-|-|Tip|"},
        {"locked while a game runs", [&] { e.setTapeLocked(true); const bool r = !e.setNote(1, "x"); e.setTapeLocked(false); return r; }, "Dinner|-|-|Tip|"},
    };
    for (const Step& s : steps) {
        EXPECT_TRUE(s.op()) << s.what;
        EXPECT_EQ(notes(), s.after) << s.what;
    }
    // The values stayed with their notes through it all; the recovery copy
    // keeps them too.
    EXPECT_EQ(lineOf(e, 0), "5");
    const std::optional<Tape> copy = recoveryCopy(e.tape());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->note(0), "Dinner");
    EXPECT_EQ(copy->note(3), "Tip");
    // The running totals and the tape as text: 5, 8, 17, and the grand total.
    EXPECT_EQ(e.runningTotalText(1), "8");
    EXPECT_EQ(e.tapeRecordText(RecordFormat::Tabs), "+\t5\t5\tDinner\r\n+\t3\t8\t\r\n+\t9\t17\t\r\n+\t0\t17\tTip\r\n=\t\t17\t");
    // In CSV a note a spreadsheet would run as a formula is kept as text.
    for (const char* formula : {"=HYPERLINK(1)", "+1", "-1", "@SUM(A1)"}) {
        ASSERT_TRUE(e.setNote(1, formula));
        std::string quoted = "\"'";
        quoted += formula;
        quoted += '"';
        EXPECT_NE(e.tapeRecordText(RecordFormat::Csv).find(quoted), std::string::npos) << formula;
    }
}

} // namespace
} // namespace qm
