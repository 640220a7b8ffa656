#pragma once
// Internal to the number layer: a fixed 256-bit unsigned integer for the
// exact intermediate results of decimal arithmetic, and powers of ten. Not part
// of the public interface.

#include <array>
#include <cstdint>

namespace qm::detail {

using u128 = unsigned __int128;

inline constexpr u128 Two96 = static_cast<u128>(1) << 96;
inline constexpr u128 Coef96Max = Two96 - 1;

// 10^0 .. 10^38 (10^38 < 2^128).
inline constexpr std::array<u128, 39> Pow10 = [] {
    std::array<u128, 39> p{};
    p[0] = 1;
    for (std::size_t i = 1; i < p.size(); ++i)
        p[i] = p[i - 1] * 10;
    return p;
}();

inline constexpr std::uint64_t Pow10u64(int k) { return static_cast<std::uint64_t>(Pow10[k]); }

// (hi:lo) / d with hi < d: quotient fits in 64 bits.
inline std::uint64_t div128by64(std::uint64_t hi, std::uint64_t lo, std::uint64_t d,
                                std::uint64_t& rem)
{
#if defined(__x86_64__)
    std::uint64_t q;
    std::uint64_t r;
    __asm__("divq %4" : "=a"(q), "=d"(r) : "a"(lo), "d"(hi), "rm"(d));
    rem = r;
    return q;
#else
    const u128 n = (static_cast<u128>(hi) << 64) | lo;
    rem = static_cast<std::uint64_t>(n % d);
    return static_cast<std::uint64_t>(n / d);
#endif
}

// Number of significant bits of v (0 for 0).
inline int bitLength(u128 v)
{
    const auto hi = static_cast<std::uint64_t>(v >> 64);
    if (hi != 0)
        return 128 - __builtin_clzll(hi);
    const auto lo = static_cast<std::uint64_t>(v);
    return lo == 0 ? 0 : 64 - __builtin_clzll(lo);
}

struct WideUInt {
    std::array<std::uint64_t, 4> w{};   // little-endian limbs

    static WideUInt from(u128 v)
    {
        WideUInt r;
        r.w[0] = static_cast<std::uint64_t>(v);
        r.w[1] = static_cast<std::uint64_t>(v >> 64);
        return r;
    }

    bool isZero() const { return (w[0] | w[1] | w[2] | w[3]) == 0; }
    bool fits96() const { return w[3] == 0 && w[2] == 0 && (w[1] >> 32) == 0; }
    bool fits128() const { return w[3] == 0 && w[2] == 0; }
    u128 low128() const { return (static_cast<u128>(w[1]) << 64) | w[0]; }
    bool isOdd() const { return (w[0] & 1) != 0; }

    int bitLength() const
    {
        for (int i = 3; i >= 0; --i)
            if (w[i] != 0)
                return 64 * i + 64 - __builtin_clzll(w[i]);
        return 0;
    }

    // *this *= m; returns the carry out of the top limb (0 when the product fits).
    std::uint64_t mulSmall(std::uint64_t m)
    {
        std::uint64_t carry = 0;
        for (auto& limb : w) {
            const u128 p = static_cast<u128>(limb) * m + carry;
            limb = static_cast<std::uint64_t>(p);
            carry = static_cast<std::uint64_t>(p >> 64);
        }
        return carry;
    }

    // *this *= 10^k; returns false when the product does not fit in 256 bits.
    bool mulPow10(int k)
    {
        while (k > 0) {
            const int step = k > 19 ? 19 : k;
            if (mulSmall(Pow10u64(step)) != 0)
                return false;
            k -= step;
        }
        return true;
    }

    // *this += o; returns the carry out.
    std::uint64_t add(const WideUInt& o)
    {
        unsigned carry = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const u128 s = static_cast<u128>(w[i]) + o.w[i] + carry;
            w[i] = static_cast<std::uint64_t>(s);
            carry = static_cast<unsigned>(s >> 64);
        }
        return carry;
    }

    void addOne()
    {
        for (auto& limb : w)
            if (++limb != 0)
                break;
    }

    // *this -= o; precondition *this >= o.
    void sub(const WideUInt& o)
    {
        std::uint64_t borrow = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const std::uint64_t a = w[i];
            const std::uint64_t d = a - o.w[i] - borrow;
            borrow = (a < o.w[i] || (a == o.w[i] && borrow)) ? 1 : 0;
            w[i] = d;
        }
    }

    // *this <<= s, 0 <= s < 256; bits shifted out are lost.
    void shiftLeft(int s)
    {
        const int limbs = s / 64;
        const int bits = s % 64;
        for (int i = 3; i >= 0; --i) {
            std::uint64_t v = 0;
            const int src = i - limbs;
            if (src >= 0) {
                v = w[src] << bits;
                if (bits != 0 && src > 0)
                    v |= w[src - 1] >> (64 - bits);
            }
            w[i] = v;
        }
    }

    // *this /= d (d != 0); returns the remainder.
    std::uint64_t divSmall(std::uint64_t d)
    {
        std::uint64_t rem = 0;
        for (int i = 3; i >= 0; --i) {
            if (rem == 0 && w[i] < d) {
                rem = w[i];
                w[i] = 0;
                continue;
            }
            w[i] = div128by64(rem, w[i], d, rem);
        }
        return rem;
    }

    friend int compare(const WideUInt& a, const WideUInt& b)
    {
        for (int i = 3; i >= 0; --i)
            if (a.w[i] != b.w[i])
                return a.w[i] < b.w[i] ? -1 : 1;
        return 0;
    }
};

// Product of two values below 2^128.
inline WideUInt mul128(u128 a, u128 b)
{
    const auto a0 = static_cast<std::uint64_t>(a), a1 = static_cast<std::uint64_t>(a >> 64);
    const auto b0 = static_cast<std::uint64_t>(b), b1 = static_cast<std::uint64_t>(b >> 64);
    const u128 p00 = static_cast<u128>(a0) * b0;
    const u128 p01 = static_cast<u128>(a0) * b1;
    const u128 p10 = static_cast<u128>(a1) * b0;
    const u128 p11 = static_cast<u128>(a1) * b1;
    WideUInt r;
    r.w[0] = static_cast<std::uint64_t>(p00);
    const u128 mid = (p00 >> 64) + static_cast<std::uint64_t>(p01) + static_cast<std::uint64_t>(p10);
    r.w[1] = static_cast<std::uint64_t>(mid);
    const u128 high = (mid >> 64) + (p01 >> 64) + (p10 >> 64) + static_cast<std::uint64_t>(p11);
    r.w[2] = static_cast<std::uint64_t>(high);
    r.w[3] = static_cast<std::uint64_t>(high >> 64) + static_cast<std::uint64_t>(p11 >> 64);
    return r;
}

// x / 10^k rounded half to even (k >= 0).
inline WideUInt divPow10RoundEven(WideUInt x, int k)
{
    bool sticky = false;
    while (k > 19) {
        sticky |= x.divSmall(Pow10u64(19)) != 0;
        k -= 19;
    }
    if (k == 0)
        return x;
    const std::uint64_t d = Pow10u64(k);
    const std::uint64_t r = x.divSmall(d);
    const std::uint64_t half = d / 2;
    if (r > half || (r == half && (sticky || x.isOdd())))
        x.addOne();
    return x;
}

} // namespace qm::detail
