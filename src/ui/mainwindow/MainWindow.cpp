// Building the window, start-up and shutdown, and the pads' input.

#include "ui/mainwindow/MainWindow.h"

#include "core/Version.h"
#include "ui/platform/FilePath.h"

#include "core/commands/TapeCommands.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/controls/SuperButton.h"
#include "ui/game/GameController.h"
#include "ui/files/TapeRecovery.h"
#include "ui/input/FunctionButtonEditor.h"
#include "ui/mainwindow/FunctionPad.h"
#include "ui/mainwindow/Keypad.h"
#include "ui/mainwindow/DesignTexts.h"
#include "ui/mainwindow/MainMenus.h"
#include "ui/mainwindow/MemoryPad.h"
#include "ui/mainwindow/TapeView.h"
#include "ui/mainwindow/TotalDisplay.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/platform/SettingsLocation.h"
#include "ui/platform/SettingsStore.h"
#include "ui/platform/Translations.h"
#include "ui/tape/EntryBox.h"
#include "WindowIconPixels.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace qm::ui {

namespace {

// Built from pixels compiled into the program: reading an image file would
// first scan every image-format plug-in, at every start.
QIcon programIcon()
{
    static_assert(sizeof(window_icon::Pixels) == sizeof(unsigned int) * window_icon::Width * window_icon::Height);
    const QImage image(reinterpret_cast<const uchar*>(window_icon::Pixels), window_icon::Width, window_icon::Height,
                       window_icon::Width * int(sizeof(unsigned int)), QImage::Format_ARGB32);
    return QIcon(QPixmap::fromImage(image));
}

// One row per row height of the screen's larger side, so that a window within
// the screen never needs more; the tape starts with one line per row.
int loadedRowsForScreen()
{
    const int h = design::FirstRowValueBox.height;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize s = screen ? screen->size() : QSize(design::InteriorWidth, design::InteriorHeight);
    const long long d = std::max(s.width(), s.height());
    long long added = d >= h + 5 ? (d - h - 5) / h + 1 : 0;
    return static_cast<int>(std::min<long long>(added, MaxTapeIndex)) + 1;
}

// Buttons in reading order: row by row from the top (a button a few pixels
// lower than its neighbour stays in its row), left to right within a row.
QList<QWidget*> inScreenOrder(const QVector<SuperButton*>& buttons)
{
    QList<QWidget*> byTop(buttons.begin(), buttons.end());
    const auto centre = [](const QWidget* w) { return w->mapTo(w->window(), w->rect().center()); };
    std::stable_sort(byTop.begin(), byTop.end(), [&](QWidget* a, QWidget* b) { return centre(a).y() < centre(b).y(); });
    QList<QWidget*> ordered;
    for (qsizetype rowStart = 0; rowStart < byTop.size();) {
        const QWidget* first = byTop[rowStart];
        qsizetype rowEnd = rowStart + 1;
        while (rowEnd < byTop.size() && centre(byTop[rowEnd]).y() - centre(first).y() < first->height() / 2)
            ++rowEnd;
        QList<QWidget*> row = byTop.mid(rowStart, rowEnd - rowStart);
        std::stable_sort(row.begin(), row.end(), [&](QWidget* a, QWidget* b) { return centre(a).x() < centre(b).x(); });
        ordered += row;
        rowStart = rowEnd;
    }
    return ordered;
}

} // namespace

MainWindow::MainWindow(const QString& argument, QWidget* parent)
    : MainWindow(argument, programSettingsFolders(), parent)
{
}

MainWindow::MainWindow(const QString& argument, const SettingsFolders& folders, QWidget* parent)
    : QMainWindow(parent),
      editor_(std::make_unique<TapeEditor>(systemRegional(), loadedRowsForScreen())),
      menus_(std::make_unique<MainMenus>()),
      settings_(std::make_unique<SettingsStore>(argument, folders)),
      commandLine_(stripQuotes(argument))
{
    clock_.start();
    recovery_ = new TapeRecovery(*editor_, TapeRecovery::defaultFolder(), this);
    connect(recovery_, &TapeRecovery::copyFailed, this, &MainWindow::reportRecoveryFailure);
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("%1 %2    ").arg(QLatin1String(design::TitleName), QLatin1String(ProgramVersion))
                   + designText(design::TitleEdition));
    setWindowIcon(programIcon());

    auto* interior = new QWidget(this);
    interior->setAutoFillBackground(true);
    setCentralWidget(interior);
    buildMenus();
    buildPads(interior);
    resize(design::InteriorWidth, design::InteriorHeight + menuBarHeight());
    layOutForSize();
    readSettings();
}

