#pragma once
// The function buttons: scientific and user-defined functions that turn the
// current line into a function line, and "Edit", which opens their editor.

#include "core/tape/Tape.h"

#include <QVector>
#include <QWidget>

namespace qm::ui {

class SuperButton;

class FunctionPad : public QWidget {
    Q_OBJECT
public:
    explicit FunctionPad(const FunctionButtons& buttons, QWidget* parent);

    // New captions and tooltips (after the editor or the settings file).
    void setButtons(const FunctionButtons& buttons);
    QVector<SuperButton*> buttons() const { return buttons_; }

signals:
    void functionPressed(int index);   // 0..22
    void editPressed();

private:
    QVector<SuperButton*> buttons_;
};

} // namespace qm::ui
