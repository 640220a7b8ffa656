#pragma once
// Key input of the figure games played on the grand-total box.

#include <cstdint>
#include <string>

namespace qm {

struct GameState {
    std::int16_t GameMode = 0;   // 0: no game; 1 "Nixie Invaders"; more: "Nixie Blaster"
    std::string GameTargets;     // figures shown in the box, oldest first
    std::int32_t GameScore = 0;
};

// The first figure of the row read as a number ("." as point): its digit, or 0
// for any other character and for an empty row.
int gameTargetFigure(const std::string& GameTargets);

// A hit: in game mode 1 the first figure goes, in the other modes every
// occurrence of it; one point when the row got shorter (the score stops at its
// 32-bit limit). The caller then shows GameTargets in the grand-total box.
void applyGameHit(GameState& state);

// A key pressed in the grand-total box: returns true on a hit, after which the
// box must show GameTargets. KeyCode 48 + f (number row) and 96 + f (numeric
// keypad) hit, f being the first figure.
bool gameKeyDown(GameState& state, int KeyCode);

// Keypad button `Index` pressed while a game runs: a hit when Index is the
// first figure (buttons beyond 9 never are). Returns true on a hit.
bool gameKeypadButton(GameState& state, int Index);

} // namespace qm
