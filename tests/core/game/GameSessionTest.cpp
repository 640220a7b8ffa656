#include "core/game/GameSession.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

// The first 36 figures of the fixed generator, worked out independently from
// the Mersenne Twister definition (seed 5489, figure = (x * 9) >> 32).
constexpr const char* FirstFigures = "718718815204214888881688804772103185";

TEST(GameSession, RowGrowsFromTheFixedSequenceAndInvadesAtThirtyFive)
{
    GameSession s;
    for (int bad : {-1, 2})
        EXPECT_FALSE(s.start(bad, 0)) << bad;
    ASSERT_TRUE(s.start(0, 0));
    EXPECT_EQ(s.mode(), 1);
    const std::string expected = std::string(FirstFigures).substr(0, 35);
    for (std::size_t n = 1; n <= 35; ++n) {
        const GameTick t = s.tick(static_cast<std::int64_t>(n));
        ASSERT_EQ(t.kind, GameTick::Kind::Grew) << n;
        EXPECT_EQ(t.text, expected.substr(0, n));
    }
    const GameTick end = s.tick(36);
    EXPECT_TRUE(end.kind == GameTick::Kind::Invaded && end.text == "Invaded / Score : 0") << end.text;
    EXPECT_FALSE(s.running());
    // A two-second pause refuses new games; the next row continues the sequence.
    EXPECT_FALSE(s.start(1, 36 + 1999));
    ASSERT_TRUE(s.start(1, 36 + 2000));
    EXPECT_EQ(s.tableBase(), 20);
    EXPECT_EQ(s.tick(36 + 3000).text, std::string(1, FirstFigures[35]));
}

TEST(GameSession, PauseNearTheEndOfTimeDoesNotOverflow)
{
    GameSession s;
    const std::int64_t late = std::numeric_limits<std::int64_t>::max() - 5;
    ASSERT_TRUE(s.start(0, late));
    GameTick t;
    do {
        t = s.tick(late);
    } while (t.kind == GameTick::Kind::Grew);
    EXPECT_EQ(s.pauseUntil(), std::numeric_limits<std::int64_t>::max());
    EXPECT_TRUE(s.paused(late));
}

} // namespace
} // namespace qm
