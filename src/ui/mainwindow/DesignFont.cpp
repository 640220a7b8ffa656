#include "ui/mainwindow/DesignFont.h"

#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignTexts.h"

namespace qm::ui {

QFont designFont(double points, bool bold)
{
    QFont f(SuperButton::captionFontFamily());
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
    b->setCaption(designText(d.caption));
    b->setAccessibleName(designText(d.caption));
    if (d.toolTip)
        b->setToolTip(designText(d.toolTip));
    return b;
}

} // namespace qm::ui
