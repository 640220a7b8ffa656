#include "core/game/GameKey.h"
#include "core/game/GameScores.h"
#include "core/game/GameSession.h"

#include "core/CoreTestSupport.h"

#include <limits>
#include <string>

namespace qm {
namespace {

TEST(GameKey, KeyTableAndStoredScores)
{
    for (const test::CaseRow& c : test::caseFile("core_game.tsv", 0)) {
        if (c[0] == "stored") {
            EXPECT_EQ(storedScore(c.number(1)), c.number(2)) << c.where;
            continue;
        }
        GameState s{static_cast<std::int16_t>(c.number(1)), c[2], 0};
        const bool hit = gameKeyDown(s, c.number(3));
        EXPECT_EQ(std::make_tuple(hit, s.GameTargets, s.GameScore), std::make_tuple(c[4] == "1", c[5], c.number(6))) << c.where;
    }
}

TEST(GameKey, KeypadButtonsAndTheScoreLimit)
{
    GameState s{1, "3731", std::numeric_limits<std::int32_t>::max()};
    EXPECT_FALSE(gameKeypadButton(s, 7));
    EXPECT_FALSE(gameKeypadButton(s, 10));   // not a figure button
    EXPECT_TRUE(gameKeypadButton(s, 3));
    EXPECT_EQ(s.GameTargets, "731");
    EXPECT_EQ(s.GameScore, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(gameTargetFigure("-5"), 0);
}

struct Tables {
    HighScoreNameTable names;
    HighScoreTable scores{};
    // Table `base` filled with name "<prefix><j>" and score f(j) for j = 0..19.
    template <class F>
    void fill(int base, const std::string& prefix, F score)
    {
        for (int j = 0; j < GameTableSize; ++j) {
            const auto i = static_cast<std::size_t>(base + j);
            names[i] = Value(prefix + std::to_string(j));
            scores[i] = static_cast<std::int16_t>(score(j));
        }
    }
    std::string entry(int i) const
    {
        return nameText(names[static_cast<std::size_t>(i)]) + " " + std::to_string(scores[static_cast<std::size_t>(i)]);
    }
};

// Scores 20, 19, ..., 1 at entries 0..19: a tie with the best goes above it,
// a tie with the 19th enters as 19th, the 20th place is no entry; everything
// from the place down moves, the old 20th is gone. Blaster keeps to entries
// 20..39; bad bases, places and arrays change nothing.
TEST(GameScores, PlacesBlasterTableAndRefusedCalls)
{
    const struct { std::int32_t score; std::optional<int> place; } rows[] = {
        {20, 0}, {11, 9}, {2, 18}, {1, std::nullopt}};
    for (const auto& r : rows) {
        Tables t;
        t.fill(0, "p", [](int j) { return 20 - j; });
        const std::optional<int> place = makeRoomForScore(t.names, t.scores, 0, r.score);
        EXPECT_EQ(place, r.place) << r.score;
        for (int j = 0; place && j < 20; ++j) {
            const int was = j < *place ? j : j - 1;
            EXPECT_TRUE(j == *place || t.entry(j) == std::string("p").append(std::to_string(was)).append(" ").append(std::to_string(20 - was)))
                << r.score << " " << t.entry(j);
        }
    }
    // An empty table takes any score that hit something, and no 0.
    Tables t;
    EXPECT_EQ(makeRoomForScore(t.names, t.scores, 0, 1), 0);
    EXPECT_FALSE(makeRoomForScore(t.names, t.scores, 0, 0).has_value());
    t.fill(0, "inv", [](int j) { return 100 - j; });
    t.fill(20, "bla", [](int) { return 32767; });
    ASSERT_EQ(makeRoomForScore(t.names, t.scores, 20, 70000), 20);
    enterHighScore(t.names, t.scores, 20, "Ann", 70000);
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(t.entry(j), "inv" + std::to_string(j) + " " + std::to_string(100 - j));
    EXPECT_EQ(t.entry(20) + " " + t.entry(39), "Ann 32767 bla18 32767");
    const Tables before = t;
    for (int base : {-1, 1, 21, 40})
        EXPECT_FALSE(makeRoomForScore(t.names, t.scores, base, 70000).has_value()) << base;
    EXPECT_FALSE(makeRoomForScore(HighScoreNames(t.names).first(39), HighScoreList(t.scores), 20, 70000).has_value());
    EXPECT_FALSE(makeRoomForScore(HighScoreNames(t.names), HighScoreList(t.scores).first(30), 20, 70000).has_value());
    enterHighScore(t.names, t.scores, 40, "x", 5);
    enterHighScore(t.names, t.scores, -1, "x", 5);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(t.entry(i), before.entry(i));
}

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
    // A pause near the end of time does not overflow.
    const std::int64_t late = std::numeric_limits<std::int64_t>::max() - 5;
    GameSession last;
    ASSERT_TRUE(last.start(0, late));
    while (last.tick(late).kind == GameTick::Kind::Grew) {
    }
    EXPECT_EQ(last.pauseUntil(), std::numeric_limits<std::int64_t>::max());
    EXPECT_TRUE(last.paused(late));
}

} // namespace
} // namespace qm
