// Cost of a full face render of the widgets, captions and masks included:
// the main window re-renders its operator buttons while the tape scrolls.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void BM_SuperButtonRender54x46(benchmark::State& state)
{
    qm::ui::SuperButton b;
    b.resize(54, 46);
    b.setCaption(QStringLiteral("Sqr"));
    b.setBorder(static_cast<qint32>(state.range(0)));
    quint32 colour = 0x000063;
    for (auto _ : state) {
        colour ^= 1;   // a change renders the faces anew when they are next asked for
        b.setRenderColor(colour);
        benchmark::DoNotOptimize(b.lightColor());
    }
}
BENCHMARK(BM_SuperButtonRender54x46)->Arg(0)->Arg(3);

void BM_EzyVerticalScrollRender31x442(benchmark::State& state)
{
    qm::ui::EzyVerticalScroll bar;
    bar.resize(31, 442);
    bar.setBackColor(0xE0E0E0);
    bar.show(); // a shown bar has its size and paints on Refresh
    QCoreApplication::processEvents();
    for (auto _ : state) {
        bar.Refresh();
        benchmark::DoNotOptimize(bar.thumbTop());
    }
}
BENCHMARK(BM_EzyVerticalScrollRender31x442);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
