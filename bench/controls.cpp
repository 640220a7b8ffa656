// Rendering cost of the custom controls' pictures.

#include "core/controls/ButtonFaces.h"
#include "core/controls/ScrollBarEngine.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ButtonFaces54x46(benchmark::State& state)
{
    const auto rgb = qm::splitRenderColor(0x000063);
    const auto border = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        auto faces = qm::renderButtonFaces(54, 46, rgb.valueOr({}), border);
        benchmark::DoNotOptimize(faces);
    }
}
BENCHMARK(BM_ButtonFaces54x46)->DenseRange(0, 3);

void BM_ScrollBarRender31x442(benchmark::State& state)
{
    qm::ScrollBarEngine bar;
    bar.setBackColor(0xE0E0E0);
    bar.resize(31, 442);
    bar.setValue(37);
    for (auto _ : state) {
        bar.render();
        benchmark::DoNotOptimize(bar.surface().pixels().data());
    }
}
BENCHMARK(BM_ScrollBarRender31x442);

// One auto-repeat step: paint the thumb on the stored background.
void BM_ScrollBarTick31x442(benchmark::State& state)
{
    qm::ScrollBarEngine bar;
    bar.resize(31, 442);
    bar.setValueMax(1000000);
    bar.press(1, 430.0f);
    for (auto _ : state) {
        bar.tick();
        if (bar.value() >= 999999)
            bar.setValue(0);
        benchmark::DoNotOptimize(bar.surface().pixels().data());
    }
}
BENCHMARK(BM_ScrollBarTick31x442);

} // namespace

BENCHMARK_MAIN();
