#pragma once
// The editing session: the one owner of the tape while the window runs.
//
// It holds the tape, the settings that shape the grand total, the function
// buttons the recalculation reads, the memory, and the view of the tape the
// window shows (first shown line, number of shown rows, current row, caret and
// the text of the line being edited). Every input is one operation here; the
// widgets only forward input and draw what the session reports.
//
// The rule that keeps screen and tape together: a line's stored value changes
// only through an edit of that line. Moving, scrolling, resizing and redrawing
// never write into the tape. Every row is drawn from the tape, except the line
// being edited, which shows its edit text; when that line is entered, its edit
// text is one that reads back as its stored value.

#include "core/commands/TapeRecord.h"
#include "core/editing/UndoHistory.h"
#include "core/input/Evaluator.h"
#include "core/number/TextForm.h"
#include "core/number/Value.h"
#include "core/tape/MailCalc.h"
#include "core/tape/Tape.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The keypad's keys, numbered as the keypad lays them out.
enum class KeypadKey : int {
    Digit0 = 0, Digit1, Digit2, Digit3, Digit4, Digit5, Digit6, Digit7, Digit8, Digit9,
    Decimal = 10,
    ClearAll = 11,
    Plus = 12,
    Minus = 13,
    Times = 14,
    Divide = 15,
    Clear = 16,
    Delete = 17,
    Power = 18,
    Sign = 19,
    Percent = 20,
};
inline constexpr int KeypadKeyCount = 21;

// Which box carries the memory shading after "M+".
enum class MemoryShade { None, Line, Total };

// What one shown row looks like.
struct RowView {
    std::string text;            // the edit text on the current row, else the line drawn from the tape
    char op = '+';               // operator caption; BlankOp for none
    std::uint32_t opColour = 0;  // operator button colour (0x00BBGGRR)
    std::uint32_t textColour = 0;
    std::uint32_t background = 0;
    std::string note;            // the line's note; empty on the line being edited
};

// What an operation changed, so that the window redraws only that.
struct EditorChanges {
    bool allRows = false;          // every shown row (scroll, layout, decimals, a new tape)
    std::vector<long long> lines;  // tape lines whose value or operator changed
    bool current = false;          // current row, caret or edit text changed
    bool total = false;            // the grand total's text or colour
    bool memory = false;           // the memory display or shading
    bool scroll = false;           // first shown line or scroll range
    bool tapeFull = false;         // Enter or an operator found no room for another line
    bool refused = false;          // an edit would have left the line showing no value it can hold

    bool any() const
    {
        return allRows || !lines.empty() || current || total || memory || scroll || tapeFull || refused;
    }
};

// Outcome of Paste Numbers.
struct PasteOutcome {
    bool pasted = false;   // false: the clipboard held no number, the tape is untouched
    int lines = 0;         // lines pasted
    int offered = 0;       // lines the clipboard held
    bool cut = false;      // the tape's limit cut the paste short
};

class TapeEditor {
public:
    // `loadedRows`: the rows the window made (LastLoadedRow + 1); the tape
    // starts with that many lines, cleared, and all of them shown.
    TapeEditor(const Regional& regional, int loadedRows);

    // ---- State for drawing ----
    const Tape& tape() const { return tape_; }
    const CalcSettings& settings() const { return settings_; }
    const FunctionButtons& functionButtons() const { return buttons_; }
    int firstLine() const { return firstLine_; }       // tape line on row 0 (the scroll position)
    int scrollMax() const { return scrollMax_; }
    int lastRow() const { return lastRow_; }           // last shown row
    int lastLoadedRow() const { return lastLoadedRow_; }
    // The row of the line being edited; outside 0..lastRow() while the tape
    // is scrolled away from it (the next key on it scrolls it back).
    int currentRow() const { return currentRow_; }
    bool currentShown() const { return currentRow_ >= 0 && currentRow_ <= lastRow_; }
    long long currentLine() const { return static_cast<long long>(firstLine_) + currentRow_; }
    // The edit text is UTF-8; caret and anchor count its bytes and always
    // stand at the start of a character.
    const std::string& editText() const { return editText_; }
    int caret() const { return caret_; }
    int selectionAnchor() const { return anchor_; }     // == caret(): no selection
    bool totalFocused() const { return totalFocused_; }
    const TotalResult& total() const { return total_; }
    const Value& memory() const { return memory_; }
    const std::string& memoryDisplay() const { return memoryDisplay_; }
    MemoryShade memoryShade() const { return shade_; }
    std::uint32_t totalBackground() const;
    RowView row(int row) const;
    // The line drawn on `row` (rows past the tape's end show an empty "+" line).
    std::string rowDisplayText(int row) const;

