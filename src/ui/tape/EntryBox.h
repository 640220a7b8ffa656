#pragma once
// A single-line text box that reports its keys and focus to the window: key
// down with the Windows virtual-key code, then the typed character (only for
// keys that type one). A handler cancels a key by setting its code or
// character to 0.

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
    std::function<void(int index)> onGotFocus;

    // Text and background colours as 0x00BBGGRR.
    void setForeColor(std::uint32_t colour);
    std::uint32_t foreColor() const { return foreColor_; }
    void setBackColor(std::uint32_t colour);
    std::uint32_t backColor() const { return backColor_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int index_;
    std::uint32_t foreColor_ = 0x000000;
    std::uint32_t backColor_ = 0xFFFFFF;
};

} // namespace qm::ui
