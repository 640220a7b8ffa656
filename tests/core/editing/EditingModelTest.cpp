// A model test of the editing session: long random walks of every kind of
// input, checking after each one that what the window would show is what the
// tape holds, and at the end of each stretch that undo and redo walk the
// whole way and that a saved tape opens again the same.

#include "core/editing/EntryEditing.h"
#include "core/editing/TapeEditor.h"
#include "core/files/CalcFile.h"
#include "core/commands/TapeCommands.h"

#include "core/CoreTestSupport.h"

#include <random>

namespace qm {
namespace {

using namespace test;

// What the window shows, kept up to date only from the changes the session
// reports, exactly as the tape view and the total box redraw.
struct Screen {
    std::vector<RowView> rows;
    int firstLine = 0;
    std::string total;
    bool gameShown = false;

    void redraw(const TapeEditor& e, const EditorChanges& c)
    {
        if (rows.size() != static_cast<std::size_t>(e.lastRow()) + 1)
            rows.assign(static_cast<std::size_t>(e.lastRow()) + 1, RowView{});
        if (c.scroll || c.allRows)
            firstLine = e.firstLine();
        const auto draw = [&](long long row) {
            if (row >= 0 && row < static_cast<long long>(rows.size()))
                rows[static_cast<std::size_t>(row)] = e.row(static_cast<int>(row));
        };
        if (c.allRows) {
            for (std::size_t r = 0; r < rows.size(); ++r)
                draw(static_cast<long long>(r));
        } else {
            for (long long line : c.lines)
                draw(line - e.firstLine());
            if (c.current || c.memory)
                draw(e.currentRow());
        }
        // A game borrows the box; its last text stays until the next run.
        if (e.tapeLocked())
            gameShown = true;
        if (c.total && !e.tapeLocked()) {
            total = e.total().text;
            gameShown = false;
        }
    }
};

// The invariant: every shown row as the session draws it from the tape, the
// edited line's text reading back as its value, the total as a fresh run
// over the tape gives it.
void checkScreen(const TapeEditor& e, const Screen& s, const std::string& where)
{
    ASSERT_EQ(s.firstLine, e.firstLine()) << where;
    for (int r = 0; r <= e.lastRow(); ++r) {
        const RowView& a = s.rows[static_cast<std::size_t>(r)];
        const RowView b = e.row(r);
        ASSERT_TRUE(a.text == b.text && a.op == b.op && a.opColour == b.opColour && a.textColour == b.textColour
                    && a.background == b.background && a.note == b.note)
            << where << ": row " << r << " shows \"" << a.text << "\", the session draws \"" << b.text << "\"";
        const long long shown = static_cast<long long>(e.firstLine()) + r;
        if (r != e.currentRow() && shown < static_cast<long long>(e.tape().size())) {
            ASSERT_EQ(b.note, e.tape().note(static_cast<std::size_t>(shown))) << where << ": note of row " << r;
        }
    }
    const long long line = e.currentLine();
    const bool exists = line >= 0 && static_cast<std::size_t>(line) < e.tape().size();
    if (exists) {
        ASSERT_TRUE(editTextReadsBack(e.editText(), e.tape().TapeValue[static_cast<std::size_t>(line)],
                                      e.settings().regional))
            << where << ": line " << line << " shows \"" << e.editText() << "\" but holds \""
            << plainText(e.tape().TapeValue[static_cast<std::size_t>(line)], '.') << "\"";
    } else {
        ASSERT_EQ(e.editText(), "") << where;
    }
    // Clear All empties the total box without a run over the cleared tape.
    const bool cleared = std::all_of(e.tape().TapeValue.begin(), e.tape().TapeValue.end(),
                                     [](const Value& v) { return v.isEmpty() || (v.isDecimal() && v.decimal().isZero()); });
    if (!s.gameShown && !(cleared && s.total.empty())) {
        Evaluator fresh;
        const TotalResult expected = MailCalc(e.tape(), e.settings(), e.functionButtons(), s.total, fresh);
        ASSERT_EQ(s.total, expected.text) << where << ": stale total for " << tapeText(e.tape());
    }
}

// Whether a saved tape opens as the same tape: every line with its operator
// and the value as written (a line Clear All left blank is written as "+0").
void checkSaveAndOpen(const TapeEditor& e, const std::string& where)
{
    const Regional& regional = e.settings().regional;
    const CalcFileRead read = readCalcFile(writeCalcFile(e.tape(), regional), regional);
    if (!read.ok()) {
        // Save refuses, naming the line, only a text line left half-typed
        // (a function name without its bracket, say): never a number.
        ASSERT_GE(read.error.line, 2u) << where << ": " << read.error.reason;
        const Value& refused = e.tape().TapeValue.at(read.error.line - 2);
        ASSERT_TRUE(refused.isText() && refused.text().find_first_of("(%") == std::string::npos)
            << where << ": " << read.error.reason;
        return;
    }
    const Tape& back = *read.tape;
    ASSERT_EQ(back.size(), e.tape().size()) << where;
    for (std::size_t i = 0; i < back.size(); ++i) {
        const char op = e.tape().TapeOp[i] == BlankOp ? '+' : e.tape().TapeOp[i];
        ASSERT_EQ(back.TapeOp[i], op) << where << ": line " << i;
        ASSERT_EQ(calcFileValueText(back.TapeValue[i], regional.decimalSep),
                  calcFileValueText(e.tape().TapeValue[i], regional.decimalSep))
            << where << ": line " << i;
        ASSERT_EQ(back.note(i), e.tape().note(i)) << where << ": note of line " << i;
    }
}

// The running total of a line is the total of the tape cut after it.
void checkRunningTotal(TapeEditor& e, long long line, const std::string& where)
{
    if (line < 0 || static_cast<std::size_t>(line) >= e.tape().size() || e.settings().StatMode != 0)
        return;
    Tape cut = e.tape();
    cut.resize(static_cast<std::size_t>(line) + 1);
    Evaluator fresh;
    const TotalResult expected = MailCalc(cut, e.settings(), e.functionButtons(), {}, fresh);
    ASSERT_EQ(e.runningTotalText(line), expected.text) << where << ": running total of line " << line;
}

// Notes, a few of them not valid (too long, a tab, a line break).
const char* const Notes[] = {"", "Lunch", "Taxi, airport", "Refund \"May\"", "Café", "a\tb", "x\ny",
                             "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789X"};

// Pasted and clipboard texts: numbers, near-numbers, keyword forms, limits.
const char* const Pastes[] = {
    "12.3.4", "abc", "5-3", "1 000", "(5)", "0x10", "7%", "Sin(30)", "42", "-", ".", ",", "1E5", "1,234.5",
    "12345678901234567890123456789012345", "0.1234567890123456789012345678901", "79228162514264337593543950335",
    "99999999999999999999999999999", "-0.5", "H", "", "3\n4",
};
const char* const Clipboards[] = {
    "1\n2\n3\n", "x\ny\n", "5\t6\n7\n", "a\tb\tc\t12.50\tz\nDE", "1,000\n2.5\n-3\n", "",
};

class Walk {
public:
    explicit Walk(unsigned seed) : rng_(seed), e_(seed % 3 == 0 ? German : English, 6 + static_cast<int>(seed % 5))
    {
        e_.setMaxLines(40 + seed % 30);
        screen_.redraw(e_, e_.takeChanges());
    }

