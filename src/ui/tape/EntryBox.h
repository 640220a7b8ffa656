#pragma once
// A single-line text box that reports its key, focus and mouse events to the
// window in the classic order of one key: key down, then the typed character
// (only for keys that type one), then key up. A handler cancels a key by
// setting its code or character to 0; a handler that changes the character
// has the new one typed instead.

#include <QLineEdit>

#include <cstdint>
#include <functional>

namespace qm::ui {

class EntryBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryBox(int index, QWidget* parent = nullptr);

    int index() const { return index_; }

    std::function<void(int index, int& keyCode, int shift)> onKeyDown;
    std::function<void(int index, int& keyAscii)> onKeyPress;
    std::function<void(int index, int& keyCode, int shift)> onKeyUp;
    std::function<void(int index)> onGotFocus;
    std::function<void(int index)> onLostFocus;
    std::function<void(int index, int button, int shift, int x, int y)> onMouseDown;

    // Text and background colours as 0x00BBGGRR.
    void setForeColor(std::uint32_t colour);
    std::uint32_t foreColor() const { return foreColor_; }
    void setBackColor(std::uint32_t colour);
    std::uint32_t backColor() const { return backColor_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int index_;
    std::uint32_t foreColor_ = 0x000000;
    std::uint32_t backColor_ = 0xFFFFFF;
};

// 0x00BBGGRR to QColor and back.
QColor colorFromBgr(std::uint32_t bgr);
std::uint32_t bgrFromColor(const QColor& colour);

} // namespace qm::ui
