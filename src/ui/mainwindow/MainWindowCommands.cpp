// The menu commands: Clear All, files, Copy and Paste Numbers, Sort Numbers,
// decimals, total mode, printing, the games and help.

#include "ui/mainwindow/MainWindow.h"

#include "core/commands/PrintLayout.h"
#include "core/commands/TapeRecord.h"
#include "ui/commands/PrintTape.h"
#include "ui/files/CalculationFiles.h"
#include "ui/files/FileProblemText.h"
#include "ui/files/TapeRecovery.h"
#include "ui/game/HighScorePanel.h"
#include "ui/game/GameController.h"
#include "ui/mainwindow/AboutText.h"
#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/ShortcutsWindow.h"
#include "ui/mainwindow/TapeView.h"
#include "ui/mainwindow/TotalDisplay.h"
#include "ui/platform/Clipboard.h"
#include "ui/platform/FilePath.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/Translations.h"
#include "ui/tape/EntryBox.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>

namespace qm::ui {

namespace {

constexpr int OpenDialog = 0;
constexpr int SaveDialog = 1;

// The grand-total box and the high-score tables, as the games see them.
class WindowGameHost final : public QObject, public GameHost {
public:
    WindowGameHost(MainWindow& window, TotalDisplay& total, HighScoreNameTable& names,
                   HighScoreTable& scores)
        : QObject(&window), window_(window), total_(total), names_(names), scores_(scores)
    {
    }

    void setTotalText(const QString& text) override { total_.box()->setText(text); }
    void setTotalAlignment(Qt::Alignment alignment) override { total_.box()->setAlignment(alignment); }
    void setTotalLocked(bool locked) override { total_.box()->setReadOnly(locked); }
    void focusTotal() override { total_.box()->setFocus(Qt::OtherFocusReason); }
    HighScoreNames highScoreNames() override { return names_; }
    HighScoreList highScores() override { return scores_; }
    std::int64_t nowMs() const override { return window_.nowMs(); }

private:
    MainWindow& window_;
    TotalDisplay& total_;
    HighScoreNameTable& names_;
    HighScoreTable& scores_;
};

} // namespace

void MainWindow::buildMenus()
{
    buildMainMenus(menuBar(), this, *menus_);
    MainMenus& m = *menus_;
    connect(m.clearAllAction, &QAction::triggered, this, &MainWindow::clearAll);
    connect(m.openAction, &QAction::triggered, this, &MainWindow::openCalculationFile);
    connect(m.saveAction, &QAction::triggered, this, &MainWindow::saveCalculationFile);
    connect(m.copyNumbersAction, &QAction::triggered, this, &MainWindow::copyNumbers);
    connect(m.pasteNumbersAction, &QAction::triggered, this, &MainWindow::pasteNumbers);
    connect(m.copyTapeAction, &QAction::triggered, this, &MainWindow::copyTape);
    connect(m.exportCsvAction, &QAction::triggered, this, &MainWindow::exportCsv);
    connect(m.noteAction, &QAction::triggered, this, [this] { editNote(editor_->currentLine()); });
    connect(m.sortNumbersAction, &QAction::triggered, this, &MainWindow::sortNumbers);
    connect(m.printAction, &QAction::triggered, this, &MainWindow::printCalculation);
    connect(m.printPreviewAction, &QAction::triggered, this, &MainWindow::printPreview);
    connect(m.printDialogAction, &QAction::triggered, this, &MainWindow::printWithDialog);
    connect(m.exportPdfAction, &QAction::triggered, this, &MainWindow::exportPdf);
    connect(m.undoAction, &QAction::triggered, this, &MainWindow::undo);
    connect(m.redoAction, &QAction::triggered, this, &MainWindow::redo);
    connect(m.reopenLastTapeAction, &QAction::triggered, this, &MainWindow::reopenLastTape);
    connect(m.editMenu, &QMenu::aboutToShow, this, [this] {
        updateEditActions();
        menus_->reopenLastTapeAction->setEnabled(!game_.running() && recovery_ && recovery_->hasLastTape());
    });
    for (int i = 0; i < m.decimalsActions.size(); ++i) {
        const int decimals = i == m.decimalsActions.size() - 1 ? VariableDecimals : i;
        connect(m.decimalsActions[i], &QAction::triggered, this, [this, decimals] { chooseDecimals(decimals); });
    }
    for (int i = 0; i < m.statModeActions.size(); ++i)
        connect(m.statModeActions[i], &QAction::triggered, this, [this, i] { chooseStatMode(i); });
    for (int i = 0; i < m.gameActions.size(); ++i)
        connect(m.gameActions[i], &QAction::triggered, this, [this, i] { startGame(i); });
    connect(m.shortcutsAction, &QAction::triggered, this, &MainWindow::showKeyboardShortcuts);
    connect(m.aboutAction, &QAction::triggered, this, &MainWindow::showAbout);

    connect(m.quitAction, &QAction::triggered, this, &QWidget::close);
}

void MainWindow::showKeyboardShortcuts()
{
    // One window at a time: a second F1 brings it forward.
    auto* shortcuts = findChild<ShortcutsWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (!shortcuts)
        shortcuts = new ShortcutsWindow(this, editor_->settings().regional.decimalSep,
                                        editor_->settings().regional.thousandSep);
    shortcuts->show();
    shortcuts->raise();
    shortcuts->activateWindow();
}

void MainWindow::showAbout()
{
    withGamePaused([this] { QMessageBox::about(this, tr("About Quillmate"), aboutText()); });
}

void MainWindow::clearAll()
{
    editor_->clearAll();
    refresh();
    if (isVisible())
        tapeView_->focusCurrentRow();
}

void MainWindow::withGamePaused(const std::function<void()>& step)
{
    QTimer* timer = gameController_ && game_.running() ? &gameController_->timer() : nullptr;
    const bool wasRunning = timer && timer->isActive();
    if (wasRunning)
        timer->stop();
    step();
    if (wasRunning && game_.running())
        timer->start();
}

void MainWindow::openCalculationFile()
{
    QString path;
    withGamePaused([&] { path = chooseCalculationFile(this, OpenDialog, lastFile_); });
    openFile(path);
}

bool MainWindow::openFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    // The new tape is swapped in only when the whole file was read; every
    // failure is reported by openCalculation itself.
    Tape tape;
    bool opened = false;
    withGamePaused([&] { opened = openCalculation(this, path, editor_->settings().regional, tape); });
    if (!opened)
        return false;
    lastFile_ = path;
    editor_->replaceTape(std::move(tape));
    refresh();
    return true;
}

