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

// The whole-tape commands take Ctrl+Shift, so that a tape line keeps its own
// Ctrl+C, Ctrl+V, Ctrl+X, Ctrl+A and the undo keys. Sort is O for "order".
const QKeySequence ClearAllKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete);
const QKeySequence CopyNumbersKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
const QKeySequence PasteNumbersKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_V);
const QKeySequence SortNumbersKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_O);
const QKeySequence CopyTapeKeys(Qt::CTRL | Qt::SHIFT | Qt::Key_T);
// F2 edits in place in most desktop programs; here it edits the line's note.
const QKeySequence NoteKeys(Qt::Key_F2);

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
    m.clearAllAction = m.optionsMenu->addAction(QObject::tr("Clear &All..."));
    m.clearAllAction->setShortcut(ClearAllKeys);
    m.optionsMenu->addSeparator();
    m.openAction = m.optionsMenu->addAction(QObject::tr("&Open Calculation..."));
    m.openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m.saveAction = m.optionsMenu->addAction(QObject::tr("&Save Calculation..."));
    m.saveAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m.optionsMenu->addSeparator();
    m.copyNumbersAction = m.optionsMenu->addAction(QObject::tr("&Copy Numbers..."));
    m.copyNumbersAction->setShortcut(CopyNumbersKeys);
    m.pasteNumbersAction = m.optionsMenu->addAction(QObject::tr("&Paste Numbers..."));
    m.pasteNumbersAction->setShortcut(PasteNumbersKeys);
    m.copyTapeAction = m.optionsMenu->addAction(QObject::tr("Cop&y Tape"));
    m.copyTapeAction->setShortcut(CopyTapeKeys);
    m.optionsMenu->addSeparator();
    m.sortNumbersAction = m.optionsMenu->addAction(QObject::tr("Sor&t Numbers..."));
    m.sortNumbersAction->setShortcut(SortNumbersKeys);
    m.optionsMenu->addSeparator();
    m.printAction = m.optionsMenu->addAction(QObject::tr("Pr&int Calculation..."));
    m.printAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m.printPreviewAction = m.optionsMenu->addAction(QObject::tr("Print Pre&view..."));
    m.printDialogAction = m.optionsMenu->addAction(QObject::tr("P&rint..."));
    m.printDialogAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    m.exportPdfAction = m.optionsMenu->addAction(QObject::tr("&Export PDF..."));
    m.exportCsvAction = m.optionsMenu->addAction(QObject::tr("E&xport CSV..."));
    m.optionsMenu->addSeparator();
    // Quitting is the window's normal close, so the settings are written; the
    // keys work in the program's other windows too.
    m.quitAction = m.optionsMenu->addAction(QObject::tr("&Quit"));
    m.quitAction->setObjectName(QStringLiteral("quitAction"));
    m.quitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m.quitAction->setShortcutContext(Qt::ApplicationShortcut);

    // After Options, so that the Options menu keeps its documented items in
    // their places.
    m.editMenu = bar->addMenu(QObject::tr("&Edit"));
    m.editMenu->setObjectName(QStringLiteral("editMenu"));
    m.undoAction = m.editMenu->addAction(QObject::tr("&Undo"));
    m.undoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.redoAction = m.editMenu->addAction(QObject::tr("&Redo"));
    m.redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    m.editMenu->addSeparator();
    m.noteAction = m.editMenu->addAction(QObject::tr("&Note..."));
    m.noteAction->setShortcut(NoteKeys);
    m.editMenu->addSeparator();
    m.reopenLastTapeAction = m.editMenu->addAction(QObject::tr("Reopen &Last Tape"));

    m.decimalsMenu = bar->addMenu(QObject::tr("&Decimals"));
    auto* decimals = new QActionGroup(owner);
    // The captions hold no figure but 0, so each item's access key, its number
    // of decimals, stands in the key column beside it (underlined there).
    QString caption = QStringLiteral("0");
    for (int places = 0; places <= MaxFixedDecimals; ++places) {
        if (places == 1)
            caption += QLatin1Char('.');
        if (places >= 1)
            caption += QLatin1Char('0');
        m.decimalsActions.append(checkable(m.decimalsMenu, decimals, caption + QStringLiteral("\t&%1").arg(places)));
    }
    m.decimalsActions.append(checkable(m.decimalsMenu, decimals, QObject::tr("&Variable")));
    m.decimalsActions.back()->setChecked(true);

    m.totalMenu = bar->addMenu(QObject::tr("&Total"));
    auto* modes = new QActionGroup(owner);
    for (const QString& caption : {QObject::tr("&Numbers..."), QObject::tr("&Average..."),
                                   QObject::tr("&Mean..."), QObject::tr("M&ode...")})
        m.statModeActions.append(checkable(m.totalMenu, modes, caption));
    m.statModeActions.front()->setChecked(true);

    m.gamesMenu = bar->addMenu(QObject::tr("&Games"));
    m.gameActions.append(m.gamesMenu->addAction(QObject::tr("Start Nixie &Invaders...")));
    m.gameActions.append(m.gamesMenu->addAction(QObject::tr("Start Nixie &Blaster...")));

    m.helpMenu = bar->addMenu(QObject::tr("&Help"));
    m.helpMenu->setObjectName(QStringLiteral("helpMenu"));
    m.shortcutsAction = m.helpMenu->addAction(QObject::tr("&Keyboard Shortcuts"));
    m.shortcutsAction->setShortcut(QKeySequence(Qt::Key_F1));
    m.aboutAction = m.helpMenu->addAction(QObject::tr("&About Quillmate"));
}

} // namespace qm::ui
