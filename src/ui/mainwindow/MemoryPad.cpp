#include "ui/mainwindow/MemoryPad.h"

#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignFont.h"

#include <QLabel>

namespace qm::ui {

namespace {

constexpr double ButtonFontSize = 9.75;
constexpr double DisplayFontSize = 9;
constexpr QPoint Origin(design::MBuff.left, design::MBuff.top);
constexpr QSize Size(design::MBuff.width, 134 - design::MBuff.top);

} // namespace

MemoryPad::MemoryPad(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("memoryPad"));
    setGeometry(QRect(Origin, Size));
    display_ = new QLabel(this);
    display_->setObjectName(QStringLiteral("memoryDisplay"));
    display_->setAccessibleName(tr("Memory"));
    display_->setAccessibleDescription(tr("empty"));
    display_->setGeometry(0, 0, design::MBuff.width, design::MBuff.height);
    display_->setFont(designFont(DisplayFontSize, true));
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    static const char* const names[] = {"memoryStore", "memoryRecall", "memoryStoreTotal"};
    for (int i = 0; i < static_cast<int>(design::MemoryButtons.size()); ++i) {
        SuperButton* b = makePadButton(this, design::MemoryButtons[static_cast<std::size_t>(i)],
                                       ButtonFontSize, Origin);
        b->setObjectName(QString::fromLatin1(names[i]));
        const auto key = static_cast<MemoryKey>(i);
        connect(b, &SuperButton::Click, this, [this, key] { emit pressed(key); });
        connect(b, &SuperButton::DblClick, this, [this, key] { emit pressed(key); });
        buttons_.append(b);
    }
}

void MemoryPad::setDisplay(const QString& text)
{
    if (display_->text() == text)
        return;
    display_->setText(text);
    // A screen reader hears the name "Memory"; what is stored is its description.
    display_->setAccessibleDescription(text.isEmpty() ? tr("empty") : text);
}

QString MemoryPad::display() const { return display_->text(); }

} // namespace qm::ui
