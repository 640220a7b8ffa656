#include "core/game/GameKey.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace qm {
namespace {

TEST(GameKey, KeyTable)
{
    struct Case { std::int16_t mode; const char* targets; int key; bool hit; const char* after; int score; };
    const std::vector<Case> cases = {
        {4, "3731", 51, true, "71", 1},      // "Nixie Blaster": every 3 goes
        {1, "3731", 51, true, "731", 1},     // "Nixie Invaders": the first only
        {1, "3731", 99, true, "731", 1},     // numeric keypad 3
        {4, "3731", 55, false, "3731", 0},   // 7 is not the first figure
        {0, "3731", 51, false, "3731", 0},   // no game
        {-1, "3731", 51, false, "3731", 0}, {4, "0", 96, true, "", 1},
        {1, "", 48, true, "", 0},            // an empty row reads as 0: a hit, no point
        {1, "x5", 48, true, "5", 1},         // any other character reads as 0
        {4, "8888", 56, true, "", 1},        // one point however many went
    };
    for (const Case& c : cases) {
        GameState s{c.mode, c.targets, 0};
        const bool hit = gameKeyDown(s, c.key);
        EXPECT_EQ(std::make_tuple(hit, s.GameTargets, s.GameScore), std::make_tuple(c.hit, std::string(c.after), c.score))
            << c.targets << " key " << c.key;
    }
}

TEST(GameKey, KeypadButtonsAndTheScoreLimit)
{
    GameState s{1, "3731", std::numeric_limits<std::int32_t>::max()};
    EXPECT_FALSE(gameKeypadButton(s, 7));
    EXPECT_FALSE(gameKeypadButton(s, 10));   // not a figure button
    EXPECT_TRUE(gameKeypadButton(s, 3));
    EXPECT_EQ(s.GameTargets, "731");
    EXPECT_EQ(s.GameScore, std::numeric_limits<std::int32_t>::max());   // the score stops at its limit
    EXPECT_EQ(gameTargetFigure("-5"), 0);
}

} // namespace
} // namespace qm
