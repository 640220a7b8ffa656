#pragma once
// The main window: the rolling tape of entry rows with their operator buttons,
// the grand-total box, the keypad, the function, memory and pi buttons, and
// the menus. The window owns the tape and every setting for the whole run.
//
// Its member functions are spread over several source files by subject:
// start-up and shutdown (ui/tape), layout, row drawing and the tape menu
// commands (ui/commands), and the editing, file, printing and game handlers
// in the folders of their subsystems.

#include "core/game/GameSession.h"
#include "core/input/Evaluator.h"
#include "core/number/Value.h"
#include "core/tape/SettingsFile.h"
#include "core/tape/Tape.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <QVector>

#include <array>
#include <cstdint>

class QAction;
class QFrame;
class QLabel;
class QMenu;

namespace qm::ui {

class EntryBox;
class EzyVerticalScroll;
class GameController;
class SuperButton;

class Rolling_Caculator : public QMainWindow {
    Q_OBJECT
public:
    // `argument` is the command line's one optional argument, as given.
    explicit Rolling_Caculator(const QString& argument = QString(), QWidget* parent = nullptr);
    ~Rolling_Caculator() override;

    // ---- Controls, named as the design names them ----
    QVector<EntryBox*> CalAmount;        // entry rows 0..LastLoadedRow
    QVector<SuperButton*> Op;            // operator buttons 0..LastLoadedRow
    QVector<SuperButton*> CalC_Button;   // keypad 0..20
    QVector<SuperButton*> Stific;        // function buttons 0..23 (23 is "Edit")
    QVector<SuperButton*> MemoryRc;      // "M+", "MR", "M="
    SuperButton* PieValue = nullptr;
    EntryBox* TotalAmount = nullptr;
    EzyVerticalScroll* ScrollNum = nullptr;
    QFrame* Dzx = nullptr;
    QLabel* M_Buff = nullptr;
    // The game's score panel; made on first use (allTimers()).
    QWidget* All_Timers = nullptr;

    // Menus and their items.
    QMenu* E_m = nullptr;
    QMenu* dp = nullptr;
    QMenu* OtherFeatures = nullptr;
    QMenu* Games = nullptr;
    QAction* Clear_Total = nullptr;
    QVector<QAction*> LD;                 // 0 "Open Calculation...", 1 "Save Calculation..."
    QAction* C_m = nullptr;
    QAction* P_m = nullptr;
    QAction* SortNm = nullptr;
    QAction* PrintCalc = nullptr;
    QVector<QAction*> dp1;                // by number of decimals: 0..6 and 25; others null
    QVector<QAction*> CalcFuntions;       // by total mode 0..3
    QVector<QAction*> Nixie_Invaders_Go;  // 0, 1

    // ---- State ----
    Tape tape;                  // TapeValue, TapeOp
    CalcSettings settings;      // DecimalPlaces, StatMode, regional separators
    FunctionButtons functionButtons;   // Caption, formula (Tag), tooltip of Stific(0..22)
    std::array<Value, 41> HighScoreNames{};
    std::array<std::int16_t, 41> HighScores{};
    int CurrentRow = 0;
    int CaretPos = 0;
    int TotalFocused = 0;
    int LastRow = 0;
    int LastLoadedRow = 0;
    int SavedLeft = 0;          // left edge (twips) kept while the tall form is shown
    bool Activated = false;
    QString CommandLine;        // the argument with its double quotes removed
    QString CustomFile;         // the settings file in use
    bool readCustomFileAtStart = false;
    QString FilePath;           // calculation file chosen last
    Value MemoryValue;
    Evaluator evaluator;
    GameSession game;

    char ThousandSep() const { return settings.regional.thousandSep; }
    char DecimalSep() const { return settings.regional.decimalSep; }
    int DecimalPlaces() const { return settings.DecimalPlaces; }
    int StatMode() const { return settings.StatMode; }
    // Milliseconds on a steady clock since the window was made.
    std::int64_t nowMs() const { return clock_.elapsed(); }

    // ---- Routines shared by the handlers ----
    void MailCalc();                 // recompute the grand-total box
    void fmNo();                     // re-format CalAmount(CurrentRow) from its line
    void ScrollNum_Change();         // redraw rows 0..LastRow from the tape
    void Form_Resize();              // lay out rows, bar and total for the window size
    void Form_Activate();            // activation: first-time set-up, bar repaint
    void applyFunctionButtons();     // Stific(0..22) captions and tooltips from functionButtons
    SettingsData settingsData() const;
    void applySettingsData(const SettingsData& data);
    void readSettingsFile();         // start-up reading of CustomFile
    void writeSettingsFile();        // shutdown writing of CustomFile
    QWidget* allTimers();
    // The games' timer and score panel, made on first use. The keypad hands
    // its figure buttons to it while a game runs (CalC_Button_Game).
    GameController* gameController();

    // Line of the tape shown on screen row `row`.
    int lineOfRow(int row) const;
    // Scroll position and range of the tape bar.
    int scrollValue() const;
    int scrollMax() const;

    // Outer window size and place in twips, through the screen's logical DPI.
    double pixelsPerTwipX() const;
    double pixelsPerTwipY() const;

    // ---- Menu commands ----
    void Clear_Total_Click();
    void C_m_Click();
    void P_m_Click();
    void SortNm_Click();
    void dp1_Click(int Index);
    void CalcFuntions_Click(int Index);
    void LD_Click(int Index);
    void PrintCalc_Click();
    void Nixie_Invaders_Go_Click(int Index);

    // ---- Control events ----
    void CalC_Button_Click(int Index);
    void Op_Click(int Index);
    void Stific_Click(int Index);
    void MemoryRc_Click(int Index);
    void PieValue_Click();
    void MemoryRc_LostFocus(int Index);   // a memory button lost the focus
    void CalAmount_GotFocus(int Index);
    void CalAmount_MouseDown(int Index, int Button, int Shift, int X, int Y);
    void CalAmount_KeyDown(int Index, int& KeyCode, int Shift);
    void CalAmount_KeyPress(int Index, int& KeyAscii);
    void CalAmount_KeyUp(int Index, int& KeyCode, int Shift);
    void TotalAmount_GotFocus();
    void TotalAmount_KeyPress(int& KeyAscii);
    void TotalAmount_KeyDown(int& KeyCode, int Shift);
    void ScrollNum_KeyDown(int& KeyCode, int Shift);
    // Opening of a calculation file named on the command line (first activation).
    void openStartupCalculation();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWindow();
    void buildControls(QWidget* interior);
    void buildRows(QWidget* interior);
    void addRow(QWidget* interior, int n);
    void buildMenus();
    int menuBarHeight() const;
    QSize interiorSize() const;
    void resizeOuterTwips(int widthTwips, int heightTwips);
    void setOuterGeometry(QPoint frameTopLeft, int widthTwips, int heightTwips);
    void layOut();
    void leaveMaximized();
    // Editing steps shared by the keyboard and keypad handlers.
    void focusRow(int row);
    bool appendTapeLine(char op);
    Value* lineValue(int line);

    QElapsedTimer clock_;
    int resizeDepth_ = 0;
    bool maximizePending_ = false;
    bool settingsWritten_ = false;
    GameController* gameController_ = nullptr;
    void enableGamesAfterPause();
};

} // namespace qm::ui
