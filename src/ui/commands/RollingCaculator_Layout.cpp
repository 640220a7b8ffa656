// The main window's layout on every size or state change, and the drawing of
// the shown rows from the tape.

#include "ui/tape/RollingCaculator.h"

#include "core/commands/TapeCommands.h"
#include "core/tape/MainWindowDesign.h"
#include "ui/controls/EzyVerticalScroll.h"
#include "ui/controls/SuperButton.h"
#include "ui/platform/RegionalSettings.h"
#include "ui/tape/EntryBox.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QMenuBar>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace qm::ui {

namespace {

// Resize runs nest when the layout changes the window's own size or lets
// pending events run; deeper nesting than this only repeats the same layout.
constexpr int MaxResizeDepth = 4;
// Below this depth the layout lets waiting events run (repaints between
// steps); deeper runs skip it so that nesting stays bounded.
constexpr int ProcessEventsDepth = 2;

struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

int roundHalfEven(double x)
{
    return static_cast<int>(std::nearbyint(x));
}

} // namespace

double Rolling_Caculator::pixelsPerTwipX() const
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / design::TwipsPerInch;
}

double Rolling_Caculator::pixelsPerTwipY() const
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / design::TwipsPerInch;
}

int Rolling_Caculator::menuBarHeight() const
{
    const QWidget* bar = menuWidget();
    if (!bar || bar->isHidden())
        return 0;
    const int forWidth = bar->heightForWidth(width());
    return forWidth > 0 ? forWidth : bar->sizeHint().height();
}

QSize Rolling_Caculator::interiorSize() const
{
    return QSize(width(), std::max(0, height() - menuBarHeight()));
}

// Sets the outer size (frame included) in twips.
void Rolling_Caculator::resizeOuterTwips(int widthTwips, int heightTwips)
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int extraW = std::max(0, frame.width() - inner.width());
    const int extraH = std::max(0, frame.height() - inner.height());
    const int w = roundHalfEven(widthTwips * pixelsPerTwipX()) - extraW;
    const int h = roundHalfEven(heightTwips * pixelsPerTwipY()) - extraH;
    resize(std::max(1, w), std::max(1, h));
}

// Places the frame's top left corner and sets the outer size in one request,
// so that it replaces whatever geometry the window system restores meanwhile.
void Rolling_Caculator::setOuterGeometry(QPoint frameTopLeft, int widthTwips, int heightTwips)
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int left = std::max(0, inner.x() - frame.x());
    const int top = std::max(0, inner.y() - frame.y());
    const int extraW = std::max(0, frame.width() - inner.width());
    const int extraH = std::max(0, frame.height() - inner.height());
    const int w = roundHalfEven(widthTwips * pixelsPerTwipX()) - extraW;
    const int h = roundHalfEven(heightTwips * pixelsPerTwipY()) - extraH;
    setGeometry(frameTopLeft.x() + left, frameTopLeft.y() + top, std::max(1, w), std::max(1, h));
}

void Rolling_Caculator::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Rolling_Caculator::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void Rolling_Caculator::Form_Resize()
{
    if (resizeDepth_ >= MaxResizeDepth || !ScrollNum)
        return;
    DepthGuard guard(resizeDepth_);

    const double pxX = pixelsPerTwipX();
    const double pxY = pixelsPerTwipY();

    // Maximizing alternately gives a full-height window at the top left and
    // the normal window back where it was. The change waits for the window
    // system's own reports of the maximize, which would otherwise undo it.
    if (isMaximized() && SavedLeft >= 0 && !maximizePending_) {
        maximizePending_ = true;
        QTimer::singleShot(0, this, [this] { leaveMaximized(); });
    }

    // A minimized window has no interior: its widths are not applied.
    QSize interior = interiorSize();
    if (interior.width() - design::DzxWidthMargin > 0)
        Dzx->resize(interior.width() - design::DzxWidthMargin, Dzx->height());
    if (interior.width() - design::TotalWidthMargin > 0)
        TotalAmount->resize(interior.width() - design::TotalWidthMargin, TotalAmount->height());

    if (resizeDepth_ < ProcessEventsDepth)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (isMinimized())
        return;

    // Size limits of the outer window.
    const QRect frame = frameGeometry();
    const int widthTwips = roundHalfEven(frame.width() / pxX);
    const int heightTwips = roundHalfEven(frame.height() / pxY);
    if (widthTwips < design::MinWidthTwips)
        resizeOuterTwips(design::MinWidthTwips, heightTwips);
    else if (!isMaximized() && widthTwips > design::MaxWidthTwips)
        resizeOuterTwips(design::MaxWidthTwips, heightTwips);
    if (heightTwips < design::MinHeightTwips)
        resizeOuterTwips(roundHalfEven(frameGeometry().width() / pxX), design::MinHeightTwips);

    layOut();
}

