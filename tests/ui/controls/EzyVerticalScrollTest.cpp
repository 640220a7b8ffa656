// The scroll bar widget: mouse, timer and keys reach the engine, and every
// change it makes is raised as Change.

#include "ui/controls/EzyVerticalScroll.h"

#include "ui/tape/WindowTestSupport.h"

#include <QElapsedTimer>

namespace qm::ui {
namespace {

// The tape's bar: 31 x 391 at (10, 10) of a window, back colour
// 0xE0E0E0 and large step 1; every Change logged with the value it reads.
struct Host {
    QWidget window;
    EzyVerticalScroll* bar = new EzyVerticalScroll(&window);
    QList<qint32> changes;
    QStringList keys;

    Host()
    {
        test::makeHost(window, 120, 420);
        qm::PropertyBag bag;
        bag.writeColour("BackColor", 0xE0E0E0);
        bag.write("ValueLargeChange", std::int32_t{1});
        bar->ReadProperties(bag);
        bar->setGeometry(10, 10, 31, 391);
        QObject::connect(bar, &EzyVerticalScroll::Change, [this] { changes << bar->value(); });
        auto key = [this](const char* name) {
            return [this, name](qint16& code, qint16& shift) { keys << QStringLiteral("%1 %2 %3").arg(name).arg(code).arg(shift); };
        };
        QObject::connect(bar, &EzyVerticalScroll::KeyDown, key("KeyDown"));
        QObject::connect(bar, &EzyVerticalScroll::KeyUp, key("KeyUp"));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWindow* win() { return window.windowHandle(); }
    QPoint at(int y) const { return QPoint(25, 10 + y); }
};

TEST(EzyVerticalScroll, PressStepsAtOnceAndHeldRepeatsAfterTheDelay)
{
    Host h;
    QElapsedTimer clock;
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(380));   // down arrow
    clock.start();   // after the press, so the measured time is never long
    EXPECT_EQ(h.changes, (QList<qint32>{1})) << "a press steps at once";
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.changes.size() >= 2; }, 2000));
    EXPECT_GE(clock.elapsed(), 250) << "the repeat waits for the delay";
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.changes.size() >= 4; }, 2000));
    EXPECT_EQ(h.changes.mid(0, 4), (QList<qint32>{1, 2, 3, 4}));
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_FALSE(h.bar->repeating());
    EXPECT_EQ(h.changes.last(), h.bar->value()) << "the release raises Change too";
    const auto count = h.changes.size();
    QTest::qWait(350);
    EXPECT_EQ(h.changes.size(), count);
    const qint32 v = h.bar->value();

    // Two quick clicks (the second press comes as a double click) step twice;
    // each release raises Change.
    h.changes.clear();
    QTest::mouseDClick(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_FALSE(h.bar->repeating());
    EXPECT_EQ(h.changes, (QList<qint32>{v + 1, v + 1, v + 2, v + 2}));

    // A click on the track pages by the large step at once.
    h.bar->setValueLargeChange(15);
    h.bar->setValue(0);
    h.changes.clear();
    QTest::mouseClick(h.win(), Qt::LeftButton, {}, h.at(300));
    EXPECT_EQ(h.changes, (QList<qint32>{15, 15}));
}

TEST(EzyVerticalScroll, AssignmentsKeysAndDisabledInput)
{
    Host h;
    h.bar->setValue(150);   // clamped, and raised even when unchanged
    h.bar->setValue(100);
    EXPECT_EQ(h.changes, (QList<qint32>{100, 100}));
    h.bar->setValueMax(50);   // stored and repainted, thumb and value left alone
    EXPECT_EQ(h.bar->thumbTop(), 348);
    EXPECT_EQ(h.bar->value(), 100);
    h.bar->setValueMin(3);
    EXPECT_EQ(h.changes.size(), 2);
    h.bar->setValue(0);
    EXPECT_EQ(h.changes.last(), 3);

    h.changes.clear();
    h.bar->setFocus();
    QTest::keyClick(h.bar, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(h.keys.contains("KeyDown 40 2")) << h.keys.join(", ").toStdString();
    EXPECT_TRUE(h.keys.contains("KeyUp 40 2"));
    h.bar->setEnabled(false);
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_FALSE(h.bar->repeating());
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_TRUE(h.changes.isEmpty());
}

} // namespace
} // namespace qm::ui
