// The editing session: one key on the last line of the longest tape, with the
// recalculation it runs and the change record the window redraws from.
#include "core/editing/TapeEditor.h"

#include <benchmark/benchmark.h>

namespace {

using namespace qm;

constexpr int ShownRows = 17;          // a window of the design height
constexpr std::size_t TapeLines = 32767;

Tape longTape()
{
    Tape tape;
    tape.resize(TapeLines);
    const char ops[] = {'+', '+', '-', '+'};
    for (std::size_t i = 0; i < TapeLines; ++i) {
        tape.TapeValue[i] = Value(Decimal::fromInt(static_cast<std::int64_t>(i % 1000) + 1));
        tape.TapeOp[i] = ops[i % 4];
    }
    return tape;
}

void BM_DigitOnLastLine(benchmark::State& state)
{
    TapeEditor editor(Regional{}, ShownRows);
    editor.replaceTape(longTape());
    editor.scrollTo(editor.scrollMax());
    editor.focusRow(editor.lastRow());
    editor.takeChanges();
    char digit = '1';
    for (auto _ : state) {
        // The digit replaces the line's text, so every key stores a new value.
        editor.selectAll();
        editor.typeCharacter(digit);
        EditorChanges changes = editor.takeChanges();
        benchmark::DoNotOptimize(changes);
        digit = digit == '9' ? '1' : static_cast<char>(digit + 1);
    }
    if (editor.currentLine() != static_cast<long long>(TapeLines) - 1)
        state.SkipWithError("the key did not land on the last line");
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DigitOnLastLine)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
