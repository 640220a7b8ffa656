// The owner-drawn button widget: the events it raises, its looks, and the
// writes it refuses.

#include "ui/controls/SuperButton.h"

#include "ui/tape/WindowTestSupport.h"

#include <QFontInfo>

namespace qm::ui {
namespace {

using Look = SuperButton::Look;

// A window holding one button at (10, 10); every event of the button
// goes into a log.
struct Host {
    QWidget window;
    SuperButton* b = new SuperButton(&window);
    QStringList log;
    qint16 keyAsciiReply = -1;   // >= 0: the KeyPress handler sets KeyAscii to it
    Look lookAtDblClick = Look::Normal;

    Host()
    {
        test::makeHost(window, 200, 150);
        b->setGeometry(10, 10, 54, 46);
        b->setCaption(QStringLiteral("7"));
        auto mouse = [this](const char* name) {
            return [this, name](qint16 button, qint16 shift, float x, float y) {
                log << QStringLiteral("%1 %2 %3 %4 %5").arg(name).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        // KeyDown zeroes the code, which the button ignores.
        auto key = [this](const char* name, bool zero) {
            return [this, name, zero](qint16& code, qint16& shift) {
                log << QStringLiteral("%1 %2 %3").arg(name).arg(code).arg(shift);
                code = zero ? 0 : code;
            };
        };
        QObject::connect(b, &SuperButton::MouseDown, mouse("MouseDown"));
        QObject::connect(b, &SuperButton::MouseUp, mouse("MouseUp"));
        QObject::connect(b, &SuperButton::KeyDown, key("KeyDown", true));
        QObject::connect(b, &SuperButton::KeyUp, key("KeyUp", false));
        QObject::connect(b, &SuperButton::Click, [this] { log << "Click"; });
        QObject::connect(b, &SuperButton::DblClick, [this] {
            log << "DblClick";
            lookAtDblClick = b->look();
        });
        QObject::connect(b, &SuperButton::KeyPress, [this](qint16& ascii) {
            log << QStringLiteral("KeyPress %1").arg(ascii);
            ascii = keyAsciiReply >= 0 ? keyAsciiReply : ascii;
        });
        window.show();
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWindow* win() { return window.windowHandle(); }
    QPoint at(int x, int y) const { return QPoint(10 + x, 10 + y); }
};

TEST(SuperButton, MouseEventsInTheirOrder)
{
    Host h;
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    EXPECT_EQ(h.b->look(), Look::Pressed);
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(21, 22));
    EXPECT_EQ(h.log, (QStringList{"MouseDown 1 0 20 20", "MouseUp 1 0 21 22", "Click"}));
    EXPECT_EQ(h.b->look(), Look::Highlighted);
    h.log.clear();
    QTest::mouseDClick(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    EXPECT_EQ(h.log, (QStringList{"MouseDown 1 0 20 20", "MouseUp 1 0 20 20", "Click", "DblClick",
                                  "MouseUp 1 0 20 20"}));
    EXPECT_EQ(h.lookAtDblClick, Look::Highlighted) << "the second press draws no pressed look";
    h.log.clear();
    QTest::mouseClick(h.win(), Qt::RightButton, Qt::ShiftModifier, h.at(5, 6));
    EXPECT_EQ(h.log, (QStringList{"MouseDown 2 1 5 6", "MouseUp 2 1 5 6"}));
    // A release outside, or on the first column or row, raises no Click.
    for (const QPoint r : {QPoint(150, 100), QPoint(0, 20), QPoint(20, 0), QPoint(54, 20), QPoint(1, 1)}) {
        h.log.clear();
        QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(20, 20));
        QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(r.x(), r.y()));
        EXPECT_EQ(h.log.size(), r == QPoint(1, 1) ? 3 : 1) << r.x() << "," << r.y();
    }
}

TEST(SuperButton, KeysRaiseDownPressClickUp)
{
    Host h;
    h.b->setFocus();
    QTest::keyClick(h.b, Qt::Key_5);
    h.keyAsciiReply = 0;   // cancelling the character still gives the Click
    QTest::keyClick(h.b, Qt::Key_Plus);
    QTest::keyClick(h.b, Qt::Key_Left);
    QTest::keyClick(h.b, Qt::Key_Return);
    EXPECT_EQ(h.log, (QStringList{"KeyDown 53 0", "KeyPress 53", "Click", "KeyUp 53 0",
                                  "KeyDown 187 0", "KeyPress 43", "Click", "KeyUp 187 0",
                                  "KeyDown 37 0", "KeyUp 37 0",
                                  "KeyDown 13 0", "KeyPress 13", "Click", "KeyUp 13 0"}));

    h.log.clear();
    h.b->setEnabled(false);
    QTest::mouseMove(h.b, QPoint(20, 20));
    QTest::mouseClick(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    QTest::keyClick(h.b, Qt::Key_5);
    EXPECT_TRUE(h.log.isEmpty()) << h.log.join("; ").toStdString();
    EXPECT_EQ(h.b->look(), Look::Normal);
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
