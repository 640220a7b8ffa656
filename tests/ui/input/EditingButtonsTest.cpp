#include "ui/input/EditingSupport.h"

#include "ui/input/EFbutton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

namespace qm::ui {
namespace {

using namespace qm::ui::test;

void click(SuperButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10)); }

// Keypad indexes.
constexpr int Point = 10, ClearAll = 11, Plus = 12, Times = 14, Clear = 16, Del = 17, Power = 18,
              Sign = 19, Percent = 20;
// Function buttons.
constexpr int Sin = 3, Edit = 23;

void keys(Rolling_Caculator& w, std::initializer_list<int> indexes)
{
    for (int i : indexes)
        click(w.CalC_Button[i]);
}

TEST(EditingKeypad, FiguresAndOnePoint)
{
    auto w = editingWindow();
    keys(*w, {1, 2, Point, 5});
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("12.5"));
    EXPECT_EQ(total(*w), QStringLiteral("12.5"));
    EXPECT_EQ(w->CaretPos, 4);
    EXPECT_EQ(focusedRow(*w), 0);
    w->tape.TapeValue[0] = Value(Decimal::fromInt(99));   // shows whether the tail stores
    click(w->CalC_Button[Point]);   // refused: nothing else happens
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("12.5"));
    EXPECT_EQ(lineText(*w, 0), "99");

    // A figure goes in at the caret.
    w->CalAmount[0]->setCursorPosition(1);
    w->CaretPos = 1;
    click(w->CalC_Button[7]);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("172.5"));
    EXPECT_EQ(w->CalAmount[0]->cursorPosition(), 2);
    EXPECT_EQ(lineText(*w, 0), "172.5");
}

TEST(EditingKeypad, DeleteSignAndPercentOnFunctionAndNumberLines)
{
    auto w = editingWindow();
    EntryBox* box = w->CalAmount[0];
    click(w->Stific[Sin]);
    keys(*w, {3, 0});
    ASSERT_EQ(box->text(), QStringLiteral("Sin(30)"));
    ASSERT_EQ(lineText(*w, 0), "Sin(30)");
    EXPECT_EQ(total(*w).left(6), QStringLiteral("-0.988"));   // sine of 30 radians

    click(w->CalC_Button[Sign]);
    EXPECT_EQ(box->text(), QStringLiteral("Sin(-30)"));
    EXPECT_EQ(lineText(*w, 0), "Sin(-30)");
    EXPECT_EQ(box->cursorPosition(), 7);
    EXPECT_EQ(total(*w).left(5), QStringLiteral("0.988"));
    click(w->CalC_Button[Sign]);
    EXPECT_EQ(box->text(), QStringLiteral("Sin(30)"));

    click(w->CalC_Button[Del]);
    EXPECT_EQ(box->text(), QStringLiteral("30"));
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_TRUE(w->tape.TapeValue[0].isDouble());
    EXPECT_EQ(lineText(*w, 0), "30");
    EXPECT_EQ(total(*w), QStringLiteral("30"));

    // On a number: the sign and its colour.
    click(w->CalC_Button[Del]);
    click(w->CalC_Button[Del]);
    keys(*w, {1, 2, Sign});
    EXPECT_EQ(box->text(), QStringLiteral("-12"));
    EXPECT_EQ(box->foreColor(), 0x0000C0u);
    EXPECT_EQ(lineText(*w, 0), "-12");
    EXPECT_EQ(total(*w), QStringLiteral("-12"));
    click(w->CalC_Button[Sign]);
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    EXPECT_EQ(box->foreColor(), 0x000000u);
    EXPECT_EQ(total(*w), QStringLiteral("12"));

    // "%" on 10 and back: 10 + 10% gives 11.
    box->clear();
    w->CaretPos = 0;
    keys(*w, {1, 0});
    w->CalAmount[1]->setFocus(Qt::OtherFocusReason);
    keys(*w, {1, 0, Percent});
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("10%"));
    EXPECT_TRUE(w->tape.TapeValue[1].isText());
    EXPECT_EQ(total(*w), QStringLiteral("11"));
    click(w->CalC_Button[Percent]);
    EXPECT_EQ(w->CalAmount[1]->text(), QStringLiteral("10"));
    EXPECT_TRUE(w->tape.TapeValue[1].isDecimal());
    EXPECT_EQ(lineText(*w, 1), "10");
    // The next change recalculates with the number.
    click(w->CalC_Button[Point]);
    EXPECT_EQ(total(*w), QStringLiteral("20"));
}