    void run(int operations, int stretch)
    {
        for (int done = 0; done < operations;) {
            e_.forgetHistory();
            seen_.assign(1, e_.tape());
            for (int i = 0; i < stretch && done < operations; ++i, ++done) {
                const Tape before = e_.tape();
                const std::string what = step();
                recent_.push_back(what);
                if (recent_.size() > 12)
                    recent_.erase(recent_.begin());
                screen_.redraw(e_, e_.takeChanges());
                const std::string where = "input " + std::to_string(done) + " (" + what + ")";
                checkScreen(e_, screen_, where);
                if (::testing::Test::HasFatalFailure())
                    return;
                if (!identicalTapes(e_.tape(), seen_.back()))
                    seen_.push_back(e_.tape());
                if (e_.tapeLocked()) {
                    ASSERT_TRUE(identicalTapes(before, e_.tape())) << where << ": a game changed the tape";
                }
            }
            unlock();
            checkUndoAndRedo();
            checkSaveAndOpen(e_, "after " + std::to_string(done) + " operations");
            checkRunningTotal(e_, e_.firstLine() + pick(e_.lastRow() + 1), "after " + std::to_string(done) + " operations");
            if (::testing::Test::HasFatalFailure())
                return;
        }
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, std::max(n, 1) - 1)(rng_); }

