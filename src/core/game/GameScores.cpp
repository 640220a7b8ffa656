#include "core/game/GameScores.h"

#include "core/number/TextForm.h"

#include <charconv>
#include <limits>

namespace qm {

std::optional<int> gameTableBase(int gameIndex)
{
    if (gameIndex == 0)
        return 0;
    if (gameIndex == 1)
        return GameTableSize;
    return std::nullopt;
}

std::int16_t storedScore(std::int32_t score)
{
    constexpr std::int32_t lo = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int16_t>::max();
    if (score > hi)
        return static_cast<std::int16_t>(hi);
    if (score < lo)
        return static_cast<std::int16_t>(lo);
    return static_cast<std::int16_t>(score);
}

std::optional<int> makeRoomForScore(HighScoreNames names, HighScoreList scores, int base,
                                    std::int32_t score)
{
    // Nothing was hit: no place, and no name is asked for.
    if ((base != 0 && base != GameTableSize) || score <= 0)
        return std::nullopt;
    const auto end = static_cast<std::size_t>(base + GameTableSize);
    if (names.size() < end || scores.size() < end)
        return std::nullopt;
    std::optional<int> place;
    for (int k = base + GameTableSize - 1; k >= base + 1; --k) {
        const auto above = static_cast<std::size_t>(k - 1);
        const auto here = static_cast<std::size_t>(k);
        if (score < scores[above])
            break;
        names[here] = names[above];
        scores[here] = scores[above];
        place = k - 1;
    }
    return place;
}

void enterHighScore(HighScoreNames names, HighScoreList scores, int place,
                    const std::string& name, std::int32_t score)
{
    if (place < 0)
        return;
    const auto i = static_cast<std::size_t>(place);
    if (i >= names.size() || i >= scores.size())
        return;
    names[i] = Value(name);
    scores[i] = storedScore(score);
}

std::string scoreText(std::int16_t score)
{
    char buf[8];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, score);
    return ec == std::errc() ? std::string(buf, end) : std::string();
}

std::string nameText(const Value& name)
{
    return plainText(name);
}

} // namespace qm
