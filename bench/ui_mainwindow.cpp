// The main window's heavy commands: Paste Numbers of the largest tape the
// one-number-per-line form takes, and the redraw of 74 shown rows as the tape
// scrolls (a 1920-pixel screen gives 74 rows).

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/platform/Clipboard.h"
#include "ui/tape/RollingCaculator.h"
#include "support/WindowBench.h"


#include <memory>
#include <string>

namespace {

using qm::ui::Rolling_Caculator;

using qm::bench::shownWindow;

void BM_PasteNumbers32000Lines(benchmark::State& state)
{
    QString text;
    for (int i = 0; i < 32000; ++i)
        text += QString::number(i * 7 + 1) + QStringLiteral(".25\r\n");
    text.chop(2);
    qm::ui::setClipboardText(text);
    auto w = shownWindow(466);
    for (auto _ : state) {
        w->P_m_Click();
        benchmark::DoNotOptimize(w->tape.size());
    }
    state.counters["lines"] = static_cast<double>(w->tape.size());
    state.counters["scrollMax"] = w->scrollMax();
}
BENCHMARK(BM_PasteNumbers32000Lines)->Unit(benchmark::kMillisecond);

// Scrolls between lines 0 and 1, so every row's text changes; with
// `mixed` every operator button's caption and colour change as well.
void BM_ScrollNumChange74Rows(benchmark::State& state)
{
    const bool mixed = state.range(0) != 0;
    auto w = shownWindow(117 + 73 * 21);
    const char ops[] = {'+', '-', 'x', '/', '^'};
    w->tape.resize(200);
    for (std::size_t i = 0; i < w->tape.size(); ++i) {
        w->tape.TapeValue[i] = qm::Value(qm::Decimal::fromInt(static_cast<long long>(i) * 1234567 - 999));
        w->tape.TapeOp[i] = mixed ? ops[i % 5] : '+';
    }
    w->ScrollNum->setValueMax(static_cast<int>(w->tape.TapeLast()) - w->LastRow);
    int v = 0;
    for (auto _ : state) {
        v ^= 1;
        w->ScrollNum->setValue(v);   // raises Change: the rows are redrawn
    }
    state.counters["rows"] = w->LastRow + 1;
}
BENCHMARK(BM_ScrollNumChange74Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Building the window with its 74 rows and showing it, as start-up does.
void BM_StartWindow(benchmark::State& state)
{
    for (auto _ : state) {
        Rolling_Caculator w;
        w.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.LastLoadedRow);
    }
}
BENCHMARK(BM_StartWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return qm::bench::runOnFixedScreen(argc, argv, "mainwindow");
}
