// The keypad, operator, function, memory and pi buttons of the main window:
// each edits the focused row, stores its line and shows the total. The
// function-button editor: what "Use" hands back and what "Cancel" drops.

#include "ui/input/EditingSupport.h"

#include "core/tape/DefaultButtons.h"
#include "ui/input/EFbutton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cmath>
#include <tuple>

namespace qm::ui {
namespace {

using namespace test;

// Keypad indexes.
constexpr int Point = 10, ClearAll = 11, Times = 14, Clear = 16, Del = 17, Power = 18,
              Sign = 19, Percent = 20;
// Function buttons.
constexpr int Sin = 3, Edit = 23;

void keys(Rolling_Caculator& w, std::initializer_list<int> indexes)
{
    for (int i : indexes)
        click(w.CalC_Button[i]);
}

TEST(EditingKeypad, FiguresPointSignPercentAndDelete)
{
    auto w = editingWindow();
    EntryBox* box = w->CalAmount[0];
    keys(*w, {1, 2, Point, 5});
    EXPECT_EQ(box->text(), "12.5");
    EXPECT_EQ(total(*w), "12.5");
    w->tape.TapeValue[0] = dec("99");   // shows whether a refused key stores
    click(w->CalC_Button[Point]);
    EXPECT_EQ(box->text(), "12.5");
    EXPECT_EQ(lineText(*w, 0), "99");
    box->setCursorPosition(1);   // a figure goes in at the caret
    w->CaretPos = 1;
    keys(*w, {7, Sign});
    EXPECT_EQ(box->text(), "-172.5");
    EXPECT_EQ(box->foreColor(), 0x0000C0u);
    EXPECT_EQ(total(*w), "-172.5");
    box->setCursorPosition(6);
    w->CaretPos = 6;
    click(w->CalC_Button[Del]);
    EXPECT_EQ(lineText(*w, 0), "-172");
    // A lone sign or point stores 0.
    for (const char* lone : {"-", "."}) {
        box->setText(QString::fromLatin1(lone) + "7");
        box->setCursorPosition(2);
        click(w->CalC_Button[Del]);
        EXPECT_EQ(box->text(), lone);
        EXPECT_EQ(lineText(*w, 0), "0") << lone;
    }

    // "%" on 10 and back: 10 + 10% gives 11; the next change recalculates.
    box->setText("10");
    w->tape.TapeValue[0] = dec("10");
    w->CalAmount[1]->setFocus(Qt::OtherFocusReason);
    keys(*w, {1, 0, Percent});
    EXPECT_EQ(w->CalAmount[1]->text(), "10%");
    EXPECT_TRUE(w->tape.TapeValue[1].isText());
    EXPECT_EQ(total(*w), "11");
    click(w->CalC_Button[Percent]);
    EXPECT_TRUE(w->tape.TapeValue[1].isDecimal());
    click(w->CalC_Button[Point]);
    EXPECT_EQ(total(*w), "20");

    // Clear empties the row, Clear All the tape.
    click(w->CalC_Button[Clear]);
    EXPECT_EQ(lineText(*w, 1), "0");
    EXPECT_EQ(total(*w), "10");
    click(w->CalC_Button[ClearAll]);
    EXPECT_EQ(box->text(), QString());
    EXPECT_EQ(total(*w), QString());
}

TEST(EditingKeypad, OperatorsMoveDownWithoutRecalculating)
{
    auto w = editingWindow();
    w->settings.DecimalPlaces = 2;
    keys(*w, {8, Point, 5, Power});
    EXPECT_EQ(w->CalAmount[0]->text(), "8.50");
    EXPECT_EQ(focusedRow(*w), 1);
    EXPECT_EQ(w->Op[1]->caption(), "^");
    EXPECT_EQ(w->tape.TapeOp[1], '^');
    EXPECT_EQ(total(*w), "8.50");   // not yet: 8.5 ^ 0 would be 1
    keys(*w, {2});
    EXPECT_EQ(total(*w), "72.25");

    // On the last row at the end of the tape a line is appended and scrolled in.
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
    EXPECT_EQ(w->Op[w->LastRow]->caption(), "x");
    EXPECT_EQ(w->CalAmount[w->LastRow - 1]->text(), "3.00");
    EXPECT_EQ(total(*w), before);
    EXPECT_EQ(focusedRow(*w), w->LastRow);
}

TEST(EditingKeypad, OperatorButtonsCycleAndTheFirstLineSkipsDivideAndPower)
{
    auto w = editingWindow();
    for (const char op : {'-', 'x', '+', '-'}) {
        click(w->Op[0]);
        EXPECT_EQ(w->tape.TapeOp[0], op);
    }
    click(w->Op[3]);
    EXPECT_EQ(w->Op[3]->caption(), "-");
    EXPECT_EQ(w->Op[3]->renderColor(), 0x0000FFu);
    // Scrolled, row 0 shows another line, which cycles fully; the total follows.
    w->tape.TapeValue[0] = dec("6");
    w->tape.TapeValue[2] = dec("2");
    w->ScrollNum->setValueMax(10);
    w->ScrollNum->setValue(2);
    for (int i = 0; i < 3; ++i)
        click(w->Op[0]);
    EXPECT_EQ(w->tape.TapeOp[2], '/');
    EXPECT_EQ(total(*w), "-3");   // line 0 under "-": -6 / 2
}

TEST(EditingFunctions, FunctionButtonsMakeFunctionLines)
{
    auto w = editingWindow();
    EntryBox* box = w->CalAmount[0];
    click(w->Stific[Sin]);
    EXPECT_EQ(box->text(), "Sin()");
    EXPECT_EQ(box->cursorPosition(), 4);
    EXPECT_EQ(total(*w), "Error");   // no argument yet
    keys(*w, {3, 0});
    EXPECT_EQ(lineText(*w, 0), "Sin(30)");
    EXPECT_EQ(total(*w).left(6), "-0.988");   // sine of 30 radians
    click(w->Stific[4]);   // another function takes over the argument
    EXPECT_EQ(lineText(*w, 0), "Cos(30)");

    click(w->PieValue);   // fifteen figures shown, the full value stored
    EXPECT_EQ(box->text(), "3.14159265358979");
    ASSERT_TRUE(w->tape.TapeValue[0].isDouble());
    EXPECT_EQ(w->tape.TapeValue[0].dbl(), std::acos(-1.0));
}

TEST(EditingFunctions, MemoryStoresRecallsAndShades)
{
    auto w = editingWindow();
    typeText("2+3");
    click(w->MemoryRc[0]);   // M+ on a line stores it and shades its box until the focus moves
    EXPECT_EQ(w->M_Buff->text(), "3");
    EXPECT_EQ(w->CalAmount[1]->backColor(), 0xC0E0FFu);
    w->CalAmount[2]->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->CalAmount[1]->backColor(), 0xFFFFFFu);
    w->TotalAmount->setFocus(Qt::OtherFocusReason);
    click(w->MemoryRc[0]);   // with the total focused it stores the total
    EXPECT_EQ(w->TotalAmount->backColor(), 0xC0E0FFu);
    EXPECT_EQ(w->M_Buff->text(), "5");
    w->CalAmount[2]->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(w->TotalAmount->backColor(), 0xFFFFFFu);
    click(w->MemoryRc[1]);   // MR puts it on the line
    EXPECT_EQ(w->CalAmount[2]->text(), "5");
    EXPECT_EQ(total(*w), "10");