TEST(EditingKeypad, DeleteAtTheCaretAndOnLoneSigns)
{
    auto w = editingWindow();
    EntryBox* box = w->CalAmount[0];
    keys(*w, {1, 2, 3});
    box->setCursorPosition(2);
    click(w->CalC_Button[Del]);
    EXPECT_EQ(box->text(), QStringLiteral("13"));
    EXPECT_EQ(box->cursorPosition(), 2);
    EXPECT_EQ(lineText(*w, 0), "13");
    box->setCursorPosition(0);
    click(w->CalC_Button[Del]);
    EXPECT_EQ(box->text(), QStringLiteral("3"));

    for (const char* lone : {"-", "."}) {
        w->tape.TapeValue[0] = Value(Decimal::fromInt(5));
        box->setText(QString::fromLatin1(lone) + QStringLiteral("7"));
        click(w->CalC_Button[Del]);
        EXPECT_EQ(box->text(), QString::fromLatin1(lone));
        EXPECT_EQ(lineText(*w, 0), "0") << lone;
    }
}

TEST(EditingKeypad, ClearAndClearAll)
{
    auto w = editingWindow();
    keys(*w, {4, Plus, 5});
    EXPECT_EQ(total(*w), QStringLiteral("9"));
    click(w->CalC_Button[Clear]);
    EXPECT_EQ(w->CalAmount[1]->text(), QString());
    EXPECT_EQ(lineText(*w, 1), "0");
    EXPECT_EQ(total(*w), QStringLiteral("4"));
    EXPECT_EQ(focusedRow(*w), 1);
    click(w->CalC_Button[ClearAll]);
    EXPECT_EQ(lineText(*w, 0), "0");
    EXPECT_EQ(w->CalAmount[0]->text(), QString());
    EXPECT_EQ(total(*w), QString());
}

TEST(EditingKeypad, OperatorsMoveDownWithoutRecalculating)
{
    auto w = editingWindow();
    w->settings.DecimalPlaces = 2;
    keys(*w, {8, Point, 5});
    EXPECT_EQ(total(*w), QStringLiteral("8.50"));
    click(w->CalC_Button[Power]);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("8.50"));
    EXPECT_EQ(w->CurrentRow, 1);
    EXPECT_EQ(focusedRow(*w), 1);
    EXPECT_EQ(w->Op[1]->caption(), QStringLiteral("^"));
    EXPECT_EQ(w->Op[1]->renderColor(), 0x000000u);
    EXPECT_EQ(w->tape.TapeOp[1], '^');
    EXPECT_EQ(total(*w), QStringLiteral("8.50"));   // not yet: 8.5 ^ 0 would be 1
    click(w->CalC_Button[2]);
    EXPECT_EQ(total(*w), QStringLiteral("72.25"));

    // On the last row at the end of the tape a line is appended and scrolled in.
    // As after a resize: every line of the tape can be scrolled to.
    w->ScrollNum->setValueMax(static_cast<int>(w->tape.TapeLast()) - w->LastRow);
    const std::size_t lines = w->tape.size();
    w->ScrollNum->setValue(w->scrollMax());
    w->CalAmount[w->LastRow]->setFocus(Qt::OtherFocusReason);
    keys(*w, {3});
    const QString before = total(*w);
    click(w->CalC_Button[Times]);
    EXPECT_EQ(w->tape.size(), lines + 1);
    EXPECT_EQ(w->tape.TapeOp.back(), 'x');
    EXPECT_EQ(w->scrollValue(), w->scrollMax());
    EXPECT_EQ(w->Op[w->LastRow]->caption(), QStringLiteral("x"));
    EXPECT_EQ(w->CalAmount[w->LastRow - 1]->text(), QStringLiteral("3.00"));
    EXPECT_EQ(total(*w), before);
    EXPECT_EQ(focusedRow(*w), w->LastRow);
}

TEST(EditingKeypad, OperatorButtonsCycleAndTheFirstLineSkipsDivideAndPower)
{
    auto w = editingWindow();
    const char* first[] = {"-", "x", "+", "-"};
    for (const char* op : first) {
        click(w->Op[0]);
        EXPECT_EQ(w->Op[0]->caption(), QString::fromLatin1(op));
        EXPECT_EQ(w->tape.TapeOp[0], op[0]);
    }
    const char* other[] = {"-", "x", "/", "^", "+"};
    const std::uint32_t colours[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x000000, 0xC0C0C0};
    for (int i = 0; i < 5; ++i) {
        click(w->Op[3]);
        EXPECT_EQ(w->Op[3]->caption(), QString::fromLatin1(other[i]));
        EXPECT_EQ(w->Op[3]->renderColor(), colours[i]);
    }
    // Scrolled, row 0 shows another line, which cycles fully; the total follows.
    w->tape.TapeValue[0] = Value(Decimal::fromInt(6));
    w->tape.TapeValue[2] = Value(Decimal::fromInt(2));
    w->ScrollNum->setValueMax(10);
    w->ScrollNum->setValue(2);
    click(w->Op[0]);
    click(w->Op[0]);
    click(w->Op[0]);
    EXPECT_EQ(w->tape.TapeOp[2], '/');
    EXPECT_EQ(total(*w), QStringLiteral("-3"));   // line 0 under "-": -6 / 2
}

