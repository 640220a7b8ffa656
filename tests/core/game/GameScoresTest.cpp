#include "core/game/GameScores.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

struct Tables {
    HighScoreNameTable names;
    HighScoreTable scores{};
};

// Table `base` filled with name "<prefix><j>" and score f(j) for j = 0..19.
template <class F>
void fill(Tables& t, int base, const std::string& prefix, F score)
{
    for (int j = 0; j < GameTableSize; ++j) {
        const auto i = static_cast<std::size_t>(base + j);
        t.names[i] = Value(prefix + std::to_string(j));
        t.scores[i] = static_cast<std::int16_t>(score(j));
    }
}

std::string name(const Tables& t, int i) { return nameText(t.names[static_cast<std::size_t>(i)]); }
int score(const Tables& t, int i) { return t.scores[static_cast<std::size_t>(i)]; }

TEST(GameScores, PlacesInADescendingTable)
{
    // Scores 20, 19, ..., 1 at entries 0..19.
    const struct { std::int32_t score; std::optional<int> place; } rows[] = {
        {25, 0},            // a new best
        {20, 0},            // ties the best: goes above it
        {19, 0 + 1}, {11, 9},
        {2, 18},            // ties the 19th: enters as 19th
        {1, std::nullopt},  // would rank exactly 20th: does not enter
        {0, std::nullopt},
    };
    // A full table of equal scores takes a tie at the top; a lower score not at all.
    Tables equal;
    fill(equal, 0, "old", [](int) { return 10; });
    EXPECT_FALSE(makeRoomForScore(equal.names, equal.scores, 0, 9).has_value());
    EXPECT_EQ(name(equal, 0), "old0");
    EXPECT_EQ(makeRoomForScore(equal.names, equal.scores, 0, 10), 0);
    EXPECT_EQ(name(equal, 19), "old18");

    for (const auto& r : rows) {
        Tables t;
        fill(t, 0, "p", [](int j) { return 20 - j; });
        const std::optional<int> place = makeRoomForScore(t.names, t.scores, 0, r.score);
        EXPECT_EQ(place, r.place) << r.score;
        if (!place)
            continue;
        // Everything from the place down moved one entry; the old 20th is gone.
        for (int j = *place + 1; j < 20; ++j)
            EXPECT_EQ(name(t, j), "p" + std::to_string(j - 1)) << r.score;
        for (int j = 0; j < *place; ++j)
            EXPECT_EQ(name(t, j), "p" + std::to_string(j)) << r.score;
    }
}

TEST(GameScores, BlasterUsesOnlyEntriesTwentyToThirtyNine)
{
    Tables t;
    fill(t, 0, "inv", [](int j) { return 100 - j; });
    fill(t, 20, "bla", [](int j) { return 50 - j; });
    const std::optional<int> place = makeRoomForScore(t.names, t.scores, 20, 1000);
    ASSERT_EQ(place, 20);
    enterHighScore(t.names, t.scores, *place, "Ann", 1000);
    for (int j = 0; j < 20; ++j) {
        EXPECT_EQ(name(t, j), "inv" + std::to_string(j));
        EXPECT_EQ(score(t, j), 100 - j);
    }
    EXPECT_EQ(name(t, 20), "Ann");
    EXPECT_EQ(score(t, 20), 1000);
    EXPECT_EQ(name(t, 39), "bla18");
    EXPECT_FALSE(gameTableBase(2).has_value());
    // A fresh table (empty names, scores 0) takes even a score of 0 at the top.
    Tables fresh;
    EXPECT_EQ(makeRoomForScore(fresh.names, fresh.scores, 0, 0), 0);
}

TEST(GameScores, ScoresBeyondSixteenBitsAreClampedNotWrapped)
{
    const struct { std::int32_t in; std::int16_t out; } rows[] = {
        {32767, 32767}, {32768, 32767}, {2147483647, 32767}, {-5, -5}, {-40000, -32768}};
    for (const auto& r : rows)
        EXPECT_EQ(storedScore(r.in), r.out) << r.in;

    Tables t;
    fill(t, 0, "p", [](int) { return 32767; });
    const std::optional<int> place = makeRoomForScore(t.names, t.scores, 0, 70000);
    ASSERT_EQ(place, 0);
    enterHighScore(t.names, t.scores, *place, "Max", 70000);
    EXPECT_EQ(score(t, 0), 32767);
}

TEST(GameScores, BadBasesPlacesAndArraySizes)
{
    Tables t;
    fill(t, 0, "a", [](int) { return 1; });
    fill(t, 20, "b", [](int) { return 1; });
    for (int base : {-1, 1, 21, 40})
        EXPECT_FALSE(makeRoomForScore(t.names, t.scores, base, 500).has_value()) << base;
    // Arrays too short for the Blaster table.
    EXPECT_FALSE(makeRoomForScore(HighScoreNames(t.names).first(39),
                                  HighScoreList(t.scores), 20, 500).has_value());
    EXPECT_FALSE(makeRoomForScore(HighScoreNames(t.names),
                                  HighScoreList(t.scores).first(30), 20, 500).has_value());
    enterHighScore(t.names, t.scores, 40, "x", 5);
    enterHighScore(t.names, t.scores, -1, "x", 5);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(score(t, i), 1) << i;
        EXPECT_EQ(name(t, i), (i < 20 ? "a" : "b") + std::to_string(i % 20)) << i;
    }
    // Arrays one entry longer, as the window keeps them: entry 40 is never touched.
    std::array<Value, 41> names;
    std::array<std::int16_t, 41> scores{};
    names[40] = Value("spare");
    scores[40] = 77;
    const std::optional<int> place = makeRoomForScore(names, scores, 20, 5);
    ASSERT_EQ(place, 20);
    enterHighScore(names, scores, *place, "Bo", 5);
    EXPECT_EQ(nameText(names[20]), "Bo");
    EXPECT_EQ(nameText(names[40]), "spare");
    EXPECT_EQ(scores[40], 77);
}

} // namespace
} // namespace qm
