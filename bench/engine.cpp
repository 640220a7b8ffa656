// Recalculation engine: the evaluator, full tape passes and the sort used by
// the statistics.
#include "core/input/Evaluator.h"
#include "core/number/TextForm.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MailCalc.h"
#include "core/tape/PositiveSort.h"

#include "support/BenchTapes.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

using namespace qm;

void BM_Evaluate(benchmark::State& state)
{
    Evaluator ev;
    for (auto _ : state) {
        auto r = ev.evaluate("(4*3.14159265358979*12^3)/3");
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Evaluate);

using bench::plainTape;

// A quarter each: plain number, built-in function, percent, user-defined call.
Tape mixedTape(std::size_t lines)
{
    Tape tape;
    for (std::size_t i = 0; i < lines; ++i) {
        switch (i % 4) {
        case 0: tape.TapeValue.emplace_back(*parseStrict("12.5")); tape.TapeOp.push_back('+'); break;
        case 1: tape.TapeValue.emplace_back("Sin(30)"); tape.TapeOp.push_back('+'); break;
        case 2: tape.TapeValue.emplace_back("5%"); tape.TapeOp.push_back('-'); break;
        default: tape.TapeValue.emplace_back("Kilo(22)"); tape.TapeOp.push_back('-'); break;
        }
    }
    return tape;
}

void runTape(benchmark::State& state, const Tape& tape)
{
    const FunctionButtons buttons = defaultFunctionButtons();
    CalcSettings settings;
    Evaluator ev;
    const std::string previous;
    for (auto _ : state) {
        auto r = MailCalc(tape, settings, buttons, previous, ev);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tape.size()));
    state.counters["text"] = static_cast<double>(MailCalc(tape, settings, buttons, previous, ev).text.size());
}

void BM_MailCalcPlain(benchmark::State& state)
{
    runTape(state, plainTape(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_MailCalcPlain)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_MailCalcMixed(benchmark::State& state)
{
    runTape(state, mixedTape(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_MailCalcMixed)->Arg(1000000)->Unit(benchmark::kMillisecond);

std::vector<Value> randomValues(std::size_t n)
{
    std::mt19937 gen(1);
    std::uniform_int_distribution<int> d(-1000, 100000);
    std::vector<Value> v(n);
    for (auto& x : v)
        x = Value(Decimal::fromInt(d(gen)));
    return v;
}

void BM_SortPositivesFirst(benchmark::State& state)
{
    const auto values = randomValues(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto v = values;
        benchmark::DoNotOptimize(sortPositivesFirst(v));
    }
}
BENCHMARK(BM_SortPositivesFirst)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_MeanOfLongTape(benchmark::State& state)
{
    Tape tape = plainTape(static_cast<std::size_t>(state.range(0)));
    CalcSettings settings;
    settings.StatMode = 2;
    const FunctionButtons buttons = defaultFunctionButtons();
    Evaluator ev;
    for (auto _ : state)
        benchmark::DoNotOptimize(MailCalc(tape, settings, buttons, "", ev));
}
BENCHMARK(BM_MeanOfLongTape)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
