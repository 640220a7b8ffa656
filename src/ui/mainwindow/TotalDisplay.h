#pragma once
// The grand-total box in its frame. It shows the session's result; while a
// game runs the game borrows it, and its keys go to the game.

#include <QFrame>

#include <cstdint>
#include <functional>

namespace qm::ui {

class EntryBox;

class TotalDisplay : public QFrame {
    Q_OBJECT
public:
    explicit TotalDisplay(QWidget* parent);

    void showResult(const QString& text, std::uint32_t colour);
    void setBackground(std::uint32_t colour);
    // The frame and box stretch with the window's interior width.
    void fitWidth(int interiorWidth);
    EntryBox* box() const { return box_; }
    QString text() const;

signals:
    void focused();
    // A key pressed in the box, as a virtual-key code (the games' input).
    void keyDown(int keyCode);

private:
    EntryBox* box_ = nullptr;
};

} // namespace qm::ui