MainWindow::~MainWindow()
{
    // The last copy is taken while the tape still exists.
    recovery_->finish();
}

void MainWindow::buildPads(QWidget* interior)
{
    totalDisplay_ = new TotalDisplay(interior);
    connect(totalDisplay_, &TotalDisplay::focused, this, [this] { editor_->focusTotal(); });
    connect(totalDisplay_, &TotalDisplay::keyDown, this, &MainWindow::onTotalKey);

    tapeView_ = new TapeView(*editor_, interior);
    connect(tapeView_, &TapeView::edited, this, &MainWindow::refresh);
    connect(tapeView_, &TapeView::noteRequested, this, &MainWindow::editNote);

    memoryPad_ = new MemoryPad(interior);
    connect(memoryPad_, &MemoryPad::pressed, this, &MainWindow::onMemory);

    keypad_ = new Keypad(interior);
    keypad_->setDecimalCaption(editor_->settings().regional.decimalSep);
    connect(keypad_, &Keypad::keyPressed, this, &MainWindow::onKeypad);
    connect(keypad_, &Keypad::piPressed, this, &MainWindow::onPi);

    functionPad_ = new FunctionPad(editor_->functionButtons(), interior);
    connect(functionPad_, &FunctionPad::functionPressed, this, &MainWindow::onFunction);
    connect(functionPad_, &FunctionPad::editPressed, this, &MainWindow::onEditFunctions);

    // Characters typed on a focused pad button go to the tape.
    for (const QVector<SuperButton*>& pad :
         {keypad_->buttons(), memoryPad_->buttons(), functionPad_->buttons()})
        for (SuperButton* b : pad)
            b->installEventFilter(tapeView_);

    totalDisplay_->raise();
}

QString MainWindow::settingsFile() const { return settings_->file(); }

void MainWindow::readSettings()
{
    plainTitle_ = windowTitle();
    if (!commandLine_.isEmpty())
        setWindowTitle(windowTitle() + displayFileName(commandLine_));
    // Fields the file does not give keep their built-in values.
    const SettingsData& data = settings_->load();
    editor_->setFunctionButtons(data.buttons);
    functionPad_->setButtons(data.buttons);
    scoreNames_ = data.HighScoreNames;
    scores_ = data.HighScores;
}

void MainWindow::writeSettings()
{
    SettingsData data;
    data.buttons = editor_->functionButtons();
    data.HighScoreNames = scoreNames_;
    data.HighScores = scores_;
    // Closing is never refused; a file that may not be written is left alone.
    settings_->save(data);
}

bool MainWindow::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && !activated_)
        firstActivation();
    // The window system places and frames the window after it is shown:
    // checked until its frame is known.
    if (e->type() == QEvent::Show && !e->spontaneous())
        QTimer::singleShot(0, this, [this] { keepOnScreen(); });
    else if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && !placedOnScreen_ && isVisible())
        keepOnScreen();
    return QMainWindow::event(e);
}

void MainWindow::firstActivation()
{
    activated_ = true;
    keepOnScreen();
    editor_->clearAll();
    editor_->forgetHistory();   // the start's empty tape is no change to undo
    refresh();
    tapeView_->focusCurrentRow();
    openStartupCalculation();
    // After a crash a start without a calculation offers the tapes it lost;
    // the start itself stays an empty tape.
    if (commandLine_.isEmpty() && !recovery_->unclosedTapes().isEmpty())
        QTimer::singleShot(0, this, &MainWindow::offerLastTape);
}

void MainWindow::openStartupCalculation()
{
    // A file that cannot be opened says why; the title then names no file.
    if (namesCalculation(commandLine_) && !openFile(commandLine_))
        setWindowTitle(plainTitle_);
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    if (!settingsWritten_) {
        settingsWritten_ = true;
        writeSettings();
    }
    recovery_->finish();
    e->accept();
}

