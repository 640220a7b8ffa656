#include "ui/mainwindow/DesignFont.h"

#include "ui/controls/SuperButton.h"

namespace qm::ui {

QFont designFont(double points, bool bold)
{
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

SuperButton* makePadButton(QWidget* pad, const design::ButtonDesign& d, double fontSize,
                           QPoint padOrigin)
{
    auto* b = new SuperButton(pad);
    b->setFocusPolicy(Qt::TabFocus);
    b->setGeometry(d.rect.left - padOrigin.x(), d.rect.top - padOrigin.y(), d.rect.width,
                   d.rect.height);
    b->setBackColor(d.backColor);
    b->setFontSize(fontSize);
    b->setRenderColor(d.renderColor);
    b->setCaption(QString::fromLatin1(d.caption));
    b->setAccessibleName(QString::fromLatin1(d.caption));
    if (d.toolTip)
        b->setToolTip(QString::fromLatin1(d.toolTip));
    return b;
}

} // namespace qm::ui
