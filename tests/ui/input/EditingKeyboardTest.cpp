#include "ui/input/EditingSupport.h"

#include "ui/tape/WindowTestSupport.h"

namespace qm::ui {
namespace {

using namespace qm::ui::test;

void click(SuperButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10)); }

TEST(EditingKeyboard, TotalFollowsEveryKey)
{
    auto w = editingWindow();
    struct Step {
        char key;
        const char* box;     // text of the row the key was typed on
        const char* total;
    };
    // "*" on an empty line multiplies by its 0 until a figure is typed.
    const Step steps[] = {{'1', "1", "1"},     {'2', "12", "12"},   {'.', "12.", "12"},
                          {'5', "12.5", "12.5"}, {'+', "12.5", "12.5"}, {'2', "2", "14.5"},
                          {'*', "2", "0"},     {'2', "2", "29"}};
    int row = 0;
    for (const Step& s : steps) {
        const int typedOn = w->CurrentRow;
        typeChar(s.key);
        EXPECT_EQ(w->CalAmount[typedOn]->text(), QString::fromLatin1(s.box)) << s.key;
        EXPECT_EQ(total(*w), QString::fromLatin1(s.total)) << s.key;
        if (s.key == '+' || s.key == '*')
            ++row;
        EXPECT_EQ(w->CurrentRow, row) << s.key;
        EXPECT_EQ(focusedRow(*w), row) << s.key;
    }
    EXPECT_EQ(lineText(*w, 0), "12.5");
    EXPECT_EQ(w->tape.TapeOp[1], '+');
    EXPECT_EQ(w->tape.TapeOp[2], 'x');
    EXPECT_EQ(w->Op[2]->caption(), QStringLiteral("x"));
    EXPECT_EQ(w->Op[2]->renderColor(), 0x00FF00u);
    // The current row is shaded, the others are plain.
    EXPECT_EQ(w->CalAmount[2]->backColor(), 0xF9F9F9u);
    EXPECT_EQ(w->CalAmount[0]->backColor(), 0xFFFFFFu);
}

TEST(EditingKeyboard, CharactersTheBoxRefusesOrKeeps)
{
    auto w = editingWindow();
    typeText("1.2.3");   // a second point is ignored
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("1.23"));
    EXPECT_EQ(lineText(*w, 0), "1.23");

    // Letters, brackets, "%" and blanks do nothing; "H" and "I" go in.
    typeText("a(% x");
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("1.23"));
    typeText("H");
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("1.23H"));
    EXPECT_EQ(lineText(*w, 0), "1.23");   // no number: the line keeps its value
    pressKey(Qt::Key_Backspace, QStringLiteral("\b"));
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("1.23"));

    // Thousands separators may be typed anywhere and are not stored.
    w->CalAmount[1]->setFocus(Qt::OtherFocusReason);
    typeText("1,234,5,,6.5");
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("1,234,5,,6.5"));
    EXPECT_EQ(lineText(*w, 1), "123456.5");
    EXPECT_EQ(total(*w), QStringLiteral("123457.73"));
}

TEST(EditingKeyboard, ReleasingAnyKeyStoresTheLineAndColoursNegatives)
{
    auto w = editingWindow();
    EntryBox* box = w->CalAmount[0];
    box->setText(QStringLiteral("-5"));   // as pasted into the box
    pressKey(Qt::Key_End);
    EXPECT_EQ(lineText(*w, 0), "-5");
    EXPECT_EQ(box->foreColor(), 0x0000C0u);
    EXPECT_EQ(total(*w), QStringLiteral("-5"));
    EXPECT_EQ(w->CaretPos, 2);

    box->setText(QStringLiteral("5"));
    pressKey(Qt::Key_Left);
    EXPECT_EQ(box->foreColor(), 0x000000u);
    EXPECT_EQ(total(*w), QStringLiteral("5"));
    EXPECT_EQ(w->CaretPos, 0);

    box->setText(QString());
    pressKey(Qt::Key_Home);
    EXPECT_EQ(lineText(*w, 0), "0");
}

