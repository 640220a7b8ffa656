// Writes every look of both controls as PNG files under the build tree
// (gallery/), one picture per look and contact sheets for looking them over.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"

#include <QDir>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

namespace qm::ui {
namespace {

const QString GalleryDir = QStringLiteral(QM_BUILD_DIR "/gallery/");
const QColor SheetBack(0x30, 0x60, 0xA0); // shows the see-through pixels

bool save(const QImage& image, const QString& name)
{
    QDir().mkpath(GalleryDir);
    return !image.isNull() && image.save(GalleryDir + name);
}

// The sheet and a three-times enlargement of it.
void saveSheet(const QImage& sheet, const QString& name)
{
    EXPECT_TRUE(save(sheet, name + ".png"));
    EXPECT_TRUE(save(sheet.scaled(sheet.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation),
                     name + "_x3.png"));
}

TEST(Gallery, ButtonLooks)
{
    using Look = SuperButton::Look;
    const struct { quint32 colour; const char* caption; } kinds[] = {
        {0xC0C0C0, "+"}, {0x0000FF, "-"}, {0x00FF00, "x"}, {0xFF0000, "/"}, {0x000000, "^"},
        {0xFFFFFF, "W"}, {0xCCCC99, "7"}, {0x000063, "Sin"}, {0x0340F2, "M+"},
    };
    const Look looks[] = {Look::Normal, Look::Highlighted, Look::Pressed};
    const char* lookNames[] = {"normal", "highlighted", "pressed"};
    constexpr int W = 54, H = 46, Gap = 6;
    for (int style = 0; style <= 3; ++style) {
        QImage sheet((W + Gap) * 3 + Gap, (H + Gap) * int(std::size(kinds)) + Gap,
                     QImage::Format_ARGB32);
        sheet.fill(SheetBack);
        QPainter p(&sheet);
        for (int k = 0; k < int(std::size(kinds)); ++k) {
            SuperButton b;
            b.resize(W, H);
            b.setBorder(style);
            b.setRenderColor(kinds[k].colour);
            b.setCaption(QString::fromLatin1(kinds[k].caption));
            for (int l = 0; l < 3; ++l) {
                const QImage img = b.lookImage(looks[l]);
                ASSERT_EQ(img.size(), QSize(W, H));
                p.drawImage(Gap + l * (W + Gap), Gap + k * (H + Gap), img);
                if (k == 0) {
                    EXPECT_TRUE(save(img, QStringLiteral("button_style%1_%2.png")
                                              .arg(style)
                                              .arg(lookNames[l])));
                }
            }
        }
        p.end();
        saveSheet(sheet, QStringLiteral("buttons_style%1").arg(style));
    }
}

TEST(Gallery, ScrollBarLooks)
{
    QWidget window;
    window.setGeometry(50, 50, 600, 480);
    struct Shot { QString name; QImage image; };
    std::vector<Shot> shots;
    auto bar = [&](quint32 back) {
        auto* b = new EzyVerticalScroll(&window);
        b->setBackColor(back);
        b->setValueLargeChange(1);
        b->setGeometry(10 + int(shots.size()) * 40, 10, 31, 442);
        b->show();
        return b;
    };
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    for (int v : {0, 50, 100}) {
        auto* b = bar(0xE0E0E0);
        b->setValue(v);
        shots.push_back({QStringLiteral("scroll_value%1").arg(v), b->surfaceImage()});
    }
    {
        auto* b = bar(0xE0E0E0);
        b->setValue(30);
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, b->geometry().topLeft() + QPoint(15, b->thumbTop() + 5));
        QTest::mouseMove(window.windowHandle(), b->geometry().topLeft() + QPoint(15, 240));
        EXPECT_TRUE(b->dragging());
        shots.push_back({"scroll_dragging", b->surfaceImage()});
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, b->geometry().topLeft() + QPoint(15, 240));
        shots.push_back({"scroll_released", b->surfaceImage()});
    }
    {
        auto* b = bar(0xE0E0E0);
        QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, b->geometry().topLeft() + QPoint(15, 430));
        EXPECT_TRUE(QTest::qWaitFor([&] { return b->value() >= 2; }, 2000));
        shots.push_back({"scroll_repeating", b->surfaceImage()});
        QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, b->geometry().topLeft() + QPoint(15, 430));
    }
    {
        auto* b = bar(0xE0E0E0);
        b->setValueMax(0);
        shots.push_back({"scroll_nothumb", b->surfaceImage()});
    }
    for (quint32 back : {0xFFFFFFu, 0xC0E0FFu}) {
        auto* b = bar(back);
        b->setValue(40);
        shots.push_back({QStringLiteral("scroll_back%1").arg(back, 6, 16, QChar('0')), b->surfaceImage()});
    }

    QImage sheet(int(shots.size()) * 40 + 10, 462, QImage::Format_ARGB32);
    sheet.fill(SheetBack);
    QPainter p(&sheet);
    for (std::size_t i = 0; i < shots.size(); ++i) {
        ASSERT_EQ(shots[i].image.size(), QSize(31, 442)) << shots[i].name.toStdString();
        EXPECT_TRUE(save(shots[i].image, shots[i].name + ".png"));
        p.drawImage(10 + int(i) * 40, 10, shots[i].image);
    }
    p.end();
    saveSheet(sheet, "scrollbars");
}

} // namespace
} // namespace qm::ui
