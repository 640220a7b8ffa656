#include "ui/mainwindow/TapeLineBox.h"

#include "ui/controls/PixelImage.h"
#include "ui/tape/EntryBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace qm::ui {

TapeLineBox::TapeLineBox(int row, char decimalSep, QWidget* parent)
    : QLineEdit(parent), row_(row), decimalSep_(decimalSep)
{
    // Every change of text must pass through the session: no composed input,
    // no dropped text, no undo stack of the box's own.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setDragEnabled(false);
    setAcceptDrops(false);
    setObjectName(QStringLiteral("row%1").arg(row));
    setAccessibleName(tr("Line %1").arg(row + 1));
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(textColour_));
    p.setColor(QPalette::Base, toQColor(backColour_));
    setPalette(p);
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { reportCaret(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { reportCaret(); });
}

void TapeLineBox::showText(const QString& text)
{
    if (text == this->text())
        return;
    showing_ = true;
    setText(text);
    showing_ = false;
}

void TapeLineBox::showCaret(int caret, int anchor)
{
    showing_ = true;
    if (caret == anchor)
        setCursorPosition(caret);
    else
        setSelection(anchor, caret - anchor);
    showing_ = false;
}

void TapeLineBox::setColours(std::uint32_t text, std::uint32_t background)
{
    if (text == textColour_ && background == backColour_)
        return;
    textColour_ = text;
    backColour_ = background;
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(text));
    p.setColor(QPalette::Base, toQColor(background));
    setPalette(p);
}

void TapeLineBox::reportCaret()
{
    if (showing_)
        return;
    const int caret = cursorPosition();
    int anchor = caret;
    if (hasSelectedText())
        anchor = selectionStart() == caret ? selectionEnd() : selectionStart();
    emit caretMoved(caret, anchor);
}

bool TapeLineBox::event(QEvent* event)
{
    // A line box would claim Ctrl+Z and Ctrl+Y for an undo of its own; they
    // belong to the window's Undo and Redo, which undo changes of the tape.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combination = key->keyCombination();
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Z)
            || combination == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z)
            || combination == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            event->ignore();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void TapeLineBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const int key = event->key();

    if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Paste)) {
        emit pasteRequested(QApplication::clipboard()->text());
    } else if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            copy();
            emit cutRequested();
        }
    } else if (event->matches(QKeySequence::SelectAll)) {
        emit selectAllRequested();
    } else if (key == Qt::Key_Up) {
        emit upPressed();
    } else if (key == Qt::Key_Down) {
        emit downPressed();
    } else if (key == Qt::Key_PageUp) {
        emit pageUpPressed();
    } else if (key == Qt::Key_PageDown) {
        emit pageDownPressed();
    } else if (key == Qt::Key_Backspace) {
        emit backspacePressed();
    } else if (key == Qt::Key_Delete) {
        emit deletePressed();
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit typed('\r');
    } else if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Home
               || key == Qt::Key_End) {
        QLineEdit::keyPressEvent(event);   // caret moves are the box's own
        return;
    } else if ((mods & Qt::KeypadModifier) && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        // The numeric keypad's decimal key means the regional decimal separator.
        emit typed(decimalSep_);
    } else if (!ctrl && !(mods & Qt::AltModifier) && event->text().size() == 1) {
        const QChar c = event->text().at(0);
        // Only single-byte characters can be part of a tape line.
        if (c.unicode() >= 0x20 && c.unicode() < 0x100)
            emit typed(static_cast<char>(c.unicode()));
    } else {
        event->ignore();   // shortcuts of the window
        return;
    }
    event->accept();
}

void TapeLineBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit focused(row_);
}

void TapeLineBox::mousePressEvent(QMouseEvent* event)
{
    // After a scroll the focused box may show another line than the one
    // being edited: a click on it edits the line it shows.
    if (hasFocus())
        emit focused(row_);
    QLineEdit::mousePressEvent(event);
    reportCaret();
}

void TapeLineBox::mouseReleaseEvent(QMouseEvent* event)
{
    // A middle click would paste the selection straight into the box.
    if (event->button() == Qt::MiddleButton) {
        const QString text = QApplication::clipboard()->text(QClipboard::Selection);
        if (!text.isEmpty())
            emit pasteRequested(text);
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TapeLineBox::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* cut = menu.addAction(tr("Cu&t"), this, [this] {
        copy();
        emit cutRequested();
    });
    cut->setEnabled(hasSelectedText());
    QAction* copyAction = menu.addAction(tr("&Copy"), this, [this] { copy(); });
    copyAction->setEnabled(hasSelectedText());
    const QString clip = QApplication::clipboard()->text();
    QAction* paste = menu.addAction(tr("&Paste"), this, [this, clip] { emit pasteRequested(clip); });
    paste->setEnabled(!clip.isEmpty());
    menu.addSeparator();
    menu.addAction(tr("Select &All"), this, [this] { emit selectAllRequested(); });
    menu.addSeparator();
    menu.addAction(tr("&Note..."), this, [this] { emit noteRequested(row_); });
    menu.exec(event->globalPos());
    event->accept();
}

void TapeLineBox::setNote(const QString& note)
{
    if (note == note_)
        return;
    note_ = note;
    update();
}

void TapeLineBox::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    if (note_.isEmpty())
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this)
                           .adjusted(2, 0, -2, 0);
    // The number keeps its room at the right; the note takes what is left,
    // with a gap, and is shortened to it.
    const QFontMetrics metrics(font());
    const int gap = metrics.horizontalAdvance(QStringLiteral("  "));
    const int room = area.width() - metrics.horizontalAdvance(text()) - gap;
    if (room <= metrics.horizontalAdvance(QStringLiteral("...")))
        return;
    QPainter painter(this);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawText(QRect(area.left(), area.top(), room, area.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(note_, Qt::ElideRight, room));
}

void TapeLineBox::inputMethodEvent(QInputMethodEvent* event)
{
    event->ignore();
}

} // namespace qm::ui
