#include "core/editing/TapeEditor.h"

#include "core/commands/SortNumbers.h"
#include "core/commands/TapeCommands.h"
#include "core/editing/EntryEditing.h"
#include "core/tape/DefaultButtons.h"

#include <algorithm>
#include <climits>
#include <compare>
#include <utility>

namespace qm {

namespace {

// An entry box holds at most this many characters; it also keeps every caret
// position within int range.
constexpr std::size_t MaxEditBytes = 32767;

int toInt(long long v, long long lo, long long hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

int byteCount(const std::string& s) { return static_cast<int>(std::min<std::size_t>(s.size(), INT_MAX)); }

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The nearest character start at or before `pos`.
std::size_t characterStart(const std::string& s, std::size_t pos)
{
    pos = std::min(pos, s.size());
    while (pos > 0 && pos < s.size() && isContinuationByte(s[pos]))
        --pos;
    return pos;
}

std::size_t characterEnd(const std::string& s, std::size_t pos)
{
    if (pos >= s.size())
        return s.size();
    ++pos;
    while (pos < s.size() && isContinuationByte(s[pos]))
        ++pos;
    return pos;
}

bool validDecimals(int d) { return (d >= 0 && d <= 6) || d == VariableDecimals; }

char keypadOperatorOf(KeypadKey key)
{
    switch (key) {
    case KeypadKey::Plus: return '+';
    case KeypadKey::Minus: return '-';
    case KeypadKey::Times: return 'x';
    case KeypadKey::Divide: return '/';
    case KeypadKey::Power: return '^';
    default: return 0;
    }
}

// Whether a field of the clipboard reads as a number: in the regional form,
// or with a number at its start (sign, figures, point) as the fallback reads it.
bool fieldHoldsNumber(std::string_view field, const Regional& regional)
{
    std::string number(field);
    std::erase(number, regional.thousandSep);
    if (parseRegional(number, regional))
        return true;
    std::size_t i = field.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return false;
    if (field[i] == '+' || field[i] == '-')
        ++i;
    if (i < field.size() && field[i] == '.')
        ++i;
    return i < field.size() && field[i] >= '0' && field[i] <= '9';
}

// Whether Paste Numbers has anything to paste: a statement line with an
// amount in its fourth field, or a line whose first field is a number.
bool clipboardHoldsNumber(const std::vector<std::string_view>& lines, bool statement,
                          const Regional& regional)
{
    const std::size_t count = lines.size() - (statement ? 1 : 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view line = lines[i];
        if (statement) {
            std::size_t start = 0;
            for (int field = 0; field < 3 && start != std::string_view::npos; ++field) {
                start = line.find('\t', start);
                if (start != std::string_view::npos)
                    ++start;
            }
            if (start != std::string_view::npos
                && fieldHoldsNumber(line.substr(start, line.find('\t', start) - start), regional))
                return true;
        } else if (fieldHoldsNumber(line.substr(0, line.find('\t')), regional)) {
            return true;
        }
    }
    return false;
}

} // namespace

class TapeEditor::ChangeScope {
public:
    ChangeScope(TapeEditor& editor, std::optional<long long> typingLine = std::nullopt) : editor_(editor)
    {
        if (editor_.changeDepth_++ == 0)
            editor_.history_.begin(editor_.tape_, editor_.undoView(), typingLine);
    }
    ~ChangeScope()
    {
        if (--editor_.changeDepth_ == 0)
            editor_.history_.end(editor_.tape_, editor_.undoView());
    }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

private:
    TapeEditor& editor_;
};

TapeEditor::TapeEditor(const Regional& regional, int loadedRows)
    : buttons_(defaultFunctionButtons())
{
    settings_.regional = regional;
    settings_.DecimalPlaces = VariableDecimals;
    settings_.StatMode = static_cast<int>(StatMode::Total);
    // Row 0 always exists; line indexes are 16-bit.
    const int rows = std::clamp(loadedRows, 1, MaxTapeIndex + 1);
    tape_.resize(static_cast<std::size_t>(rows));
    lastLoadedRow_ = lastRow_ = rows - 1;
    enterLine();
    // The first drawing shows everything.
    markAll();
    changes_.total = changes_.memory = changes_.scroll = true;
}

// ---- State for drawing ----

std::uint32_t TapeEditor::totalBackground() const
{
    return shade_ == MemoryShade::Total ? EntryBackMemory : EntryBackPlain;
}

std::string TapeEditor::rowDisplayText(int row) const
{
    if (row < 0 || row > lastRow_)
        return {};
    const Value* value = valueAt(static_cast<long long>(firstLine_) + row);
    return value ? rowText(*value, settings_.DecimalPlaces, settings_.regional) : std::string();
}

RowView TapeEditor::row(int row) const
{
    RowView view;
    view.opColour = operatorColour(view.op);
    view.textColour = RowTextBlack;
    view.background = EntryBackPlain;
    if (row < 0 || row > lastRow_)
        return view;
    const long long line = static_cast<long long>(firstLine_) + row;
    const Value* value = valueAt(line);
    if (value)
        view.op = tape_.TapeOp[static_cast<std::size_t>(line)];
    view.opColour = operatorColour(view.op);
    if (row == currentRow_) {
        view.text = editText_;
        view.textColour = value && showsNegative(*value) ? RowTextDarkRed : RowTextBlack;
        view.background = shade_ == MemoryShade::Line ? EntryBackMemory : EntryBackCurrent;
    } else {
        view.text = rowDisplayText(row);
        view.textColour = rowTextColour(view.text);
        if (value)
            view.note = tape_.note(static_cast<std::size_t>(line));
    }
    return view;
}

EditorChanges TapeEditor::takeChanges() { return std::exchange(changes_, EditorChanges{}); }

// ---- Keyboard ----

void TapeEditor::typeCharacter(char c)
{
    if (locked_)
        return;
    const int key = static_cast<unsigned char>(c);
    // Copy and paste are the window's (Ctrl+C, Ctrl+V).
    if (key == AsciiCopy || key == AsciiPaste)
        return;
    if (key == AsciiBackspace) {
        backspace();
        return;
    }
    showCurrentLine();
    const Regional& regional = settings_.regional;
    const KeyDecision d = classifyKeyPress(key, editText_, regional.thousandSep, regional.decimalSep);
    if (d.enter || d.op) {
        ChangeScope change(*this);
        endLine(d.op);
        return;
    }
    if (d.swallow)
        return;
    ChangeScope change(*this, currentLine());
    EditText before = editState();
    if (editSelection(std::string_view(&c, 1)))
        storeTypedOrRefuse(std::move(before));
}

void TapeEditor::backspace()
{
    if (locked_)
        return;
    showCurrentLine();
    ChangeScope change(*this, currentLine());
    EditText before = editState();
    const auto c = static_cast<std::size_t>(caret_);
    const bool done = caret_ != anchor_ ? eraseRange(std::min(c, static_cast<std::size_t>(anchor_)),
                                                     std::max(c, static_cast<std::size_t>(anchor_)))
                                        : c > 0 && eraseRange(characterStart(editText_, c - 1), c);
    if (done)
        storeTypedOrRefuse(std::move(before));
}

void TapeEditor::deleteForward()
{
    if (locked_)
        return;
    showCurrentLine();
    ChangeScope change(*this, currentLine());
    EditText before = editState();
    const auto c = static_cast<std::size_t>(caret_);
    const bool done = caret_ != anchor_ ? eraseRange(std::min(c, static_cast<std::size_t>(anchor_)),
                                                     std::max(c, static_cast<std::size_t>(anchor_)))
                                        : eraseRange(c, characterEnd(editText_, c));
    if (done)
        storeTypedOrRefuse(std::move(before));
}

void TapeEditor::moveUp()
{
    showCurrentLine();
    if (currentRow_ == 0) {
        if (firstLine_ >= 1)
            setView(firstLine_ - 1, currentRow_);
    } else {
        setView(firstLine_, currentRow_ - 1);
    }
}

void TapeEditor::moveDown()
{
    showCurrentLine();
    // Down only moves and scrolls; lines are added by Enter and operators.
    if (currentRow_ == lastRow_) {
        if (firstLine_ < scrollMax_)
            setView(firstLine_ + 1, currentRow_);
    } else {
        setView(firstLine_, currentRow_ + 1);
    }
}

void TapeEditor::pageUp()
{
    showCurrentLine();
    const long long target = std::max(0LL, currentLine() - (lastRow_ + 1LL));
    const int first = toInt(target - currentRow_, 0, scrollMax_);
    setView(first, static_cast<int>(target - first));
}

void TapeEditor::pageDown()
{
    showCurrentLine();
    const long long lastLine = static_cast<long long>(scrollMax_) + lastRow_;
    const long long target = std::min(lastLine, currentLine() + (lastRow_ + 1LL));
    const int first = toInt(target - currentRow_, 0, scrollMax_);
    setView(first, static_cast<int>(target - first));
}

void TapeEditor::setCaret(int caret, int anchor)
{
    const auto place = [this](int p) {
        return static_cast<int>(characterStart(editText_, static_cast<std::size_t>(std::max(p, 0))));
    };
    const int c = place(caret);
    const int a = place(anchor);
    if (c != caret_ || a != anchor_) {
        caret_ = c;
        anchor_ = a;
        changes_.current = true;
    }
}

void TapeEditor::selectAll()
{
    showCurrentLine();
    setCaret(byteCount(editText_), 0);
}

void TapeEditor::insertText(std::string_view text)
{
    // One line only: the rest of a multi-line text is dropped, as a line box does.
    text = text.substr(0, text.find_first_of("\r\n"));
    if (locked_)
        return;
    showCurrentLine();
    ChangeScope change(*this, currentLine());
    EditText before = editState();
    if (editSelection(text))
        storeTypedOrRefuse(std::move(before));
}

void TapeEditor::cutSelection()
{
    if (caret_ == anchor_ || locked_)
        return;
    showCurrentLine();
    ChangeScope change(*this, currentLine());
    EditText before = editState();
    if (eraseRange(static_cast<std::size_t>(std::min(caret_, anchor_)),
                   static_cast<std::size_t>(std::max(caret_, anchor_))))
        storeTypedOrRefuse(std::move(before));
}

std::string TapeEditor::selectedText() const
{
    const auto from = static_cast<std::size_t>(std::min(caret_, anchor_));
    const auto to = static_cast<std::size_t>(std::max(caret_, anchor_));
    return editText_.substr(from, to - from);
}

// ---- Focus and view ----

void TapeEditor::focusRow(int row)
{
    totalFocused_ = false;
    if (shade_ == MemoryShade::Line) {
        shade_ = MemoryShade::None;
        changes_.memory = changes_.current = true;
    }
    setView(firstLine_, std::clamp(row, 0, lastRow_));
}

void TapeEditor::focusTotal() { totalFocused_ = true; }

void TapeEditor::scrollTo(int firstLine)
{
    firstLine = std::clamp(firstLine, 0, scrollMax_);
    if (firstLine == firstLine_)
        return;
    // The row moves with its line; it may leave the shown rows.
    const long long line = currentLine();
    firstLine_ = firstLine;
    currentRow_ = toInt(line - firstLine_, INT_MIN, INT_MAX);
    markAll();
    changes_.scroll = true;
}

void TapeEditor::scrollBy(int lines) { scrollTo(toInt(static_cast<long long>(firstLine_) + lines, 0, scrollMax_)); }

void TapeEditor::showCurrentLine()
{
    if (currentShown())
        return;
    const long long line = currentLine();
    const long long first = currentRow_ < 0 ? line : line - lastRow_;
    firstLine_ = toInt(first, 0, scrollMax_);
    currentRow_ = toInt(line - firstLine_, 0, lastRow_);
    markAll();
    changes_.scroll = true;
    if (currentLine() != line) {
        history_.closeTyping(tape_);
        enterLine();
    }
}

void TapeEditor::setShownRows(int lastRow)
{
    const long long line = currentLine();
    lastRow_ = std::clamp(lastRow, 0, lastLoadedRow_);
    scrollMax_ = toInt(tape_.TapeLast() - lastRow_, 0, INT_MAX);
    // The tape scrolls back to its start unless the caret's line would leave
    // the shown rows: then it scrolls just far enough to show it.
    firstLine_ = line <= lastRow_ ? 0 : toInt(line - lastRow_, 0, scrollMax_);
    currentRow_ = toInt(line - firstLine_, 0, lastRow_);
    markAll();
    changes_.scroll = true;
    if (currentLine() != line) {
        history_.closeTyping(tape_);
        if (shade_ == MemoryShade::Line)
            shade_ = MemoryShade::None;
        changes_.memory = true;
        enterLine();
    }
}

// ---- Buttons ----

void TapeEditor::keypad(KeypadKey key)
{
    const int k = static_cast<int>(key);
    if (k < 0 || k >= KeypadKeyCount || locked_)
        return;
    const Regional& regional = settings_.regional;
    if (key == KeypadKey::ClearAll) {
        clearAll();
        return;
    }
    showCurrentLine();
    if (const char op = keypadOperatorOf(key)) {
        ChangeScope change(*this);
        keypadOperator(op);
        return;
    }
    // Every other key edits the current line: a row beyond a short tape has
    // no line, and nothing is shown there that the tape does not hold.
    const long long line = currentLine();
    if (!hasLine(line))
        return;

    // Figures and Del edit the line as typing does; C, sign and percent are
    // steps of their own.
    const bool typing = k <= static_cast<int>(KeypadKey::Decimal) || key == KeypadKey::Delete;
    ChangeScope change(*this, typing ? std::optional<long long>(line) : std::nullopt);
    if (k <= static_cast<int>(KeypadKey::Decimal)) {
        const bool point = key == KeypadKey::Decimal;
        if (point && editText_.find(regional.decimalSep) != std::string::npos)
            return;   // one decimal separator per line
        const char figure = point ? regional.decimalSep : static_cast<char>('0' + k);
        EditText before = editState();
        if (!editSelection(std::string_view(&figure, 1)))
            return;
        const Value* stored = valueAt(line);
        storeOrRefuse(line, stored ? keyReleaseValue(*stored, editText_, regional) : std::nullopt,
                      std::move(before));
        keypadTail();
        return;
    }
    EditText before = editState();
    switch (key) {
    case KeypadKey::Clear:
        setEditText({}, 0);
        storeValue(line, Value(Decimal()));
        recalculate();
        break;
    case KeypadKey::Delete: {
        DeleteEdit e = keypadDelete(editText_, caret_, regional);
        setEditText(std::move(e.text), e.caret);
        storeOrRefuse(line, std::move(e.value), std::move(before));
        return;   // Del has no tail
    }
    case KeypadKey::Sign: {
        SignEdit e = keypadSign(editText_, regional);
        if (!e.text.empty() || !editText_.empty())
            setEditText(std::move(e.text), e.caret);
        storeOrRefuse(line, std::move(e.value), std::move(before));
        break;
    }
    case KeypadKey::Percent: {
        std::string t = togglePercent(editText_);
        // Taking the sign away must leave a number or a function line.
        std::optional<Value> v = keyReleaseValue(Value(), t, regional);
        if (v && !v->isText())
            v = Value(t);   // stored as text first, as the keypad does; the tail reads the number
        const int end = byteCount(t);
        setEditText(std::move(t), end);
        storeOrRefuse(line, std::move(v), std::move(before));
        if (changes_.refused)
            return;
        break;
    }
    default:
        return;
    }
    keypadTail();
}

void TapeEditor::keypadOperator(char op)
{
    if (currentRow_ < lastRow_) {
        setOperator(currentLine() + 1, op);
        setView(firstLine_, currentRow_ + 1);
    } else if (firstLine_ == scrollMax_) {
        growTapeAtEnd(op);   // a full tape stays as it is
    } else if (firstLine_ < scrollMax_) {
        setOperator(currentLine() + 1, op);
        setView(firstLine_ + 1, currentRow_);
    }
    // The total counts the new operator at once, as the keyboard's operators
    // do. The common tail is left out: the line now current was only entered,
    // and its edit text already reads back as its value (converting it again
    // would turn a pi line into a 15-figure decimal).
    recalculate();
}

// A text line whose text is a number again (a removed percent sign, say) is
// stored as that number.
void TapeEditor::keypadTail()
{
    const Value* stored = valueAt(currentLine());
    if (!stored || !stored->isText())
        return;
    // Read as a fresh line would be: a number, 0 for an empty text, or text.
    if (std::optional<Value> v = keyReleaseValue(Value(), editText_, settings_.regional); v && !v->isText()) {
        storeValue(currentLine(), std::move(*v));
        recalculate();
    }
}

void TapeEditor::storeOrRefuse(long long line, std::optional<Value> value, EditText before)
{
    if (value) {
        storeValue(line, std::move(*value));
        recalculate();
        return;
    }
    editText_ = std::move(before.text);
    caret_ = before.caret;
    anchor_ = before.anchor;
    changes_.current = true;
    changes_.refused = true;
}

void TapeEditor::storeTypedOrRefuse(EditText before)
{
    const long long line = currentLine();
    const Value* stored = valueAt(line);
    if (!stored)
        return;
    storeOrRefuse(line, keyReleaseValue(*stored, editText_, settings_.regional), std::move(before));
}

void TapeEditor::cycleOperator(int row)
{
    if (row < 0 || row > lastRow_ || locked_)
        return;
    const long long line = static_cast<long long>(firstLine_) + row;
    ChangeScope change(*this);
    if (hasLine(line)) {
        if (const std::optional<char> next = nextOperator(tape_.TapeOp[static_cast<std::size_t>(line)], line == 0))
            setOperator(line, *next);
    }
    recalculate();
}

void TapeEditor::functionButton(int index)
{
    if (index < 0 || index >= FunctionButtonCount || locked_)
        return;
    showCurrentLine();
    const long long line = currentLine();
    if (!hasLine(line))
        return;
    ChangeScope change(*this);
    std::string s = functionLineText(buttons_[static_cast<std::size_t>(index)].Caption, editText_,
                                     settings_.regional.decimalSep);
    storeValue(line, Value(s));
    const int beforeBracket = byteCount(s) - 1;
    setEditText(std::move(s), beforeBracket);
    recalculate();
}

void TapeEditor::memoryPlus()
{
    if (totalFocused_) {
        shade_ = MemoryShade::Total;
        if (std::optional<Value> v = totalMemoryValue(total_.text, settings_.regional))
            memory_ = std::move(*v);
        changes_.total = true;
    } else {
        showCurrentLine();
        if (const Value* v = valueAt(currentLine()))
            memory_ = *v;
        shade_ = MemoryShade::Line;
        changes_.current = true;
    }
    memoryDisplay_ = memoryText(memory_, settings_.DecimalPlaces, settings_.regional);
    changes_.memory = true;
}

void TapeEditor::memoryRecall()
{
    if (locked_)
        return;
    showCurrentLine();
    const long long line = currentLine();
    if (!hasLine(line))
        return;
    ChangeScope change(*this);
    // An empty memory recalls as 0, which is what its empty text stores.
    const Value v = memory_.isEmpty() ? Value(Decimal()) : memory_;
    std::string shown = memoryText(v, settings_.DecimalPlaces, settings_.regional);
    if (!v.isText() && !editTextReadsBack(shown, v, settings_.regional))
        shown = plainText(v, settings_.regional.decimalSep);
    storeValue(line, v);
    const int end = byteCount(shown);
    setEditText(std::move(shown), end);
    recalculate();
}

void TapeEditor::memoryTotal()
{
    if (Result<Decimal> d = parseRegional(total_.text, settings_.regional))
        memory_ = Value(*d);
    memoryDisplay_ = plainText(memory_, settings_.regional.decimalSep);
    changes_.memory = true;
}

void TapeEditor::clearTotalShade()
{
    if (shade_ != MemoryShade::Total)
        return;
    shade_ = MemoryShade::None;
    changes_.memory = changes_.total = true;
}

void TapeEditor::pi()
{
    if (locked_)
        return;
    showCurrentLine();
    const long long line = currentLine();
    if (!hasLine(line))
        return;
    ChangeScope change(*this);
    const double value = piValue();
    storeValue(line, Value(value));
    std::string shown = doubleText(value, settings_.regional.decimalSep);
    const int end = byteCount(shown);
    setEditText(std::move(shown), end);
    recalculate();
}

// ---- Commands on the whole tape ----

void TapeEditor::clearAll()
{
    if (locked_)
        return;
    ChangeScope change(*this);
    firstLine_ = 0;
    scrollMax_ = 0;
    // The old tape goes to the undo history whole; the new one has its length.
    const std::size_t lines = tape_.size();
    history_.recordWholeTape(std::move(tape_));
    tape_.TapeValue.resize(lines);
    tape_.TapeOp.resize(lines);
    clearAllLines(tape_, lastLoadedRow_);   // a tape shorter than the rows made grows to them
    keptLines_ = 0;
    newTapeState();
    total_ = TotalResult{};
    currentRow_ = 0;
    if (shade_ == MemoryShade::Line)
        shade_ = MemoryShade::None;
    markAll();
    changes_.scroll = changes_.total = changes_.memory = true;
    enterLine();
}

PasteOutcome TapeEditor::pasteNumbers(std::string_view clipboard)
{
    PasteOutcome outcome;
    if (locked_)
        return outcome;
    const std::vector<std::string_view> lines = clipboardLines(clipboard);
    const bool statement = !lines.empty() && lines.back() == "DE";
    const long long wanted = static_cast<long long>(lines.size()) - (statement ? 1 : 0);
    if (wanted <= 0 || !clipboardHoldsNumber(lines, statement, settings_.regional))
        return outcome;   // nothing to paste: the tape is not cleared for it

    ChangeScope change(*this);
    clearAll();
    scrollMax_ = qm::pasteNumbers(tape_, clipboard, settings_.regional, lastRow_, scrollMax_);
    // The shown rows always exist after Clear All; every line beyond them
    // raised the scroll maximum by one.
    const long long written = std::min<long long>(wanted, lastRow_ + 1LL) + scrollMax_;
    outcome.pasted = true;
    outcome.lines = toInt(written, 0, INT_MAX);
    outcome.offered = toInt(wanted, 0, INT_MAX);
    outcome.cut = written < wanted;
    keptLines_ = static_cast<std::size_t>(outcome.lines);
    enterLine();
    recalculate();
    return outcome;
}

void TapeEditor::sortNumbers()
{
    if (locked_)
        return;
    ChangeScope change(*this);
    Tape sorted = tape_;
    sortTapeNumbers(sorted);
    history_.recordWholeTape(std::move(tape_));
    tape_ = std::move(sorted);
    newTapeState();
    markAll();
    enterLine();
    recalculate();
}

void TapeEditor::setDecimals(int decimals)
{
    if (!validDecimals(decimals))
        return;
    // A number being typed ("7.") keeps its text; a line only entered is
    // shown in the new form.
    const Value* value = valueAt(currentLine());
    const bool typed = value && editText_ != editTextFor(*value)
                       && editTextReadsBack(editText_, *value, settings_.regional);
    settings_.DecimalPlaces = decimals;
    ++settingsState_;
    markAll();
    if (!typed)
        enterLine();
    // The total is shown with the decimals too.
    recalculate();
}

void TapeEditor::setStatMode(StatMode mode)
{
    const int m = static_cast<int>(mode);
    if (m < static_cast<int>(StatMode::Total) || m > static_cast<int>(StatMode::MostFrequent))
        return;
    settings_.StatMode = m;
    ++settingsState_;
    recalculate();
}

void TapeEditor::replaceTape(Tape tape)
{
    // Every row made keeps a tape line, as from start-up on.
    const std::size_t given = std::max(tape.TapeValue.size(), tape.TapeOp.size());
    const std::size_t lines = std::max(given, static_cast<std::size_t>(lastLoadedRow_) + 1);
    tape.resize(lines);
    keptLines_ = given;
    ChangeScope change(*this);
    history_.recordWholeTape(std::move(tape_));
    tape_ = std::move(tape);
    newTapeState();
    scrollMax_ = toInt(tape_.TapeLast() - lastRow_, 0, INT_MAX);
    if (firstLine_ > scrollMax_)
        firstLine_ = 0;
    if (shade_ == MemoryShade::Line)
        shade_ = MemoryShade::None;
    markAll();
    changes_.scroll = changes_.memory = true;
    enterLine();
    recalculate();
}

UndoView TapeEditor::undoView() const
{
    return UndoView{firstLine_, static_cast<long long>(scrollMax_) + lastRow_, currentRow_, tapeState_};
}

void TapeEditor::newTapeState() { tapeState_ = ++lastTapeState_; }

void TapeEditor::applyView(const UndoView& view)
{
    const long long reach = std::max(0LL, tape_.TapeLast() - lastRow_);
    scrollMax_ = toInt(view.lastReachable - lastRow_, 0, std::min<long long>(reach, INT_MAX));
    // Back to the line the change was made on, in view.
    const long long line = std::clamp(static_cast<long long>(view.firstLine) + view.currentRow, 0LL,
                                      static_cast<long long>(scrollMax_) + lastRow_);
    firstLine_ = std::clamp(view.firstLine, 0, scrollMax_);
    if (line < firstLine_ || line > static_cast<long long>(firstLine_) + lastRow_)
        firstLine_ = toInt(line < firstLine_ ? line : line - lastRow_, 0, scrollMax_);
    currentRow_ = toInt(line - firstLine_, 0, lastRow_);
    if (shade_ == MemoryShade::Line)
        shade_ = MemoryShade::None;
    markAll();
    changes_.scroll = changes_.memory = true;
    enterLine();
    // The tape is one it was before: its total, when the settings are still
    // the same, needs no new run over the tape.
    tapeState_ = view.tapeState;
    const auto known = std::find_if(knownTotals_.begin(), knownTotals_.end(), [this](const KnownTotal& k) {
        return k.tapeState == tapeState_ && k.settingsState == settingsState_;
    });
    if (known != knownTotals_.end()) {
        total_ = known->total;
        changes_.total = true;
    } else {
        recalculate();
    }
}

bool TapeEditor::undo()
{
    if (locked_)
        return false;
    const std::optional<UndoView> view = history_.undo(tape_);
    if (!view)
        return false;
    applyView(*view);
    return true;
}

bool TapeEditor::redo()
{
    if (locked_)
        return false;
    const std::optional<UndoView> view = history_.redo(tape_);
    if (!view)
        return false;
    applyView(*view);
    return true;
}

std::size_t TapeEditor::enteredLines() const { return qm::enteredLines(tape_, keptLines_); }

std::string TapeEditor::copyNumbersText() const
{
    return qm::copyNumbersText(tape_, settings_.regional.decimalSep, enteredLines());
}

void TapeEditor::setFunctionButtons(const FunctionButtons& buttons)
{
    buttons_ = buttons;
    ++settingsState_;
}

void TapeEditor::setRegional(const Regional& regional)
{
    settings_.regional = regional;
    ++settingsState_;
    markAll();
    enterLine();
    recalculate();
}

bool TapeEditor::setNote(long long line, std::string note)
{
    if (locked_ || !hasLine(line) || !validNote(note))
        return false;
    const auto at = static_cast<std::size_t>(line);
    if (tape_.note(at) == note)
        return true;
    ChangeScope change(*this);
    history_.recordLine(tape_, line);
    tape_.setNote(at, std::move(note));
    // The values are the same: the totals worked out stay true.
    const std::uint64_t before = tapeState_;
    newTapeState();
    if (totalsTapeState_ == before)
        totalsTapeState_ = tapeState_;
    if (knownTotals_.size() == KnownTotalCount)
        knownTotals_.pop_front();
    knownTotals_.push_back(KnownTotal{tapeState_, settingsState_, total_});
    markLine(line);
    return true;
}

const std::string& TapeEditor::note(long long line) const
{
    static const std::string none;
    return line >= 0 ? tape_.note(static_cast<std::size_t>(line)) : none;
}

const std::vector<LineTotal>& TapeEditor::runningTotals()
{
    if (totalsTapeState_ != tapeState_ || totalsSettingsState_ != settingsState_) {
        // The box keeps what it shows; only the running totals are wanted.
        MailCalc(tape_, settings_, buttons_, total_.text, evaluator_, runningTotals_);
        totalsTapeState_ = tapeState_;
        totalsSettingsState_ = settingsState_;
    }
    return runningTotals_;
}

std::vector<std::string> TapeEditor::runningTotalTexts()
{
    const std::vector<LineTotal>& totals = runningTotals();
    std::vector<std::string> texts;
    texts.reserve(totals.size());
    for (const LineTotal& t : totals)
        texts.push_back(qm::runningTotalText(t, settings_, buttons_));
    return texts;
}

std::string TapeEditor::runningTotalText(long long line)
{
    const std::vector<LineTotal>& totals = runningTotals();
    if (line < 0 || static_cast<std::size_t>(line) >= totals.size())
        return {};
    return qm::runningTotalText(totals[static_cast<std::size_t>(line)], settings_, buttons_);
}

std::string TapeEditor::tapeRecordText(RecordFormat format)
{
    const std::vector<LineTotal>& totals = runningTotals();
    return tapeRecord(tape_, enteredLines(), totals, settings_, buttons_, format);
}

void TapeEditor::recalculate()
{
    total_ = MailCalc(tape_, settings_, buttons_, total_.text, evaluator_, runningTotals_);
    totalsTapeState_ = tapeState_;
    totalsSettingsState_ = settingsState_;
    changes_.total = true;
    if (knownTotals_.size() == KnownTotalCount)
        knownTotals_.pop_front();
    knownTotals_.push_back(KnownTotal{tapeState_, settingsState_, total_});
}

// ---- Helpers ----

bool TapeEditor::hasLine(long long line) const
{
    return line >= 0 && static_cast<unsigned long long>(line) < tape_.TapeValue.size()
           && static_cast<unsigned long long>(line) < tape_.TapeOp.size();
}

const Value* TapeEditor::valueAt(long long line) const
{
    return hasLine(line) ? &tape_.TapeValue[static_cast<std::size_t>(line)] : nullptr;
}

// The row's text when it reads back as the value; otherwise (a rounded
// number, say) the value's full plain form, so that editing keeps the value.
std::string TapeEditor::editTextFor(const Value& value) const
{
    // A text line is edited as the text it holds, even where a row shows it
    // as a number.
    if (value.isText())
        return value.text();
    std::string shown = rowText(value, settings_.DecimalPlaces, settings_.regional);
    if (value.isEmpty() || editTextReadsBack(shown, value, settings_.regional))
        return shown;
    return plainText(value, settings_.regional.decimalSep);
}

void TapeEditor::enterLine()
{
    const Value* value = valueAt(currentLine());
    std::string text = value ? editTextFor(*value) : std::string();
    const int end = byteCount(text);
    setEditText(std::move(text), end);
}

void TapeEditor::setEditText(std::string text, int caret)
{
    editText_ = std::move(text);
    caret_ = anchor_ = static_cast<int>(
        characterStart(editText_, static_cast<std::size_t>(std::clamp(caret, 0, byteCount(editText_)))));
    changes_.current = true;
}

void TapeEditor::setView(int firstLine, int row)
{
    const long long before = currentLine();
    if (firstLine != firstLine_) {
        firstLine_ = firstLine;
        markAll();
        changes_.scroll = true;
    }
    if (row != currentRow_) {
        currentRow_ = row;
        changes_.current = true;
    }
    if (currentLine() == before)
        return;
    history_.closeTyping(tape_);
    // The row left behind is drawn from the tape again; M+ shaded only it.
    markLine(before);
    if (shade_ == MemoryShade::Line) {
        shade_ = MemoryShade::None;
        changes_.memory = true;
    }
    enterLine();
}

void TapeEditor::endLine(char op)
{
    if (currentRow_ < lastRow_) {
        if (op)
            setOperator(currentLine() + 1, op);
        setView(firstLine_, currentRow_ + 1);
    } else if (firstLine_ < scrollMax_) {
        if (op)
            setOperator(currentLine() + 1, op);
        setView(firstLine_ + 1, currentRow_);
    } else if (firstLine_ == scrollMax_) {
        // Enter carries the line's own operator to the new line.
        const long long line = currentLine();
        const char carried = op ? op : hasLine(line) ? tape_.TapeOp[static_cast<std::size_t>(line)] : '+';
        growTapeAtEnd(carried);   // a full tape stays as it is
    }
    // The key's release lands on the line now current: an empty one is 0.
    if (const Value* v = valueAt(currentLine()); v && v->isEmpty())
        storeValue(currentLine(), Value(Decimal()));
    recalculate();
}

bool TapeEditor::growTapeAtEnd(char op)
{
    // The limit growTape keeps: a full tape says so and stays as it is.
    const long long next = static_cast<long long>(scrollMax_) + 1;
    if (scrollMax_ < 0 || lastRow_ < 0)
        return false;
    if (static_cast<unsigned long long>(next + lastRow_) + 1 > maxLines_) {
        changes_.tapeFull = true;
        return false;
    }
    const auto lines = static_cast<std::size_t>(next + lastRow_) + 1;
    if (lines < tape_.size()) {
        // Blank lines left by Clear All are dropped: the history keeps the
        // old tape whole rather than line by line.
        Tape kept;
        kept.TapeValue.assign(tape_.TapeValue.begin(), tape_.TapeValue.begin() + static_cast<std::ptrdiff_t>(lines));
        kept.TapeOp.assign(tape_.TapeOp.begin(), tape_.TapeOp.begin() + static_cast<std::ptrdiff_t>(lines));
        history_.recordWholeTape(std::move(tape_));
        tape_ = std::move(kept);
    } else {
        history_.recordLine(tape_, static_cast<long long>(lines) - 1);
    }
    newTapeState();
    const Result<int> m = growTape(tape_, scrollMax_, lastRow_, op, maxLines_);
    if (!m) {
        return false;
    }
    scrollMax_ = *m;
    markAll();   // the tape may also have lost blank lines left by Clear All
    setView(*m, lastRow_);
    return true;
}

bool TapeEditor::editSelection(std::string_view text)
{
    if (!hasLine(currentLine()))
        return false;
    const auto from = static_cast<std::size_t>(std::min(caret_, anchor_));
    const auto to = static_cast<std::size_t>(std::max(caret_, anchor_));
    const std::size_t room = MaxEditBytes - std::min(MaxEditBytes, editText_.size() - (to - from));
    if (text.size() > room)
        text = text.substr(0, characterStart(std::string(text), room));
    if (text.empty() && from == to)
        return false;
    editText_.replace(from, to - from, text);
    caret_ = anchor_ = static_cast<int>(from + text.size());
    changes_.current = true;
    return true;
}

bool TapeEditor::eraseRange(std::size_t from, std::size_t to)
{
    to = std::min(to, editText_.size());
    if (from >= to || !hasLine(currentLine()))
        return false;
    editText_.erase(from, to - from);
    caret_ = anchor_ = static_cast<int>(from);
    changes_.current = true;
    return true;
}

void TapeEditor::storeValue(long long line, Value value)
{
    if (!hasLine(line))
        return;
    Value& stored = tape_.TapeValue[static_cast<std::size_t>(line)];
    if (!identicalValues(stored, value)) {
        history_.recordLine(tape_, line);
        stored = std::move(value);
        newTapeState();
    }
    markLine(line);
}

void TapeEditor::setOperator(long long line, char op)
{
    if (!hasLine(line) || tape_.TapeOp[static_cast<std::size_t>(line)] == op)
        return;
    history_.recordLine(tape_, line);
    tape_.TapeOp[static_cast<std::size_t>(line)] = op;
    newTapeState();
    markLine(line);
}

void TapeEditor::markLine(long long line)
{
    if (changes_.allRows)
        return;
    std::vector<long long>& lines = changes_.lines;
    if (std::find(lines.begin(), lines.end(), line) != lines.end())
        return;
    lines.push_back(line);
    if (lines.size() > static_cast<std::size_t>(lastRow_) + 1)
        markAll();
}

void TapeEditor::markAll()
{
    changes_.allRows = true;
    changes_.lines.clear();
    changes_.current = true;
}

} // namespace qm
