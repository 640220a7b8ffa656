#include "ui/controls/SuperButton.h"

#include "ui/controls/PixelImage.h"

#include <QApplication>
#include <QBitmap>
#include <QCursor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

using Look = SuperButton::Look;
constexpr QRgb HostRed = 0xFFFF0000;

// A window with a red background holding one button at (10, 10), every
// event of the button written to a log.
struct Host {
    QWidget window;
    SuperButton* b = nullptr;
    QLineEdit* other = nullptr;
    QStringList log;
    qint16 keyAsciiReply = -1; // >= 0: the KeyPress handler sets KeyAscii to it
    Look lookAtDblClick = Look::Normal;

    explicit Host(int w = 54, int h = 46)
    {
        QCursor::setPos(-500, -500);
        window.setGeometry(100, 100, 200, 150);
        QPalette pal = window.palette();
        pal.setColor(QPalette::Window, QColor(HostRed));
        window.setPalette(pal);
        window.setAutoFillBackground(true);
        other = new QLineEdit(&window);
        other->setGeometry(10, 110, 100, 24);
        b = new SuperButton(&window);
        b->setGeometry(10, 10, w, h);
        b->setCaption(QStringLiteral("7"));
        auto mouse = [this](const char* name) {
            return [this, name](qint16 button, qint16 shift, float x, float y) {
                log << QStringLiteral("%1 %2 %3 %4 %5").arg(name).arg(button).arg(shift).arg(x).arg(y);
            };
        };
        QObject::connect(b, &SuperButton::MouseDown, mouse("MouseDown"));
        QObject::connect(b, &SuperButton::MouseUp, mouse("MouseUp"));
        QObject::connect(b, &SuperButton::Click, [this] { log << "Click"; });
        QObject::connect(b, &SuperButton::DblClick, [this] {
            log << "DblClick";
            lookAtDblClick = b->look();
        });
        QObject::connect(b, &SuperButton::KeyDown, [this](qint16& code, qint16& shift) {
            log << QStringLiteral("KeyDown %1 %2").arg(code).arg(shift);
            code = 0; // ignored by the button
        });
        QObject::connect(b, &SuperButton::KeyUp, [this](qint16& code, qint16& shift) {
            log << QStringLiteral("KeyUp %1 %2").arg(code).arg(shift);
        });
        QObject::connect(b, &SuperButton::KeyPress, [this](qint16& ascii) {
            log << QStringLiteral("KeyPress %1").arg(ascii);
            if (keyAsciiReply >= 0)
                ascii = keyAsciiReply;
        });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    QWindow* win() { return window.windowHandle(); }
    // A point of the button in window coordinates.
    QPoint at(int x, int y) const { return QPoint(10 + x, 10 + y); }
};

TEST(SuperButton, ClickGivesDownUpClickAndLeavesTheHighlight)
{
    Host h;
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    EXPECT_EQ(h.b->look(), Look::Pressed);
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(21, 22));
    EXPECT_EQ(h.log, (QStringList{"MouseDown 1 0 20 20", "MouseUp 1 0 21 22", "Click"}));
    EXPECT_EQ(h.b->look(), Look::Highlighted);
}

TEST(SuperButton, DoubleClickOrder)
{
    Host h;
    QTest::mouseDClick(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    EXPECT_EQ(h.log, (QStringList{"MouseDown 1 0 20 20", "MouseUp 1 0 20 20", "Click", "DblClick",
                                  "MouseUp 1 0 20 20"}));
    EXPECT_EQ(h.lookAtDblClick, Look::Highlighted) << "the second press draws no pressed look";
}

TEST(SuperButton, ReleaseOutsideOrOnTheFirstColumnOrRowRaisesNothing)
{
    const QPoint releases[] = {QPoint(150, 100), QPoint(0, 20), QPoint(20, 0), QPoint(54, 20),
                               QPoint(-3, -3)};
    for (const QPoint r : releases) {
        Host h;
        QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(20, 20));
        QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(r.x(), r.y()));
        EXPECT_EQ(h.log, QStringList{"MouseDown 1 0 20 20"}) << r.x() << "," << r.y();
        EXPECT_EQ(h.b->look(), Look::Pressed) << "pressed look stays";
    }
    Host h;
    QTest::mousePress(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    QTest::mouseRelease(h.win(), Qt::LeftButton, {}, h.at(1, 1));
    EXPECT_EQ(h.log.size(), 3);
}

