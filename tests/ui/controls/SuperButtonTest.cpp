// The owner-drawn button widget: when it clicks, its looks, and the writes it
// refuses.

#include "ui/controls/SuperButton.h"

#include "ui/tape/WindowTestSupport.h"

#include <QFontInfo>

namespace qm::ui {
namespace {

using Look = SuperButton::Look;

TEST(SuperButton, ClicksFromMouseAndTypedKeys)
{
    QWidget window;
    test::makeHost(window, 200, 150);
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

    // Keys that type a character click; the others do not.
    log.clear();
    b->setFocus();
    for (const auto key : {Qt::Key_5, Qt::Key_Plus, Qt::Key_Left, Qt::Key_Return})
        QTest::keyClick(b, key);
    EXPECT_EQ(log, (QStringList{"Click", "Click", "Click"}));

    log.clear();
    b->setEnabled(false);
    QTest::mouseMove(b, QPoint(20, 20));
    QTest::mouseClick(win, Qt::LeftButton, {}, at(20, 20));
    QTest::keyClick(b, Qt::Key_5);
    EXPECT_TRUE(log.isEmpty()) << log.join("; ").toStdString();
    EXPECT_EQ(b->look(), Look::Normal);
}

TEST(SuperButton, RejectedWritesChangeNothing)
{
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

} // namespace
} // namespace qm::ui
