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

class EFbutton : public QDialog {
    Q_OBJECT
public:
    static constexpr int TwipsPerPixel = 15;   // at the design's 96 dots per inch
    static constexpr int LabelCount = 7;

    // The names of the built-in functions, in the order of the drop-down list.
    static const QStringList& builtInNames();
    // Pixels of a rectangle given in twips of the window.
    static QRect twipsRect(int left, int top, int width, int height);

    // Copies `buttons` and opens at button 0. The window deletes itself when
    // closed; `owner` is the main window.
    explicit EFbutton(const FunctionButtons& buttons, QWidget* owner = nullptr);
    ~EFbutton() override;

    // Copies the main window's buttons afresh and opens at button 0 again.
    void loadButtons(const FunctionButtons& buttons);
    // The editor's copies as they stand (formulas as typed).
    const FunctionButtons& buttons() const { return buttons_; }
    int EditIndex() const { return editIndex_; }

    // Event handlers, also callable directly.
    void Stific_Click(int Index);
    void F_But_name_Change();
    void F_But_name_Click();
    void F_But_Formula_Change();
    void F_Tip_Text_Change();
    void OK_Click(int Index);

    QComboBox* F_But_name = nullptr;
    QLineEdit* F_But_Formula = nullptr;
    QLineEdit* F_Tip_Text = nullptr;
    std::array<SuperButton*, 2> OK{};
    std::array<SuperButton*, FunctionButtonCount> Stific{};
    std::array<QLabel*, LabelCount> L{};

signals:
    // "Use": every button with its name, its formula in upper case and its
    // tooltip, for the main window to take over.
    void used(const qm::FunctionButtons& buttons);

protected:
    // Enter in a field: as Use; Escape: as Cancel.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fillFields();

    FunctionButtons buttons_;
    int editIndex_ = 0;
};

} // namespace qm::ui