TEST(SuperButton, RightButtonGivesNoClick)
{
    Host h;
    QTest::mouseClick(h.win(), Qt::RightButton, Qt::ShiftModifier, h.at(5, 6));
    EXPECT_EQ(h.log, (QStringList{"MouseDown 2 1 5 6", "MouseUp 2 1 5 6"}));
}

TEST(SuperButton, KeysRaiseDownPressClickUp)
{
    Host h;
    h.b->setFocus();
    QTest::keyClick(h.b, Qt::Key_5);
    EXPECT_EQ(h.log, (QStringList{"KeyDown 53 0", "KeyPress 53", "Click", "KeyUp 53 0"}));

    h.log.clear();
    h.keyAsciiReply = 0; // cancelling the key still gives the Click
    QTest::keyClick(h.b, Qt::Key_Plus, Qt::NoModifier);
    EXPECT_EQ(h.log, (QStringList{"KeyDown 187 0", "KeyPress 43", "Click", "KeyUp 187 0"}));

    h.log.clear();
    QTest::keyClick(h.b, Qt::Key_Left);
    QTest::keyClick(h.b, Qt::Key_Delete);
    EXPECT_EQ(h.log, (QStringList{"KeyDown 37 0", "KeyUp 37 0", "KeyDown 46 0", "KeyUp 46 0"}));

    h.log.clear();
    QTest::keyClick(h.b, Qt::Key_Return);
    EXPECT_EQ(h.log, (QStringList{"KeyDown 13 0", "KeyPress 13", "Click", "KeyUp 13 0"}));
}

TEST(SuperButton, DisabledRaisesNothingAndKeepsItsLook)
{
    Host h;
    h.b->setEnabled(false);
    QTest::mouseMove(h.b, QPoint(20, 20));
    QTest::mouseClick(h.win(), Qt::LeftButton, {}, h.at(20, 20));
    QTest::keyClick(h.b, Qt::Key_5);
    EXPECT_TRUE(h.log.isEmpty()) << h.log.join("; ").toStdString();
    EXPECT_EQ(h.b->look(), Look::Normal);
    EXPECT_FALSE(h.b->hovering());
}

TEST(SuperButton, HoverHighlightsAndTheLeavePollClearsIt)
{
    Host h;
    QTest::mouseMove(h.b, QPoint(20, 20));
    EXPECT_TRUE(h.b->hovering());
    EXPECT_TRUE(h.b->leavePollRunning());
    EXPECT_EQ(h.b->look(), Look::Highlighted);
    // Still over the button: the poll keeps the highlight.
    QTest::qWait(250);
    EXPECT_TRUE(h.b->hovering());
    // Away from it: the next 100 ms tick finds another window under the pointer.
    QTest::mouseMove(&h.window, QPoint(150, 60));
    EXPECT_TRUE(h.b->hovering()) << "only the poll clears the hover flag";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !h.b->hovering(); }, 1000));
    EXPECT_EQ(h.b->look(), Look::Normal);
    EXPECT_FALSE(h.b->leavePollRunning());
}

TEST(SuperButton, FocusLookAndLosingItWhileHovering)
{
    Host h;
    h.b->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.b->look(), Look::Highlighted);
    EXPECT_FALSE(h.b->hovering()) << "focus leaves the hover flag alone";
    h.other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.b->look(), Look::Normal);

    QTest::mouseMove(h.b, QPoint(20, 20));
    EXPECT_EQ(h.b->look(), Look::Highlighted);
    h.b->setFocus(Qt::TabFocusReason);
    h.other->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(h.b->look(), Look::Normal);
    QTest::mouseMove(h.b, QPoint(22, 20)); // still hovering: no repaint
    EXPECT_EQ(h.b->look(), Look::Normal);
    h.b->setFocus(Qt::TabFocusReason);     // hover flag set: focus shows nothing new
    EXPECT_EQ(h.b->look(), Look::Normal);
}

