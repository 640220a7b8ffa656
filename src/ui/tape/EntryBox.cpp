#include "ui/tape/EntryBox.h"

#include "ui/controls/KeyCodes.h"
#include "ui/controls/PixelImage.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace qm::ui {

EntryBox::EntryBox(int index, QWidget* parent) : QLineEdit(parent), index_(index)
{
    // Every character must pass the key handlers; composed input would not.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(foreColor_));
    p.setColor(QPalette::Base, toQColor(backColor_));
    setPalette(p);
}

void EntryBox::setForeColor(std::uint32_t colour)
{
    if (colour == foreColor_)
        return;
    foreColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(colour));
    setPalette(p);
}

void EntryBox::setBackColor(std::uint32_t colour)
{
    if (colour == backColor_)
        return;
    backColor_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::Base, toQColor(colour));
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