// Said without waiting for an answer: the typing goes on.
void MainWindow::reportRecoveryFailure(const QString& reason)
{
    auto* box = new QMessageBox(QMessageBox::Warning, messageTitle(),
                                tr("The copy of the tape kept against a crash could not be written (%1). "
                                   "Save the tape to keep it safe.")
                                    .arg(reason),
                                QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

QList<QWidget*> MainWindow::tabStops() const
{
    QList<QWidget*> stops{tapeView_};
    stops += inScreenOrder(keypad_->buttons());
    stops += inScreenOrder(memoryPad_->buttons());
    stops += inScreenOrder(functionPad_->buttons());
    stops << totalDisplay_->box();
    return stops;
}

bool MainWindow::focusNextPrevChild(bool next)
{
    QWidget* focus = focusWidget();
    const QList<QWidget*> stops = tabStops();
    const qsizetype at = focus && tapeView_->isAncestorOf(focus) ? 0 : stops.indexOf(focus);
    if (at < 0)
        return QMainWindow::focusNextPrevChild(next);
    const qsizetype n = stops.size();
    for (qsizetype step = 1; step < n; ++step) {
        QWidget* stop = stops[(at + (next ? step : n - step)) % n];
        if (stop == tapeView_) {
            tapeView_->focusCurrentRow();
            return true;
        }
        if (stop->isVisible() && stop->isEnabled() && stop->focusPolicy() != Qt::NoFocus) {
            stop->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return true;
}

// Draws what the last input changed.
void MainWindow::refresh()
{
    updateEditActions();
    recovery_->tapeChanged();
    const EditorChanges changes = editor_->takeChanges();
    if (!changes.any())
        return;
    tapeView_->redraw(changes);
    // While a game runs the total box is the game's screen.
    if (changes.total && !game_.running())
        totalDisplay_->showResult(toQ(editor_->total().text), editor_->total().colour);
    if (changes.memory || changes.total) {
        memoryPad_->setDisplay(toQ(editor_->memoryDisplay()));
        totalDisplay_->setBackground(editor_->totalBackground());
    }
    // A key the line could not take: the line keeps its text and the user hears why nothing changed.
    if (changes.refused)
        QApplication::beep();
    // Said once per key, so that nothing typed next lands on the last line unnoticed.
    if (changes.tapeFull)
        QMessageBox::information(this, messageTitle(),
                                 tr("The tape is full: it holds at most %L1 lines.").arg(editor_->maxLines()));
}

// After a pad button: the typing stays on the tape, or on the game's box.
void MainWindow::afterPadInput()
{
    refresh();
    if (game_.running())
        totalDisplay_->box()->setFocus(Qt::OtherFocusReason);
    else if (!editor_->totalFocused())
        tapeView_->focusCurrentRow();
}

void MainWindow::onKeypad(KeypadKey key)
{
    if (game_.running()) {
        gameController()->keypadKey(static_cast<int>(key));
        afterPadInput();
        return;
    }
    editor_->clearTotalShade();
    editor_->keypad(key);
    afterPadInput();
}

void MainWindow::onPi()
{
    editor_->clearTotalShade();
    editor_->pi();
    afterPadInput();
}

void MainWindow::onFunction(int index)
{
    editor_->clearTotalShade();
    editor_->functionButton(index);
    afterPadInput();
}

void MainWindow::onEditFunctions()
{
    // One editor at a time: a second "Edit" brings the open one forward.
    auto* editor = findChild<FunctionButtonEditor*>(QString(), Qt::FindDirectChildrenOnly);
    if (editor && editor->isVisible()) {
        editor->loadButtons(editor_->functionButtons());
    } else {
        editor = new FunctionButtonEditor(editor_->functionButtons(), this);
        connect(editor, &FunctionButtonEditor::used, this, [this](const FunctionButtons& buttons) {
            editor_->setFunctionButtons(buttons);
            functionPad_->setButtons(buttons);
            editor_->recalculate();   // a changed formula changes the total at once
            refresh();
            writeSettings();   // the buttons survive a crash, and the tapes that use them
        });
    }
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void MainWindow::onMemory(MemoryKey key)
{
    switch (key) {
    case MemoryKey::Store:
        editor_->memoryPlus();
        break;
    case MemoryKey::Recall:
        editor_->clearTotalShade();
        editor_->memoryRecall();
        break;
    case MemoryKey::StoreTotal:
        editor_->clearTotalShade();
        editor_->memoryTotal();
        break;
    }
    afterPadInput();
}

} // namespace qm::ui
