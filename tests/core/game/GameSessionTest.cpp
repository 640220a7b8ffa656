#include "core/game/GameSession.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace qm {
namespace {

// The first 40 figures of the fixed generator, worked out independently from
// the Mersenne Twister definition (seed 5489, figure = (x * 9) >> 32).
constexpr const char* FirstFigures = "7187188152042148888816888047721031857784";

int keyFor(char figure) { return 48 + (figure - '0'); }

TEST(GameFigures, SameFixedSequenceOfZeroToEightInEveryRun)
{
    GameFigures a, b;
    std::string first;
    std::array<int, 10> counts{};
    const int draws = 90000;
    for (int i = 0; i < draws; ++i) {
        const int f = a.next();
        ASSERT_EQ(f, b.next());
        ASSERT_TRUE(f >= 0 && f <= 8) << f;
        ++counts[static_cast<std::size_t>(f)];
        if (i < 40)
            first.push_back(static_cast<char>('0' + f));
    }
    EXPECT_EQ(first, FirstFigures);
    for (int f = 0; f < 9; ++f)   // uniform: 10000 each, give or take a few hundred
        EXPECT_NEAR(counts[static_cast<std::size_t>(f)], draws / 9, 400) << f;
}

TEST(GameSession, StartSetsModeIntervalScoreAndTable)
{
    GameSession s;
    EXPECT_FALSE(s.running());
    for (int bad : {-1, 2, 100})
        EXPECT_FALSE(s.start(bad, 0)) << bad;
    ASSERT_TRUE(s.start(0, 0));
    EXPECT_EQ(s.mode(), 1);
    EXPECT_EQ(s.tableBase(), 0);
    // A restart keeps the row and switches the game, its pace and score afresh.
    for (int i = 1; i <= 5; ++i)
        s.tick(i);
    ASSERT_TRUE(s.keyDown(keyFor(s.targets().front()), 6));
    const std::string row = s.targets();
    EXPECT_FALSE(s.start(7, 7));
    EXPECT_EQ(s.mode(), 1);
    ASSERT_TRUE(s.start(1, 7));
    EXPECT_EQ(s.targets(), row);
    EXPECT_EQ(s.score(), 0);
    EXPECT_EQ(s.interval(), 1000);
    EXPECT_EQ(s.mode(), 4);
    EXPECT_EQ(s.tableBase(), 20);
}

TEST(GameSession, RowGrowsFromTheFixedSequenceAndInvadesAtThirtyFive)
{
    GameSession s;
    ASSERT_TRUE(s.start(0, 0));
    const std::string expected = std::string(FirstFigures).substr(0, 35);
    for (std::size_t n = 1; n <= 35; ++n) {
        const GameTick t = s.tick(static_cast<std::int64_t>(n));
        ASSERT_EQ(t.kind, GameTick::Kind::Grew) << n;
        EXPECT_EQ(t.text, expected.substr(0, n));
    }
    const GameTick end = s.tick(36);
    EXPECT_EQ(end.kind, GameTick::Kind::Invaded);
    EXPECT_EQ(end.text, "Invaded / Score : 0");
    EXPECT_EQ(end.finalScore, 0);
    EXPECT_EQ(end.tableBase, 0);
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.targets(), "");
    EXPECT_EQ(s.tick(37).kind, GameTick::Kind::Idle);
}

TEST(GameSession, PaceRisesByGameModeDownToTenOrJustBelow)
{
    // Invaders: 1000 -> 999 ... 11 -> 10. Blaster: 1000 -> 996 ... 12 -> 8.
    const struct { int game, afterFirstTick, beforeFloor, floor, ticksToFloor; } rows[] = {
        {0, 999, 11, 10, 990}, {1, 996, 12, 8, 248}};
    for (const auto& r : rows) {
        GameSession s;
        ASSERT_TRUE(s.start(r.game, 0));
        for (int now = 1; now <= r.ticksToFloor + 10; ++now) {
            ASSERT_EQ(s.tick(now).kind, GameTick::Kind::Grew) << "the player keeps the row short";
            const int want = now == 1 ? r.afterFirstTick : now == r.ticksToFloor - 1 ? r.beforeFloor
                           : now >= r.ticksToFloor ? r.floor : 0;
            if (want != 0) {
                EXPECT_EQ(s.interval(), want) << r.game << " tick " << now;
            }
            ASSERT_TRUE(s.keyDown(keyFor(s.targets().front()), now));
        }
        EXPECT_EQ(s.score(), r.ticksToFloor + 10) << r.game;
    }
}

TEST(GameSession, BlasterClearsEveryMatchingFigureOfTheGrownRow)
{
    // The fixed row starts 7 1 8 7 1 8 8 1: pressing 7 in Blaster takes both 7s.
    GameSession blaster;
    GameSession invaders;
    ASSERT_TRUE(blaster.start(1, 0));
    ASSERT_TRUE(invaders.start(0, 0));
    for (int i = 1; i <= 8; ++i) {
        blaster.tick(i);
        invaders.tick(i);
    }
    ASSERT_EQ(blaster.targets(), "71871881");
    EXPECT_FALSE(blaster.keyDown(keyFor('1'), 9));   // not the first figure
    EXPECT_TRUE(blaster.keyDown(keyFor('7'), 9));
    EXPECT_EQ(blaster.targets(), "181881");
    EXPECT_TRUE(blaster.keypadButton(1, 9));
    EXPECT_EQ(blaster.targets(), "888");
    EXPECT_EQ(blaster.score(), 2);
    EXPECT_TRUE(invaders.keyDown(96 + 7, 9));
    EXPECT_EQ(invaders.targets(), "1871881");
    EXPECT_FALSE(invaders.keypadButton(10, 9));   // keys beyond the figures never hit
    EXPECT_EQ(invaders.score(), 1);
}

TEST(GameSession, TwoSecondPauseAfterAGameRefusesNewGamesAndHits)
{
    GameSession s;
    ASSERT_TRUE(s.start(0, 0));
    std::int64_t now = 0;
    GameTick t;
    do {
        t = s.tick(now += 10);
    } while (t.kind == GameTick::Kind::Grew);
    ASSERT_EQ(t.kind, GameTick::Kind::Invaded);
    EXPECT_TRUE(s.paused(now));
    EXPECT_FALSE(s.start(1, now + 1999));
    EXPECT_FALSE(s.keyDown(48, now + 1000));
    EXPECT_FALSE(s.running());
    EXPECT_FALSE(s.paused(now + 2000));
    EXPECT_TRUE(s.start(1, now + 2000));
    // The next game's row starts empty and continues the same sequence.
    EXPECT_EQ(s.targets(), "");
    EXPECT_EQ(s.tick(now + 3000).text, std::string(1, FirstFigures[35]));
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