void Rolling_Caculator::leaveMaximized()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    maximizePending_ = false;
    if (!isMaximized())
        return;
    const double pxX = pixelsPerTwipX();
    const double pxY = pixelsPerTwipY();
    if (SavedLeft == 0) {
        const int frameLeft = geometry().x() - frameGeometry().x();
        const QRect normal = normalGeometry();
        const int leftPx = normal.isValid() ? normal.x() - frameLeft : frameGeometry().x();
        setWindowState(windowState() & ~Qt::WindowMaximized);
        SavedLeft = roundHalfEven(leftPx / pxX);
        const QScreen* s = screen();
        const int screenTwips =
            s ? roundHalfEven(s->size().height() / pxY) : design::NormalHeightTwips;
        setOuterGeometry(QPoint(0, 0), design::MaxWidthTwips,
                         roundHalfEven(design::TallHeightFactor * screenTwips));
    } else if (SavedLeft > 0) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        const QPoint topLeft(roundHalfEven(SavedLeft * pxX), frameGeometry().y());
        SavedLeft = 0;
        setOuterGeometry(topLeft, design::MaxWidthTwips, design::NormalHeightTwips);
    }
}

void Rolling_Caculator::layOut()
{
    const design::Rect first = design::CalAmount0;
    const QSize interior = interiorSize();

    // Rows: one per (H - 5) pixels of the interior below the total area,
    // never more than were made at start-up, and row 0 always.
    const int h = CalAmount[0]->height();
    const int t = CalAmount[0]->y();
    const int step = h - 5;
    const int end = roundHalfEven(interior.height() - (1.5 * h + t));
    LastRow = -1;
    for (int y = 5; y <= end && LastRow < LastLoadedRow && step > 0; y += step) {
        ++LastRow;
        CalAmount[LastRow]->show();
        if (LastRow > 0)
            Op[LastRow]->show();
    }
    if (LastRow < 0) {
        LastRow = 0;
        CalAmount[0]->show();
    }
    for (int j = 0; j <= LastRow; ++j)
        CalAmount[j]->resize(design::ShownRowWidth, CalAmount[j]->height());
    for (int j = LastRow + 1; j <= LastLoadedRow; ++j) {
        CalAmount[j]->hide();
        Op[j]->hide();
    }

    ScrollNum->setValue(0);
    ScrollNum->move(first.left + CalAmount[0]->width(), ScrollNum->y());
    // A tape shorter than the shown rows leaves nothing to scroll.
    ScrollNum->setValueMax(std::max(0, static_cast<int>(tape.TapeLast()) - LastRow));
    ScrollNum->resize(ScrollNum->width(), h + CalAmount[LastRow]->y() - CalAmount[0]->y());
    ScrollNum_Change();
}

int Rolling_Caculator::scrollValue() const { return ScrollNum ? ScrollNum->value() : 0; }
int Rolling_Caculator::scrollMax() const { return ScrollNum ? ScrollNum->valueMax() : 0; }

void Rolling_Caculator::ScrollNum_Change()
{
    const int v = scrollValue();
    const int last = std::min(LastRow, static_cast<int>(CalAmount.size()) - 1);
    for (int j = 0; j <= last; ++j) {
        const long long k = static_cast<long long>(v) + j;
        std::string text;
        char op = '+';
        // Rows below the end of a short tape are shown empty under "+".
        if (k >= 0 && static_cast<std::size_t>(k) < tape.size()) {
            const auto line = static_cast<std::size_t>(k);
            text = rowText(tape.TapeValue[line], settings.DecimalPlaces, settings.regional);
            op = tape.TapeOp[line];
        }
        const QString caption = op == BlankOp ? QString() : QString(QChar(op));
        SuperButton* button = Op[j];
        const std::uint32_t colour = operatorColour(op);
        if (button->caption() != caption || button->renderColor() != colour)
            button->setCaptionAndRenderColor(caption, colour);

        EntryBox* box = CalAmount[j];
        const QString shown = toQ(text);
        if (box->text() != shown)
            box->setText(shown);
        box->setForeColor(rowTextColour(text));
    }
}

} // namespace qm::ui