    void unlock()
    {
        e_.setTapeLocked(false);
        screen_.redraw(e_, e_.takeChanges());
    }

    // Undo walks back through tapes the user had seen, each seen before the
    // one it replaces, to the stretch's first.
    void checkUndoAndRedo()
    {
        const Tape last = e_.tape();
        const std::size_t pendingRedo = e_.history().redoSteps();
        int steps = 0;
        std::size_t at = seen_.size() - 1;
        while (e_.undo()) {
            ++steps;
            screen_.redraw(e_, e_.takeChanges());
            checkScreen(e_, screen_, "undo " + std::to_string(steps));
            bool found = false;
            while (at > 0 && !found)
                found = identicalTapes(e_.tape(), seen_[--at]);
            ASSERT_TRUE(found) << "after " << recentInputs() << "\nundo " << steps << " gave a tape never seen: " << tapeText(e_.tape());
        }
        const Tape& first = seen_.front();
        ASSERT_TRUE(identicalTapes(e_.tape(), first)) << "after " << recentInputs() << "\nundo all: " << tapeText(e_.tape()) << "\nfirst: "
                                                       << tapeText(first);
        // As many redos bring back the last tape; steps undone before the
        // stretch ended stay undone.
        for (int i = 0; i < steps; ++i) {
            ASSERT_TRUE(e_.redo()) << "redo " << i;
            screen_.redraw(e_, e_.takeChanges());
            checkScreen(e_, screen_, "redo " + std::to_string(i));
        }
        ASSERT_EQ(e_.history().redoSteps(), pendingRedo);
        ASSERT_TRUE(identicalTapes(e_.tape(), last)) << "after " << recentInputs() << "\nredo all: " << tapeText(e_.tape()) << "\nlast: "
                                                      << tapeText(last);
    }

