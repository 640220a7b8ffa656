// Writes every look of both controls as PNG sheets under gallery/ to look over by eye.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"

#include "ui/tape/WindowTestSupport.h"

#include <QPainter>

namespace qm::ui {
namespace {

// Pictures of one size side by side on a sheet, `gap` apart, on a blue
// ground that shows the see-through pixels; saved with an enlargement.
void saveSheet(const QVector<QImage>& pictures, int columns, const QString& name, int gap = 6)
{
    ASSERT_FALSE(pictures.isEmpty());
    const QSize cell = pictures.front().size();
    const int rows = (static_cast<int>(pictures.size()) + columns - 1) / columns;
    QImage sheet((cell.width() + gap) * columns + gap, (cell.height() + gap) * rows + gap, QImage::Format_ARGB32);
    sheet.fill(QColor(0x30, 0x60, 0xA0));
    QPainter p(&sheet);
    for (int i = 0; i < pictures.size(); ++i) {
        ASSERT_EQ(pictures[i].size(), cell) << name.toStdString() << " picture " << i;
        p.drawImage(gap + (i % columns) * (cell.width() + gap), gap + (i / columns) * (cell.height() + gap), pictures[i]);
    }
    p.end();
    const QString file = QStringLiteral(QM_BUILD_DIR "/gallery/") + name;
    ASSERT_TRUE(QDir().mkpath(QStringLiteral(QM_BUILD_DIR "/gallery")));
    EXPECT_TRUE(sheet.save(file + ".png"));
    EXPECT_TRUE(sheet.scaled(sheet.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation).save(file + "_x3.png"));
}

// One sheet per border style: a row per colour kind, normal, highlighted and pressed.
TEST(Gallery, ButtonLooks)
{
    const struct { quint32 colour; const char* caption; } kinds[] = {
        {0xC0C0C0, "+"}, {0x0000FF, "-"}, {0x00FF00, "x"}, {0xFF0000, "/"}, {0x000000, "^"},
        {0xFFFFFF, "W"}, {0xCCCC99, "7"}, {0x000063, "Sin"}, {0x0340F2, "M+"},
    };
    for (int style = 0; style <= 3; ++style) {
        QVector<QImage> pictures;
        for (const auto& k : kinds) {
            SuperButton b;
            b.resize(54, 46);
            ASSERT_TRUE(b.setBorder(style));
            ASSERT_TRUE(b.setRenderColor(k.colour));
            b.setCaption(QString::fromLatin1(k.caption));
            for (auto look : {SuperButton::Look::Normal, SuperButton::Look::Highlighted, SuperButton::Look::Pressed})
                pictures << b.lookImage(look);
            EXPECT_NE(pictures[pictures.size() - 1], pictures[pictures.size() - 3]) << "pressed looks like normal";
        }
        saveSheet(pictures, 3, QStringLiteral("buttons_style%1").arg(style));
    }
}

// The tape's bar at 15 rows (390 high): thumb at the top, middle and end, held
// on an arrow, dragged and released, without a thumb, and other back colours.
TEST(Gallery, ScrollBarLooks)
{
    QWidget window;
    test::makeHost(window, 600, 420);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QWindow* win = window.windowHandle();
    QVector<QImage> pictures;
    int next = 0;
    auto bar = [&](quint32 back, int value) {
        auto* b = new EzyVerticalScroll(&window);
        b->setBackColor(back);
        b->setGeometry(10 + 40 * next++, 10, 31, 390);
        b->show();
        b->setValue(value);
        return b;
    };
    auto at = [](EzyVerticalScroll* b, int y) { return b->geometry().topLeft() + QPoint(15, y); };

    for (int v : {0, 50, 100})
        pictures << bar(0xE0E0E0, v)->surfaceImage();
    auto* held = bar(0xE0E0E0, 0);
    QTest::mousePress(win, Qt::LeftButton, {}, at(held, 385));   // down arrow, held
    pictures << held->surfaceImage();
    QTest::mouseRelease(win, Qt::LeftButton, {}, at(held, 385));

    auto* dragged = bar(0xE0E0E0, 30);
    QTest::mousePress(win, Qt::LeftButton, {}, at(dragged, dragged->thumbTop() + 5));
    QTest::mouseMove(win, at(dragged, 240));
    EXPECT_TRUE(dragged->dragging());
    pictures << dragged->surfaceImage();
    QTest::mouseRelease(win, Qt::LeftButton, {}, at(dragged, 240));
    EXPECT_FALSE(dragged->dragging());
    EXPECT_NE(dragged->surfaceImage(), pictures.back()) << "the tint ends with the release";
    pictures << dragged->surfaceImage();

    auto* empty = bar(0xE0E0E0, 0);
    empty->setValueMax(0);
    pictures << empty->surfaceImage();
    for (quint32 back : {0xFFFFFFu, 0xC0E0FFu})
        pictures << bar(back, 40)->surfaceImage();
    saveSheet(pictures, static_cast<int>(pictures.size()), QStringLiteral("scrollbars"), 9);
}

} // namespace
} // namespace qm::ui
