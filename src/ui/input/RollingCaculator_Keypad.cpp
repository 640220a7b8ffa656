// The keypad, which drives the current entry row by touch or mouse, and the
// operator buttons beside the rows, which cycle a line's operator.

#include "ui/tape/RollingCaculator.h"

#include "core/commands/TapeCommands.h"
#include "core/editing/EntryEditing.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/GameController.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

namespace qm::ui {

namespace {

// Keypad indexes.
constexpr int KeyDecimal = 10;
constexpr int KeyClearAll = 11;
constexpr int KeyClear = 16;
constexpr int KeyDelete = 17;
constexpr int KeyPower = 18;
constexpr int KeySign = 19;
constexpr int KeyPercent = 20;

bool isOperatorKey(int index) { return (index >= 12 && index <= 15) || index == KeyPower; }

} // namespace

void Rolling_Caculator::CalC_Button_Click(int Index)
{
    if (game.mode() >= 1) {
        gameController()->CalC_Button_Game(Index);   // the keypad belongs to the game
        return;
    }
    if (Index < 0 || Index >= CalC_Button.size() || CurrentRow < 0 || CurrentRow >= CalAmount.size())
        return;
    EntryBox* box = CalAmount[CurrentRow];
    const Regional& regional = settings.regional;
    bool tail = true;

    if (Index <= KeyDecimal) {
        const QString caption = CalC_Button[Index]->caption();
        if (Index == KeyDecimal && box->text().contains(caption))
            return;   // one decimal separator per line
        box->insert(caption);
        if (Value* stored = lineValue(lineOfRow(CurrentRow))) {
            if (std::optional<Value> v = keypadEntryValue(toStd(box->text()), regional))
                *stored = std::move(*v);
        }
        MailCalc();
        if (CaretPos < 32767)
            ++CaretPos;
        const int caret = CaretPos;
        box->setFocus(Qt::OtherFocusReason);
        box->setCursorPosition(caret);
    } else if (Index == KeyClearAll) {
        Clear_Total_Click();
    } else if (isOperatorKey(Index)) {
        const char c = operatorOfCaption(toStd(CalC_Button[Index]->caption()));
        if (CurrentRow >= LastRow) {
            if (CurrentRow == LastRow) {
                if (scrollValue() == scrollMax()) {
                    appendTapeLine(c);   // at the 16-bit limit the tape stays as it is
                } else if (scrollValue() < scrollMax()) {
                    const long long line = static_cast<long long>(scrollValue()) + CurrentRow + 1;
                    if (line >= 0 && static_cast<std::size_t>(line) < tape.size())
                        tape.TapeOp[static_cast<std::size_t>(line)] = c;
                    ScrollNum->setValue(scrollValue() + 1);
                }
            }
            focusRow(CurrentRow);
        } else {
            fmNo();
            ++CurrentRow;
            SuperButton* op = Op[CurrentRow];
            op->setCaption(QString(QChar(static_cast<uchar>(c))));
            const long long line = static_cast<long long>(scrollValue()) + CurrentRow;
            if (line >= 0 && static_cast<std::size_t>(line) < tape.size())
                tape.TapeOp[static_cast<std::size_t>(line)] = c;
            op->setRenderColor(operatorColour(c));
            EntryBox* next = CalAmount[CurrentRow];
            next->setFocus(Qt::OtherFocusReason);
            next->setCursorPosition(static_cast<int>(next->text().size()));
        }
        // No recalculation: the new operator counts from the next change.
    } else if (Index == KeyClear) {
        box->clear();
        if (Value* stored = lineValue(lineOfRow(CurrentRow)))
            *stored = Value(Decimal());
        MailCalc();
        box->setFocus(Qt::OtherFocusReason);
    } else if (Index == KeyDelete) {
        const DeleteEdit e = keypadDelete(toStd(box->text()), box->cursorPosition(), regional);
        Value* stored = lineValue(lineOfRow(CurrentRow));
        if (e.value && stored)
            *stored = *e.value;
        MailCalc();
        box->setText(toQ(e.text));
        box->setFocus(Qt::OtherFocusReason);
        box->setCursorPosition(e.caret);
        tail = false;
    } else if (Index == KeySign) {
        const SignEdit e = keypadSign(toStd(box->text()), regional);
        if (!e.text.empty() || !box->text().isEmpty()) {
            if (e.foreColor)
                box->setForeColor(*e.foreColor);
            box->setText(toQ(e.text));
            box->setCursorPosition(e.caret);
        }
        Value* stored = lineValue(lineOfRow(CurrentRow));
        if (e.value && stored)
            *stored = *e.value;
        if (e.focus)
            box->setFocus(Qt::OtherFocusReason);
        MailCalc();
    } else if (Index == KeyPercent) {
        const std::string t = togglePercent(toStd(box->text()));
        box->setText(toQ(t));
        if (Value* stored = lineValue(lineOfRow(CurrentRow)))
            *stored = Value(t);
        MailCalc();
    }

    if (!tail || CurrentRow < 0 || CurrentRow >= CalAmount.size())
        return;
    // A line whose text is a number again (a removed percent sign, say) is
    // stored as that number.
    const std::optional<Decimal> d = entryNumber(toStd(CalAmount[CurrentRow]->text()), regional);
    Value* stored = lineValue(lineOfRow(CurrentRow));
    if (d && stored)
        *stored = Value(*d);
}

void Rolling_Caculator::Op_Click(int Index)
{
    ScrollNum_Change();
    if (Index < 0 || Index >= Op.size())
        return;
    const int line = lineOfRow(Index);
    if (line >= 0 && static_cast<std::size_t>(line) < tape.size()) {
        char& o = tape.TapeOp[static_cast<std::size_t>(line)];
        if (const std::optional<char> next = nextOperator(o, line == 0)) {
            o = *next;
            Op[Index]->setRenderColor(operatorColour(o));
        }
        Op[Index]->setCaption(o == BlankOp ? QString() : QString(QChar(static_cast<uchar>(o))));
    }
    MailCalc();
}

} // namespace qm::ui
