// The function-button editor as the window's "Edit" button opens it: what
// "Use" hands back to the tape and what "Cancel" drops.

#include "ui/UiTestSupport.h"

#include "core/tape/DefaultButtons.h"
#include "ui/input/FunctionButtonEditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <tuple>

namespace qm::ui {
namespace {

using namespace test;

constexpr int Edit = 23;

// The function-button editor as the Edit button opens it (again while open:
// the window's buttons afresh, at button 0).
FunctionButtonEditor* openEditor(MainWindow& w)
{
    click(functionButton(w, Edit));
    for (FunctionButtonEditor* e : w.findChildren<FunctionButtonEditor*>()) {
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

bool editorGone(MainWindow& w)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return w.findChildren<FunctionButtonEditor*>().isEmpty();
}

TEST(EditingFunctions, UsedButtonsWorkOnTheTapeAndCancelDropsEdits)
{
    auto w = editingWindow();
    FunctionButtonEditor* e = openEditor(*w);
    ASSERT_NE(e, nullptr);
    click(e->buttonKey(16));
    retype(e->formulaField(), "x/14");
    ASSERT_EQ(openEditor(*w), e);
    EXPECT_EQ(e->editedButton(), 0);
    EXPECT_EQ(e->buttons()[16].Formula, defaultFunctionButtons()[16].Formula);

    retype(e->nameField()->lineEdit(), "Cube");
    retype(e->formulaField(), "x^3");
    click(e->buttonKey(17));
    EXPECT_EQ(e->formulaField()->text(), "X*2.2");
    retype(e->formulaField(), "x*2+t");
    retype(e->tipField(), "Twice the number... Dbl(x)");
    for (const auto& [button, name, formula] : {std::tuple{18, "Area", "x*2+t"}, {19, "Interest", "X*2"}}) {
        click(e->buttonKey(button));
        // The offscreen platform hands the activation back to the editor a few events later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return e->nameField()->hasFocus(); }, 1000)) << "the name field takes the focus";
        retype(e->nameField()->lineEdit(), name);
        retype(e->formulaField(), formula);
    }
    click(e->buttonKey(17));   // the edits of a button are kept while another is shown
    EXPECT_EQ(e->formulaField()->text(), "x*2+t");
    EXPECT_EQ(w->editor().functionButtons()[18].Caption, "") << "nothing reaches the window before Use";

    click(e->useButton());
    EXPECT_TRUE(editorGone(*w));
    FunctionButtons expected = defaultFunctionButtons();
    expected[0] = {"Cube", "X^3", expected[0].ToolTip};
    expected[17] = {expected[17].Caption, "X*2+T", "Twice the number... Dbl(x)"};   // tooltips keep their case
    expected[18] = {"Area", "X*2+T", expected[18].ToolTip};
    expected[19] = {"Interest", "X*2", expected[19].ToolTip};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ(w->editor().functionButtons()[k].Caption, expected[k].Caption) << k;
        EXPECT_EQ(w->editor().functionButtons()[k].Formula, expected[k].Formula) << k;
        EXPECT_EQ(w->editor().functionButtons()[k].ToolTip, expected[k].ToolTip) << k;
    }
    EXPECT_EQ(functionButton(*w, 18)->caption(), "Area");
    EXPECT_EQ(functionButton(*w, 17)->toolTip(), "Twice the number... Dbl(x)");
    e = openEditor(*w);   // Cancel drops every edit
    ASSERT_NE(e, nullptr);
    retype(e->nameField()->lineEdit(), "Gone");
    click(e->cancelButton());
    EXPECT_TRUE(editorGone(*w));
    EXPECT_EQ(w->editor().functionButtons()[0].Caption, "Cube");

    // Enter in a field is Use, Escape is Cancel, and a focused button is
    // pressed only by Space or Enter.
    e = openEditor(*w);
    ASSERT_NE(e, nullptr);
    e->buttonKey(5)->setFocus();
    QTest::keyClicks(e->buttonKey(5), "ab");
    EXPECT_EQ(e->editedButton(), 0) << "typing presses nothing";
    QTest::keyClick(e->buttonKey(5), Qt::Key_Space);
    EXPECT_EQ(e->editedButton(), 5);
    retype(e->nameField()->lineEdit(), "Half");
    QTest::keyClick(e->nameField()->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(editorGone(*w));
    EXPECT_EQ(w->editor().functionButtons()[5].Caption, "Half");

    e = openEditor(*w);
    ASSERT_NE(e, nullptr);
    retype(e->tipField(), "dropped");
    QTest::keyClick(e->tipField(), Qt::Key_Escape);
    EXPECT_TRUE(editorGone(*w));
    EXPECT_NE(w->editor().functionButtons()[0].ToolTip, "dropped");

    // A used button works on the tape (its rules, with "Int" and empty names,
    // are the session's, tested in core).
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    click(key(*w, KeypadKey::ClearAll));
    QTest::mouseClick(row(*w, 0), Qt::LeftButton, {}, QPoint(10, 10));
    typeText("1+");
    click(functionButton(*w, 18));
    click(digit(*w, 4));
    EXPECT_EQ(lineText(*w, 1), "Area(4)");
    EXPECT_EQ(total(*w), "10");   // 1 + (4*2+1)
}

} // namespace
} // namespace qm::ui
