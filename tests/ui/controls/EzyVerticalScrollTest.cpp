#include "ui/controls/EzyVerticalScroll.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

constexpr QRgb HostRed = 0xFFFF0000;

// The tape's bar: 31 x 391 at (10, 10) of a red window, back colour
// 0xE0E0E0 and large step 1; every Change logged with the value it reads.
struct Host {
    QWidget window;
    EzyVerticalScroll* bar = nullptr;
    QList<qint32> changes;
    QStringList keys;

    Host()
    {
        QCursor::setPos(-500, -500);
        window.setGeometry(100, 100, 120, 420);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, QColor(HostRed));
        window.setPalette(pal);
        window.setAutoFillBackground(true);
        bar = new EzyVerticalScroll(&window);
        qm::PropertyBag bag;
        bag.writeColour("BackColor", 0xE0E0E0);
        bag.write("ValueLargeChange", std::int32_t{1});
        bar->ReadProperties(bag);
        bar->setGeometry(10, 10, 31, 391);
        QObject::connect(bar, &EzyVerticalScroll::Change, [this] { changes << bar->value(); });
        QObject::connect(bar, &EzyVerticalScroll::KeyDown, [this](qint16& code, qint16& shift) {
            keys << QStringLiteral("KeyDown %1 %2").arg(code).arg(shift);
        });
        QObject::connect(bar, &EzyVerticalScroll::KeyUp, [this](qint16& code, qint16& shift) {
            keys << QStringLiteral("KeyUp %1 %2").arg(code).arg(shift);
        });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QWindow* win() { return window.windowHandle(); }
    QPoint at(int y) const { return QPoint(10 + 15, 10 + y); }
};

TEST(EzyVerticalScroll, RealTimerRepeatsEveryHundredMilliseconds)
{
    Host h;
    QElapsedTimer clock;
    clock.start();   // before the press, so the measured time is never short
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(380)); // down arrow
    EXPECT_TRUE(h.bar->repeating());
    EXPECT_TRUE(h.changes.isEmpty()) << "the first step comes with the first tick";
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.changes.size() >= 3; }, 2000));
    const qint64 elapsed = clock.elapsed();
    EXPECT_GE(elapsed, 290);
    EXPECT_EQ(h.changes.mid(0, 3), (QList<qint32>{1, 2, 3}));
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_FALSE(h.bar->repeating());
    const auto count = h.changes.size();
    ASSERT_FALSE(h.changes.isEmpty());
    EXPECT_EQ(h.changes.last(), h.bar->value()) << "the release raises Change too";
    QTest::qWait(250);
    EXPECT_EQ(h.changes.size(), count);
}

TEST(EzyVerticalScroll, DragFollowsThePointerAndTheReleaseKeepsTheDragLook)
{
    Host h;
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(30)); // on the thumb at 22
    EXPECT_TRUE(h.bar->dragging());
    EXPECT_FALSE(h.bar->repeating());
    QTest::mouseMove(h.win(), h.at(100));
    EXPECT_EQ(h.bar->value(), 22);
    EXPECT_EQ(h.bar->thumbTop(), 87);
    QTest::mouseMove(h.win(), h.at(400));
    EXPECT_EQ(h.bar->value(), 100);
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(400));
    EXPECT_EQ(h.changes, (QList<qint32>{22, 100, 100}));
    EXPECT_TRUE(h.bar->dragging());
    QTest::mouseMove(h.win(), h.at(300)); // no button: the drag ends, no Change
    EXPECT_FALSE(h.bar->dragging());
    EXPECT_EQ(h.changes.size(), 3);
}

