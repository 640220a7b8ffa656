#include "core/game/GameSession.h"

#include "core/game/GameScores.h"

#include <charconv>
#include <limits>

namespace qm {

namespace {

std::string decimalText(std::int32_t n)
{
    char buf[16];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

} // namespace

bool GameSession::start(int index, std::int64_t nowMs)
{
    const std::optional<int> base = gameTableBase(index);
    if (!base || paused(nowMs))
        return false;
    state_.GameMode = static_cast<std::int16_t>(index * 3 + 1);
    interval_ = GameStartInterval;
    state_.GameScore = 0;
    tableBase_ = *base;
    return true;
}

GameTick GameSession::tick(std::int64_t nowMs)
{
    GameTick t;
    if (!running())
        return t;
    if (interval_ > GameFastestInterval)
        interval_ -= state_.GameMode;
    if (state_.GameTargets.size() < GameInvasionLength) {
        state_.GameTargets.push_back(static_cast<char>('0' + figures_.next()));
        t.kind = GameTick::Kind::Grew;
        t.text = state_.GameTargets;
        return t;
    }
    state_.GameTargets.clear();
    state_.GameMode = 0;
    t.kind = GameTick::Kind::Invaded;
    t.text = std::string(GameInvadedText) + decimalText(state_.GameScore);
    t.finalScore = state_.GameScore;
    t.tableBase = tableBase_;
    restartPause(nowMs);
    return t;
}

void GameSession::restartPause(std::int64_t nowMs)
{
    constexpr std::int64_t latest = std::numeric_limits<std::int64_t>::max() - GamePauseMs;
    pauseUntil_ = nowMs > latest ? std::numeric_limits<std::int64_t>::max() : nowMs + GamePauseMs;
}

bool GameSession::keyDown(int keyCode, std::int64_t nowMs)
{
    return !paused(nowMs) && gameKeyDown(state_, keyCode);
}

bool GameSession::keypadButton(int index, std::int64_t nowMs)
{
    return !paused(nowMs) && gameKeypadButton(state_, index);
}

} // namespace qm
