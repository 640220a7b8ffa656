// The main window's layout on every size or state change: the tall form on
// maximize, the size limits, the screen's available area and the number of
// shown rows.

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

#include <algorithm>
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

// Outer sizes (frame included) the window keeps to.
struct OuterLimits {
    QSize least;
    QSize most;
};

// `documentedLeast` and `documentedWidest`: the documented limits in pixels;
// `chrome`: frame and menu bar around the interior.
OuterLimits outerLimits(QSize documentedLeast, int documentedWidest, QSize chrome, QRect available)
{
    OuterLimits l;
    l.least = documentedLeast.expandedTo(QSize(design::MinInteriorWidth, design::MinInteriorHeight) + chrome);
    l.most = QSize(std::max(documentedWidest, l.least.width()), QWIDGETSIZE_MAX);
    if (available.isValid()) {
        l.least = l.least.boundedTo(available.size());
        l.most = l.most.boundedTo(available.size());
    }
    return l;
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

QRect MainWindow::availableArea() const
{
    const QScreen* s = screen();
    if (!s)
        s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect();
}

// What the window system's frame adds to the window's own size.
QSize MainWindow::frameExtra() const
{
    const QSize extra = frameGeometry().size() - geometry().size();
    return extra.expandedTo(QSize(0, 0));
}

QSize MainWindow::twipsToPixels(int widthTwips, int heightTwips) const
{
    return QSize(roundHalfEven(widthTwips * pixelsPerTwipX()), roundHalfEven(heightTwips * pixelsPerTwipY()));
}

// Places the frame's top left corner and sets the outer size (frame included)
// in one request, so that it replaces whatever geometry the window system
// restores meanwhile. The window stays inside the screen's available area,
// its title bar on the screen.
void MainWindow::setOuterGeometry(QPoint frameTopLeft, QSize outer)
{
    const QRect area = availableArea();
    if (area.isValid()) {
        outer = outer.boundedTo(area.size());
        frameTopLeft.setX(std::clamp(frameTopLeft.x(), area.left(), area.left() + area.width() - outer.width()));
        frameTopLeft.setY(std::clamp(frameTopLeft.y(), area.top(), area.top() + area.height() - outer.height()));
    }
    const QPoint frameOffset = geometry().topLeft() - frameGeometry().topLeft();
    const QSize inner = (outer - frameExtra()).expandedTo(QSize(1, 1));
    setGeometry(QRect(frameTopLeft + frameOffset, inner));
}

// Moves and shrinks the window onto the screen's available area where it
// reaches beyond it (a window system may place it partly off the screen, and
// its frame is known only once it is shown).
void MainWindow::keepOnScreen()
{
    if (isMaximized() || isFullScreen() || isMinimized())
        return;
    const QRect frame = frameGeometry();
    const QRect area = availableArea();
    if (area.isValid() && !area.contains(frame))
        setOuterGeometry(frame.topLeft(), frame.size());
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

    // Size limits of the outer window: the documented ones, widened so that
    // the interior shows every button, and never beyond the screen's
    // available area (where the design does not fit, the tape shows fewer
    // rows). The window system enforces the minimum during a drag.
    const OuterLimits limits = outerLimits(twipsToPixels(design::MinWidthTwips, design::MinHeightTwips),
                                           twipsToPixels(design::MaxWidthTwips, 0).width(),
                                           frameExtra() + QSize(0, menuBarHeight()), availableArea());
    const QSize leastInner = (limits.least - frameExtra()).expandedTo(QSize(1, 1));
    if (minimumSize() != leastInner)
        setMinimumSize(leastInner);
    const QRect outer = frameGeometry();
    QSize wanted = outer.size().expandedTo(limits.least);
    if (!isMaximized())
        wanted = wanted.boundedTo(limits.most);
    if (wanted != outer.size()) {
        resize((wanted - frameExtra()).expandedTo(QSize(1, 1)));
        keepOnScreen();   // grown past the screen's edge: moved back onto it
    }

    tapeView_->setShownRows(std::max(0, design::lastRowInside(interiorSize().height())));
    refresh();
}

void MainWindow::leaveMaximized()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    maximizePending_ = false;
    if (!isMaximized() || savedLeft_ < 0)
        return;
    const double pxX = pixelsPerTwipX();
    const double pxY = pixelsPerTwipY();
    QPoint topLeft;
    QSize outer;
    if (savedLeft_ == 0) {
        // The tall form: full height at the top left of the screen's
        // available area, so that panels and docks leave its title bar free.
        const int frameLeft = geometry().x() - frameGeometry().x();
        const QRect normal = normalGeometry();
        const int leftPx = normal.isValid() ? normal.x() - frameLeft : frameGeometry().x();
        savedLeft_ = roundHalfEven(leftPx / pxX);
        const QScreen* s = screen();
        const int screenTwips =
            s ? roundHalfEven(s->size().height() / pxY) : design::NormalHeightTwips;
        const QRect area = availableArea();
        topLeft = area.isValid() ? area.topLeft() : QPoint(0, 0);
        outer = twipsToPixels(design::MaxWidthTwips, roundHalfEven(design::TallHeightFactor * screenTwips));
    } else {
        topLeft = QPoint(roundHalfEven(savedLeft_ * pxX), frameGeometry().y());
        savedLeft_ = 0;
        outer = twipsToPixels(design::MaxWidthTwips, design::NormalHeightTwips);
    }
    setWindowState(windowState() & ~Qt::WindowMaximized);
    // The geometry the window system restores comes first: where the new
    // geometry fills the whole area, the request below would otherwise match
    // the maximized geometry and be dropped as no change.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Never smaller than the interior that shows every button.
    setOuterGeometry(topLeft, outer.expandedTo(QSize(design::MinInteriorWidth, design::MinInteriorHeight)
                                               + frameExtra() + QSize(0, menuBarHeight())));
}

} // namespace qm::ui
