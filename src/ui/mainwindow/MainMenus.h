#pragma once
// The main window's menus and their actions, built once. The window connects
// the actions to its commands.

#include <QVector>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace qm::ui {

struct MainMenus {
    QMenu* optionsMenu = nullptr;
    QAction* clearAllAction = nullptr;
    QAction* openAction = nullptr;
    QAction* saveAction = nullptr;
    QAction* copyNumbersAction = nullptr;
    QAction* pasteNumbersAction = nullptr;
    QAction* copyTapeAction = nullptr;
    QAction* exportCsvAction = nullptr;
    QAction* sortNumbersAction = nullptr;
    QAction* printAction = nullptr;
    QAction* printPreviewAction = nullptr;
    QAction* printDialogAction = nullptr;
    QAction* exportPdfAction = nullptr;
    QAction* quitAction = nullptr;

    QMenu* editMenu = nullptr;
    QAction* undoAction = nullptr;
    QAction* redoAction = nullptr;
    QAction* noteAction = nullptr;
    QAction* reopenLastTapeAction = nullptr;

    QMenu* decimalsMenu = nullptr;
    QVector<QAction*> decimalsActions;   // by number of decimals 0..6, then "Variable"

    QMenu* totalMenu = nullptr;
    QVector<QAction*> statModeActions;   // by statistics mode

    QMenu* gamesMenu = nullptr;
    QVector<QAction*> gameActions;       // "Nixie Invaders", "Nixie Blaster"

    QMenu* helpMenu = nullptr;
    QAction* shortcutsAction = nullptr;
    QAction* aboutAction = nullptr;

    // The decimals action for a setting (0..6 or "Variable"); null for others.
    QAction* decimalsAction(int decimals) const;
};

// Fills the menu bar with the documented menus, in their order.
void buildMainMenus(QMenuBar* bar, QObject* owner, MainMenus& menus);

} // namespace qm::ui