TEST(EditingKeyboard, OperatorOnARowAboveTheLastFillsTheNextRow)
{
    auto w = editingWindow();
    w->settings.DecimalPlaces = 2;
    typeText("7.5/");
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("7.50"));   // re-formatted
    EXPECT_EQ(w->Op[1]->caption(), QStringLiteral("/"));
    EXPECT_EQ(w->Op[1]->renderColor(), 0xFF0000u);
    EXPECT_EQ(w->tape.TapeOp[1], '/');
    EXPECT_EQ(focusedRow(*w), 1);
    // The empty "/" line divides by 0.
    EXPECT_EQ(total(*w), QStringLiteral("Error"));
    typeText("3");
    EXPECT_EQ(total(*w), QStringLiteral("2.50"));
}

TEST(EditingKeyboard, EnterAndOperatorsOnTheLastRow)
{
    auto w = editingWindow();
    const int last = w->LastRow;
    // Start-up cleared the tape: nothing to scroll until the first resize.
    ASSERT_EQ(w->scrollMax(), 0);

    // At the end of the tape Enter appends a line under the row's operator;
    // the tape then holds exactly the lines the scroll range reaches.
    w->CalAmount[last]->setFocus(Qt::OtherFocusReason);
    w->Op[last]->setCaption(QStringLiteral("x"));
    w->tape.TapeOp[static_cast<std::size_t>(last)] = 'x';
    typeText("4\r");
    EXPECT_EQ(w->tape.TapeLast(), last + 1);
    EXPECT_EQ(w->scrollMax(), 1);
    EXPECT_EQ(w->scrollValue(), 1);
    EXPECT_EQ(focusedRow(*w), last);
    EXPECT_EQ(w->tape.TapeOp.back(), 'x');
    EXPECT_EQ(lineText(*w, last), "4");
    // Made empty; the key up of Enter, now on the new line, stored its 0.
    EXPECT_EQ(lineText(*w, last + 1), "0");
    EXPECT_EQ(w->CalAmount[last]->text(), QString());
    EXPECT_EQ(w->CalAmount[last - 1]->text(), QStringLiteral("4"));
    EXPECT_EQ(w->Op[last]->caption(), QStringLiteral("x"));

    // A line left below: an operator stores itself on it and scrolls by one.
    w->ScrollNum->setValue(0);
    typeText("-");
    EXPECT_EQ(w->scrollValue(), 1);
    EXPECT_EQ(w->tape.TapeLast(), last + 1);
    EXPECT_EQ(w->tape.TapeOp[static_cast<std::size_t>(last + 1)], '-');
    EXPECT_EQ(w->tape.TapeOp[static_cast<std::size_t>(last)], 'x');
    EXPECT_EQ(w->Op[last]->caption(), QStringLiteral("-"));
    EXPECT_EQ(w->Op[last]->renderColor(), 0x0000FFu);
    EXPECT_EQ(w->Op[last - 1]->caption(), QStringLiteral("x"));

    // ... and with none left an operator appends a line that carries it.
    typeText("6/");
    EXPECT_EQ(w->tape.TapeLast(), last + 2);
    EXPECT_EQ(w->scrollValue(), 2);
    EXPECT_EQ(w->tape.TapeOp.back(), '/');
    EXPECT_EQ(w->Op[last]->caption(), QStringLiteral("/"));
    EXPECT_EQ(w->Op[last - 1]->caption(), QStringLiteral("-"));
    EXPECT_EQ(w->CalAmount[last - 1]->text(), QStringLiteral("6"));
    EXPECT_EQ(focusedRow(*w), last);
    // 0 x 4 - 6, then the new line's 0 under "/"; a figure on it ends the error.
    EXPECT_EQ(total(*w), QStringLiteral("Error"));
    typeText("2");
    EXPECT_EQ(total(*w), QStringLiteral("-3"));
}

