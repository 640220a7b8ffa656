#include "ui/input/EFbutton.h"

#include "core/tape/DefaultButtons.h"
#include "ui/controls/SuperButton.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace qm::ui {
namespace {

// The editor as the main window opens it, with a record of what "Use" hands back.
struct Editor {
    Editor() : window(new EFbutton(defaultFunctionButtons(), &owner))
    {
        QObject::connect(window, &EFbutton::used, [this](const FunctionButtons& b) { result = b; });
        window->show();
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window);
    }
    ~Editor() { delete window.data(); }

    void click(SuperButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10)); }
    void retypeName(const QString& text)
    {
        window->F_But_name->lineEdit()->selectAll();
        QTest::keyClicks(window->F_But_name->lineEdit(), text);
    }
    void retype(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    bool gone()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

    QWidget owner;
    QPointer<EFbutton> window;
    bool active = false;
    std::optional<FunctionButtons> result;
};

TEST(EFbutton, OpensOnButtonZeroWithTheBuiltInList)
{
    Editor e;
    EFbutton& w = *e.window;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Edit Function Button..."));
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.parentWidget(), &e.owner);
    EXPECT_EQ(w.EditIndex(), 0);
    EXPECT_EQ(w.F_But_name->currentText(), QStringLiteral("Exp"));
    EXPECT_EQ(w.F_Tip_Text->text(),
              QStringLiteral("Specifying e (the base of natural logarithms) raised to a power."));
    EXPECT_FALSE(w.F_But_Formula->isVisible()) << "Exp is built in";

    QStringList items;
    for (int i = 0; i < w.F_But_name->count(); ++i)
        items << w.F_But_name->itemText(i);
    EXPECT_EQ(items, (QStringList{"Exp", "Log", "Sqr", "Sin", "Cos", "Tan", "Cot", "Csc", "Sec",
                                  "Asin", "Acos", "Atan", "Fix", "Int", "Roun"}));
    EXPECT_EQ(w.Stific[15]->caption(), QStringLiteral("Svol"));
    EXPECT_EQ(w.Stific[16]->toolTip(), QStringLiteral("Pounds to Kilograms function button... Kilo(Pounds)"));

    const QStringList labels{"Function :",
                             " Function Formula :",
                             "Select button to edit:",
                             "X - Represent Input(x) value to pass to the function.",
                             "T - Represent current total value pass to the function.",
                             "Formula Fix Values :",
                             "Function Tool Tip Text :"};
    for (int i = 0; i < EFbutton::LabelCount; ++i)
        EXPECT_EQ(w.L[static_cast<std::size_t>(i)]->text(), labels[i]) << i;
    EXPECT_EQ(w.F_But_name->toolTip(), QStringLiteral("Select the function to use or create a new one..."));
    EXPECT_EQ(w.F_But_Formula->toolTip(), QStringLiteral("Enter the Function Formula... Example (T/10+X+1)"));
    EXPECT_NE(w.F_Tip_Text->toolTip(), w.F_But_Formula->toolTip());
}

TEST(EFbutton, ButtonsStandAtTheirDesignPlaces)
{
    Editor e;
    EFbutton& w = *e.window;
    struct Row {
        int k;
        QRect rect;
    };
    // Twips / 15: 810 x 690 is 54 x 46; columns 90, 945, 1800 | 2745, 3600, 4455.
    const Row rows[] = {
        {0, QRect(6, 33, 54, 46)},    {1, QRect(63, 33, 54, 46)},   {2, QRect(120, 33, 54, 46)},
        {3, QRect(6, 81, 54, 46)},    {11, QRect(120, 177, 54, 46)}, {12, QRect(183, 33, 54, 46)},
        {14, QRect(297, 33, 54, 46)}, {18, QRect(183, 129, 54, 46)}, {22, QRect(240, 177, 54, 46)},
    };
    for (const Row& r : rows)
        EXPECT_EQ(w.Stific[static_cast<std::size_t>(r.k)]->geometry(), r.rect) << r.k;
    EXPECT_EQ(w.OK[0]->geometry(), QRect(642, 186, 106, 37));
    EXPECT_EQ(w.OK[1]->geometry(), QRect(531, 186, 106, 37));
    EXPECT_EQ(w.OK[0]->caption(), QStringLiteral("Use"));
    EXPECT_EQ(w.OK[1]->caption(), QStringLiteral("Cancel"));
    // Everything fits in the window and no two controls overlap.
    const QList<QWidget*> kids = w.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    for (QWidget* a : kids) {
        EXPECT_TRUE(w.rect().contains(a->geometry())) << a->objectName().toStdString();
        for (QWidget* b : kids) {
            if (a != b && a->isVisibleTo(&w) && b->isVisibleTo(&w)) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " " << b->objectName().toStdString();
            }
        }
    }
}

TEST(EFbutton, BuiltInNameHidesTheFormulaAndANewNameShowsIt)
{
    Editor e;
    EFbutton& w = *e.window;
    e.click(w.Stific[18]);
    EXPECT_EQ(w.EditIndex(), 18);
    EXPECT_EQ(w.F_But_name->currentText(), QString());
    EXPECT_TRUE(w.F_But_Formula->isVisible());
    EXPECT_TRUE(w.L[1]->isVisible());

    w.F_But_name->setCurrentIndex(3);   // "Sin" from the list
    EXPECT_EQ(w.Stific[18]->caption(), QStringLiteral("Sin"));
    EXPECT_FALSE(w.F_But_Formula->isVisible());
    EXPECT_FALSE(w.L[1]->isVisible());

    e.retypeName(QStringLiteral("Area"));
    EXPECT_EQ(w.Stific[18]->caption(), QStringLiteral("Area"));
    EXPECT_TRUE(w.F_But_Formula->isVisible());
    EXPECT_TRUE(w.L[1]->isVisible());
    EXPECT_EQ(w.F_But_name->count(), 15) << "a typed name does not join the list";

    // Names compare exactly: "sin" and "Sine" are not built in.
    for (const char* name : {"sin", "Sine", "Si"}) {
        e.retypeName(QString::fromLatin1(name));
        EXPECT_TRUE(w.F_But_Formula->isVisible()) << name;
    }
    e.retypeName(QStringLiteral("Roun"));
    EXPECT_FALSE(w.F_But_Formula->isVisible());
}

