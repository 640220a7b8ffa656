#pragma once
// The rules of the two figure games played on the grand-total box: "Nixie
// Invaders" (game 0) and "Nixie Blaster" (game 1). A row of figures grows at
// a rising pace; the player shoots the oldest figure with its number key. At
// 35 figures the player is invaded and the game ends.
//
// Time is passed in by the caller (milliseconds on any steady clock), so the
// rules run the same under a real timer and in tests.

#include "core/game/GameFigures.h"
#include "core/game/GameKey.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qm {

// The games of the Games menu, numbered as GameSession::start takes them.
enum class GameKind : int { Invaders = 0, Blaster = 1 };

constexpr int GameStartInterval = 1000;   // ms between the first ticks
constexpr int GameFastestInterval = 10;   // the pace stops rising at or below this
constexpr std::size_t GameInvasionLength = 35;
constexpr std::int64_t GamePauseMs = 2000;   // after a game, no new game or hit
inline constexpr const char* GameInvadedText = "Invaded / Score : ";

struct GameTick {
    enum class Kind {
        Idle,      // no game runs: nothing happened
        Grew,      // one figure was added; show `text`
        Invaded,   // the game ended; show `text`, then score `finalScore`
    };
    Kind kind = Kind::Idle;
    std::string text;
    std::int32_t finalScore = 0;
    int tableBase = 0;   // first high-score entry of the game that ended
};

class GameSession {
public:
    explicit GameSession(GameFigures figures = GameFigures()) : figures_(figures) {}

    // Starts game `index` (0 or 1) at `nowMs`. Refused (false, nothing changes)
    // for any other index and during the pause after a game. Starting while a
    // game runs restarts pace and score, keeps the row and switches game.
    bool start(int index, std::int64_t nowMs);

    // One timer tick. After it, interval() is the timer's next interval;
    // on Invaded the game is over and the pause runs from `nowMs`.
    GameTick tick(std::int64_t nowMs);

    // A key went down in the grand-total box (key codes: 48 + f for the
    // number row, 96 + f for the numeric keypad). Returns whether it hit;
    // targets() is then the row to show. Nothing hits during the pause.
    bool keyDown(int keyCode, std::int64_t nowMs);
    // Keypad button `index` pressed during a game (0..9 are figures).
    bool keypadButton(int index, std::int64_t nowMs);

    // Starts the pause afresh from `nowMs`: the wait after a game counts from
    // the end of the name entry, however long that took.
    void restartPause(std::int64_t nowMs);

    bool running() const { return state_.GameMode > 0; }
    bool paused(std::int64_t nowMs) const { return nowMs < pauseUntil_; }
    std::int64_t pauseUntil() const { return pauseUntil_; }

    std::int16_t mode() const { return state_.GameMode; }
    const std::string& targets() const { return state_.GameTargets; }
    std::int32_t score() const { return state_.GameScore; }
    int interval() const { return interval_; }
    int tableBase() const { return tableBase_; }

private:
    GameFigures figures_;
    GameState state_;   // GameMode 0 no game, 1 Nixie Invaders, 4 Nixie Blaster
    int interval_ = GameStartInterval;
    int tableBase_ = 0;
    std::int64_t pauseUntil_ = 0;
};

} // namespace qm
