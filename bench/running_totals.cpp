// The running total of every line, worked out by the same pass as the grand
// total: the cost against the pass alone on a tape of 1,000,000 lines, and
// the cost of the texts the shown rows ask for.
#include "core/input/Evaluator.h"
#include "core/tape/DefaultButtons.h"
#include "core/tape/MailCalc.h"

#include "support/BenchTapes.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qm;

constexpr std::size_t Lines = 1'000'000;

using bench::plainTape;

CalcSettings twoDecimals()
{
    CalcSettings settings;
    settings.DecimalPlaces = 2;
    return settings;
}

void BM_GrandTotalOnly(benchmark::State& state)
{
    const Tape tape = plainTape(Lines);
    const CalcSettings settings = twoDecimals();
    const FunctionButtons buttons = defaultFunctionButtons();
    Evaluator ev;
    for (auto _ : state) {
        TotalResult r = MailCalc(tape, settings, buttons, {}, ev);
        benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Lines));
}
BENCHMARK(BM_GrandTotalOnly)->Unit(benchmark::kMillisecond);

void BM_WithRunningTotals(benchmark::State& state)
{
    const Tape tape = plainTape(Lines);
    const CalcSettings settings = twoDecimals();
    const FunctionButtons buttons = defaultFunctionButtons();
    Evaluator ev;
    std::vector<LineTotal> totals;   // kept between passes, as the session keeps it
    for (auto _ : state) {
        TotalResult r = MailCalc(tape, settings, buttons, {}, ev, totals);
        benchmark::DoNotOptimize(r);
        benchmark::DoNotOptimize(totals.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(Lines));
}
BENCHMARK(BM_WithRunningTotals)->Unit(benchmark::kMillisecond);

// The tooltips of a full window of rows after a change.
void BM_ShownRowTexts(benchmark::State& state)
{
    const Tape tape = plainTape(Lines);
    const CalcSettings settings = twoDecimals();
    const FunctionButtons buttons = defaultFunctionButtons();
    Evaluator ev;
    std::vector<LineTotal> totals;
    MailCalc(tape, settings, buttons, {}, ev, totals);
    for (auto _ : state) {
        for (std::size_t i = Lines - 40; i < Lines; ++i) {
            std::string text = runningTotalText(totals[i], settings, buttons);
            benchmark::DoNotOptimize(text);
        }
    }
}
BENCHMARK(BM_ShownRowTexts)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