TEST(EFbutton, UseHandsBackEveryButtonWithFormulasInUpperCase)
{
    Editor e;
    EFbutton& w = *e.window;
    e.click(w.Stific[18]);
    e.retypeName(QStringLiteral("Dbl"));
    e.retype(w.F_But_Formula, QStringLiteral("x*2+t"));
    e.retype(w.F_Tip_Text, QStringLiteral("Twice the number... Dbl(x)"));
    EXPECT_EQ(w.Stific[18]->toolTip(), QStringLiteral("Twice the number... Dbl(x)"));
    EXPECT_EQ(w.buttons()[18].Formula, "x*2+t") << "kept as typed until Use";

    e.click(w.OK[0]);
    ASSERT_TRUE(e.result.has_value());
    const FunctionButtons& out = *e.result;
    EXPECT_EQ(out[18].Caption, "Dbl");
    EXPECT_EQ(out[18].Formula, "X*2+T");
    EXPECT_EQ(out[18].ToolTip, "Twice the number... Dbl(x)") << "tooltips keep their case";
    const FunctionButtons defaults = defaultFunctionButtons();
    for (int k = 0; k < FunctionButtonCount; ++k) {
        if (k == 18)
            continue;
        const auto i = static_cast<std::size_t>(k);
        EXPECT_EQ(out[i].Caption, defaults[i].Caption) << k;
        EXPECT_EQ(out[i].Formula, defaults[i].Formula) << k;
        EXPECT_EQ(out[i].ToolTip, defaults[i].ToolTip) << k;
    }
    EXPECT_TRUE(e.gone()) << "Use closes and unloads the editor";
}

TEST(EFbutton, CancelHandsBackNothing)
{
    Editor e;
    EFbutton& w = *e.window;
    e.click(w.Stific[16]);
    e.retypeName(QStringLiteral("Stone"));
    e.retype(w.F_But_Formula, QStringLiteral("x/14"));
    e.click(w.OK[1]);
    EXPECT_FALSE(e.result.has_value());
    EXPECT_TRUE(e.gone());
}

TEST(EFbutton, EditingWithoutSelectingEditsButtonZero)
{
    Editor e;
    EFbutton& w = *e.window;
    e.retypeName(QStringLiteral("Cube"));
    e.retype(w.F_But_Formula, QStringLiteral("x^3"));
    e.retype(w.F_Tip_Text, QStringLiteral("Cube of a number"));
    EXPECT_EQ(w.Stific[0]->caption(), QStringLiteral("Cube"));
    e.click(w.OK[0]);
    ASSERT_TRUE(e.result.has_value());
    EXPECT_EQ((*e.result)[0].Caption, "Cube");
    EXPECT_EQ((*e.result)[0].Formula, "X^3");
    EXPECT_EQ((*e.result)[0].ToolTip, "Cube of a number");
    EXPECT_EQ((*e.result)[1].Caption, "Log");
}

TEST(EFbutton, SelectingAnotherButtonKeepsTheEditsOfTheFirst)
{
    Editor e;
    EFbutton& w = *e.window;
    e.click(w.Stific[17]);
    EXPECT_EQ(w.F_But_name->currentText(), QStringLiteral("Ibs"));
    EXPECT_EQ(w.F_But_Formula->text(), QStringLiteral("X*2.2"));
    e.retype(w.F_But_Formula, QStringLiteral("x*2.2046"));
    e.click(w.Stific[3]);
    EXPECT_EQ(w.EditIndex(), 3);
    EXPECT_EQ(w.F_But_name->currentText(), QStringLiteral("Sin"));
    EXPECT_FALSE(w.F_But_Formula->isVisible());
    ASSERT_TRUE(e.active);
    EXPECT_TRUE(w.F_But_name->hasFocus()) << "the name field takes the focus";
    e.click(w.Stific[17]);
    EXPECT_EQ(w.F_But_Formula->text(), QStringLiteral("x*2.2046"));
    EXPECT_TRUE(w.F_But_Formula->isVisible());
    // Opening afresh drops the edits and starts at button 0 again.
    w.loadButtons(defaultFunctionButtons());
    EXPECT_EQ(w.EditIndex(), 0);
    EXPECT_EQ(w.buttons()[17].Formula, "X*2.2");
    EXPECT_EQ(w.F_But_name->currentText(), QStringLiteral("Exp"));
}

TEST(EFbutton, EmptyAndOddNamesAreAccepted)
{
    Editor e;
    EFbutton& w = *e.window;
    e.click(w.Stific[20]);
    e.retypeName(QStringLiteral("Interest"));
    e.retype(w.F_But_Formula, QStringLiteral("t*x/100"));
    e.click(w.Stific[15]);
    w.F_But_name->lineEdit()->clear();
    EXPECT_EQ(w.Stific[15]->caption(), QString());
    e.click(w.OK[0]);
    ASSERT_TRUE(e.result.has_value());
    EXPECT_EQ((*e.result)[20].Caption, "Interest");
    EXPECT_EQ((*e.result)[20].Formula, "T*X/100");
    EXPECT_EQ((*e.result)[15].Caption, "");
}

} // namespace
} // namespace qm::ui
