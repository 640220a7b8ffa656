// The keypad, operator, function, memory and pi buttons of the main window:
// each edits the focused row, stores its line and shows the total.

#include "ui/input/EditingSupport.h"

#include "ui/input/EFbutton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

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
    click(w->CalC_Button[Sign]);
    EXPECT_EQ(lineText(*w, 0), "Sin(-30)");
    EXPECT_EQ(total(*w).left(5), "0.988");
    click(w->Stific[4]);
    EXPECT_EQ(lineText(*w, 0), "Cos(30)");
    click(w->CalC_Button[Del]);   // back to the number
    EXPECT_EQ(box->text(), "30");
    EXPECT_TRUE(w->tape.TapeValue[0].isDouble());
    EXPECT_EQ(total(*w), "30");

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

EFbutton* editorOf(Rolling_Caculator& w)
{
    for (EFbutton* e : w.findChildren<EFbutton*>()) {
        if (e->isVisible())
            return e;
    }
    return nullptr;
}

// Edits button `k` in the editor and answers "Use" (0) or "Cancel" (1).
void editButton(Rolling_Caculator& w, int k, const char* name, const char* formula, int answer)
{
    click(w.Stific[Edit]);
    EFbutton* e = editorOf(w);
    ASSERT_NE(e, nullptr);
    e->Stific_Click(k);
    e->F_But_name->setEditText(QString::fromLatin1(name));
    e->F_But_Formula->setText(QString::fromLatin1(formula));
    EXPECT_EQ(w.functionButtons[static_cast<std::size_t>(k)].Caption, "") << "nothing reaches the window yet";
    e->OK_Click(answer);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editorOf(w), nullptr);
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
}

TEST(EditingFunctions, EditedButtonsWorkOnTheTape)
{
    auto w = editingWindow();
    editButton(*w, 18, "Area", "x*2+t", 1);
    EXPECT_EQ(w->Stific[18]->caption(), "");
    editButton(*w, 18, "Area", "x*2+t", 0);
    EXPECT_EQ(w->functionButtons[18].Formula, "X*2+T");
    EXPECT_EQ(w->Stific[18]->caption(), "Area");
    // A name holding "Int" makes a rounding line: rounded down to 2, not 2.5 + 10.
    editButton(*w, 19, "Interest", "X*2", 0);

    const struct { int button; const char* typed; int figure; const char* line; const char* total; } cases[] = {
        {18, "1+", 4, "Area(4)", "10"},   // 1 + (4*2+1)
        {19, "2.5+", 5, "Interest(5)", "2"},
    };
    for (const auto& c : cases) {
        click(w->CalC_Button[ClearAll]);
        QTest::mouseClick(w->CalAmount[0], Qt::LeftButton, {}, QPoint(10, 10));
        typeText(c.typed);
        click(w->Stific[c.button]);
        keys(*w, {c.figure});
        EXPECT_EQ(lineText(*w, 1), c.line);
        EXPECT_EQ(total(*w), c.total) << c.line;
    }
}

} // namespace
} // namespace qm::ui
