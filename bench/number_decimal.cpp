// Decimal arithmetic and formatting against libstdc++'s decimal128 (BID,
// software) on the same operands: 1024 values of mixed sizes and scales,
// cycled in pairs.

#include "core/number/Decimal.h"
#include "core/number/TextForm.h"

#include <benchmark/benchmark.h>
#include <decimal/decimal>

#include <array>
#include <cstdint>
#include <random>

namespace {

constexpr std::size_t N = 1024;

struct Operands {
    std::array<qm::Decimal, N> ours;
    std::array<std::decimal::decimal128, N> gnu;
};

// Tape-like values: 1 to 15 significant digits, 0 to 8 decimals, both signs.
const Operands& operands()
{
    static const Operands ops = [] {
        Operands o;
        std::mt19937_64 rng(42);
        for (std::size_t i = 0; i < N; ++i) {
            const int digits = 1 + static_cast<int>(rng() % 15);
            std::int64_t limit = 1;
            for (int k = 0; k < digits; ++k)
                limit *= 10;
            std::int64_t coef = 1 + static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(limit - 1));
            if (rng() % 4 == 0)
                coef = -coef;
            const int scale = static_cast<int>(rng() % 9);
            const auto c = static_cast<std::uint64_t>(coef < 0 ? -coef : coef);
            o.ours[i] = qm::Decimal::fromParts(static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(c >> 32),
                                               0, coef < 0, scale).value();
            o.gnu[i] = std::decimal::make_decimal128(static_cast<long long>(coef), -scale);
        }
        return o;
    }();
    return ops;
}

inline std::size_t partner(std::size_t i)
{
    return (i * 7 + 3) & (N - 1);
}

void BM_Add_Decimal(benchmark::State& state)
{
    const auto& o = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = o.ours[i].add(o.ours[partner(i)]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

void BM_Add_Decimal128(benchmark::State& state)
{
    const auto& o = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = o.gnu[i] + o.gnu[partner(i)];
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

void BM_Mul_Decimal(benchmark::State& state)
{
    const auto& o = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = o.ours[i].mul(o.ours[partner(i)]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

void BM_Mul_Decimal128(benchmark::State& state)
{
    const auto& o = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = o.gnu[i] * o.gnu[partner(i)];
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

void BM_Div_Decimal(benchmark::State& state)
{
    const auto& o = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = o.ours[i].div(o.ours[partner(i)]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

void BM_Div_Decimal128(benchmark::State& state)
{
    const auto& o = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = o.gnu[i] / o.gnu[partner(i)];
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

// A 28-digit value with every digit significant.
const qm::Decimal& longValue()
{
    static const qm::Decimal v = qm::parseStrict("-1234567890.123456789012345678").value();
    return v;
}

void BM_PlainText28(benchmark::State& state)
{
    const qm::Decimal& v = longValue();
    for (auto _ : state) {
        auto s = qm::plainText(v);
        benchmark::DoNotOptimize(s);
    }
}

void BM_FormatFixed28(benchmark::State& state)
{
    const qm::Decimal& v = longValue();
    const qm::Regional r{'.', ',', 3};
    const int decimals = static_cast<int>(state.range(0));
    for (auto _ : state) {
        auto s = qm::formatFixed(v, decimals, r);
        benchmark::DoNotOptimize(s);
    }
}

} // namespace

BENCHMARK(BM_Add_Decimal);
BENCHMARK(BM_Add_Decimal128);
BENCHMARK(BM_Mul_Decimal);
BENCHMARK(BM_Mul_Decimal128);
BENCHMARK(BM_Div_Decimal);
BENCHMARK(BM_Div_Decimal128);
BENCHMARK(BM_PlainText28);
BENCHMARK(BM_FormatFixed28)->Arg(2)->Arg(18);

BENCHMARK_MAIN();
