// The "Games" menu: the figure games played on the grand-total box, with the
// score panel over the tape while a game runs.

#include "ui/tape/RollingCaculator.h"

#include "ui/game/All_Timers.h"
#include "ui/game/GameController.h"
#include "ui/tape/EntryBox.h"

#include <QAction>
#include <QTimer>

#include <algorithm>
#include <cstdint>

namespace qm::ui {

namespace {

// The grand-total box and the high-score arrays of the main window, as the
// game controller sees them.
class WindowGameHost final : public QObject, public GameHost {
public:
    explicit WindowGameHost(Rolling_Caculator& window) : QObject(&window), window_(window) {}

    void setTotalText(const QString& text) override { window_.TotalAmount->setText(text); }
    void setTotalAlignment(Qt::Alignment alignment) override
    {
        window_.TotalAmount->setAlignment(alignment);
    }
    void setTotalLocked(bool locked) override { window_.TotalAmount->setReadOnly(locked); }
    void focusTotal() override { window_.TotalAmount->setFocus(Qt::OtherFocusReason); }
    qm::HighScoreNames highScoreNames() override { return window_.HighScoreNames; }
    HighScoreList highScores() override { return window_.HighScores; }
    std::int64_t nowMs() const override { return window_.nowMs(); }

private:
    Rolling_Caculator& window_;
};

} // namespace

GameController* Rolling_Caculator::gameController()
{
    if (gameController_)
        return gameController_;

    auto* panel = qobject_cast<qm::ui::All_Timers*>(All_Timers);
    if (!panel) {
        // A plain placeholder made before the games were first used gives way
        // to the real panel.
        if (All_Timers)
            All_Timers->deleteLater();
        panel = new qm::ui::All_Timers(centralWidget());
        All_Timers = panel;
    }
    auto* host = new WindowGameHost(*this);
    gameController_ = new GameController(game, *host, *panel, this);

    // After a game the menu cannot start a new one until the pause is over;
    // greying its items shows why a click does nothing meanwhile.
    connect(gameController_, &GameController::gameOver, this, [this] {
        for (QAction* item : Nixie_Invaders_Go)
            item->setEnabled(false);
        enableGamesAfterPause();
    });
    return gameController_;
}

void Rolling_Caculator::enableGamesAfterPause()
{
    const std::int64_t wait = game.pauseUntil() - nowMs();
    if (wait > 0) {
        // A coarse timer may fire early; the pause is checked again then.
        QTimer::singleShot(static_cast<int>(std::min<std::int64_t>(wait, GamePauseMs)) + 1,
                           Qt::PreciseTimer, this, [this] { enableGamesAfterPause(); });
        return;
    }
    for (QAction* item : Nixie_Invaders_Go)
        item->setEnabled(true);
}

void Rolling_Caculator::Nixie_Invaders_Go_Click(int Index)
{
    gameController()->Nixie_Invaders_Go_Click(Index);
}

} // namespace qm::ui
