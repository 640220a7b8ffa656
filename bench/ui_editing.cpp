// One key typed on the last line of the longest tape (line indexes 0..32767),
// through the real entry-box handlers: key down, character, key up, which
// stores the line and recalculates the whole tape into the grand-total box.
// The budget is one frame (16 ms) per key.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/tape/EntryBox.h"
#include "support/WindowBench.h"

#include <QKeyEvent>

#include <memory>
#include <string>

namespace {

using qm::ui::MainWindow;

constexpr int LastLine = 32767;

QWidget* lastBox(const MainWindow& w)
{
    return w.findChild<QWidget*>(QStringLiteral("row%1").arg(w.editor().lastRow()));
}

// `kind` 0: plain numbers under "+" and "-"; 1: every tenth line a function
// line, the rest numbers.
std::unique_ptr<MainWindow> longTapeWindow(int kind)
{
    auto w = qm::bench::shownWindow(466);
    w->editor().setRegional(qm::Regional{'.', ',', 3});
    w->activateWindow();
    QCoreApplication::processEvents();
    qm::Tape t;
    t.resize(LastLine + 1);
    for (int i = 0; i <= LastLine; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (kind == 1 && i % 10 == 9)
            t.TapeValue[k] = qm::Value(std::string("Sin(") + std::to_string(i % 90) + ")");
        else
            t.TapeValue[k] = qm::Value(*qm::Decimal::fromInt(i * 37 + 11).div(qm::Decimal::fromInt(100)));
        t.TapeOp[k] = i % 3 == 2 ? '-' : '+';
    }
    w->editor().replaceTape(std::move(t));
    w->editor().scrollTo(w->editor().scrollMax());
    w->editor().focusRow(w->editor().lastRow());
    w->refresh();
    lastBox(*w)->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
    return w;
}

void sendKey(QWidget* box, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(box, &release);
}

void BM_KeyOnLastLineOfLongestTape(benchmark::State& state)
{
    auto w = longTapeWindow(static_cast<int>(state.range(0)));
    QWidget* box = lastBox(*w);
    bool typeDigit = true;
    for (auto _ : state) {
        // A figure, then Backspace: the line's text stays short.
        if (typeDigit)
            sendKey(box, Qt::Key_7, QStringLiteral("7"));
        else
            sendKey(box, Qt::Key_Backspace, QStringLiteral("\b"));
        typeDigit = !typeDigit;
        benchmark::DoNotOptimize(w->editor().total().text.size());
    }
    state.counters["lines"] = static_cast<double>(w->editor().tape().size());
    state.counters["line"] = static_cast<double>(w->editor().currentLine());
    state.SetLabel(w->editor().total().text);
}
BENCHMARK(BM_KeyOnLastLineOfLongestTape)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return qm::bench::runOnFixedScreen(argc, argv, "editing");
}
