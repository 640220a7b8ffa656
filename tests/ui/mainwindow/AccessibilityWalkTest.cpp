// The main window as assistive technology sees it: every reachable element
// named, Tab in screen order. What rows and buttons say is in the window script.

#include "ui/UiTestSupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>

#include <algorithm>

namespace qm::ui {
namespace {

using namespace test;

bool interactive(QAccessibleInterface* a)
{
    static const QSet<QAccessible::Role> roles = {
        QAccessible::Button,   QAccessible::EditableText, QAccessible::ScrollBar,
        QAccessible::MenuItem, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox, QAccessible::Slider,       QAccessible::SpinBox,
        QAccessible::Link,     QAccessible::PageTab};
    if (roles.contains(a->role()) || a->state().focusable)
        return true;
    const QAccessibleActionInterface* actions = a->actionInterface();
    return actions && actions->actionNames().contains(QAccessibleActionInterface::pressAction());
}

struct Walk {
    QStringList unnamed;
    QList<QAccessibleInterface*> named;
    void visit(QAccessibleInterface* a, const QString& path, int depth = 0)
    {
        if (!a || !a->isValid() || a->state().invisible || depth > 20)
            return;
        const QString name = a->text(QAccessible::Name);
        const QString here = path + QStringLiteral("/") + QString::number(a->role(), 16);
        if (interactive(a)) {
            if (name.trimmed().isEmpty())
                unnamed << here + QStringLiteral(" ") + (a->object() ? a->object()->objectName() : QString());
            else
                named << a;
        }
        for (int i = 0; i < a->childCount(); ++i)
            visit(a->child(i), here, depth + 1);
    }
    bool has(const QString& name, QAccessible::Role role) const
    {
        return std::any_of(named.begin(), named.end(),
                           [&](QAccessibleInterface* a) { return a->text(QAccessible::Name) == name && a->role() == role; });
    }
};

TEST(AccessibilityWalk, EveryElementNamedAndTabTakesTheTapeAsOneStopThenTheButtonsInScreenOrder)
{
    auto w = editingWindow();
    Walk walk;
    walk.visit(QAccessible::queryAccessibleInterface(w.get()), QStringLiteral("window"));
    EXPECT_TRUE(walk.unnamed.isEmpty()) << walk.unnamed.join(QLatin1Char('\n')).toStdString();
    // What is there: menus, the 15 rows with their operators, the pads, total and bar.
    EXPECT_GE(walk.named.size(), 15 * 2 + 21 + 1 + 3 + 24 + 5 + 2);
    const std::pair<const char*, QAccessible::Role> expected[] = {
        {"Options", QAccessible::MenuItem}, {"Grand total", QAccessible::EditableText},
        {"Tape scroll bar", QAccessible::ScrollBar}, {"Line 15", QAccessible::EditableText},
        {"CA", QAccessible::Button}, {"Edit", QAccessible::Button}, {"Sin", QAccessible::Button}};
    for (const auto& [name, role] : expected)
        EXPECT_TRUE(walk.has(QString::fromLatin1(name), role)) << name;

    // Tab leaves the tape in one step for the buttons, in the order the
    // screen shows them, and comes back to the line being edited.
    row(*w, 3)->setFocus();
    QStringList stops;
    do {
        pressKey(Qt::Key_Tab);
        stops << QApplication::focusWidget()->accessibleName();
    } while (stops.size() < 60 && !qobject_cast<TapeLineBox*>(QApplication::focusWidget()));
    ASSERT_GE(stops.size(), 50);
    EXPECT_EQ(stops.mid(0, 43).join(QLatin1Char(' ')),
              "CA C Del Pi % +/- + 7 8 9 - 4 5 6 x 1 2 3 / 0 . ^ M= M+ MR Exp Log Sqr Sin Cos Tan Cot Csc Sec "
              "Asin Acos Atan Fix Int Roun Svol Kilo Ibs");
    EXPECT_EQ(QApplication::focusWidget(), row(*w, 3));
    EXPECT_EQ(stops.at(stops.size() - 2), totalBox(*w)->accessibleName());
    EXPECT_EQ(stops.at(stops.size() - 3), QStringLiteral("Edit"));
    pressKey(Qt::Key_Backtab, QString(), Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), totalBox(*w));
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), row(*w, 3));
}

} // namespace
} // namespace qm::ui
