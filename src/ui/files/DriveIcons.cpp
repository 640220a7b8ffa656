#include "ui/files/DriveIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <array>

namespace qm::ui {

namespace {

void drawDisk(QPainter& p)
{
    p.setPen(QColor(70, 70, 70));
    p.setBrush(QColor(190, 190, 190));
    p.drawRoundedRect(QRectF(1.5, 4.5, 13, 8), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 120, 120));
    p.drawRect(QRectF(3, 9, 7, 2));
    p.setBrush(QColor(40, 200, 40));
    p.drawRect(QRectF(11.5, 9, 2, 2));
}

void drawFolder(QPainter& p)
{
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath tab;
    tab.moveTo(1.5, 3.5);
    tab.lineTo(6.5, 3.5);
    tab.lineTo(8, 5.5);
    tab.lineTo(14.5, 5.5);
    tab.lineTo(14.5, 13.5);
    tab.lineTo(1.5, 13.5);
    tab.closeSubpath();
    p.drawPath(tab);
    p.setBrush(QColor(252, 224, 120));
    p.drawRect(QRectF(1.5, 7.5, 13, 6));
}

void drawOptical(QPainter& p)
{
    QRadialGradient g(QPointF(8, 8), 7);
    g.setColorAt(0.0, QColor(250, 250, 255));
    g.setColorAt(0.6, QColor(180, 200, 235));
    g.setColorAt(1.0, QColor(215, 180, 235));
    p.setPen(QColor(90, 90, 120));
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 4, 4));
}

void drawFloppy(QPainter& p)
{
    p.setPen(QColor(20, 20, 60));
    p.setBrush(QColor(50, 70, 150));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 200, 210));
    p.drawRect(QRectF(4, 2, 7, 4));           // shutter
    p.setBrush(QColor(50, 70, 150));
    p.drawRect(QRectF(8, 2.5, 2, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 8.5, 9, 6));        // label
}

void drawRemovable(QPainter& p)
{
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(5.5, 1.5, 5, 4));        // plug
    p.setBrush(QColor(40, 110, 200));
    p.drawRoundedRect(QRectF(3.5, 5.5, 9, 9), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    p.drawRect(QRectF(6.5, 2.5, 1, 1.5));
    p.drawRect(QRectF(8.5, 2.5, 1, 1.5));
}

void drawDocument(QPainter& p)
{
    p.setPen(QColor(80, 80, 80));
    p.setBrush(Qt::white);
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(10, 1.5);
    page.lineTo(13.5, 5);
    page.lineTo(13.5, 14.5);
    page.lineTo(3.5, 14.5);
    page.closeSubpath();
    p.drawPath(page);
    p.drawLine(QPointF(10, 1.5), QPointF(10, 5));
    p.drawLine(QPointF(10, 5), QPointF(13.5, 5));
    p.setPen(QColor(60, 120, 60));
    for (double y : {7.5, 9.5, 11.5})
        p.drawLine(QPointF(5.5, y), QPointF(11.5, y));
}

void drawUser(QPainter& p)
{
    p.setPen(QColor(40, 80, 40));
    p.setBrush(QColor(90, 170, 90));
    QPainterPath body;
    body.moveTo(2.5, 14.5);
    body.cubicTo(2.5, 9, 13.5, 9, 13.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(240, 200, 160));
    p.setPen(QColor(120, 90, 60));
    p.drawEllipse(QRectF(5, 2, 6, 6));
}

QImage render(int index)
{
    QImage img(DriveIconSize, DriveIconSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 0: drawDisk(p); break;
    case 1: drawFolder(p); break;
    case 2: drawOptical(p); break;
    case 3: drawFloppy(p); break;
    case 4: drawRemovable(p); break;
    case 5: drawDocument(p); break;
    case 6: drawUser(p); break;
    default: break;
    }
    return img;
}

} // namespace

QImage driveIcon(int index)
{
    if (index < 0 || index >= DriveIconCount)
        return {};
    static const std::array<QImage, DriveIconCount> icons = [] {
        std::array<QImage, DriveIconCount> a;
        for (int i = 0; i < DriveIconCount; ++i)
            a[static_cast<std::size_t>(i)] = render(i);
        return a;
    }();
    return icons[static_cast<std::size_t>(index)];
}

} // namespace qm::ui
