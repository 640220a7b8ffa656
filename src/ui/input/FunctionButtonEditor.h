#pragma once
// The editor of the user-defined function buttons: a modeless window over the
// main window that works on copies of the 23 function buttons. The user picks
// a button, edits its name, formula and tooltip, and then either hands all of
// them back ("Use", formulas in upper case) or drops the changes ("Cancel").

#include "core/tape/Tape.h"

#include <QDialog>
#include <QRect>
#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace qm::ui {

class SuperButton;

class FunctionButtonEditor : public QDialog {
    Q_OBJECT
public:
    static constexpr int LabelCount = 7;

    // The names of the built-in functions, in the order of the drop-down list.
    static const QStringList& builtInNames();

    // Copies `buttons` and opens at button 0. The window deletes itself when
    // closed; `owner` is the main window.
    explicit FunctionButtonEditor(const FunctionButtons& buttons, QWidget* owner = nullptr);
    ~FunctionButtonEditor() override;

    // Copies the main window's buttons afresh and opens at button 0 again.
    void loadButtons(const FunctionButtons& buttons);
    // The editor's copies as they stand (formulas as typed).
    const FunctionButtons& buttons() const { return buttons_; }
    // The button being edited.
    int editedButton() const { return editIndex_; }

    // The parts of the window, for its tests.
    SuperButton* buttonKey(int index) const { return keys_.at(static_cast<std::size_t>(index)); }
    SuperButton* useButton() const { return actions_[0]; }
    SuperButton* cancelButton() const { return actions_[1]; }
    QComboBox* nameField() const { return name_; }
    QLineEdit* formulaField() const { return formula_; }
    QLineEdit* tipField() const { return tip_; }

signals:
    // "Use": every button with its name, its formula in upper case and its
    // tooltip, for the main window to take over.
    void used(const qm::FunctionButtons& buttons);

protected:
    // Enter in a field: as Use; Escape: as Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillFields();
    void chooseButton(int index);
    void nameChanged();
    void formulaChanged();
    void tipChanged();
    // 0 "Use": hands the buttons over; 1 "Cancel": drops them. Both close.
    void finish(int action);

    QComboBox* name_ = nullptr;
    QLineEdit* formula_ = nullptr;
    QLineEdit* tip_ = nullptr;
    QLabel* formulaLabel_ = nullptr;
    std::array<SuperButton*, 2> actions_{};
    std::array<SuperButton*, FunctionButtonCount> keys_{};

    FunctionButtons buttons_;
    int editIndex_ = 0;
};

} // namespace qm::ui