    // Everything changed since the last call; resets the record.
    EditorChanges takeChanges();

    // ---- Keyboard, on the current line ----
    // One typed character (the classic key-press table: digits, separators,
    // operators "+-*/", Enter as '\r', "H" and "I"; everything else swallowed).
    void typeCharacter(char c);
    void backspace();
    void deleteForward();
    void moveUp();
    void moveDown();
    void pageUp();
    void pageDown();
    // The caret and selection the box reports after a caret move or a click
    // (never a change of text). Clamped to the edit text.
    void setCaret(int caret, int anchor);
    void selectAll();
    // Paste inside the line: replaces the selection with `text`, as the box's
    // own paste does. Cut removes the selection (the window copies it first).
    void insertText(std::string_view text);
    void cutSelection();
    std::string selectedText() const;

    // ---- Focus and view ----
    void focusRow(int row);          // an entry row got the focus (click, Tab, arrow)
    void focusTotal();               // the grand-total box got the focus
    // The scroll bar moved (clamped to 0..scrollMax), or the wheel: the line
    // being edited stays the line being edited, shown or not.
    void scrollTo(int firstLine);
    void scrollBy(int lines);
    // The layout showed rows 0..lastRow: the tape scrolls back to its start
    // and the current line stays current (its row, or the tape scrolls to it).
    void setShownRows(int lastRow);

    // ---- Buttons ----
    void keypad(KeypadKey key);
    void cycleOperator(int row);
    void functionButton(int index);  // 0..22; the editor button is the window's
    void memoryPlus();
    void memoryRecall();
    void memoryTotal();
    void clearTotalShade();          // the memory button is left: the total loses its shading
    void pi();

    // ---- Commands on the whole tape ----
    void clearAll();
    PasteOutcome pasteNumbers(std::string_view clipboard);
    void sortNumbers();
    void setDecimals(int decimals);  // 0..6 or VariableDecimals
    void setStatMode(StatMode mode);
    // A tape read from a file replaces the whole tape (padded to the rows made).
    void replaceTape(Tape tape);
    std::string copyNumbersText() const;
    // ---- Notes and running totals ----
    // Sets the note of a tape line; an empty note removes it. One undo step.
    // False: the line does not exist, the tape is locked or the note is not
    // valid (validNote); nothing changes.
    bool setNote(long long line, std::string note);
    const std::string& note(long long line) const;
    // "Running total: ..." as the box would show the tape cut after `line`;
    // empty for a line that does not exist. Worked out for all lines in one
    // pass, kept until the tape or the settings change.
    std::string runningTotalText(long long line);
    const std::vector<LineTotal>& runningTotals();
    // Every line's running total as runningTotalText gives it (for printing).
    std::vector<std::string> runningTotalTexts();
    // Copy Tape (tabs) and Export CSV: the lines Copy Numbers gives, each
    // with its operator, running total and note, the grand total last.
    std::string tapeRecordText(RecordFormat format);
    // The lines Copy Numbers and Save give: the trailing "+0" padding is left
    // out, the lines a file or a paste gave are kept as they came.
    std::size_t enteredLines() const;
    void setFunctionButtons(const FunctionButtons& buttons);
    // The regional separators the lines are read and shown with.
    void setRegional(const Regional& regional);
    // The most lines the tape may grow to (a calculation file's limit).
    void setMaxLines(std::size_t lines) { maxLines_ = lines; }
    std::size_t maxLines() const { return maxLines_; }
    void recalculate();
    // While a game borrows the total box nothing changes the tape: every
    // operation that would is ignored.
    void setTapeLocked(bool locked) { locked_ = locked; }
    bool tapeLocked() const { return locked_; }

