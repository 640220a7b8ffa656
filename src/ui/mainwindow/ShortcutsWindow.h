#pragma once
// "Keyboard Shortcuts": every key the window answers to, in one table. The
// menu shortcuts are read from the window's actions when it opens, so the
// list never falls behind the menus.

#include <QDialog>

class QTableWidget;

namespace qm::ui {

class ShortcutsWindow : public QDialog {
    Q_OBJECT
public:
    // `window`: the main window whose menus and actions are listed;
    // `decimalSep`, `thousandSep`: the separators a tape line accepts.
    ShortcutsWindow(QWidget* window, char decimalSep, char thousandSep);

    QTableWidget* table() const { return table_; }

private:
    void addSection(const QString& title);
    void addRow(const QString& keys, const QString& meaning);
    void addMenuShortcuts(QWidget* window);

    QTableWidget* table_ = nullptr;
};

} // namespace qm::ui
