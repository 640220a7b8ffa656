#include "ui/mainwindow/Keypad.h"

#include "ui/controls/SuperButton.h"
#include "ui/mainwindow/DesignFont.h"

namespace qm::ui {

namespace {

constexpr double KeyFontSize = 15.75;
constexpr double PiFontSize = 9.75;
// The pad's place: from the "CA" key's corner to the "^" key's far corner.
constexpr QPoint Origin(270, 144);
constexpr QSize Size(497 - 270, 464 - 144);

} // namespace

Keypad::Keypad(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("keypad"));
    setGeometry(QRect(Origin, Size));
    for (int i = 0; i < KeypadKeyCount; ++i) {
        SuperButton* b = makePadButton(this, design::Keypad[static_cast<std::size_t>(i)],
                                       KeyFontSize, Origin);
        b->setObjectName(QStringLiteral("keypad%1").arg(i));
        const auto key = static_cast<KeypadKey>(i);
        // The second press of a quick pair arrives as a double click: it
        // counts as a press of its own.
        connect(b, &SuperButton::Click, this, [this, key] { emit keyPressed(key); });
        connect(b, &SuperButton::DblClick, this, [this, key] { emit keyPressed(key); });
        keys_.append(b);
    }
    pi_ = makePadButton(this, design::PiButton, PiFontSize, Origin);
    pi_->setObjectName(QStringLiteral("pi"));
    connect(pi_, &SuperButton::Click, this, [this] { emit piPressed(); });
    connect(pi_, &SuperButton::DblClick, this, [this] { emit piPressed(); });
}

void Keypad::setDecimalCaption(char sep)
{
    SuperButton* b = button(KeypadKey::Decimal);
    const QString caption(QChar::fromLatin1(sep));
    if (b && b->caption() != caption) {
        b->setCaption(caption);
        b->setAccessibleName(tr("Decimal separator"));
    }
}

SuperButton* Keypad::button(KeypadKey key) const
{
    const int i = static_cast<int>(key);
    return i >= 0 && i < keys_.size() ? keys_[i] : nullptr;
}

QVector<SuperButton*> Keypad::buttons() const
{
    QVector<SuperButton*> all = keys_;
    all.append(pi_);
    return all;
}

} // namespace qm::ui
