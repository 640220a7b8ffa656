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
        {20, 0},            // ties the best: goes above it
        {11, 9},
        {2, 18},            // ties the 19th: enters as 19th
        {1, std::nullopt},  // would rank exactly 20th: does not enter
    };
    for (const auto& r : rows) {
        Tables t;
        fill(t, 0, "p", [](int j) { return 20 - j; });
        const std::optional<int> place = makeRoomForScore(t.names, t.scores, 0, r.score);
        EXPECT_EQ(place, r.place) << r.score;
        if (!place)
            continue;
        // Everything from the place down moved one entry; the old 20th is gone.
        for (int j = 0; j < 20; ++j)
            EXPECT_EQ(name(t, j), j == *place ? name(t, j) : std::string("p").append(std::to_string(j < *place ? j : j - 1))) << r.score;
    }
    // An empty table takes any score that hit something, and no 0.
    Tables empty;
    EXPECT_EQ(makeRoomForScore(empty.names, empty.scores, 0, 1), 0);
    EXPECT_FALSE(makeRoomForScore(empty.names, empty.scores, 0, 0).has_value());
}

// Scores beyond 16 bits are clamped, not wrapped; Blaster keeps to entries 20..39.
TEST(GameScores, BlasterTableAndSixteenBitScores)
{
    const struct { std::int32_t in; std::int16_t out; } rows[] = {
        {32768, 32767}, {2147483647, 32767}, {-5, -5}, {-40000, -32768}};
    for (const auto& r : rows)
        EXPECT_EQ(storedScore(r.in), r.out) << r.in;
    Tables t;
    fill(t, 0, "inv", [](int j) { return 100 - j; });
    fill(t, 20, "bla", [](int) { return 32767; });
    const std::optional<int> place = makeRoomForScore(t.names, t.scores, 20, 70000);
    ASSERT_EQ(place, 20);
    enterHighScore(t.names, t.scores, *place, "Ann", 70000);
    for (int j = 0; j < 20; ++j)
        EXPECT_EQ(name(t, j) + " " + std::to_string(score(t, j)), "inv" + std::to_string(j) + " " + std::to_string(100 - j));
    EXPECT_EQ(name(t, 20) + " " + std::to_string(score(t, 20)) + " " + name(t, 39), "Ann 32767 bla18");
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
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(name(t, i) + ":" + std::to_string(score(t, i)), std::string(i < 20 ? "a" : "b").append(std::to_string(i % 20)).append(":1"));
}

} // namespace
} // namespace qm
