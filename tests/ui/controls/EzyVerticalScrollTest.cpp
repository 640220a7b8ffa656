// The scroll bar widget: mouse and keys reach the engine (whose timing is
// tested on a simulated clock), and every change it makes is raised as Change.

#include "ui/controls/EzyVerticalScroll.h"

#include "ui/tape/WindowTestSupport.h"

namespace qm::ui {
namespace {

TEST(EzyVerticalScroll, InputReachesTheEngineAndChangesAreRaised)
{
    QWidget window;
    test::makeHost(window, 120, 420);
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
    bar->setValue(0);

    // A click on the track pages by the large step at once; the release raises Change too.
    changes.clear();
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(25, 310));
    EXPECT_EQ(changes, (QList<qint32>{15, 15}));

    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(keys.contains("40 2")) << keys.join(", ").toStdString();

    changes.clear();
    bar->setEnabled(false);
    QTest::mouseClick(win, Qt::LeftButton, {}, QPoint(25, 390));
    EXPECT_TRUE(changes.isEmpty());
}

} // namespace
} // namespace qm::ui
