#pragma once
// The figures of the games: 0 to 8, uniformly, from a generator that starts
// from the same seed in every run of the program, so every run gives the same
// sequence. The mapping is our own (not a library distribution), so the
// sequence is the same with every standard library.

#include <cstdint>
#include <random>

namespace qm {

class GameFigures {
public:
    static constexpr std::uint32_t DefaultSeed = 5489u;

    explicit GameFigures(std::uint32_t seed = DefaultSeed) : gen_(seed) {}

    // The integer part of u * 9 for u uniform in [0, 1): 0..8, never 9.
    int next()
    {
        const std::uint64_t x = gen_();   // uniform 32-bit, u = x / 2^32
        return static_cast<int>((x * 9u) >> 32);
    }

private:
    std::mt19937 gen_;
};

} // namespace qm
