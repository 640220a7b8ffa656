#include "ui/mainwindow/FunctionPad.h"

#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignFont.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/platform/RegionalSettings.h"

namespace qm::ui {

namespace {

constexpr double ButtonFontSize = 9.75;
constexpr QPoint Origin(design::FunctionPadLefts[0], design::FunctionPadTops[0]);
constexpr QSize Size(design::FunctionPadLefts[2] + design::FunctionPadWidth - design::FunctionPadLefts[0],
                     design::FunctionPadTops[7] + design::FunctionPadHeight - design::FunctionPadTops[0]);

} // namespace

FunctionPad::FunctionPad(const FunctionButtons& buttons, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("functionPad"));
    setGeometry(QRect(Origin, Size));
    for (int k = 0; k < design::FunctionPadCount; ++k) {
        const bool edit = k == design::EditButton;
        const design::ButtonDesign d{edit ? design::EditCaption : "", edit ? design::EditToolTip : nullptr,
                                     design::functionPadColor(k), design::SideButtonBack,
                                     design::functionPadRect(k)};
        SuperButton* b = makePadButton(this, d, ButtonFontSize, Origin);
        b->setObjectName(QStringLiteral("function%1").arg(k));
        if (edit) {
            connect(b, &SuperButton::Click, this, [this] { emit editPressed(); });
        } else {
            auto press = [this, k] { emit functionPressed(k); };
            connect(b, &SuperButton::Click, this, press);
            connect(b, &SuperButton::DblClick, this, press);
        }
        buttons_.append(b);
    }
    setButtons(buttons);
}

void FunctionPad::setButtons(const FunctionButtons& buttons)
{
    for (int k = 0; k < FunctionButtonCount && k < buttons_.size(); ++k) {
        const FunctionButton& f = buttons[static_cast<std::size_t>(k)];
        const QString caption = toQ(f.Caption);
        if (buttons_[k]->caption() != caption)
            buttons_[k]->setCaption(caption);
        buttons_[k]->setToolTip(designText(f.ToolTip.c_str()));
        buttons_[k]->setAccessibleName(caption.isEmpty() ? tr("Custom function %1").arg(k + 1) : caption);
    }
}

} // namespace qm::ui
