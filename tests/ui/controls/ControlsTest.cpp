// The owner-drawn controls: button clicks, looks and refused writes; the scroll
// bar's mouse and keys reaching its engine; what assistive technology sees.

#include "ui/UiTestSupport.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QCursor>
#include <QFontInfo>

namespace qm::ui {
namespace {

using Look = SuperButton::Look;

TEST(SuperButton, ClicksFromMouseAndTypedKeys)
{
    QCursor::setPos(-500, -500);   // the pointer far from the host window
    QWidget window;
    window.setGeometry(100, 100, 200, 150);
    auto* b = new SuperButton(&window);
    b->setGeometry(10, 10, 54, 46);
    b->setCaption(QStringLiteral("7"));
    QStringList log;
    Look lookAtDblClick = Look::Normal;
    QObject::connect(b, &SuperButton::Click, [&] { log << "Click"; });
    QObject::connect(b, &SuperButton::DblClick, [&] {
        log << "DblClick";
        lookAtDblClick = b->look();
    });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QWindow* win = window.windowHandle();
    auto at = [](int x, int y) { return QPoint(10 + x, 10 + y); };

    QTest::mousePress(win, Qt::LeftButton, {}, at(20, 20));
    EXPECT_EQ(b->look(), Look::Pressed);
    QTest::mouseRelease(win, Qt::LeftButton, {}, at(21, 22));
    EXPECT_EQ(log, QStringList{"Click"});
    EXPECT_EQ(b->look(), Look::Highlighted);
    log.clear();
    QTest::mouseDClick(win, Qt::LeftButton, {}, at(20, 20));
    EXPECT_EQ(log, (QStringList{"Click", "DblClick"}));
    EXPECT_EQ(lookAtDblClick, Look::Highlighted) << "the second press draws no pressed look";
    log.clear();
    QTest::mouseClick(win, Qt::RightButton, {}, at(5, 6));
    EXPECT_TRUE(log.isEmpty());
    // A release outside, or on the first column or row, raises no Click.
    for (const QPoint r : {QPoint(150, 100), QPoint(0, 20), QPoint(20, 0), QPoint(54, 20), QPoint(1, 1)}) {
        log.clear();
        QTest::mousePress(win, Qt::LeftButton, {}, at(20, 20));
        QTest::mouseRelease(win, Qt::LeftButton, {}, at(r.x(), r.y()));
        EXPECT_EQ(log.size(), r == QPoint(1, 1) ? 1 : 0) << r.x() << "," << r.y();
    }
    // Hover lights the button while the pointer is over it.
    for (const QPoint p : {QPoint(150, 100), QPoint(30, 30), QPoint(150, 100)}) {
        QTest::mouseMove(win, at(p.x(), p.y()));
        EXPECT_EQ(b->hovering(), p.x() == 30);
        EXPECT_EQ(b->look(), p.x() == 30 ? Look::Highlighted : Look::Normal);
    }

    // Keys that type a character click; the others do not.
    log.clear();
    b->setFocus();
    for (const auto key : {Qt::Key_5, Qt::Key_Plus, Qt::Key_Left, Qt::Key_Return})
        QTest::keyClick(b, key);
    EXPECT_EQ(log, (QStringList{"Click", "Click", "Click"}));

    // What assistive technology sees: a push button named by its caption
    // (else its accessible name), described by its tooltip (else its
    // description), pressed through its action.
    b->setToolTip(QStringLiteral("Clear All..."));
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
    log.clear();
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log, QStringList{"Click"});