    // ---- Undo and redo ----
    // Every change of the tape is a step; a run of typing on one line is one.
    // Undo puts back the exact tape (values, operators, length), returns to
    // where the change was made and recalculates. False: nothing to undo.
    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    // The start of a run: what came before is not a change to take back.
    void forgetHistory() { history_.clear(); }
    const UndoHistory& history() const { return history_; }
    // Names the tape's content: every change gives a new number, and undo
    // and redo return to the number the tape had then. A copy of the tape
    // with the same number is a copy of the same content.
    std::uint64_t tapeRevision() const { return tapeState_; }

private:
    // Opens an undo step for one operation; nested operations (Paste runs
    // Clear All) stay in the outer one's step.
    class ChangeScope;
    UndoView undoView() const;
    void applyView(const UndoView& view);
    void newTapeState();
    // Helpers live in the implementation.
    void enterLine();                 // current line changed: edit text from the tape
    void storeValue(long long line, Value value);
    void setOperator(long long line, char op);
    bool growTapeAtEnd(char op);
    void markLine(long long line);
    void markAll();
    bool hasLine(long long line) const;
    const Value* valueAt(long long line) const;
    std::string editTextFor(const Value& value) const;
    void setView(int firstLine, int row);   // scroll and current row; enters a new line
    void endLine(char op);                  // Enter (op 0) or an operator key
    bool editSelection(std::string_view text);
    bool eraseRange(std::size_t from, std::size_t to);
    void setEditText(std::string text, int caret);
    void keypadOperator(char op);
    void keypadTail();
    // Input aimed at the line being edited scrolls it back into view first.
    void showCurrentLine();
    // The edit text with its caret and anchor, to take an edit back.
    struct EditText {
        std::string text;
        int caret = 0;
        int anchor = 0;
    };
    EditText editState() const { return EditText{editText_, caret_, anchor_}; }
    // Stores what the edit text now says, or takes the edit back to `before`
    // when it says no value the line can hold.
    void storeTypedOrRefuse(EditText before);
    // A value for the current line from a keypad key, or the edit taken back.
    void storeOrRefuse(long long line, std::optional<Value> value, EditText before);

    Tape tape_;
    CalcSettings settings_;
    FunctionButtons buttons_;
    Evaluator evaluator_;
    TotalResult total_;
    Value memory_;
    std::string memoryDisplay_;
    MemoryShade shade_ = MemoryShade::None;
    int firstLine_ = 0;
    int scrollMax_ = 0;
    int lastRow_ = 0;
    int lastLoadedRow_ = 0;
    int currentRow_ = 0;
    std::string editText_;
    int caret_ = 0;
    int anchor_ = 0;
    bool totalFocused_ = false;
    bool locked_ = false;
    EditorChanges changes_;
    std::size_t maxLines_ = MaxTapeLines;
    std::size_t keptLines_ = 0;   // lines the last file or paste gave
    UndoHistory history_;
    int changeDepth_ = 0;
    std::uint64_t tapeState_ = 0;
    std::uint64_t lastTapeState_ = 0;
    std::uint64_t settingsState_ = 0;   // decimals, total mode, separators, function buttons
    // The last totals worked out, so that undo and redo of a long tape
    // show its total again without a new run over the tape.
    struct KnownTotal {
        std::uint64_t tapeState;
        std::uint64_t settingsState;
        TotalResult total;
    };
    static constexpr std::size_t KnownTotalCount = 8;
    std::deque<KnownTotal> knownTotals_;
    // Every line's running total, for the tape and settings named here.
    std::vector<LineTotal> runningTotals_;
    std::uint64_t totalsTapeState_ = UINT64_MAX;
    std::uint64_t totalsSettingsState_ = UINT64_MAX;
};

} // namespace qm
