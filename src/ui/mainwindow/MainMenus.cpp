#include "ui/mainwindow/MainMenus.h"

#include "core/editing/TapeEditor.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace qm::ui {

namespace {

constexpr int MaxFixedDecimals = 6;

QAction* checkable(QMenu* menu, QActionGroup* group, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setCheckable(true);
    group->addAction(a);
    return a;
}

} // namespace

QAction* MainMenus::decimalsAction(int decimals) const
{
    if (decimals == VariableDecimals)
        return decimalsActions.isEmpty() ? nullptr : decimalsActions.back();
    return decimals >= 0 && decimals <= MaxFixedDecimals && decimals < decimalsActions.size()
               ? decimalsActions[decimals]
               : nullptr;
}

void buildMainMenus(QMenuBar* bar, QObject* owner, MainMenus& m)
{
    m.optionsMenu = bar->addMenu(QObject::tr("&Options"));
    m.optionsMenu->setObjectName(QStringLiteral("optionsMenu"));
    m.clearAllAction = m.optionsMenu->addAction(QObject::tr("Clear All..."));
    m.optionsMenu->addSeparator();
    m.openAction = m.optionsMenu->addAction(QObject::tr("Open Calculation..."));
    m.openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m.saveAction = m.optionsMenu->addAction(QObject::tr("Save Calculation..."));
    m.saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m.optionsMenu->addSeparator();
    m.copyNumbersAction = m.optionsMenu->addAction(QObject::tr("Copy Numbers..."));
    m.pasteNumbersAction = m.optionsMenu->addAction(QObject::tr("Paste Numbers..."));
    m.optionsMenu->addSeparator();
    m.sortNumbersAction = m.optionsMenu->addAction(QObject::tr("Sort Numbers..."));
    m.optionsMenu->addSeparator();
    m.printAction = m.optionsMenu->addAction(QObject::tr("Print Calculation..."));
    m.printAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m.printPreviewAction = m.optionsMenu->addAction(QObject::tr("Print Preview..."));
    m.printDialogAction = m.optionsMenu->addAction(QObject::tr("Print..."));
    m.printDialogAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    m.exportPdfAction = m.optionsMenu->addAction(QObject::tr("Export PDF..."));

    // After Options, so that the Options menu keeps its documented items in
    // their places.
    m.editMenu = bar->addMenu(QObject::tr("&Edit"));
    m.editMenu->setObjectName(QStringLiteral("editMenu"));
    m.undoAction = m.editMenu->addAction(QObject::tr("Undo"));
    m.undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redoAction = m.editMenu->addAction(QObject::tr("Redo"));
    m.redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m.editMenu->addSeparator();
    m.reopenLastTapeAction = m.editMenu->addAction(QObject::tr("Reopen Last Tape"));

    m.decimalsMenu = bar->addMenu(QObject::tr("&Decimals"));
    auto* decimals = new QActionGroup(owner);
    static const char* const fixed[] = {"0", "0.0", "0.00", "0.000", "0.0000", "0.00000", "0.000000"};
    for (const char* caption : fixed)
        m.decimalsActions.append(checkable(m.decimalsMenu, decimals, QString::fromLatin1(caption)));
    m.decimalsActions.append(checkable(m.decimalsMenu, decimals, QObject::tr("Variable")));
    m.decimalsActions.back()->setChecked(true);

    m.totalMenu = bar->addMenu(QObject::tr("&Total"));
    auto* modes = new QActionGroup(owner);
    for (const QString& caption : {QObject::tr("Numbers..."), QObject::tr("Average..."),
                                   QObject::tr("Mean..."), QObject::tr("Mode...")})
        m.statModeActions.append(checkable(m.totalMenu, modes, caption));
    m.statModeActions.front()->setChecked(true);

    m.gamesMenu = bar->addMenu(QObject::tr("&Games"));
    m.gameActions.append(m.gamesMenu->addAction(QObject::tr("Start Nixie Invaders...")));
    m.gameActions.append(m.gamesMenu->addAction(QObject::tr("Start Nixie Blaster...")));
}

} // namespace qm::ui
