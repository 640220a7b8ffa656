#include "ui/tape/EntryBox.h"

#include "ui/controls/KeyCodes.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace qm::ui {

QColor colorFromBgr(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t bgrFromColor(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red())
           | (static_cast<std::uint32_t>(colour.green()) << 8)
           | (static_cast<std::uint32_t>(colour.blue()) << 16);
}

EntryBox::EntryBox(int index, QWidget* parent) : QLineEdit(parent), index_(index)
{
    // Every character must pass the key handlers; composed input would not.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QPalette p = palette();
    p.setColor(QPalette::Text, colorFromBgr(foreColor_));
    p.setColor(QPalette::Base, colorFromBgr(backColor_));
    setPalette(p);
}

void EntryBox::setForeColor(std::uint32_t colour)
{
    if (colour == foreColor_)
        return;
    foreColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Text, colorFromBgr(colour));
    setPalette(p);
}

void EntryBox::setBackColor(std::uint32_t colour)
{
    if (colour == backColor_)
        return;
    backColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Base, colorFromBgr(colour));
    setPalette(p);
}

void EntryBox::keyPressEvent(QKeyEvent* event)
{
    const int originalCode = virtualKeyCode(*event);
    int code = originalCode;
    if (onKeyDown)
        onKeyDown(index_, code, shiftState(event->modifiers()));

    const int originalAscii = keyAscii(*event).value_or(0);
    if (originalAscii != 0) {
        int ascii = originalAscii;
        if (onKeyPress)
            onKeyPress(index_, ascii);
        if (ascii == 0) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (code == 0 && originalCode != 0) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void EntryBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (onGotFocus)
        onGotFocus(index_);
}

} // namespace qm::ui