TEST(SuperButton, HoverFocusPressAndReleaseNeverRenderTheFaces)
{
    Host h;
    const int renders = h.b->renderCount();
    for (int i = 0; i < 100; ++i) {
        QTest::mouseMove(h.b, QPoint(20 + i % 3, 20));
        h.b->setFocus(Qt::TabFocusReason);
        QTest::mouseClick(h.win(), Qt::LeftButton, {}, h.at(20, 20));
        h.other->setFocus(Qt::TabFocusReason);
        QCursor::setPos(-500, -500);
        QTest::qWait(1);
    }
    EXPECT_EQ(h.b->renderCount(), renders);
    EXPECT_EQ(h.log.count("Click"), 100);
    // Colour, text and size changes do render; font size and back colour do not.
    h.b->setFontSize(20);
    h.b->setBackColor(0x123456);
    EXPECT_EQ(h.b->renderCount(), renders);
    h.b->setRenderColor(0x0000FF);
    h.b->setBorder(2);
    h.b->setCaption("8");
    h.b->resize(60, 46);
    EXPECT_EQ(h.b->renderCount(), renders + 4);
    // A row redraw changes caption and colour together: one render, both applied.
    h.b->setCaptionAndRenderColor("x", 0x00FF00);
    EXPECT_EQ(h.b->renderCount(), renders + 5);
    EXPECT_EQ(h.b->caption(), QStringLiteral("x"));
    EXPECT_EQ(h.b->renderColor(), 0x00FF00u);
}

TEST(SuperButton, RoundedCornersShowTheWindowBehind)
{
    Host h;
    h.b->setBorder(3);
    const QRegion mask = h.b->mask();
    ASSERT_FALSE(mask.isEmpty());
    EXPECT_FALSE(mask.contains(QPoint(0, 0)));
    EXPECT_FALSE(mask.contains(QPoint(53, 45)));
    EXPECT_FALSE(mask.contains(QPoint(0, 43)));
    EXPECT_TRUE(mask.contains(QPoint(3, 0)));
    EXPECT_TRUE(mask.contains(QPoint(1, 1)));
    const QImage shot = h.window.grab().toImage();
    EXPECT_EQ(shot.pixel(10, 10), HostRed);
    EXPECT_EQ(shot.pixel(10 + 53, 10), HostRed);
    EXPECT_NE(shot.pixel(10 + 3, 10), HostRed);
    // Every look is clipped the same way.
    for (Look l : {Look::Normal, Look::Highlighted, Look::Pressed}) {
        const QImage img = h.b->lookImage(l);
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(2, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(3, 0)), 255);
    }
    h.b->setBorder(0);
    EXPECT_TRUE(h.b->mask().isEmpty());
}

TEST(SuperButton, CaptionIsCentredAndOnlyReplacedOnRender)
{
    Host h(50, 50);
    const QFontMetrics fm(h.b->captionFont());
    const QPoint pos = h.b->captionPos();
    // Within half a pixel of the centre.
    EXPECT_LE(std::abs(2 * pos.x() - (50 - fm.horizontalAdvance("7"))), 1);
    EXPECT_LE(std::abs(2 * pos.y() - (50 - fm.height())), 1);
    // Caption pixels lie inside the caption's box, white on the normal look
    // and in the dark colour on the pressed look.
    const QImage normal = h.b->lookImage(Look::Normal);
    const QImage pressed = h.b->lookImage(Look::Pressed);
    const QRect box(pos, QSize(fm.horizontalAdvance("7"), fm.height()));
    int white = 0;
    int dark = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 48; ++x) { // columns 48, 49: the divider
            const QRgb face = toQRgb(rgb(192 - 2 * (y + 1), 192 - 2 * (y + 1), 192 - 2 * (y + 1)));
            if (normal.pixel(x, y) != face) {
                EXPECT_TRUE(box.contains(x, y)) << x << "," << y;
                white += normal.pixel(x, y) == 0xFFFFFFFFu;
            }
            dark += pressed.pixel(x, y) == toQRgb(h.b->darkColor());
        }
    EXPECT_GT(white, 5);
    EXPECT_GT(dark, 5);

    h.b->setFontSize(20.25);
    EXPECT_EQ(h.b->captionPos(), pos);
    EXPECT_EQ(h.b->lookImage(Look::Normal), normal);
    h.b->setCaption("7");
    EXPECT_LT(h.b->captionPos().x(), pos.x());
    EXPECT_EQ(h.b->fontSize(), 20); // 20.25 rounds to 20
}

