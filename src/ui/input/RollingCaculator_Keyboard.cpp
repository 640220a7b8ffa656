// Keyboard editing of the entry rows: the characters a row takes, operator
// keys that end a line, arrows and Enter that move between rows and scroll,
// the growth of the tape at its end, and the store and recalculation on every
// key release.

#include "ui/tape/RollingCaculator.h"

#include "core/commands/TapeCommands.h"
#include "core/editing/EntryEditing.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <algorithm>

namespace qm::ui {

namespace {

int caretOf(const EntryBox* box) { return std::clamp(box->cursorPosition(), 0, 32767); }

} // namespace

// ---- Shared editing steps ----

void Rolling_Caculator::focusRow(int row)
{
    if (row >= 0 && row < CalAmount.size())
        CalAmount[row]->setFocus(Qt::OtherFocusReason);
}

Value* Rolling_Caculator::lineValue(int line)
{
    if (line < 0 || static_cast<std::size_t>(line) >= tape.size())
        return nullptr;
    return &tape.TapeValue[static_cast<std::size_t>(line)];
}

// One more line at the end of the tape, scrolled onto the last shown row.
// Returns false (nothing changed) once the tape's 16-bit limit is reached.
bool Rolling_Caculator::appendTapeLine(char op)
{
    const Result<int> m = growTape(tape, scrollMax(), LastRow, op);
    if (!m)
        return false;
    ScrollNum->setValueMax(*m);
    ScrollNum->setValue(*m);   // redraws the rows: the new line is on the last one
    return true;
}

// ---- Handlers ----

void Rolling_Caculator::CalAmount_GotFocus(int Index)
{
    if (Index < 0 || Index >= CalAmount.size())
        return;
    TotalFocused = 0;
    for (EntryBox* box : CalAmount)
        box->setBackColor(EntryBackPlain);
    CalAmount[Index]->setBackColor(EntryBackCurrent);
    CurrentRow = Index;
    CaretPos = caretOf(CalAmount[Index]);
}

void Rolling_Caculator::CalAmount_MouseDown(int Index, int, int, int, int)
{
    if (Index >= 0 && Index < CalAmount.size())
        CaretPos = caretOf(CalAmount[Index]);
}

void Rolling_Caculator::CalAmount_KeyDown(int Index, int& KeyCode, int)
{
    if (KeyCode == KeyCodeUp) {
        if (Index == 0 && scrollValue() >= 1)
            ScrollNum->setValue(scrollValue() - 1);
        else if (Index > 0)
            focusRow(Index - 1);
        KeyCode = 0;
    } else if (KeyCode == KeyCodeDown) {
        // Down only moves and scrolls; lines are added by Enter and operators.
        if (Index == LastRow && scrollValue() < scrollMax())
            ScrollNum->setValue(scrollValue() + 1);
        else if (Index < LastRow)
            focusRow(Index + 1);
        KeyCode = 0;
    }
}

void Rolling_Caculator::CalAmount_KeyPress(int Index, int& KeyAscii)
{
    if (Index < 0 || Index >= CalAmount.size() || Index >= Op.size())
        return;
    const int k = KeyAscii;
    const KeyDecision d =
        classifyKeyPress(k, toStd(CalAmount[Index]->text()), ThousandSep(), DecimalSep());
    if (d.swallow)
        KeyAscii = 0;
    if (d.enter && Index < LastRow)
        focusRow(Index + 1);

    if (d.op) {
        fmNo();
        const QString caption(QChar(static_cast<uchar>(d.op)));
        if (Index < LastRow) {
            SuperButton* next = Op[Index + 1];
            next->setCaption(caption);
            next->setRenderColor(operatorColour(d.op));
            const long long line = static_cast<long long>(scrollValue()) + Index + 1;
            if (line >= 0 && static_cast<std::size_t>(line) < tape.size())
                tape.TapeOp[static_cast<std::size_t>(line)] = d.op;
            focusRow(Index + 1);
        } else {
            Op[Index]->setCaption(caption);   // the tail carries it to the next line
        }
    }
    if (!d.tail)
        return;

    const char ownOp = operatorOfCaption(toStd(Op[Index]->caption()));
    const bool movesOn = d.enter || d.op != 0;
    if (Index < LastRow) {
        const long long line = static_cast<long long>(scrollValue()) + Index;
        if (line >= 0 && static_cast<std::size_t>(line) < tape.size())
            tape.TapeOp[static_cast<std::size_t>(line)] = ownOp;
    }
    if (Index == LastRow && d.op && scrollValue() < scrollMax()) {
        const long long line = static_cast<long long>(scrollValue()) + Index + 1;
        if (line >= 0 && static_cast<std::size_t>(line) < tape.size())
            tape.TapeOp[static_cast<std::size_t>(line)] = ownOp;
    }
    if (Index == LastRow && movesOn) {
        if (scrollValue() == scrollMax())
            appendTapeLine(ownOp);   // at the 16-bit limit the tape stays as it is
        else if (scrollValue() < scrollMax())
            ScrollNum->setValue(scrollValue() + 1);
    }
}

void Rolling_Caculator::CalAmount_KeyUp(int Index, int& KeyCode, int)
{
    if (Index < 0 || Index >= CalAmount.size())
        return;
    EntryBox* box = CalAmount[Index];
    CaretPos = caretOf(box);
    if (KeyCode <= 0)
        return;
    // A row beyond the end of a short tape has no line to store into.
    if (Value* stored = lineValue(lineOfRow(Index))) {
        if (std::optional<Value> v = keyReleaseValue(*stored, toStd(box->text()), settings.regional))
            *stored = std::move(*v);
        box->setForeColor(showsNegative(*stored) ? RowTextDarkRed : RowTextBlack);
    }
    MailCalc();
}

} // namespace qm::ui
