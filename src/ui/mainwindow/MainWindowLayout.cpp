// The main window's layout on every size or state change: the tall form on
// maximize, the size limits, the screen's available area and the number of
// shown rows.

#include "ui/mainwindow/MainWindow.h"

#include "core/controls/ControlMath.h"
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
#include <QWindow>

#include <algorithm>

namespace qm::ui {

namespace {

// Resize runs nest when the layout changes the window's own size or lets
// pending events run; deeper nesting than this only repeats the same layout.
constexpr int MaxResizeDepth = 4;
// Below this depth the layout lets waiting events run (repaints between
// steps); deeper runs skip it so that nesting stays bounded.
constexpr int ProcessEventsDepth = 2;
// How long the window system may take to carry out the tall form or its
// undoing; the sizes it passes through meanwhile are not corrected.
constexpr int SettleMs = 1000;

struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

// Window pixels and twips are far inside int; a value that is not is 0.
int nearestInt(double x)
{
    const Result<std::int32_t> r = roundToInt32(x);
    return r ? *r : 0;
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

double MainWindow::dotsPerInchX() const
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? dpi : 96.0;
}

double MainWindow::dotsPerInchY() const
{
    const QScreen* s = screen();
    const double dpi = s ? s->logicalDotsPerInchY() : 96.0;
    return dpi > 0 ? dpi : 96.0;
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

// The window system's frame round the window: as it is now, and as it is in
// the normal state (a maximized window often loses its borders, and the
// change of state reaches the frame only later).
QMargins MainWindow::frameMargins() const
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const QMargins m(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                     frame.bottom() - inner.bottom());
    return QMargins(std::max(0, m.left()), std::max(0, m.top()), std::max(0, m.right()), std::max(0, m.bottom()));
}

QMargins MainWindow::normalFrameMargins() const
{
    return (isMaximized() || settlingFrame_) && !normalFrame_.isNull() ? normalFrame_ : frameMargins();
}

QSize MainWindow::frameExtra() const
{
    const QMargins m = frameMargins();
    return QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize MainWindow::twipsToPixels(int widthTwips, int heightTwips) const
{
    return QSize(qm::twipsToPixels(widthTwips, dotsPerInchX()), qm::twipsToPixels(heightTwips, dotsPerInchY()));
}

// Places the frame's top left corner and sets the outer size (frame included)
// in one geometry request, so that it replaces whatever geometry the window
// system restores meanwhile. The window stays inside the screen's available
// area, its title bar on the screen. Returns the frame asked for.
QRect MainWindow::setOuterGeometry(QPoint frameTopLeft, QSize outer)
{
    const QRect area = availableArea();
    if (area.isValid()) {
        outer = outer.boundedTo(area.size());
        frameTopLeft.setX(std::clamp(frameTopLeft.x(), area.left(), area.left() + area.width() - outer.width()));
        frameTopLeft.setY(std::clamp(frameTopLeft.y(), area.top(), area.top() + area.height() - outer.height()));
    }
    const QMargins frame = normalFrameMargins();
    const QSize inner = (outer - QSize(frame.left() + frame.right(), frame.top() + frame.bottom())).expandedTo(QSize(1, 1));
    // A frame learnt only now can make the minimum too large for the area.
    if (const QSize lowered = minimumSize().boundedTo(inner); lowered != minimumSize())
        setMinimumSize(lowered);
    const QRect wanted(frameTopLeft + QPoint(frame.left(), frame.top()), inner);
    // Leaving the maximized state, the window system may still be about to
    // apply a geometry of its own; a request equal to what Qt last heard of
    // would be dropped as no change, so a slightly different one goes first.
    if (wanted == geometry())
        setGeometry(wanted.adjusted(0, 0, 0, -1));
    setGeometry(wanted);
    return QRect(frameTopLeft, outer);
}

// Moves and shrinks the window onto the screen's available area where it
// reaches beyond it (a window system may place it partly off the screen, and
// its frame is known only once it is shown).
void MainWindow::keepOnScreen()
{
    if (isMaximized() || isFullScreen() || isMinimized())
        return;
    // Until the frame is known the window keeps being checked as it is
    // placed; after that the user may move it where they like.
    const QWindow* handle = windowHandle();
    placedOnScreen_ = isVisible() && handle && !handle->frameMargins().isNull();
    if (placedOnScreen_ && normalFrame_.isNull())
        normalFrame_ = frameMargins();
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

    if (settlingFrame_ && frameGeometry() == *settlingFrame_)
        settlingFrame_.reset();
    if (!settlingFrame_)
        keepSizeLimits();

    tapeView_->setShownRows(std::max(0, design::lastRowInside(interiorSize().height())));
    refresh();
}

// Size limits of the outer window: the documented ones, widened so that the
// interior shows every button, and never beyond the screen's available area
// (where the design does not fit, the tape shows fewer rows). The window
// system enforces the minimum during a drag.
void MainWindow::keepSizeLimits()
{
    // Taken once: while the window system maximizes the window, its frame
    // may change before the window's state does.
    if (normalFrame_.isNull() && !isMaximized())
        normalFrame_ = frameMargins();
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
}

void MainWindow::leaveMaximized()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    maximizePending_ = false;
    if (!isMaximized() || savedLeft_ < 0)
        return;
    const double pxX = dotsPerInchX() / design::TwipsPerInch;   // pixels per twip
    const double pxY = dotsPerInchY() / design::TwipsPerInch;
    QPoint topLeft;
    QSize outer;
    if (savedLeft_ == 0) {
        // The tall form: full height at the top left of the screen's
        // available area, so that panels and docks leave its title bar free.
        const int frameLeft = normalFrameMargins().left();
        const QRect normal = normalGeometry();
        const int leftPx = normal.isValid() ? normal.x() - frameLeft : frameGeometry().x();
        savedLeft_ = nearestInt(leftPx / pxX);
        const QScreen* s = screen();
        const int screenTwips =
            s ? nearestInt(s->size().height() / pxY) : design::NormalHeightTwips;
        const QRect area = availableArea();
        topLeft = area.isValid() ? area.topLeft() : QPoint(0, 0);
        outer = twipsToPixels(design::MaxWidthTwips, nearestInt(design::TallHeightFactor * screenTwips));
    } else {
        topLeft = QPoint(nearestInt(savedLeft_ * pxX), frameGeometry().y());
        savedLeft_ = 0;
        outer = twipsToPixels(design::MaxWidthTwips, design::NormalHeightTwips);
    }
    // Until the window system has carried out the change, the sizes it
    // reports on the way (the maximized one among them) are left alone: a
    // limit applied to one of them would overtake the request below.
    settlingFrame_ = QRect();
    const unsigned change = ++stateChanges_;   // an earlier change's wait ends here
    setWindowState(windowState() & ~Qt::WindowMaximized);
    // The geometry the window system restores comes first: where the new
    // geometry fills the whole area, the request below would otherwise match
    // the maximized geometry and be dropped as no change.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    // Never smaller than the interior that shows every button.
    const QMargins frame = normalFrameMargins();
    const QSize chrome(frame.left() + frame.right(), frame.top() + frame.bottom() + menuBarHeight());
    settlingFrame_ = setOuterGeometry(
        topLeft, outer.expandedTo(QSize(design::MinInteriorWidth, design::MinInteriorHeight) + chrome));
    QTimer::singleShot(SettleMs, this, [this, change] {
        if (settlingFrame_ && change == stateChanges_) {
            settlingFrame_.reset();
            layOutForSize();
        }
    });
}

} // namespace qm::ui
