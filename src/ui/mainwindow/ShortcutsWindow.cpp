#include "ui/mainwindow/ShortcutsWindow.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace qm::ui {

namespace {

constexpr QSize InitialSize(720, 560);

// A menu item's caption as the user reads it: without its access-key marker.
QString plainCaption(const QAction* a)
{
    QString text = a->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
    return text;
}

QString keysOf(const QAction* a)
{
    QStringList keys;
    for (const QKeySequence& k : a->shortcuts())
        keys << k.toString(QKeySequence::NativeText);
    return keys.join(QStringLiteral(", "));
}

} // namespace

ShortcutsWindow::ShortcutsWindow(QWidget* window, char decimalSep, char thousandSep) : QDialog(window)
{
    setObjectName(QStringLiteral("shortcutsWindow"));
    setWindowTitle(tr("Keyboard Shortcuts"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    table_ = new QTableWidget(0, 2, this);
    table_->setObjectName(QStringLiteral("shortcutsTable"));
    table_->setAccessibleName(tr("Keyboard shortcuts"));
    table_->setHorizontalHeaderLabels({tr("Key"), tr("What it does")});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setWordWrap(true);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    // Rows follow their wrapped text whenever the columns change width.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    const QString decimal(QChar::fromLatin1(decimalSep));
    const QString thousands(QChar::fromLatin1(thousandSep));

    addSection(tr("In a tape line"));
    addRow(tr("0 to 9"), tr("Type a figure"));
    addRow(decimal, tr("Decimal separator (a second one in the same line is ignored)"));
    addRow(thousands, tr("Thousands separator (left out when the line is stored)"));
    addRow(QStringLiteral("+  -  *  /"),
           tr("End the line; the next line takes that operator (* shows as x)"));
    addRow(tr("Enter"), tr("Next line; on the last line of the tape a new line with the same operator"));
    addRow(tr("Up, Down"), tr("Previous or next line, scrolling the tape at its top and bottom"));
    addRow(tr("Page Up, Page Down"), tr("Move up or down by as many lines as are shown"));
    addRow(tr("Left, Right, Home, End"), tr("Move the caret in the line"));
    addRow(tr("Backspace, Delete"), tr("Delete the character before or after the caret"));
    addRow(QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText) + QStringLiteral(", ")
               + QKeySequence(QKeySequence::Cut).toString(QKeySequence::NativeText) + QStringLiteral(", ")
               + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText) + QStringLiteral(", ")
               + QKeySequence(QKeySequence::SelectAll).toString(QKeySequence::NativeText),
           tr("Copy, cut, paste and select all within the line"));
    addRow(tr("Mouse wheel"), tr("Scroll the tape"));

    addSection(tr("Window and menus"));
    addRow(tr("Alt + underlined letter"), tr("Open a menu; then the underlined letter of an item chooses it"));
    addRow(tr("Tab, Shift+Tab"), tr("Move to the buttons and back; Space or Enter presses the button"));
    addMenuShortcuts(window);

    addSection(tr("During a game"));
    addRow(tr("0 to 8"), tr("Shoot the leftmost figure when it is the figure pressed (the keypad works too)"));


    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(InitialSize);
}

void ShortcutsWindow::addSection(const QString& title)
{
    const int r = table_->rowCount();
    table_->insertRow(r);
    auto* item = new QTableWidgetItem(title);
    QFont bold = item->font();
    bold.setBold(true);
    item->setFont(bold);
    table_->setItem(r, 0, item);
    table_->setSpan(r, 0, 1, 2);
}

void ShortcutsWindow::addRow(const QString& keys, const QString& meaning)
{
    const int r = table_->rowCount();
    table_->insertRow(r);
    table_->setItem(r, 0, new QTableWidgetItem(keys));
    table_->setItem(r, 1, new QTableWidgetItem(meaning));
}

// Every action with a shortcut: the menus' items in their order, then any
// the window holds outside its menus.
void ShortcutsWindow::addMenuShortcuts(QWidget* window)
{
    auto* main = qobject_cast<QMainWindow*>(window);
    if (main) {
        for (QAction* title : main->menuBar()->actions()) {
            const QMenu* menu = title->menu();
            if (!menu)
                continue;
            for (const QAction* a : menu->actions())
                if (!a->shortcuts().isEmpty())
                    addRow(keysOf(a), plainCaption(title) + QStringLiteral(" > ") + plainCaption(a));
        }
    }
    if (window)
        for (const QAction* a : window->actions())
            if (!a->shortcuts().isEmpty())
                addRow(keysOf(a), plainCaption(a));
}

} // namespace qm::ui
