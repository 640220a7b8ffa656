// The recovery copy of a 32,767-line tape (the longest that typing and
// pasting make): the copy taken on the typing thread, and the write through
// the safe save that the writer thread does with it.

#include "core/files/CalcFile.h"
#include "core/files/RecoveryWriter.h"
#include "core/files/SafeFile.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <memory>

namespace {

using namespace qm;

const Regional English{'.', ',', 3};

Tape longTape(std::size_t lines)
{
    Tape t;
    t.resize(lines);
    const char ops[] = {'+', '-', 'x', '/', '+'};
    for (std::size_t i = 0; i < lines; ++i) {
        t.TapeOp[i] = ops[i % 5];
        if (i % 50 == 7)
            t.TapeValue[i] = Value("Sin(" + std::to_string(i % 360) + ")");
        else
            t.TapeValue[i] = Value(Decimal::fromParts(static_cast<std::uint32_t>(i * 7919 % 10000000), 0, 0,
                                                      i % 7 == 3, static_cast<int>(i % 4))
                                       .valueOr(Decimal()));
    }
    return t;
}

void BM_RecoveryCopyOnTheTypingThread(benchmark::State& state)
{
    const Tape tape = longTape(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::optional<Tape> copy = recoveryCopy(tape);
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_RecoveryCopyOnTheTypingThread)->Arg(32767)->Arg(1000000)->Unit(benchmark::kMillisecond);

// A tape opened from a long file is copied a slice per turn of the event
// loop: the longest a key can wait for it is one slice.
void BM_RecoverySliceOfAMillionLineTape(benchmark::State& state)
{
    const Tape tape = longTape(1000000);
    auto snapshot = std::make_unique<RecoverySnapshot>(tape);
    for (auto _ : state) {
        if (snapshot->copyMore(tape, 8192)) {
            state.PauseTiming();
            snapshot = std::make_unique<RecoverySnapshot>(tape);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_RecoverySliceOfAMillionLineTape)->Unit(benchmark::kMillisecond)->Iterations(246);

void BM_RecoveryWriteOnTheWriterThread(benchmark::State& state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qm_bench_recovery_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const Tape tape = *recoveryCopy(longTape(32767));
    for (auto _ : state) {
        const FileStatus status = writeFileSafely(dir / "recovery.Clc", writeCalcFile(tape, English));
        if (!status.ok)
            state.SkipWithError(status.reason.c_str());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RecoveryWriteOnTheWriterThread)->Unit(benchmark::kMillisecond);

// Both, as the window's pause ends in them: copy, hand over, written.
void BM_RecoveryCopyAndWrite(benchmark::State& state)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("qm_bench_recovery_all_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const Tape tape = longTape(32767);
    {
        RecoveryWriter writer(dir / "recovery.Clc");
        for (auto _ : state) {
            writer.submit(*recoveryCopy(tape), English);
            writer.waitIdle();
        }
        if (!writer.lastStatus().ok)
            state.SkipWithError(writer.lastStatus().reason.c_str());
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_RecoveryCopyAndWrite)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
