// Undo on a tape of 1,000,000 lines: taking back Clear All and Open (the
// history alone, and with the recalculation the session runs after it), and
// the memory the history holds after 1,000 single-line edits.

#include "core/editing/TapeEditor.h"
#include "core/editing/UndoHistory.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

// Live heap bytes, counted by replacing the global allocation functions.
namespace {
std::atomic<long long> liveBytes{0};
}

void* operator new(std::size_t size)
{
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p)
        throw std::bad_alloc();
    liveBytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
void operator delete(void* p) noexcept
{
    if (!p)
        return;
    liveBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using namespace qm;

constexpr std::size_t TapeLines = 1000000;
constexpr int ShownRows = 17;
const Regional English{'.', ',', 3};

// `first` is the value of line 0; the values run 1..1000 from there.
Tape bigTape(int first = 1)
{
    Tape t;
    t.resize(TapeLines);
    const char ops[] = {'+', '+', '-', '+'};
    for (std::size_t i = 0; i < TapeLines; ++i) {
        t.TapeValue[i] = Value(Decimal::fromInt(static_cast<std::int64_t>((i + first - 1) % 1000) + 1));
        t.TapeOp[i] = ops[i % 4];
    }
    return t;
}

// The history alone: the step of Clear All taken back and done again.
void BM_HistoryUndoClearAll(benchmark::State& state)
{
    Tape tape = bigTape();
    UndoHistory history;
    for (auto _ : state) {
        state.PauseTiming();
        history.clear();
        history.begin(tape, UndoView{});
        const std::size_t lines = tape.size();
        history.recordWholeTape(std::move(tape));
        tape.resize(lines);   // the cleared tape
        history.end(tape, UndoView{});
        state.ResumeTiming();
        benchmark::DoNotOptimize(history.undo(tape));
    }
    if (tape.size() != TapeLines || tape.TapeValue[5].isEmpty())
        state.SkipWithError("the tape did not come back");
}
BENCHMARK(BM_HistoryUndoClearAll)->Unit(benchmark::kMicrosecond)->Iterations(20);

// Undo in the editing session: the tape back, the view, and the recalculation of
// 1,000,000 lines that every change of the tape runs.
void undoInEditor(benchmark::State& state, bool open)
{
    TapeEditor editor(English, ShownRows);
    editor.replaceTape(bigTape());
    editor.forgetHistory();
    // A file other than the tape shown (opening the same tape changes nothing).
    Tape opened = open ? bigTape(2) : Tape{};
    for (auto _ : state) {
        state.PauseTiming();
        if (open)
            editor.replaceTape(std::move(opened));
        else
            editor.clearAll();
        editor.takeChanges();
        state.ResumeTiming();
        if (!editor.undo())
            state.SkipWithError("nothing to undo");
        state.PauseTiming();
        if (open) {
            // The opened tape again, for the next round.
            editor.redo();
            editor.undo();
            opened = bigTape(2);
        }
        editor.forgetHistory();
        state.ResumeTiming();
    }
    if (editor.tape().size() != TapeLines || editor.tape().TapeValue[0].decimal() != Decimal::fromInt(1))
        state.SkipWithError("the tape did not come back");
}

void BM_EditorUndoClearAll(benchmark::State& state) { undoInEditor(state, false); }
void BM_EditorUndoOpen(benchmark::State& state) { undoInEditor(state, true); }
BENCHMARK(BM_EditorUndoClearAll)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_EditorUndoOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

// The recalculation alone, for comparison.
void BM_RecalculateMillionLines(benchmark::State& state)
{
    TapeEditor editor(English, ShownRows);
    editor.replaceTape(bigTape());
    for (auto _ : state)
        editor.recalculate();
}
BENCHMARK(BM_RecalculateMillionLines)->Unit(benchmark::kMillisecond)->Iterations(10);

// 1,000 single-line edits, each on a line of its own, on 1,000,000 lines:
// the heap the history holds afterwards.
void BM_HistoryMemoryAfterThousandEdits(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        TapeEditor editor(English, ShownRows);
        editor.replaceTape(bigTape());
        editor.forgetHistory();
        editor.takeChanges();
        const long long before = liveBytes.load();
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            editor.scrollTo(i * 997);
            editor.typeCharacter('7');
        }
        editor.focusRow(5);   // the last step closes
        state.PauseTiming();
        editor.takeChanges();
        state.counters["history_bytes"] = static_cast<double>(liveBytes.load() - before);
        state.counters["kept_lines"] = static_cast<double>(editor.history().keptLines());
        state.counters["steps"] = static_cast<double>(editor.history().undoSteps());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_HistoryMemoryAfterThousandEdits)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
