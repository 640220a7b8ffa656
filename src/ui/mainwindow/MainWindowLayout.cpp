// The main window's layout on every size or state change: the tall form on
// maximize, the size limits and the number of shown rows.

#include "ui/mainwindow/MainWindow.h"

#include "core/tape/MainWindowDesign.h"
#include "ui/mainwindow/TapeView.h"
#include "ui/mainwindow/TotalDisplay.h"

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

double MainWindow::pixelsPerTwipX() const
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / design::TwipsPerInch;
}

double MainWindow::pixelsPerTwipY() const
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return (dpi > 0 ? dpi : 96.0) / design::TwipsPerInch;
}

int MainWindow::menuBarHeight() const
{
    const QWidget* bar = menuWidget();
    if (!bar || bar->isHidden())
        return 0;
    const int forWidth = bar->heightForWidth(width());
    return forWidth > 0 ? forWidth : bar->sizeHint().height();
}

QSize MainWindow::interiorSize() const
{
    return QSize(width(), std::max(0, height() - menuBarHeight()));
}

// Sets the outer size (frame included) in twips.
void MainWindow::resizeOuterTwips(int widthTwips, int heightTwips)
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
void MainWindow::setOuterGeometry(QPoint frameTopLeft, int widthTwips, int heightTwips)
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

void MainWindow::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    layOutForSize();
}

void MainWindow::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange)
        layOutForSize();
}

void MainWindow::layOutForSize()
{
    if (resizeDepth_ >= MaxResizeDepth || !tapeView_)
        return;
    DepthGuard guard(resizeDepth_);

    const double pxX = pixelsPerTwipX();
    const double pxY = pixelsPerTwipY();

    // Maximizing alternately gives a full-height window at the top left and
    // the normal window back where it was. The change waits for the window
    // system's own reports of the maximize, which would otherwise undo it.
    if (isMaximized() && savedLeft_ >= 0 && !maximizePending_) {
        maximizePending_ = true;
        QTimer::singleShot(0, this, [this] { leaveMaximized(); });
    }

    totalDisplay_->fitWidth(interiorSize().width());

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

    tapeView_->setShownRows(shownRowsForInterior());
    refresh();
}

void MainWindow::leaveMaximized()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    maximizePending_ = false;
    if (!isMaximized())
        return;
    const double pxX = pixelsPerTwipX();
    const double pxY = pixelsPerTwipY();
    if (savedLeft_ == 0) {
        const int frameLeft = geometry().x() - frameGeometry().x();
        const QRect normal = normalGeometry();
        const int leftPx = normal.isValid() ? normal.x() - frameLeft : frameGeometry().x();
        setWindowState(windowState() & ~Qt::WindowMaximized);
        savedLeft_ = roundHalfEven(leftPx / pxX);
        const QScreen* s = screen();
        const int screenTwips =
            s ? roundHalfEven(s->size().height() / pxY) : design::NormalHeightTwips;
        setOuterGeometry(QPoint(0, 0), design::MaxWidthTwips,
                         roundHalfEven(design::TallHeightFactor * screenTwips));
    } else if (savedLeft_ > 0) {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        const QPoint topLeft(roundHalfEven(savedLeft_ * pxX), frameGeometry().y());
        savedLeft_ = 0;
        setOuterGeometry(topLeft, design::MaxWidthTwips, design::NormalHeightTwips);
    }
}

// Rows: one per (H - 5) pixels of the interior below the total area, never
// more than were made at start-up, and row 0 always.
int MainWindow::shownRowsForInterior() const
{
    const design::Rect first = design::CalAmount0;
    const int h = first.height;
    const int step = h - 5;
    const int end = roundHalfEven(interiorSize().height() - (1.5 * h + first.top));
    int lastRow = -1;
    for (int y = 5; y <= end && lastRow < editor_->lastLoadedRow(); y += step)
        ++lastRow;
    return std::max(lastRow, 0);
}

} // namespace qm::ui
