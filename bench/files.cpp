// Reading and writing a calculation file of 1,000,000 tape lines, in memory
// and through the disk. Loading reports the tape's own memory (tape_MB), to
// set against the peak memory of a program that opens the same file:
//   bench_files --benchmark_filter=LoadCalcFile   (leaves no file behind), or
//   /usr/bin/time -v quillmate --total FILE       ("Maximum resident set size")

#include "core/files/CalcFile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

constexpr int Lines = 1000000;
const qm::Regional Regional{'.', ',', 3};

// Numbers of several sizes and scales, negatives, and a text line now and then.
const qm::Tape& bigTape()
{
    static const qm::Tape tape = [] {
        qm::Tape t;
        t.TapeValue.reserve(Lines);
        t.TapeOp.reserve(Lines);
        const char ops[] = {'+', '-', 'x', '/', '+'};
        for (int i = 0; i < Lines; ++i) {
            t.TapeOp.push_back(ops[i % 5]);
            if (i % 20 == 7) {
                t.TapeValue.emplace_back("Sin(" + std::to_string(i % 360) + ")");
                continue;
            }
            const auto raw = static_cast<std::uint32_t>(i) * 2654435761u;
            const int scale = static_cast<int>(raw % 5);
            auto d = qm::Decimal::fromParts(raw % 10000000u, 0, 0, i % 7 == 3, scale);
            t.TapeValue.emplace_back(d.valueOr(qm::Decimal()));
        }
        return t;
    }();
    return tape;
}

const std::string& bigFile()
{
    static const std::string bytes = qm::writeCalcFile(bigTape(), Regional);
    return bytes;
}

void WriteCalcFile(benchmark::State& state)
{
    const qm::Tape& tape = bigTape();
    for (auto _ : state) {
        std::string bytes = qm::writeCalcFile(tape, Regional);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bigFile().size()));
}

void ReadCalcFile(benchmark::State& state)
{
    const std::string& bytes = bigFile();
    for (auto _ : state) {
        qm::CalcFileRead read = qm::readCalcFile(bytes, Regional);
        if (!read.ok() || read.tape->size() != static_cast<std::size_t>(Lines))
            state.SkipWithError("reading failed");
        benchmark::DoNotOptimize(read.tape->TapeValue.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

// The memory the tape itself holds: both arrays and the texts that do not fit
// inside a value.
double tapeMegabytes(const qm::Tape& tape)
{
    std::size_t bytes = tape.TapeValue.capacity() * sizeof(qm::Value) + tape.TapeOp.capacity();
    for (const qm::Value& v : tape.TapeValue) {
        if (v.isText() && v.text().capacity() > std::string().capacity())
            bytes += v.text().capacity() + 1;
    }
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

std::filesystem::path benchPath()
{
    return std::filesystem::temp_directory_path() / "qm_bench_files.Clc";
}

void SaveCalcFile(benchmark::State& state)
{
    const qm::Tape& tape = bigTape();
    for (auto _ : state) {
        if (!qm::saveCalcFile(benchPath(), tape, Regional))
            state.SkipWithError("saving failed");
    }
}

void LoadCalcFile(benchmark::State& state)
{
    if (!qm::saveCalcFile(benchPath(), bigTape(), Regional)) {
        state.SkipWithError("saving failed");
        return;
    }
    double tapeMB = 0;
    for (auto _ : state) {
        qm::CalcFileRead read = qm::loadCalcFile(benchPath(), Regional);
        if (!read.ok() || read.tape->size() != static_cast<std::size_t>(Lines)) {
            state.SkipWithError("loading failed");
            break;
        }
        tapeMB = tapeMegabytes(*read.tape);
        benchmark::DoNotOptimize(read.tape);
    }
    state.counters["tape_MB"] = tapeMB;
    state.counters["lines"] = Lines;
    std::error_code ec;
    std::filesystem::remove(benchPath(), ec);
}

} // namespace

BENCHMARK(WriteCalcFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(ReadCalcFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SaveCalcFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(LoadCalcFile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