    std::string step()
    {
        static const char Typed[] = "0123456789012345.,+-*/\r\rHIx\b";
        const int kind = pick(100);
        if (kind < 40) {
            const char c = Typed[pick(sizeof Typed - 1)];
            e_.typeCharacter(c);
            return std::string("type ") + (c == '\r' ? "Enter" : c == '\b' ? "Backspace" : std::string(1, c));
        }
        switch (kind) {
        case 40: case 41: e_.backspace(); return "Backspace";
        case 42: e_.deleteForward(); return "Delete";
        case 43: case 44: e_.moveUp(); return "Up";
        case 45: case 46: e_.moveDown(); return "Down";
        case 47: e_.pageUp(); return "PageUp";
        case 48: e_.pageDown(); return "PageDown";
        case 49: case 50: {
            const int n = static_cast<int>(e_.editText().size()) + 1;
            const int caret = pick(n);
            e_.setCaret(caret, pick(3) == 0 ? pick(n) : caret);
            return "caret";
        }
        case 51: e_.selectAll(); return "select all";
        case 52: case 53: case 54: {
            const char* text = Pastes[pick(std::size(Pastes))];
            e_.insertText(text);
            return std::string("paste ") + text;
        }
        case 55: e_.cutSelection(); return "cut";
        case 56: case 57: e_.focusRow(pick(e_.lastRow() + 1)); return "click row";
        case 58: e_.focusTotal(); return "click total";
        case 59: case 60: e_.scrollTo(pick(e_.scrollMax() + 1)); return "scroll bar";
        case 61: e_.scrollBy(pick(7) - 3); return "wheel";
        case 62: e_.setShownRows(pick(e_.lastLoadedRow() + 1)); return "resize";
        case 63: case 64: case 65: case 66: case 67: case 68: {
            const int key = pick(KeypadKeyCount);
            if (key == static_cast<int>(KeypadKey::ClearAll) && pick(4) != 0)
                return "nothing";
            e_.keypad(static_cast<KeypadKey>(key));
            return "keypad " + std::to_string(key);
        }
        case 69: case 70: e_.cycleOperator(pick(e_.lastRow() + 1)); return "operator button";
        case 71: case 72: {
            const int b = pick(FunctionButtonCount);
            e_.functionButton(b);
            return "function " + std::to_string(b);
        }
        case 73: e_.memoryPlus(); return "M+";
        case 74: e_.memoryRecall(); return "MR";
        case 75: e_.memoryTotal(); return "M=";
        case 76: e_.clearTotalShade(); return "leave M+";
        case 77: e_.pi(); return "pi";
        case 78:
            if (pick(5) != 0)
                return "nothing";
            e_.clearAll();
            return "clear all";
        case 79: {
            const char* clip = Clipboards[pick(std::size(Clipboards))];
            e_.pasteNumbers(clip);
            return "paste numbers";
        }
        case 80: e_.sortNumbers(); return "sort";
        case 81: case 82: {
            const int d = pick(8);
            e_.setDecimals(d == 7 ? VariableDecimals : d);
            return "decimals " + std::to_string(d);
        }
        case 83: e_.setStatMode(static_cast<StatMode>(pick(4))); return "total mode";
        case 84: case 85: case 86: e_.undo(); return "undo";
        case 87: case 88: e_.redo(); return "redo";
        case 89: e_.setTapeLocked(!e_.tapeLocked()); return "game";
        case 90: case 91: {
            const long long line = pick(3) == 0 ? e_.currentLine() : e_.firstLine() + pick(e_.lastRow() + 2) - 1;
            const char* note = Notes[pick(static_cast<int>(std::size(Notes)))];
            e_.setNote(line, note);
            return "note \"" + std::string(note) + "\" on line " + std::to_string(line);
        }
        default: {
            // Runs of figures: long numbers and the decimal's limits.
            const int n = 1 + pick(32);
            for (int i = 0; i < n; ++i)
                e_.typeCharacter(pick(3) == 0 ? '9' : static_cast<char>('0' + pick(10)));
            return std::to_string(n) + " figures";
        }
        }
    }

    std::string recentInputs() const
    {
        std::string out;
        for (const std::string& r : recent_)
            out += r + "; ";
        return out;
    }

    std::vector<std::string> recent_;
    std::vector<Tape> seen_;   // the tapes of the stretch so far, each differing from the one before
    std::mt19937 rng_;
    TapeEditor e_;
    Screen screen_;
};

// Seeds that once found a fault stay first; the rest widen the search.
TEST(EditingModel, RandomInputKeepsScreenTapeAndTotalTogether)
{
    const unsigned regressions[] = {1u};
    for (unsigned seed : regressions) {
        Walk(seed).run(2000, 250);
        ASSERT_FALSE(HasFatalFailure()) << "seed " << seed;
    }
#ifdef QM_SANITIZED
    const unsigned seeds = 2;    // the sanitizers make each input some hundred times dearer
#else
    const unsigned seeds = 50;   // 100,000 inputs
#endif
    for (unsigned seed = 100; seed < 100 + seeds; ++seed) {
        Walk(seed).run(2000, 250);
        ASSERT_FALSE(HasFatalFailure()) << "seed " << seed;
    }
}

} // namespace
} // namespace qm