TEST(EditingKeypad, DuringAGameTheFiguresShoot)
{
    auto w = editingWindow();
    ASSERT_TRUE(w->game.start(0, w->nowMs()));
    w->game.tick(w->nowMs());
    ASSERT_EQ(w->game.targets().size(), 1u);
    const int figure = w->game.targets()[0] - '0';
    click(w->CalC_Button[(figure + 1) % 10]);
    click(w->CalC_Button[Point]);
    EXPECT_EQ(w->game.targets().size(), 1u);
    click(w->CalC_Button[figure]);
    EXPECT_TRUE(w->game.targets().empty());
    EXPECT_EQ(w->game.score(), 1);
    EXPECT_EQ(w->CalAmount[0]->text(), QString());
    EXPECT_EQ(lineText(*w, 0), "0");
}

TEST(EditingFunctions, FunctionButtonsMakeFunctionLines)
{
    auto w = editingWindow();
    EntryBox* box = w->CalAmount[0];
    click(w->Stific[Sin]);
    EXPECT_EQ(box->text(), QStringLiteral("Sin()"));
    EXPECT_EQ(box->cursorPosition(), 4);
    EXPECT_EQ(focusedRow(*w), 0);
    EXPECT_EQ(total(*w), QStringLiteral("Error"));   // no argument yet
    typeText("30");
    EXPECT_EQ(lineText(*w, 0), "Sin(30)");
    EXPECT_TRUE(w->tape.TapeValue[0].isText());

    const struct {
        int button;
        const char* before;
        const char* after;
    } rows[] = {
        {Sin, "Cos(45)", "Sin(45)"},
        {Sin, "1,234.5", "Sin(1,234.5)"},
        {4, "Sin(-2.5)", "Cos(2.5)"},
        {18, "12", "(12)"},   // a button without a name
    };
    for (const auto& r : rows) {
        box->setText(QString::fromLatin1(r.before));
        click(w->Stific[r.button]);
        EXPECT_EQ(box->text(), QString::fromLatin1(r.after)) << r.before;
        EXPECT_EQ(lineText(*w, 0), r.after) << r.before;
    }
}

TEST(EditingFunctions, MemoryStoresRecallsAndShades)
{
    auto w = editingWindow();
    typeText("2+3");
    EXPECT_EQ(total(*w), QStringLiteral("5"));

    // M+ on a line stores it and shades its box until the focus moves.
    click(w->MemoryRc[0]);
    EXPECT_EQ(w->M_Buff->text(), QStringLiteral("3"));
    EXPECT_EQ(w->CalAmount[1]->backColor(), 0xC0E0FFu);
    w->CalAmount[2]->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->CalAmount[1]->backColor(), 0xFFFFFFu);

    // M+ with the total focused stores the total; MR puts it on the line.
    w->TotalAmount->setFocus(Qt::OtherFocusReason);
    click(w->MemoryRc[0]);
    EXPECT_EQ(w->TotalAmount->backColor(), 0xC0E0FFu);
    EXPECT_EQ(w->M_Buff->text(), QStringLiteral("5"));
    w->CalAmount[2]->setFocus(Qt::OtherFocusReason);   // M+ loses the focus
    EXPECT_EQ(w->TotalAmount->backColor(), 0xFFFFFFu);
    click(w->MemoryRc[1]);
    EXPECT_EQ(w->CalAmount[2]->text(), QStringLiteral("5"));
    EXPECT_EQ(lineText(*w, 2), "5");
    EXPECT_EQ(total(*w), QStringLiteral("10"));

    // With 2 decimals the memory shows like the total.
    w->settings.DecimalPlaces = 2;
    w->tape.TapeValue[3] = Value(*parseStrict("0.5"));
    w->CalAmount[3]->setFocus(Qt::OtherFocusReason);
    click(w->MemoryRc[0]);
    EXPECT_EQ(w->M_Buff->text(), QStringLiteral(".50"));
    click(w->MemoryRc[1]);
    EXPECT_EQ(w->CalAmount[3]->text(), QStringLiteral(".50"));

    // M= takes the total; a statistics text leaves the memory as it was.
    w->TotalAmount->setText(QStringLiteral("1,234.50"));
    click(w->MemoryRc[2]);
    EXPECT_EQ(w->M_Buff->text(), QStringLiteral("1234.5"));
    w->TotalAmount->setText(QStringLiteral("Average : 7"));
    click(w->MemoryRc[2]);
    EXPECT_EQ(w->M_Buff->text(), QStringLiteral("1234.5"));
    w->TotalAmount->setFocus(Qt::OtherFocusReason);
    click(w->MemoryRc[0]);
    EXPECT_EQ(shown(w->MemoryValue), "1234.5");
}

