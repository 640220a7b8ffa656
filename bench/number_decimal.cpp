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
#include <vector>

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

// One operation per benchmark iteration, each result kept.
template <class T, class Op>
void perCall(benchmark::State& state, const std::array<T, N>& v, Op op)
{
    std::size_t i = 0;
    for (auto _ : state) {
        auto r = op(v[i], v[partner(i)]);
        benchmark::DoNotOptimize(r);
        i = (i + 1) & (N - 1);
    }
}

// Throughput over a column: all N pairs per iteration into a result array,
// as a tape recalculation does.
template <class T, class Op>
void batch(benchmark::State& state, const std::array<T, N>& v, Op op)
{
    using R = decltype(op(v[0], v[0]));
    std::vector<R> out(N, op(v[0], v[0]));
    for (auto _ : state) {
        for (std::size_t i = 0; i < N; ++i)
            out[i] = op(v[i], v[partner(i)]);
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * N));
}

const auto addOurs = [](const qm::Decimal& a, const qm::Decimal& b) { return a.add(b); };
const auto mulOurs = [](const qm::Decimal& a, const qm::Decimal& b) { return a.mul(b); };
const auto divOurs = [](const qm::Decimal& a, const qm::Decimal& b) { return a.div(b); };
using std::decimal::decimal128;
const auto addGnu = [](const decimal128& a, const decimal128& b) { return a + b; };
const auto mulGnu = [](const decimal128& a, const decimal128& b) { return a * b; };
const auto divGnu = [](const decimal128& a, const decimal128& b) { return a / b; };

void BM_Add_Decimal(benchmark::State& s) { perCall(s, operands().ours, addOurs); }
void BM_Add_Decimal128(benchmark::State& s) { perCall(s, operands().gnu, addGnu); }
void BM_Mul_Decimal(benchmark::State& s) { perCall(s, operands().ours, mulOurs); }
void BM_Mul_Decimal128(benchmark::State& s) { perCall(s, operands().gnu, mulGnu); }
void BM_Div_Decimal(benchmark::State& s) { perCall(s, operands().ours, divOurs); }
void BM_Div_Decimal128(benchmark::State& s) { perCall(s, operands().gnu, divGnu); }
void BM_AddColumn_Decimal(benchmark::State& s) { batch(s, operands().ours, addOurs); }
void BM_AddColumn_Decimal128(benchmark::State& s) { batch(s, operands().gnu, addGnu); }
void BM_MulColumn_Decimal(benchmark::State& s) { batch(s, operands().ours, mulOurs); }
void BM_MulColumn_Decimal128(benchmark::State& s) { batch(s, operands().gnu, mulGnu); }

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
BENCHMARK(BM_AddColumn_Decimal);
BENCHMARK(BM_AddColumn_Decimal128);
BENCHMARK(BM_MulColumn_Decimal);
BENCHMARK(BM_MulColumn_Decimal128);
BENCHMARK(BM_PlainText28);
BENCHMARK(BM_FormatFixed28)->Arg(2)->Arg(18);

BENCHMARK_MAIN();
