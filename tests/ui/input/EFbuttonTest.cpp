// The function-button editor on its own: which fields show, what "Use" hands
// back, and that it goes away after "Use" or "Cancel".

#include "ui/input/EFbutton.h"

#include "core/tape/DefaultButtons.h"
#include "ui/input/EditingSupport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>

#include <optional>

namespace qm::ui {
namespace {

using namespace test;

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

    void retype(QLineEdit* field, const QString& text)
    {
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void retypeName(const QString& text) { retype(window->F_But_name->lineEdit(), text); }
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

TEST(EFbutton, BuiltInNamesHideTheFormulaOthersShowIt)
{
    Editor e;
    EFbutton& w = *e.window;
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.EditIndex(), 0);   // opens on button 0, built in
    EXPECT_EQ(w.F_But_name->currentText(), "Exp");
    EXPECT_FALSE(w.F_But_Formula->isVisible());
    EXPECT_EQ(w.F_But_name->count(), 15);

    click(w.Stific[18]);
    EXPECT_EQ(w.EditIndex(), 18);
    EXPECT_TRUE(w.F_But_Formula->isVisible());
    w.F_But_name->setCurrentIndex(3);   // "Sin" from the list
    EXPECT_EQ(w.Stific[18]->caption(), "Sin");
    EXPECT_FALSE(w.F_But_Formula->isVisible());
    EXPECT_FALSE(w.L[1]->isVisible());
    // Names compare exactly: "sin" and "Sine" are not built in.
    for (const char* name : {"Area", "sin", "Sine", "Roun"}) {
        e.retypeName(QString::fromLatin1(name));
        EXPECT_EQ(w.Stific[18]->caption(), name);
        EXPECT_EQ(w.F_But_Formula->isVisible(), std::string(name) != "Roun") << name;
        EXPECT_EQ(w.L[1]->isVisible(), w.F_But_Formula->isVisible()) << name;
    }
    EXPECT_EQ(w.F_But_name->count(), 15) << "a typed name does not join the list";
}

TEST(EFbutton, UseHandsBackEveryButtonWithFormulasInUpperCase)
{
    Editor e;
    EFbutton& w = *e.window;
    e.retypeName(QStringLiteral("Cube"));   // without a selection: button 0
    e.retype(w.F_But_Formula, QStringLiteral("x^3"));
    click(w.Stific[17]);
    EXPECT_EQ(w.F_But_Formula->text(), "X*2.2");
    e.retype(w.F_But_Formula, QStringLiteral("x*2+t"));
    e.retype(w.F_Tip_Text, QStringLiteral("Twice the number... Dbl(x)"));
    EXPECT_EQ(w.Stific[17]->toolTip(), "Twice the number... Dbl(x)");
    click(w.Stific[3]);
    ASSERT_TRUE(e.active);
    EXPECT_TRUE(w.F_But_name->hasFocus()) << "the name field takes the focus";
    click(w.Stific[17]);   // the edits of a button are kept while another is shown
    EXPECT_EQ(w.F_But_Formula->text(), "x*2+t");
    click(w.Stific[15]);
    w.F_But_name->lineEdit()->clear();   // an empty name is taken too

    click(w.OK[0]);
    ASSERT_TRUE(e.result.has_value());
    FunctionButtons expected = defaultFunctionButtons();
    expected[0].Caption = "Cube";
    expected[0].Formula = "X^3";
    expected[17].Formula = "X*2+T";
    expected[17].ToolTip = "Twice the number... Dbl(x)";   // tooltips keep their case
    expected[15].Caption = "";
    for (std::size_t k = 0; k < expected.size(); ++k) {
        EXPECT_EQ((*e.result)[k].Caption, expected[k].Caption) << k;
        EXPECT_EQ((*e.result)[k].Formula, expected[k].Formula) << k;
        EXPECT_EQ((*e.result)[k].ToolTip, expected[k].ToolTip) << k;
    }
    EXPECT_TRUE(e.gone()) << "Use closes and unloads the editor";
}

TEST(EFbutton, CancelHandsBackNothingAndReopeningStartsAfresh)
{
    Editor e;
    EFbutton& w = *e.window;
    click(w.Stific[16]);
    e.retype(w.F_But_Formula, QStringLiteral("x/14"));
    w.loadButtons(defaultFunctionButtons());
    EXPECT_EQ(w.EditIndex(), 0);
    EXPECT_EQ(w.buttons()[16].Formula, defaultFunctionButtons()[16].Formula);
    click(w.OK[1]);
    EXPECT_FALSE(e.result.has_value());
    EXPECT_TRUE(e.gone());
}

} // namespace
} // namespace qm::ui
