// The editing session: every input as one operation on the tape, the current
// line and the caret, and what the window is told to redraw.

#include "core/editing/TapeEditor.h"

#include "core/commands/TapeCommands.h"
#include "core/editing/EntryEditing.h"
#include "core/files/RecoveryWriter.h"

#include "EditorScript.h"

#include <cstdio>
#include <memory>
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
}

// Runs the sessions of a case file: a "session" row starts an editor (its
// name, E or G, the rows loaded); each "do" row runs an input script, then
// checks facet=expected, a facet ending in a number reading that line or row.
void runSessions(const std::string& file, std::unique_ptr<TapeEditor>& e)
{
    const auto yes = [](bool b) { return std::string(b ? "1" : "0"); };
    const auto shade = [](std::uint32_t back) { return std::string(back == EntryBackMemory ? "memory" : "plain"); };
    const std::map<std::string, std::function<std::string(TapeEditor&, int)>> facets = {
        {"line", [](TapeEditor& e, int n) { return lineOf(e, n); }},
        {"op", [](TapeEditor& e, int n) { const char op = e.tape().TapeOp.at(static_cast<std::size_t>(n)); return op == BlankOp ? "blank" : std::string(1, op); }},
        {"dbl", [](TapeEditor& e, int n) {
             const Value& v = e.tape().TapeValue.at(static_cast<std::size_t>(n));
             char out[32];
             std::snprintf(out, sizeof out, "%.17g", v.isDouble() ? v.dbl() : 0.0);
             return v.isDouble() ? std::string(out) : "not a double"; }},
        {"row", [](TapeEditor& e, int n) { return e.row(n).text; }},
        {"rowop", [](TapeEditor& e, int n) { return std::string(1, e.row(n).op); }},
        {"opcolour", [](TapeEditor& e, int n) { return std::to_string(e.row(n).opColour); }},
        {"colour", [](TapeEditor& e, int n) { return std::to_string(e.row(n).textColour); }},
        {"shown", [](TapeEditor& e, int n) { return e.rowDisplayText(n); }},
        {"back", [&](TapeEditor& e, int n) { return shade(e.row(n).background); }},
        {"totalback", [&](TapeEditor& e, int) { return shade(e.totalBackground()); }},
        {"total", [](TapeEditor& e, int) { return e.total().text; }},
        {"edit", [](TapeEditor& e, int) { return e.editText(); }},
        {"size", [](TapeEditor& e, int) { return std::to_string(e.tape().size()); }},
        {"last", [](TapeEditor& e, int) { return std::to_string(e.tape().TapeLast()); }},
        {"first", [](TapeEditor& e, int) { return std::to_string(e.firstLine()); }},
        {"scrollmax", [](TapeEditor& e, int) { return std::to_string(e.scrollMax()); }},
        {"at", [](TapeEditor& e, int) { return std::to_string(e.currentRow()); }},
        {"current", [](TapeEditor& e, int) { return std::to_string(e.currentLine()); }},
        {"memory", [](TapeEditor& e, int) { return e.memoryDisplay(); }},
        {"memvalue", [](TapeEditor& e, int) { return stored(e.memory()); }},
        {"entered", [](TapeEditor& e, int) { return std::to_string(e.enteredLines()); }},
        {"copy", [](TapeEditor& e, int) { return e.copyNumbersText(); }},
        {"decimals", [](TapeEditor& e, int) { return std::to_string(e.settings().DecimalPlaces); }},
        {"undosteps", [](TapeEditor& e, int) { return std::to_string(e.history().undoSteps()); }},
        {"canundo", [&](TapeEditor& e, int) { return yes(e.canUndo()); }},
        {"canredo", [&](TapeEditor& e, int) { return yes(e.canRedo()); }},
        {"undo", [&](TapeEditor& e, int) { return yes(e.undo()); }},
        {"shownline", [&](TapeEditor& e, int) { return yes(e.currentShown()); }},
        {"notes", [](TapeEditor& e, int) {
             std::string out;
             for (long long i = 0; i < 4; ++i)
                 out += (i ? "|" : "") + (e.note(i).empty() ? std::string("-") : e.note(i));
             return out; }},
        {"full", [&](TapeEditor& e, int) { return yes(e.takeChanges().tapeFull); }},
        {"refused", [&](TapeEditor& e, int) { return yes(e.takeChanges().refused); }},
    };
    Tape before;
    for (const CaseRow& c : caseFile(file, 0)) {
        if (c[0] == "session") {
            e = std::make_unique<TapeEditor>(c[2] == "G" ? German : English, c.number(3));
            continue;
        }
        ASSERT_TRUE(e && c[0] == "do") << c.where;
        run(*e, c[1]);
        for (std::size_t k = 2; k < c.fields.size(); ++k) {
            const std::string& check = c[k];
            const std::size_t is = check.find('='), digits = check.find_first_of("0123456789");
            const std::string name = check.substr(0, std::min(is, digits));
            if (name == "same") {   // the tape the row before left
                EXPECT_TRUE(identicalTapes(e->tape(), before)) << c.where;
                continue;
            }
            ASSERT_TRUE(is != std::string::npos && facets.count(name)) << c.where << ": " << check;
            const int n = digits < is ? std::stoi(check.substr(digits, is - digits)) : 0;
            EXPECT_EQ(name + "=" + facets.at(name)(*e, n), name + "=" + check.substr(is + 1)) << c.where;
        }
        before = e->tape();
    }
}

TEST(TapeEditor, SessionsOfTheCaseFile)
{
    std::unique_ptr<TapeEditor> e;
    runSessions("core_editor_sessions.tsv", e);
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
    std::unique_ptr<TapeEditor> e;
    runSessions("core_editor_truth.tsv", e);
}

// Notes belong to the lines of the session.
TEST(TapeEditorNotes, FollowTheirLines)
{
    std::unique_ptr<TapeEditor> session;
    runSessions("core_editor_notes.tsv", session);
    ASSERT_TRUE(session);
    TapeEditor& e = *session;
    // The recovery copy keeps them too.
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