    // M= takes the total; a statistics text leaves the memory as it was.
    w->TotalAmount->setText(QStringLiteral("1,234.50"));
    click(w->MemoryRc[2]);
    EXPECT_EQ(w->M_Buff->text(), "1234.5");
    w->TotalAmount->setText(QStringLiteral("Average : 7"));
    click(w->MemoryRc[2]);
    EXPECT_EQ(shown(w->MemoryValue), "1234.5");
}

// The function-button editor as the Edit button opens it (again while open:
// the window's buttons afresh, at button 0).
EFbutton* openEditor(Rolling_Caculator& w)
{
    click(w.Stific[Edit]);
    for (EFbutton* e : w.findChildren<EFbutton*>()) {
        if (e->isVisible())
            return QTest::qWaitForWindowActive(e) ? e : nullptr;
    }
    return nullptr;
}

void retype(QLineEdit* field, const char* text)
{
    field->selectAll();
    if (*text)
        QTest::keyClicks(field, QString::fromLatin1(text));
    else
        QTest::keyClick(field, Qt::Key_Backspace);
}

bool editorGone(Rolling_Caculator& w)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return w.findChildren<EFbutton*>().isEmpty();
}

TEST(EditingFunctions, UsedButtonsWorkOnTheTape)
{
    auto w = editingWindow();
    EFbutton* e = openEditor(*w);
    ASSERT_NE(e, nullptr);
    click(e->Stific[16]);
    retype(e->F_But_Formula, "x/14");
    ASSERT_EQ(openEditor(*w), e);
    EXPECT_EQ(e->EditIndex(), 0);
    EXPECT_EQ(e->buttons()[16].Formula, defaultFunctionButtons()[16].Formula);

    retype(e->F_But_name->lineEdit(), "Cube");
    retype(e->F_But_Formula, "x^3");
    click(e->Stific[17]);
    EXPECT_EQ(e->F_But_Formula->text(), "X*2.2");
    retype(e->F_But_Formula, "x*2+t");
    retype(e->F_Tip_Text, "Twice the number... Dbl(x)");
    for (const auto& [button, name, formula] : {std::tuple{18, "Area", "x*2+t"}, {19, "Interest", "X*2"}}) {
        click(e->Stific[button]);
        // The offscreen platform hands the activation back to the editor a few events later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return e->F_But_name->hasFocus(); }, 1000)) << "the name field takes the focus";
        retype(e->F_But_name->lineEdit(), name);
        retype(e->F_But_Formula, formula);
    }
    click(e->Stific[17]);   // the edits of a button are kept while another is shown
    EXPECT_EQ(e->F_But_Formula->text(), "x*2+t");
    EXPECT_EQ(w->functionButtons[18].Caption, "") << "nothing reaches the window before Use";

    click(e->OK[0]);
    EXPECT_TRUE(editorGone(*w));
    FunctionButtons expected = defaultFunctionButtons();
    expected[0] = {"Cube", "X^3", expected[0].ToolTip};
    expected[17] = {expected[17].Caption, "X*2+T", "Twice the number... Dbl(x)"};   // tooltips keep their case
    expected[18] = {"Area", "X*2+T", expected[18].ToolTip};
    expected[19] = {"Interest", "X*2", expected[19].ToolTip};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(w->functionButtons[k].Caption, expected[k].Caption) << k;
        EXPECT_EQ(w->functionButtons[k].Formula, expected[k].Formula) << k;
        EXPECT_EQ(w->functionButtons[k].ToolTip, expected[k].ToolTip) << k;
    }
    EXPECT_EQ(w->Stific[18]->caption(), "Area");
    EXPECT_EQ(w->Stific[17]->toolTip(), "Twice the number... Dbl(x)");
    e = openEditor(*w);   // Cancel drops every edit
    ASSERT_NE(e, nullptr);
    retype(e->F_But_name->lineEdit(), "Gone");
    click(e->OK[1]);
    EXPECT_TRUE(editorGone(*w));
    EXPECT_EQ(w->functionButtons[0].Caption, "Cube");

    // Typed on a cleared tape: `typed`, the button, then one figure.
    auto line = [&w](int button, const char* typed, int figure) {
        click(w->CalC_Button[ClearAll]);
        QTest::mouseClick(w->CalAmount[0], Qt::LeftButton, {}, QPoint(10, 10));
        typeText(typed);
        click(w->Stific[button]);
        keys(*w, {figure});
        return lineText(*w, 1);
    };
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(line(18, "1+", 4), "Area(4)");
    EXPECT_EQ(total(*w), "10");   // 1 + (4*2+1)
    // A name holding "Int" makes a rounding line: rounded down to 2, not 2.5 + 10.
    EXPECT_EQ(line(19, "2.5+", 5), "Interest(5)");
    EXPECT_EQ(total(*w), "2");

    // An empty name is taken too, and matches every line with a "(": the
    // lowest such button wins, here the emptied "Roun" without a formula.
    e = openEditor(*w);
    ASSERT_NE(e, nullptr);
    click(e->Stific[15]);
    retype(e->F_But_name->lineEdit(), "");
    click(e->OK[0]);
    EXPECT_EQ(w->functionButtons[15].Caption, "");
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    EXPECT_EQ(line(18, "1+", 4), "Area(4)");
    EXPECT_EQ(total(*w), " Error");
}

} // namespace
} // namespace qm::ui
