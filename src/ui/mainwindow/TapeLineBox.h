#pragma once
// One tape row's text box. It holds no data of its own: every key that would
// change its text is reported as an editing request, the window's session
// applies it, and the box shows what the session reports. Caret moves and
// selections stay the box's own and are reported after they happen.

#include <QLineEdit>

#include <cstdint>

namespace qm::ui {

class TapeLineBox : public QLineEdit {
    Q_OBJECT
public:
    TapeLineBox(int row, char decimalSep, QWidget* parent = nullptr);

    int row() const { return row_; }
    void setDecimalSeparator(char sep) { decimalSep_ = sep; }
    // Shows a text, caret and selection the session reports; nothing is
    // reported back for it.
    void showText(const QString& text);
    void showCaret(int caret, int anchor);
    void setColours(std::uint32_t text, std::uint32_t background);
    // The line's note, drawn grey at the left opposite the number (elided
    // to the room the number leaves); empty for none.
    void setNote(const QString& note);
    const QString& note() const { return note_; }

signals:
    void typed(char c);
    void backspacePressed();
    void deletePressed();
    void upPressed();
    void downPressed();
    void pageUpPressed();
    void pageDownPressed();
    void pasteRequested(const QString& text);
    void cutRequested();
    void selectAllRequested();
    void caretMoved(int caret, int anchor);
    void focused(int row);
    void noteRequested(int row);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void reportCaret();
    bool showing_ = false;
    QString note_;
    int row_;
    char decimalSep_;
    std::uint32_t textColour_ = 0x000000;
    std::uint32_t backColour_ = 0xFFFFFF;
};

} // namespace qm::ui