TEST(EditingKeyboard, ArrowsMoveAndScrollButNeverAddLines)
{
    auto w = editingWindow();
    const std::size_t lines = w->tape.size();
    const int last = w->LastRow;
    // As after a resize: every line of the tape can be scrolled to.
    w->ScrollNum->setValueMax(static_cast<int>(w->tape.TapeLast()) - last);

    pressKey(Qt::Key_Up);   // row 0 at the top of the tape
    EXPECT_EQ(focusedRow(*w), 0);
    EXPECT_EQ(w->scrollValue(), 0);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(focusedRow(*w), 1);
    pressKey(Qt::Key_Up);
    EXPECT_EQ(focusedRow(*w), 0);

    w->tape.TapeValue[3] = Value(Decimal::fromInt(33));
    w->ScrollNum->setValue(3);
    pressKey(Qt::Key_Up);   // the line above comes into view on row 0
    EXPECT_EQ(w->scrollValue(), 2);
    EXPECT_EQ(focusedRow(*w), 0);
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("33"));

    w->CalAmount[last]->setFocus(Qt::OtherFocusReason);
    pressKey(Qt::Key_Down);
    EXPECT_EQ(w->scrollValue(), 3);
    EXPECT_EQ(focusedRow(*w), last);

    w->ScrollNum->setValue(w->scrollMax());
    const int end = w->scrollMax();
    pressKey(Qt::Key_Down);   // the last row at the end of the tape
    EXPECT_EQ(w->scrollValue(), end);
    EXPECT_EQ(w->tape.size(), lines);
    EXPECT_EQ(focusedRow(*w), last);
    // The arrow's key up stored the row and recalculated.
    EXPECT_EQ(total(*w), QStringLiteral("33"));
}

TEST(EditingKeyboard, GrowthStopsAtTheLastLineIndex)
{
    auto w = editingWindow();
    const int last = w->LastRow;
    w->tape.resize(32767);   // lines 0..32766: one more fits
    w->ScrollNum->setValueMax(32766 - last);
    w->ScrollNum->setValue(w->scrollMax());
    w->CalAmount[last]->setFocus(Qt::OtherFocusReason);
    typeText("\r");
    EXPECT_EQ(w->tape.TapeLast(), 32767);
    EXPECT_EQ(w->scrollMax(), 32767 - last);
    EXPECT_EQ(w->scrollValue(), 32767 - last);
    typeText("5+");
    EXPECT_EQ(w->tape.TapeLast(), 32767);
    EXPECT_EQ(w->scrollMax(), 32767 - last);
    EXPECT_EQ(w->scrollValue(), 32767 - last);
    EXPECT_EQ(lineText(*w, 32767), "5");
    EXPECT_EQ(total(*w), QStringLiteral("5"));
}

TEST(EditingKeyboard, RowsBelowAShortTapeStoreNothing)
{
    auto w = editingWindow();
    w->tape.resize(3);   // as a short calculation file leaves it
    w->tape.TapeValue[2] = Value(Decimal::fromInt(8));
    w->ScrollNum_Change();
    w->CalAmount[5]->setFocus(Qt::OtherFocusReason);
    typeText("7+");
    EXPECT_EQ(w->tape.size(), 3u);
    EXPECT_EQ(total(*w), QStringLiteral("8"));
    click(w->Op[6]);
    EXPECT_EQ(w->tape.size(), 3u);
    EXPECT_EQ(total(*w), QStringLiteral("8"));
}

TEST(EditingKeyboard, ClickAndFocusTrackTheCaret)
{
    auto w = editingWindow();
    typeText("1234");
    EXPECT_EQ(w->CaretPos, 4);
    QTest::mouseClick(w->CalAmount[0], Qt::LeftButton, {}, QPoint(2, 13));
    EXPECT_EQ(w->CaretPos, w->CalAmount[0]->cursorPosition());
    w->CalAmount[0]->setCursorPosition(1);
    w->TotalAmount->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->TotalFocused, 1);
    w->CalAmount[0]->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->TotalFocused, 0);
    EXPECT_EQ(w->CaretPos, 1);
}

} // namespace
} // namespace qm::ui
