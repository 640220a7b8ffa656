// What assistive technology sees of the owner-drawn controls: the button's
// role, name, description and press action; the scroll bar's role and value.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"

#include "ui/tape/WindowTestSupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>

namespace qm::ui {
namespace {

TEST(ControlsAccessible, ButtonIsAPushButtonNamedByItsCaption)
{
    QWidget window;
    test::makeHost(window, 200, 150);
    auto* b = new SuperButton(&window);
    b->setGeometry(10, 10, 54, 46);
    b->setToolTip(QStringLiteral("Clear All..."));
    window.show();
    int clicks = 0;
    QObject::connect(b, &SuperButton::Click, [&] { ++clicks; });

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(b);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    const struct { QString caption, accessibleName, name; } names[] = {
        {QStringLiteral("CA"), QString(), QStringLiteral("CA")},
        {QStringLiteral("Sin"), QStringLiteral("Custom function 4"), QStringLiteral("Sin")},   // the caption wins
        {QString(), QStringLiteral("Custom function 4"), QStringLiteral("Custom function 4")},   // none: the fallback
    };
    for (const auto& n : names) {
        b->setCaption(n.caption);
        b->setAccessibleName(n.accessibleName);
        EXPECT_EQ(a->text(QAccessible::Name), n.name) << n.caption.toStdString();
    }
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("Clear All..."));
    b->setAccessibleDescription(QStringLiteral("Operator of line 3"));
    EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("Operator of line 3"));

    QAccessibleActionInterface* actions = a->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
    b->setEnabled(false);   // a disabled button does not press
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks, 1);
}

TEST(ControlsAccessible, ScrollBarReportsItsValueAndRange)
{
    QWidget window;
    test::makeHost(window, 100, 300);
    auto* bar = new EzyVerticalScroll(&window);
    bar->setGeometry(10, 10, 31, 200);
    bar->setValueMax(40);
    window.show();
    int changes = 0;
    QObject::connect(bar, &EzyVerticalScroll::Change, [&] { ++changes; });

    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(bar);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::ScrollBar);
    QAccessibleValueInterface* v = a->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->minimumValue().toInt(), 0);
    EXPECT_EQ(v->maximumValue().toInt(), 40);
    // Set through the interface, the value is clamped as any other assignment.
    v->setCurrentValue(55);
    EXPECT_EQ(bar->value(), 40);
    EXPECT_EQ(v->currentValue().toInt(), 40);
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace qm::ui
