// One key typed on the last line of the longest tape (line indexes 0..32767),
// through the real entry-box handlers: key down, character, key up, which
// stores the line and recalculates the whole tape into the grand-total box.
// The budget is one frame (16 ms) per key.

#include "ui/controls/EzyVerticalScroll.h"
#include "ui/tape/EntryBox.h"
#include "ui/tape/RollingCaculator.h"
#include "support/WindowBench.h"

#include <QKeyEvent>

#include <memory>
#include <string>

namespace {

using qm::ui::Rolling_Caculator;

constexpr int LastLine = 32767;

// `kind` 0: plain numbers under "+" and "-"; 1: every tenth line a function
// line, the rest numbers.
std::unique_ptr<Rolling_Caculator> longTapeWindow(int kind)
{
    auto w = qm::bench::shownWindow(466);
    w->settings.regional = qm::Regional{'.', ',', 3};
    w->activateWindow();
    QCoreApplication::processEvents();
    w->tape.resize(LastLine + 1);
    for (int i = 0; i <= LastLine; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (kind == 1 && i % 10 == 9)
            w->tape.TapeValue[k] = qm::Value(std::string("Sin(") + std::to_string(i % 90) + ")");
        else
            w->tape.TapeValue[k] = qm::Value(*qm::Decimal::fromInt(i * 37 + 11).div(qm::Decimal::fromInt(100)));
        w->tape.TapeOp[k] = i % 3 == 2 ? '-' : '+';
    }
    w->ScrollNum->setValueMax(LastLine - w->LastRow);
    w->ScrollNum->setValue(w->scrollMax());
    w->CalAmount[w->LastRow]->setFocus(Qt::OtherFocusReason);
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
    qm::ui::EntryBox* box = w->CalAmount[w->LastRow];
    bool typeDigit = true;
    for (auto _ : state) {
        // A figure, then Backspace: the line's text stays short.
        if (typeDigit)
            sendKey(box, Qt::Key_7, QStringLiteral("7"));
        else
            sendKey(box, Qt::Key_Backspace, QStringLiteral("\b"));
        typeDigit = !typeDigit;
        benchmark::DoNotOptimize(w->TotalAmount->text().size());
    }
    state.counters["lines"] = static_cast<double>(w->tape.size());
    state.counters["line"] = w->scrollValue() + w->LastRow;
    state.SetLabel(w->TotalAmount->text().toStdString());
}
BENCHMARK(BM_KeyOnLastLineOfLongestTape)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return qm::bench::runOnFixedScreen(argc, argv, "editing");
}
