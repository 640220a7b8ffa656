#include "core/game/GameKey.h"

#include <limits>
#include <string>

namespace qm {

int gameTargetFigure(const std::string& GameTargets)
{
    if (GameTargets.empty())
        return 0;
    const char c = GameTargets.front();
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

void applyGameHit(GameState& state)
{
    const std::size_t n = state.GameTargets.size();
    if (n == 0)
        return;
    const char first = state.GameTargets.front();
    if (state.GameMode == 1) {
        state.GameTargets.erase(0, 1);
    } else {
        std::erase(state.GameTargets, first);
    }
    if (state.GameTargets.size() < n && state.GameScore < std::numeric_limits<std::int32_t>::max())
        ++state.GameScore;
}

bool gameKeyDown(GameState& state, int KeyCode)
{
    if (state.GameMode <= 0)
        return false;
    const int d = gameTargetFigure(state.GameTargets);
    if (KeyCode != 48 + d && KeyCode != 96 + d)
        return false;
    applyGameHit(state);
    return true;
}

bool gameKeypadButton(GameState& state, int Index)
{
    if (state.GameMode <= 0 || Index != gameTargetFigure(state.GameTargets))
        return false;
    applyGameHit(state);
    return true;
}

} // namespace qm
