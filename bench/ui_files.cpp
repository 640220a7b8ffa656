// Opening and saving a calculation of 1,000,000 lines through the functions
// the main window calls (each should take well under a second).

#include "ui/files/CalculationFiles.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int Lines = 1'000'000;

// A tape like a long real one: integers, decimals, negatives and some
// function and percent lines.
qm::Tape bigTape()
{
    qm::Tape tape;
    tape.TapeValue.reserve(Lines);
    tape.TapeOp.reserve(Lines);
    const char ops[] = {'+', '-', 'x', '/', '+'};
    for (int i = 0; i < Lines; ++i) {
        tape.TapeOp.push_back(ops[i % 5]);
        if (i % 97 == 0)
            tape.TapeValue.emplace_back(std::string("Sin(30)"));
        else if (i % 89 == 0)
            tape.TapeValue.emplace_back(std::string("12.5%"));
        else
            tape.TapeValue.emplace_back(qm::Decimal::fromParts(static_cast<std::uint32_t>(i) * 2654435761u % 10000000u,
                                                               0, 0, i % 3 == 0, i % 4).value());
    }
    return tape;
}

struct Files {
    QTemporaryDir dir;
    qm::Tape tape = bigTape();
    qm::Regional regional;
    QString path = dir.filePath("big.Clc");
};

Files& files()
{
    static Files f;
    return f;
}

void BM_SaveCalculation(benchmark::State& state)
{
    Files& f = files();
    for (auto _ : state) {
        if (!qm::ui::saveCalculation(nullptr, f.path, f.tape, f.regional))
            state.SkipWithError("save failed");
    }
    state.counters["lines"] = Lines;
}
BENCHMARK(BM_SaveCalculation)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_OpenCalculation(benchmark::State& state)
{
    Files& f = files();
    if (!qm::ui::saveCalculation(nullptr, f.path, f.tape, f.regional)) {
        state.SkipWithError("could not write the file");
        return;
    }
    for (auto _ : state) {
        qm::Tape tape;
        if (!qm::ui::openCalculation(nullptr, f.path, f.regional, tape) || tape.size() != Lines)
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(tape);
    }
    state.counters["lines"] = Lines;
}
BENCHMARK(BM_OpenCalculation)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);   // a failure would show a message box
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
