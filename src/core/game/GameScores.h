#pragma once
// The two high-score tables of the games: entries 0..19 belong to "Nixie
// Invaders", 20..39 to "Nixie Blaster". Each table is kept best first. The
// functions take the name and score arrays as spans, so arrays with a spare
// entry 40 serve as well as the 40 stored ones.

#include "core/number/Value.h"
#include "core/tape/SettingsFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qm {

constexpr int GameTableSize = 20;

using HighScoreNameTable = std::array<Value, HighScoreCount>;
using HighScoreTable = std::array<std::int16_t, HighScoreCount>;
using HighScoreNames = std::span<Value>;
using HighScoreList = std::span<std::int16_t>;

// First entry of the table of game `gameIndex` (0 or 1); other indexes have
// no table.
std::optional<int> gameTableBase(int gameIndex);

// Scores are stored in 16 bits. A game score above 32767 (or below -32768,
// which a game cannot reach) is stored as the nearest 16-bit value, so a
// record-breaking game keeps the top place instead of wrapping to a negative
// score at the bottom.
std::int16_t storedScore(std::int32_t score);

// Where `score` enters the table that starts at `base`, making room for it:
// walking up from the last entry, every entry whose score is not above
// `score` moves down one place (the last entry drops out) and the free place
// is returned. So equal scores go above older ones, and a score that would
// rank exactly last does not enter (nothing moves, no place), nor does a
// score of 0 or less, even into an empty table. A base other
// than 0 or 20, or arrays too short for the table, give no place and move
// nothing.
std::optional<int> makeRoomForScore(HighScoreNames names, HighScoreList scores, int base,
                                    std::int32_t score);

// Writes the name and the stored score into the place makeRoomForScore gave.
// A place outside the arrays is ignored.
void enterHighScore(HighScoreNames names, HighScoreList scores, int place,
                    const std::string& name, std::int32_t score);

// The text a score label shows.
std::string scoreText(std::int16_t score);
// The text a name label shows: a text as it stands, an empty entry as "",
// a number (possible in a settings file) in its plain form.
std::string nameText(const Value& name);

} // namespace qm