void MainWindow::saveCalculationFile()
{
    withGamePaused([&] {
        const QString path = chooseCalculationFile(this, SaveDialog, lastFile_);
        if (path.isEmpty())
            return;
        if (saveCalculation(this, path, editor_->tape(), editor_->settings().regional, nullptr,
                            editor_->enteredLines()))
            lastFile_ = path;
    });
}

void MainWindow::copyNumbers()
{
    setClipboardText(toQ(editor_->copyNumbersText()));
}

void MainWindow::copyTape()
{
    setClipboardText(toQ(editor_->tapeRecordText(RecordFormat::Tabs)));
}

void MainWindow::exportCsv()
{
    withGamePaused([&] {
        const QFileInfo last(lastFile_);
        QFileDialog dialog(this, tr("Export CSV"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(tr("CSV files (*.csv)"));
        dialog.setDefaultSuffix(QStringLiteral("csv"));
        if (!lastFile_.isEmpty())
            dialog.selectFile(last.dir().filePath(last.completeBaseName() + QStringLiteral(".csv")));
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return;
        const QString path = dialog.selectedFiles().constFirst();
        const FileStatus written = writeRecordFile(toFsPath(path), editor_->tapeRecordText(RecordFormat::Csv));
        if (!written) {
            QMessageBox box(QMessageBox::Warning, messageTitle(),
                            tr("The tape was not exported: %1").arg(fileStatusText(written)), QMessageBox::Ok, this);
            box.exec();
        }
    });
}

void MainWindow::editNote(long long line)
{
    if (game_.running() || line < 0 || static_cast<std::size_t>(line) >= editor_->tape().size())
        return;
    withGamePaused([&] {
        QInputDialog dialog(this);
        dialog.setWindowTitle(tr("Note"));
        dialog.setLabelText(tr("Note for line %1 (empty removes it):").arg(line + 1));
        dialog.setTextValue(toQ(editor_->note(line)));
        if (auto* edit = dialog.findChild<QLineEdit*>())
            edit->setMaxLength(static_cast<int>(MaxNoteChars));
        if (dialog.exec() != QDialog::Accepted)
            return;
        // Tabs and line breaks would split the line in a file: blanks instead.
        QString text = dialog.textValue();
        for (QChar& c : text) {
            if (c.category() == QChar::Other_Control)
                c = QLatin1Char(' ');
        }
        editor_->setNote(line, toStd(text.left(static_cast<int>(MaxNoteChars))));
    });
    refresh();
}

void MainWindow::pasteNumbers()
{
    const PasteOutcome outcome = editor_->pasteNumbers(toStd(clipboardText()));
    refresh();
    if (outcome.cut) {
        withGamePaused([&] {
            QMessageBox box(QMessageBox::Information, messageTitle(),
                            tr("The tape is full: %1 of %2 lines were pasted.").arg(outcome.lines).arg(outcome.offered),
                            QMessageBox::Ok, this);
            box.exec();
        });
    }
}

void MainWindow::sortNumbers()
{
    editor_->sortNumbers();
    refresh();
}

void MainWindow::undo()
{
    if (editor_->undo())
        afterUndoOrRedo();
}

void MainWindow::redo()
{
    if (editor_->redo())
        afterUndoOrRedo();
}

void MainWindow::afterUndoOrRedo()
{
    refresh();
    if (isVisible() && !game_.running())
        tapeView_->focusCurrentRow();
}

void MainWindow::updateEditActions()
{
    // While a game borrows the total box nothing may change the tape: the
    // session ignores such input, and the commands that would are greyed.
    const bool playing = game_.running();
    editor_->setTapeLocked(playing);
    menus_->undoAction->setEnabled(!playing && editor_->canUndo());
    menus_->redoAction->setEnabled(!playing && editor_->canRedo());
    for (QAction* command : {menus_->clearAllAction, menus_->openAction, menus_->pasteNumbersAction,
                             menus_->sortNumbersAction, menus_->reopenLastTapeAction, menus_->noteAction})
        command->setEnabled(!playing);
}

void MainWindow::reopenLastTape()
{
    const QString path = recovery_->lastTapeFile();
    Tape tape;
    bool opened = false;
    // Like Open, but the tape keeps no file of its own: saving it asks for one.
    withGamePaused([&] { opened = openCalculation(this, path, editor_->settings().regional, tape); });
    if (!opened)
        return;
    editor_->replaceTape(std::move(tape));
    refresh();
}

// Each tape a window left unclosed is offered; one of them can come back in
// this window. With several the user picks one from a list.
void MainWindow::offerLastTape()
{
    const QList<TapeRecovery::UnclosedTape> tapes = recovery_->unclosedTapes();
    if (tapes.isEmpty())
        return;
    int chosen = -1;
    withGamePaused([&] {
        if (tapes.size() == 1) {
            QMessageBox box(QMessageBox::Question, messageTitle(),
                            tr("The program did not close normally last time. Reopen the last tape?"),
                            QMessageBox::Yes | QMessageBox::No, this);
            box.setDefaultButton(QMessageBox::Yes);
            chosen = box.exec() == QMessageBox::Yes ? 0 : -1;
            return;
        }
        QDialog dialog(this);
        dialog.setObjectName(QStringLiteral("unclosedTapes"));
        dialog.setWindowTitle(messageTitle());
        auto* layout = new QVBoxLayout(&dialog);
        auto* question = new QLabel(tr("The program did not close normally last time. Reopen one of these tapes?\n"
                                       "Those not reopened are offered again at the next start; "
                                       "No makes the newest the last tape."),
                                    &dialog);
        question->setWordWrap(true);
        layout->addWidget(question);
        auto* list = new QListWidget(&dialog);
        for (const TapeRecovery::UnclosedTape& tape : tapes)
            list->addItem(tape.name);
        list->setCurrentRow(0);
        layout->addWidget(list);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No, &dialog);
        buttons->button(QDialogButtonBox::Yes)->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
        layout->addWidget(buttons);
        dialog.resize(520, 260);
        if (dialog.exec() == QDialog::Accepted)
            chosen = list->currentRow();
    });
    recovery_->settleUnclosed(chosen);
    if (chosen >= 0)
        reopenLastTape();
}

void MainWindow::chooseDecimals(int decimals)
{
    editor_->setDecimals(decimals);
    if (QAction* a = menus_->decimalsAction(decimals))
        a->setChecked(true);
    refresh();
}

void MainWindow::chooseStatMode(int mode)
{
    if (mode < 0 || mode >= menus_->statModeActions.size())
        return;
    editor_->setStatMode(static_cast<StatMode>(mode));
    menus_->statModeActions[mode]->setChecked(true);
    refresh();
}

void MainWindow::print(const std::function<void(const QString& totalText)>& command)
{
    withGamePaused([&] {
        // The strip's total is the tape's own result, never a game's text.
        Evaluator evaluator;
        command(toQ(printedTotalText(editor_->tape(), editor_->settings(), editor_->functionButtons(),
                                     evaluator)));
    });
}

// Each command reports its own failures (no printer, a failed write).
void MainWindow::printCalculation()
{
    print([this](const QString& total) {
        printTapeOnDefaultPrinter(this, editor_->tape(), editor_->settings().DecimalPlaces,
                                  editor_->settings().regional, total);
    });
}

void MainWindow::printPreview()
{
    print([this](const QString& total) {
        const std::vector<std::string> totals = editor_->runningTotalTexts();
        previewTape(this, editor_->tape(), editor_->settings().DecimalPlaces, editor_->settings().regional,
                    total, &totals);
    });
}

void MainWindow::printWithDialog()
{
    print([this](const QString& total) {
        printTapeWithDialog(this, editor_->tape(), editor_->settings().DecimalPlaces,
                            editor_->settings().regional, total);
    });
}

void MainWindow::exportPdf()
{
    // Beside the calculation last opened or saved, named after it.
    const QFileInfo last(lastFile_);
    const QString suggested =
        lastFile_.isEmpty() ? QString() : last.dir().filePath(last.completeBaseName() + QStringLiteral(".pdf"));
    print([this, &suggested](const QString& total) {
        const std::vector<std::string> totals = editor_->runningTotalTexts();
        exportTapePdf(this, editor_->tape(), editor_->settings().DecimalPlaces, editor_->settings().regional,
                      total, suggested, &totals);
    });
}

GameController* MainWindow::gameController()
{
    if (gameController_)
        return gameController_;
    auto* panel = new HighScorePanel(centralWidget());
    gamePanel_ = panel;
    panel->raise();
    auto* host = new WindowGameHost(*this, *totalDisplay_, scoreNames_, scores_);
    gameController_ = new GameController(game_, *host, *panel, this);
    // After a game the menu cannot start a new one until the pause is over;
    // greying its items shows why a click does nothing meanwhile.
    connect(gameController_, &GameController::gameOver, this, [this](int, int place) {
        if (place >= 0)
            writeSettings();   // a new high score survives a crash
        updateEditActions();
        for (QAction* item : menus_->gameActions)
            item->setEnabled(false);
        enableGamesAfterPause();
    });
    return gameController_;
}

void MainWindow::enableGamesAfterPause()
{
    const std::int64_t wait = game_.pauseUntil() - nowMs();
    if (wait > 0) {
        // A coarse timer may fire early; the pause is checked again then.
        QTimer::singleShot(static_cast<int>(std::min<std::int64_t>(wait, GamePauseMs)) + 1,
                           Qt::PreciseTimer, this, [this] { enableGamesAfterPause(); });
        return;
    }
    for (QAction* item : menus_->gameActions)
        item->setEnabled(true);
}

void MainWindow::startGame(int index)
{
    gameController()->startGame(index == 0 ? GameKind::Invaders : GameKind::Blaster);
    updateEditActions();
}

void MainWindow::onTotalKey(int keyCode)
{
    if (game_.running() && gameController_)
        gameController_->keyOnTotal(keyCode);
}

} // namespace qm::ui