TEST(SuperButton, FontIsArialOrItsMetricTwin)
{
    const QString family = SuperButton::captionFontFamily();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    SuperButton b;
    const QFontInfo info(b.captionFont());
    EXPECT_EQ(info.family(), family);
    EXPECT_TRUE(info.bold());
    EXPECT_EQ(info.pixelSize(), 13); // 9.75 pt
    EXPECT_EQ(b.fontSize(), 10);
}

TEST(SuperButton, RejectedWritesChangeNothingThatShows)
{
    Host h;
    const quint32 light = h.b->lightColor();
    EXPECT_FALSE(h.b->setBorder(40000));
    EXPECT_EQ(h.b->border(), 0);
    EXPECT_TRUE(h.b->setBorder(-32768)); // any other value: no edge
    EXPECT_FALSE(h.b->setRenderColor(0x1000000));
    EXPECT_EQ(h.b->renderColor(), 0x1000000u);
    EXPECT_EQ(h.b->lightColor(), light);
    EXPECT_FALSE(h.b->setFontSize(0));
    EXPECT_FALSE(h.b->setFontSize(-3));
    EXPECT_EQ(h.b->fontSizeF(), 9.75f);
}

TEST(SuperButton, PropertiesRoundTripInTheirOrder)
{
    SuperButton a;
    a.resize(54, 46);
    a.setCaption("Sqr");
    a.setRenderColor(0x000063);
    a.setBorder(3);
    a.setFontSize(11.25);
    a.setEnabled(false);
    qm::PropertyBag bag;
    a.WriteProperties(bag);
    std::vector<std::string> keys;
    for (const auto& e : bag.entries())
        keys.push_back(e.first);
    EXPECT_EQ(keys, (std::vector<std::string>{"Caption", "BackColor", "RenderColor", "Enabled",
                                              "Fontsize", "Border"}));
    EXPECT_TRUE(std::holds_alternative<float>(*bag.find("Fontsize")));

    const auto text = qm::PropertyBag::fromText(bag.toText());
    ASSERT_TRUE(text.ok());
    SuperButton b;
    b.resize(54, 46);
    const int renders = b.renderCount();
    b.ReadProperties(*text);
    EXPECT_EQ(b.renderCount(), renders + 1) << "rendered once, by RenderColor";
    EXPECT_EQ(b.caption(), "Sqr");
    EXPECT_EQ(b.backColor(), 0xE0E0E0u);
    EXPECT_EQ(b.renderColor(), 0x000063u);
    EXPECT_FALSE(b.isEnabled());
    EXPECT_EQ(b.fontSizeF(), 11.25f);
    EXPECT_EQ(b.border(), 3);
    qm::PropertyBag again;
    b.WriteProperties(again);
    EXPECT_EQ(again, bag);

    // Missing keys give the defaults, and defaults are not written.
    SuperButton c;
    c.ReadProperties(qm::PropertyBag{});
    EXPECT_EQ(c.backColor(), SuperButton::DefaultBackColor);
    EXPECT_EQ(c.fontSizeF(), 9.0f);
    qm::PropertyBag none;
    c.WriteProperties(none);
    EXPECT_EQ(none.size(), 0u);
}

} // namespace
} // namespace qm::ui