    // A disabled button takes no click, key or press.
    log.clear();
    b->setEnabled(false);
    QTest::mouseMove(b, QPoint(20, 20));
    QTest::mouseClick(win, Qt::LeftButton, {}, at(20, 20));
    QTest::keyClick(b, Qt::Key_5);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(log.isEmpty()) << log.join("; ").toStdString();
    EXPECT_EQ(b->look(), Look::Normal);
}

// Pressed looks differ from normal in every border style and colour kind.
TEST(SuperButton, LooksAndRejectedWrites)
{
    for (int style = 0; style <= 3; ++style) {
        for (quint32 colour : {0xC0C0C0u, 0x0000FFu, 0x00FF00u, 0xFF0000u, 0x000000u, 0xFFFFFFu, 0xCCCC99u, 0x000063u}) {
            SuperButton b;
            b.resize(54, 46);
            ASSERT_TRUE(b.setBorder(style) && b.setRenderColor(colour));
            b.setCaption(QStringLiteral("Sin"));
            EXPECT_FALSE(b.lookImage(Look::Highlighted).isNull());
            EXPECT_NE(b.lookImage(Look::Pressed), b.lookImage(Look::Normal)) << style << " " << colour;
        }
    }
    // Round corners become see-through once the button has been painted, and
    // solid again when the corners go.
    {
        QWidget win;
        win.resize(80, 60);
        auto* round = new SuperButton(&win);
        round->setGeometry(0, 0, 54, 46);
        ASSERT_TRUE(round->setBorder(3));
        win.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&win));
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return round->mask().contains(QPoint(27, 23)) && !round->mask().contains(QPoint(0, 0));
        }));
        ASSERT_TRUE(round->setBorder(0));
        EXPECT_TRUE(QTest::qWaitFor([&] { return round->mask().isEmpty(); }));
    }
    SuperButton a;
    EXPECT_EQ(QFontInfo(a.captionFont()).pixelSize(), 13);   // 9.75 pt bold
    const quint32 light = a.lightColor();
    EXPECT_FALSE(a.setBorder(40000));
    EXPECT_FALSE(a.setRenderColor(0x1000000));
    EXPECT_FALSE(a.setFontSize(0));
    EXPECT_EQ(a.border(), 0);
    EXPECT_EQ(a.lightColor(), light);
    EXPECT_EQ(a.fontSizeF(), 9.75f);
    a.setFontSize(20.25);
    EXPECT_EQ(a.fontSize(), 20);   // 20.25 rounds to 20
}

TEST(EzyVerticalScroll, InputReachesTheEngineAndChangesAreRaised)
{
    QCursor::setPos(-500, -500);
    QWidget window;
    window.setGeometry(100, 100, 120, 420);
    auto* bar = new EzyVerticalScroll(&window);
    bar->setValueLargeChange(15);
    bar->setGeometry(10, 10, 31, 391);
    QList<qint32> changes;
    QStringList keys;
    QObject::connect(bar, &EzyVerticalScroll::Change, [&] { changes << bar->value(); });
    QObject::connect(bar, &EzyVerticalScroll::KeyDown,
                     [&](qint16& code, qint16& shift) { keys << QStringLiteral("%1 %2").arg(code).arg(shift); });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* win = window.windowHandle();

    bar->setValue(150);   // clamped, and raised even when unchanged
    bar->setValue(100);
    EXPECT_EQ(changes, (QList<qint32>{100, 100}));
    bar->setValueMax(50);   // stored and repainted, thumb and value left alone
    EXPECT_EQ(bar->value(), 100);
    // What assistive technology sees; set through it, the value is clamped as
    // any other assignment.
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(bar);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::ScrollBar);
    QAccessibleValueInterface* v = a->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->minimumValue().toInt(), 0);
    EXPECT_EQ(v->maximumValue().toInt(), 50);
    v->setCurrentValue(55);
    EXPECT_EQ(bar->value(), 50);
    EXPECT_EQ(v->currentValue().toInt(), 50);
    EXPECT_EQ(changes, (QList<qint32>{100, 100, 50}));
    bar->setValue(0);

    // A click on the track pages by the large step at once; the release raises Change too.
    changes.clear();
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(25, 310));
    EXPECT_EQ(changes, (QList<qint32>{15, 15}));
    // The frame the release drew goes when the focus moves on, not when
    // another window or a popup takes it.
    const QImage framed = bar->surfaceImage();
    for (const Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::TabFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(bar, &out);
        EXPECT_EQ(bar->surfaceImage() == framed, reason != Qt::TabFocusReason) << reason;
    }

    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(keys.contains("40 2")) << keys.join(", ").toStdString();

    // A dragged thumb is tinted until the release; a bar without range draws no thumb.
    QTest::mousePress(win, Qt::LeftButton, {}, QPoint(25, 10 + bar->thumbTop() + 5));
    QTest::mouseMove(win, QPoint(25, 250));
    EXPECT_TRUE(bar->dragging());
    const QImage dragged = bar->surfaceImage();
    QTest::mouseRelease(win, Qt::LeftButton, {}, QPoint(25, 250));
    EXPECT_FALSE(bar->dragging());
    EXPECT_NE(bar->surfaceImage(), dragged);
    QTest::mousePress(win, Qt::LeftButton, {}, QPoint(25, 395));   // the down arrow, held
    EXPECT_NE(bar->surfaceImage(), dragged);
    QTest::mouseRelease(win, Qt::LeftButton, {}, QPoint(25, 395));
    bar->setValueMax(0);
    bar->setBackColor(0xC0E0FF);
    EXPECT_FALSE(bar->surfaceImage().isNull());

    changes.clear();
    bar->setEnabled(false);
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(25, 390));
    EXPECT_TRUE(changes.isEmpty());
}

} // namespace
} // namespace qm::ui
