#include "core/input/DecimalText.h"

#include <array>
#include <cstdint>

namespace qm {

void appendDecimalText(std::string& out, const Decimal& d, char decimalSep)
{
    // Coefficient as three 32-bit limbs, most significant first; peel off nine
    // decimal digits at a time (10^9 < 2^32, so each step fits 64-bit arithmetic).
    std::uint32_t limbs[3] = {d.hi(), d.mid(), d.lo()};
    std::array<char, 40> digits{};   // least significant first
    int n = 0;
    bool nonZero = (limbs[0] | limbs[1] | limbs[2]) != 0;
    while (nonZero) {
        std::uint64_t rem = 0;
        for (auto& limb : limbs) {
            const std::uint64_t cur = (rem << 32) | limb;
            limb = static_cast<std::uint32_t>(cur / 1000000000u);
            rem = cur % 1000000000u;
        }
        nonZero = (limbs[0] | limbs[1] | limbs[2]) != 0;
        auto chunk = static_cast<std::uint32_t>(rem);
        for (int k = 0; k < 9 && (nonZero || chunk != 0); ++k) {
            digits[static_cast<std::size_t>(n++)] = static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
    }
    if (n == 0) {
        out += '0';
        return;
    }
    int scale = d.scale();
    // Drop trailing fractional zeros.
    int low = 0;
    while (low < scale && low < n && digits[static_cast<std::size_t>(low)] == '0')
        ++low;
    scale -= low;
    if (d.isNegative())
        out += '-';
    const int m = n - low;   // significant digits left
    auto put = [&](int from, int to) {   // digits[from..to], most significant first
        for (int i = from; i >= to; --i)
            out += digits[static_cast<std::size_t>(i)];
    };
    if (scale == 0) {
        put(n - 1, low);
    } else if (scale >= m) {
        out += '0';
        out += decimalSep;
        out.append(static_cast<std::size_t>(scale - m), '0');
        put(n - 1, low);
    } else {
        put(n - 1, low + scale);
        out += decimalSep;
        put(low + scale - 1, low);
    }
}

} // namespace qm
