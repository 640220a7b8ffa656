#pragma once
// The main window: a composition of the tape view, the keypad, the function
// and memory pads, the grand-total display and the menus. The editing session
// owns the tape; each input goes to it, and the window redraws what it
// reports. Start-up, settings, files, printing and the games are wired here.

#include "core/editing/TapeEditor.h"
#include "core/game/GameScores.h"
#include "core/game/GameSession.h"
#include "ui/platform/SettingsLocation.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace qm::ui {

class FunctionPad;
class GameController;
class Keypad;
class MemoryPad;
class SettingsStore;
class TapeRecovery;
class TapeView;
class TotalDisplay;
struct MainMenus;
enum class MemoryKey;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `argument`: the command line's one optional argument, as given.
    explicit MainWindow(const QString& argument = QString(), QWidget* parent = nullptr);
    // The same with the folders the settings file is looked for in.
    MainWindow(const QString& argument, const SettingsFolders& folders, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The session behind what the window shows. Whoever changes it directly
    // calls refresh() to show the change.
    const TapeEditor& editor() const { return *editor_; }
    TapeEditor& editor() { return *editor_; }
    const HighScoreNameTable& highScoreNames() const { return scoreNames_; }
    const HighScoreTable& highScores() const { return scores_; }
    // The settings file, written when the function buttons or high scores
    // change and at close; empty when none may be written.
    QString settingsFile() const;
    // The copy of the tape kept against a crash.
    TapeRecovery& recovery() const { return *recovery_; }
    // Milliseconds on a steady clock since the window was made.
    std::int64_t nowMs() const { return clock_.elapsed(); }
    // The games' timer and score panel, made on first use.
    GameController* gameController();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab: the tape is one stop (its current line; the arrows
    // move within it), then the keypad, the memory and function pads and the
    // grand total, each in the order the screen shows them.
    bool focusNextPrevChild(bool next) override;

public slots:
    // Draws what the session reports as changed since the last call.
    void refresh();

private slots:
    void onKeypad(qm::KeypadKey key);
    void onPi();
    void onFunction(int index);
    void onEditFunctions();
    void onMemory(qm::ui::MemoryKey key);
    void onTotalKey(int keyCode);
    void clearAll();
    void openCalculationFile();
    void saveCalculationFile();
    void copyNumbers();
    void pasteNumbers();
    void copyTape();
    void exportCsv();
    void editNote(long long line);
    void sortNumbers();
    void undo();
    void redo();
    void reopenLastTape();
    void chooseDecimals(int decimals);
    void chooseStatMode(int mode);
    void printCalculation();
    void printPreview();
    void printWithDialog();
    void exportPdf();
    void startGame(int index);
    void showKeyboardShortcuts();
    void showAbout();

private:
    void buildMenus();
    void buildPads(QWidget* interior);
    void readSettings();
    void writeSettings();
    void firstActivation();
    void openStartupCalculation();
    bool openFile(const QString& path);
    void afterPadInput();
    void afterUndoOrRedo();
    void offerLastTape();
    void reportRecoveryFailure(const QString& reason);
    void updateEditActions();
    // One of the printing commands, with the strip's total recalculated from
    // the tape and the game's clock held while its dialog is open.
    void print(const std::function<void(const QString& totalText)>& command);
    // Runs a modal step (a dialog) with the game's clock held.
    void withGamePaused(const std::function<void()>& step);
    void enableGamesAfterPause();
    QList<QWidget*> tabStops() const;

    // Layout (MainWindowLayout.cpp).
    void layOutForSize();
    void leaveMaximized();
    int menuBarHeight() const;
    QSize interiorSize() const;
    double dotsPerInchX() const;   // the screen's logical resolution, 96 when unknown
    double dotsPerInchY() const;
    QSize twipsToPixels(int widthTwips, int heightTwips) const;
    QRect availableArea() const;
    QMargins frameMargins() const;
    QMargins normalFrameMargins() const;
    QSize frameExtra() const;
    QRect setOuterGeometry(QPoint frameTopLeft, QSize outer);
    void keepOnScreen();
    void keepSizeLimits();

    std::unique_ptr<TapeEditor> editor_;
    std::unique_ptr<MainMenus> menus_;
    std::unique_ptr<SettingsStore> settings_;
    TapeView* tapeView_ = nullptr;
    Keypad* keypad_ = nullptr;
    FunctionPad* functionPad_ = nullptr;
    MemoryPad* memoryPad_ = nullptr;
    TotalDisplay* totalDisplay_ = nullptr;
    QWidget* gamePanel_ = nullptr;
    GameController* gameController_ = nullptr;
    TapeRecovery* recovery_ = nullptr;

    GameSession game_;
    HighScoreNameTable scoreNames_{};
    HighScoreTable scores_{};
    QString commandLine_;   // the argument without its double quotes
    QString plainTitle_;    // the title without the argument
    QString lastFile_;      // calculation file opened or saved last
    QElapsedTimer clock_;
    bool activated_ = false;
    bool settingsWritten_ = false;
    int savedLeft_ = 0;     // left edge (twips) kept while the tall form is shown
    int resizeDepth_ = 0;
    bool maximizePending_ = false;
    bool placedOnScreen_ = false;   // kept on the screen once its frame was known
    // The frame asked for on leaving the maximized state, while the window
    // system carries it out (null: not asked for yet).
    std::optional<QRect> settlingFrame_;
    unsigned stateChanges_ = 0;   // tall forms and returns asked for so far
    QMargins normalFrame_;   // the frame's margins when last seen in the normal state
};

} // namespace qm::ui
