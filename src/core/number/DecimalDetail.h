#pragma once
// Internal to the number layer: the two-word layout of a decimal and the
// tables of the inline fast paths. Nothing outside core/number uses these.

#include <cstdint>

namespace qm::detail {

inline constexpr std::uint64_t Pow10Table64[19] = {
    1ull, 10ull, 100ull, 1000ull, 10000ull, 100000ull, 1000000ull, 10000000ull, 100000000ull,
    1000000000ull, 10000000000ull, 100000000000ull, 1000000000000ull, 10000000000000ull,
    100000000000000ull, 1000000000000000ull, 10000000000000000ull, 100000000000000000ull,
    1000000000000000000ull,
};
// Row ((2 * (sa - sb) + negA + 56) * 2 + negB) holds the signed powers of
// ten that bring both addends to the larger scale, and how far b's scale
// field rises. Scales more than 18 apart need more than 64-bit factors:
// `slow` sends those to the general path.
struct AddAlignment {
    std::int64_t factorA;
    std::int64_t factorB;
    std::uint64_t scaleRise;   // already shifted into the scale field
    std::uint64_t slow;
};
inline constexpr auto AddAlignTable = [] {
    struct Table {
        AddAlignment row[57 * 4];
    } t{};
    for (int d = -28; d <= 28; ++d) {
        const bool fits = d >= -18 && d <= 18;
        const int upA = d < 0 && fits ? -d : 0;
        const int upB = d > 0 && fits ? d : 0;
        for (int negA = 0; negA < 2; ++negA) {
            for (int negB = 0; negB < 2; ++negB) {
                const auto fa = static_cast<std::int64_t>(Pow10Table64[upA]);
                const auto fb = static_cast<std::int64_t>(Pow10Table64[upB]);
                t.row[(2 * d + negA + 56) * 2 + negB] = {negA ? -fa : fa, negB ? -fb : fb,
                                                         static_cast<std::uint64_t>(upB) << 33, fits ? 0u : 1u};
            }
        }
    }
    return t;
}();

// How a decimal packs into two words, so that it (and a decimal result)
// travels in registers: the coefficient's low 64 bits, and its high 32 bits
// with the sign in bit 32 and the scale in bits 33..40. Bit 63 marks a failed
// result.
struct DecimalLayout {
    static constexpr std::uint64_t NegativeBit = 1ull << 32;
    static constexpr std::uint64_t FailedBit = 1ull << 63;
    static constexpr int ScaleShift = 33;
    static constexpr std::uint64_t packHigh(std::uint32_t hi32, int scale, bool negative)
    {
        return hi32 | (static_cast<std::uint64_t>(scale) << ScaleShift) | (negative ? NegativeBit : 0);
    }
};

} // namespace qm::detail
