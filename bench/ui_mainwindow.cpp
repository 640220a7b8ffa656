// The main window's heavy commands: Paste Numbers of the largest tape the
// one-number-per-line form takes, and the redraw of 74 shown rows as the tape
// scrolls (a 1920-pixel screen gives 74 rows).

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/platform/Clipboard.h"
#include "support/WindowBench.h"


#include <memory>
#include <string>

namespace {

using qm::ui::MainWindow;

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
        w->editor().pasteNumbers(text.toStdString());
        w->refresh();
        benchmark::DoNotOptimize(w->editor().tape().size());
    }
    state.counters["lines"] = static_cast<double>(w->editor().tape().size());
    state.counters["scrollMax"] = w->editor().scrollMax();
}
BENCHMARK(BM_PasteNumbers32000Lines)->Unit(benchmark::kMillisecond);

// Scrolls between lines 0 and 1, so every row's text changes; with
// `mixed` every operator button's caption and colour change as well.
void BM_ScrollNumChange74Rows(benchmark::State& state)
{
    const bool mixed = state.range(0) != 0;
    auto w = shownWindow(117 + 73 * 21);
    const char ops[] = {'+', '-', 'x', '/', '^'};
    qm::Tape t;
    t.resize(200);
    for (std::size_t i = 0; i < t.size(); ++i) {
        t.TapeValue[i] = qm::Value(qm::Decimal::fromInt(static_cast<long long>(i) * 1234567 - 999));
        t.TapeOp[i] = mixed ? ops[i % 5] : '+';
    }
    w->editor().replaceTape(std::move(t));
    w->refresh();
    int v = 0;
    for (auto _ : state) {
        v ^= 1;
        w->editor().scrollTo(v);   // every shown row is redrawn
        w->refresh();
    }
    state.counters["rows"] = w->editor().lastRow() + 1;
}
BENCHMARK(BM_ScrollNumChange74Rows)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Building the window with its 74 rows and showing it, as start-up does.
void BM_StartWindow(benchmark::State& state)
{
    for (auto _ : state) {
        MainWindow w;
        w.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(w.editor().lastLoadedRow());
    }
}
BENCHMARK(BM_StartWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return qm::bench::runOnFixedScreen(argc, argv, "mainwindow");
}