TEST(EditingFunctions, PiShowsFifteenFiguresAndStoresTheFullValue)
{
    auto w = editingWindow();
    click(w->PieValue);
    EXPECT_EQ(w->CalAmount[0]->text(), QStringLiteral("3.14159265358979"));
    ASSERT_TRUE(w->tape.TapeValue[0].isDouble());
    EXPECT_EQ(w->tape.TapeValue[0].dbl(), std::acos(-1.0));
    EXPECT_EQ(total(*w), QStringLiteral("3.14159265358979"));
}

EFbutton* editorOf(Rolling_Caculator& w)
{
    for (EFbutton* e : w.findChildren<EFbutton*>())
        if (e->isVisible())
            return e;
    return nullptr;
}

// "Use" (0) or "Cancel" (1); the main window is then active again.
void closeEditor(Rolling_Caculator& w, EFbutton* e, int button)
{
    e->OK_Click(button);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST(EditingFunctions, EditorUseAndCancelReachTheWindow)
{
    auto w = editingWindow();
    click(w->Stific[Edit]);
    EFbutton* e = editorOf(*w);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->isModal());
    EXPECT_EQ(e->EditIndex(), 0);
    EXPECT_EQ(e->F_But_name->currentText(), QStringLiteral("Exp"));

    // A built-in name hides the formula; a new name shows it again.
    e->Stific_Click(18);
    e->F_But_name->setEditText(QStringLiteral("Sin"));
    EXPECT_TRUE(e->F_But_Formula->isHidden());
    e->F_But_name->setEditText(QStringLiteral("Area"));
    EXPECT_FALSE(e->F_But_Formula->isHidden());
    e->F_But_Formula->setText(QStringLiteral("x*2+t"));
    e->F_Tip_Text->setText(QStringLiteral("Twice the side plus the total"));
    EXPECT_EQ(w->functionButtons[18].Caption, "");   // nothing reaches the window yet
    closeEditor(*w, e, 0);
    EXPECT_EQ(editorOf(*w), nullptr);
    EXPECT_EQ(w->functionButtons[18].Caption, "Area");
    EXPECT_EQ(w->functionButtons[18].Formula, "X*2+T");
    EXPECT_EQ(w->Stific[18]->caption(), QStringLiteral("Area"));
    EXPECT_EQ(w->Stific[18]->toolTip(), QStringLiteral("Twice the side plus the total"));

    // The new button works on the tape: 1 + Area(4) = 1 + (4*2+1).
    QTest::mouseClick(w->CalAmount[0], Qt::LeftButton, {}, QPoint(10, 10));
    typeText("1+");
    click(w->Stific[18]);
    keys(*w, {4});
    EXPECT_EQ(lineText(*w, 1), "Area(4)");
    EXPECT_EQ(total(*w), QStringLiteral("10"));

    // Cancel keeps everything; the next opening starts from the window's buttons.
    click(w->Stific[Edit]);
    e = editorOf(*w);
    ASSERT_NE(e, nullptr);
    e->F_But_name->setEditText(QStringLiteral("Foo"));
    closeEditor(*w, e, 1);
    EXPECT_EQ(w->functionButtons[0].Caption, "Exp");
    EXPECT_EQ(w->Stific[0]->caption(), QStringLiteral("Exp"));
    click(w->Stific[Edit]);
    e = editorOf(*w);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->buttons()[0].Caption, "Exp");
    EXPECT_EQ(e->buttons()[18].Formula, "X*2+T");
    // "Edit" again while it is open copies the buttons afresh into the same window.
    e->F_But_name->setEditText(QStringLiteral("Bar"));
    click(w->Stific[Edit]);
    EXPECT_EQ(editorOf(*w), e);
    EXPECT_EQ(e->buttons()[0].Caption, "Exp");
    closeEditor(*w, e, 1);
}

TEST(EditingFunctions, ANameHoldingIntMakesARoundingLine)
{
    auto w = editingWindow();
    click(w->Stific[Edit]);
    EFbutton* e = editorOf(*w);
    ASSERT_NE(e, nullptr);
    e->Stific_Click(19);
    e->F_But_name->setEditText(QStringLiteral("Interest"));
    e->F_But_Formula->setText(QStringLiteral("X*2"));
    closeEditor(*w, e, 0);
    ASSERT_EQ(w->functionButtons[19].Caption, "Interest");

    QTest::mouseClick(w->CalAmount[0], Qt::LeftButton, {}, QPoint(10, 10));
    typeText("2.5+");
    click(w->Stific[19]);
    keys(*w, {5});
    EXPECT_EQ(lineText(*w, 1), "Interest(5)");
    // Rounded down to 2 rather than 2.5 + 10.
    EXPECT_EQ(total(*w), QStringLiteral("2"));
}

} // namespace
} // namespace qm::ui