TEST(EzyVerticalScroll, QuickClicksOnAnArrowDoNotStep)
{
    Host h;
    // Released before the first tick; the second press of the double click
    // is a double click and starts nothing. Each release raises Change.
    QTest::mouseDClick(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_FALSE(h.bar->repeating());
    EXPECT_EQ(h.changes, (QList<qint32>{0, 0}));
}

TEST(EzyVerticalScroll, ValueAssignmentsAlwaysRaiseChange)
{
    Host h;
    h.bar->setValue(150);
    h.bar->setValue(100);
    EXPECT_EQ(h.changes, (QList<qint32>{100, 100}));
    EXPECT_EQ(h.bar->thumbTop(), 348);
    h.bar->setValueMax(50); // stored and repainted, thumb left alone
    EXPECT_EQ(h.bar->thumbTop(), 348);
    EXPECT_EQ(h.bar->value(), 100);
    h.bar->setValueMin(3);
    h.bar->setValueSmallChange(7);
    EXPECT_EQ(h.changes.size(), 2);
    h.bar->setValue(0);
    EXPECT_EQ(h.changes.last(), 3);
}

TEST(EzyVerticalScroll, KeysAndDisabledInput)
{
    Host h;
    h.bar->setFocus();
    QTest::keyClick(h.bar, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_TRUE(h.keys.contains("KeyDown 40 2"));
    EXPECT_TRUE(h.keys.contains("KeyUp 40 2"));
    EXPECT_TRUE(h.changes.isEmpty());

    h.bar->setEnabled(false);
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_FALSE(h.bar->repeating());
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(380));
    EXPECT_TRUE(h.changes.isEmpty());
}

TEST(EzyVerticalScroll, RoundedEndsShowTheWindowBehind)
{
    Host h;
    const QRegion mask = h.bar->mask();
    ASSERT_FALSE(mask.isEmpty());
    for (const QPoint p : {QPoint(0, 0), QPoint(30, 0), QPoint(0, 390), QPoint(30, 390)})
        EXPECT_FALSE(mask.contains(p)) << p.x() << "," << p.y();
    EXPECT_TRUE(mask.contains(QPoint(15, 200)));
    EXPECT_TRUE(mask.contains(QPoint(3, 0)));
    const QImage shot = h.window.grab().toImage();
    EXPECT_EQ(shot.pixel(10, 10), HostRed);
    EXPECT_NE(shot.pixel(10 + 15, 10 + 200), HostRed);
    EXPECT_EQ(qAlpha(h.bar->surfaceImage().pixel(30, 390)), 0);
}

TEST(EzyVerticalScroll, NoThumbForAMaximumOfZero)
{
    Host h;
    const QImage withThumb = h.bar->surfaceImage();
    h.bar->setValueMax(0);
    const QImage without = h.bar->surfaceImage();
    EXPECT_NE(withThumb, without);
    // The thumb rows now show the dithered track, the same as further down.
    for (int x = 2; x < 29; ++x)
        EXPECT_EQ(without.pixel(x, 30), without.pixel(x, 200)) << x;
}

TEST(EzyVerticalScroll, StoredPropertiesAndTheirDefaults)
{
    Host h;
    qm::PropertyBag out;
    h.bar->WriteProperties(out);
    EXPECT_EQ(out.toText(), "BackColor = i:14737632\nValueLargeChange = i:1\n");

    EzyVerticalScroll fresh;
    fresh.ReadProperties(qm::PropertyBag{});
    qm::PropertyBag none;
    fresh.WriteProperties(none);
    EXPECT_EQ(none.size(), 0u);
    EXPECT_EQ(fresh.backColor(), 0xFFFFFFu);
    EXPECT_EQ(fresh.valueLargeChange(), 5);

    // "Value" goes straight in: no range check and no Change.
    const auto bag = qm::PropertyBag::fromText(
        "valuemax = i:40\nVALUE = i:500\nEnabled = b:False\nValueMin = i:-2\nValueSmallChange = i:3");
    ASSERT_TRUE(bag.ok());
    EzyVerticalScroll loaded;
    int changes = 0;
    QObject::connect(&loaded, &EzyVerticalScroll::Change, [&] { ++changes; });
    loaded.ReadProperties(*bag);
    EXPECT_EQ(loaded.value(), 500);
    EXPECT_EQ(loaded.valueMax(), 40);
    EXPECT_EQ(loaded.valueMin(), -2);
    EXPECT_EQ(loaded.valueSmallChange(), 3);
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(changes, 0);
    qm::PropertyBag back;
    loaded.WriteProperties(back);
    EXPECT_EQ(back.toText(), "ValueMax = i:40\nValue = i:500\nEnabled = b:False\nValueMin = i:-2\n"
                             "ValueSmallChange = i:3\n");
}

TEST(EzyVerticalScroll, HiddenBarPlacesItsThumbWhenShown)
{
    QWidget window;
    auto* bar = new EzyVerticalScroll(&window);
    bar->setGeometry(0, 0, 31, 391);
    bar->setValue(50); // before any render
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(bar->thumbTop(), 174);
    bar->Refresh();
    EXPECT_EQ(bar->thumbTop(), 174);
}

} // namespace
} // namespace qm::ui
