#pragma once
// The keypad for touch and mouse: digits, decimal separator, operators, the
// clearing keys, sign, percent and pi. It only reports which key was pressed.

#include "core/editing/TapeEditor.h"

#include <QVector>
#include <QWidget>

namespace qm::ui {

class SuperButton;

class Keypad : public QWidget {
    Q_OBJECT
public:
    explicit Keypad(QWidget* parent);

    // The decimal key shows the regional separator.
    void setDecimalCaption(char sep);
    SuperButton* button(KeypadKey key) const;
    SuperButton* piButton() const { return pi_; }
    QVector<SuperButton*> buttons() const;

signals:
    void keyPressed(qm::KeypadKey key);
    void piPressed();

private:
    QVector<SuperButton*> keys_;
    SuperButton* pi_ = nullptr;
};

} // namespace qm::ui
