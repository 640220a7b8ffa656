#pragma once
// Runs the figure games on the main window's grand-total box: the game timer,
// the start from the "Games" menu, the hits from the keyboard and the keypad,
// the high-score entry and the pause after a game.
//
// The window stays responsive throughout: the pause after a game is a "pause
// until" time, not a wait. Within it a new game does not start and no key
// hits.

#include "core/game/GameScores.h"
#include "core/game/GameSession.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <string>
#include <functional>

class QWidget;

namespace qm::ui {

class HighScorePanel;

// What the game needs from the main window.
class GameHost {
public:
    virtual ~GameHost() = default;
    virtual void setTotalText(const QString& text) = 0;
    virtual void setTotalAlignment(Qt::Alignment alignment) = 0;
    // A locked grand-total box is read-only; the game unlocks it while it runs.
    virtual void setTotalLocked(bool locked) = 0;
    virtual void focusTotal() = 0;
    // The window's high-score arrays (entries 0..39 at least).
    virtual HighScoreNames highScoreNames() = 0;
    virtual HighScoreList highScores() = 0;
    // Milliseconds on a steady clock; the same clock for every game call.
    virtual std::int64_t nowMs() const = 0;
};

class GameController : public QObject {
    Q_OBJECT
public:
    // Asks for the name of a player who made the table; "" when cancelled.
    using NamePrompt = std::function<QString(QWidget* parent)>;

    static constexpr const char* PromptTitle = QT_TRANSLATE_NOOP("qm::ui::GameController", "You have Scored a Top Position...");
    static constexpr const char* PromptLabel = QT_TRANSLATE_NOOP("qm::ui::GameController", "Enter your &Name...");

    GameController(GameSession& session, GameHost& host, HighScorePanel& panel,
                   QObject* parent = nullptr);

    // Returns false when refused (within the pause after a game).
    bool startGame(GameKind kind);
    // One step of the game clock.
    void tick();
    // A key pressed on the grand-total box (a virtual-key code): true on a hit.
    bool keyOnTotal(int virtualKey);
    // A keypad button while a game runs. Returns true when a game runs, so
    // the button belongs to the game and does nothing else.
    bool keypadKey(int key);

    bool running() const { return session_.running(); }
    bool paused() const { return session_.paused(host_.nowMs()); }
    QTimer& timer() { return clock_; }

    void setNamePrompt(NamePrompt prompt) { prompt_ = std::move(prompt); }
    // The prompt used unless a test replaces it: a modal input box.
    static QString askName(QWidget* parent);
    // A text of the game's box in the user's language ("Invaded / Score : 7").
    static QString shownGameText(const std::string& text);

signals:
    // The game ended; `place` is the table entry the score went to, or -1.
    void gameOver(int score, int place);

private:
    void endGame(const GameTick& tick);

    GameSession& session_;
    GameHost& host_;
    HighScorePanel& panel_;
    QTimer clock_;
    NamePrompt prompt_ = &GameController::askName;
};

} // namespace qm::ui
