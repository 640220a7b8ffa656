#include "ui/controls/EzyVerticalScroll.h"

#include "ui/controls/KeyCodes.h"
#include "ui/controls/PixelImage.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace qm::ui {

EzyVerticalScroll::EzyVerticalScroll(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    engine_.setHost(this);
    // The frame drawn round the track while dragging uses the 3-D highlight.
    engine_.setHighlightColour(fromQColor(palette().color(QPalette::Light)));
    // A repeat that comes early would step faster than the documented pace.
    timer1_.setTimerType(Qt::PreciseTimer);
    timer1_.setInterval(qm::ScrollRepeatMs);
    connect(&timer1_, &QTimer::timeout, this, [this] { engine_.tick(); });
}

void EzyVerticalScroll::setBackColor(quint32 colour) { engine_.setBackColor(colour); }
void EzyVerticalScroll::setValue(qint32 value) { engine_.setValue(value); }
void EzyVerticalScroll::setValueMax(qint32 value) { engine_.setValueMax(value); }
void EzyVerticalScroll::setValueMin(qint32 value) { engine_.setValueMin(value); }
void EzyVerticalScroll::setValueLargeChange(qint32 value) { engine_.setLargeChange(value); }
void EzyVerticalScroll::setValueSmallChange(qint32 value) { engine_.setSmallChange(value); }

void EzyVerticalScroll::Refresh()
{
    engine_.render();
    repaint();
}

QImage EzyVerticalScroll::surfaceImage() const
{
    return applyMask(toQImage(engine_.surface()), toQImage(engine_.background()));
}

bool EzyVerticalScroll::processPendingEvents()
{
    // A bar that is not shown has no input waiting; running the event loop
    // while its window is still being built would only surprise the host.
    if (!isVisible())
        return true;
    QPointer<EzyVerticalScroll> self(this);
    QCoreApplication::processEvents();
    return !self.isNull();
}

bool EzyVerticalScroll::raiseChange()
{
    QPointer<EzyVerticalScroll> self(this);
    emit Change();
    return !self.isNull();
}

void EzyVerticalScroll::setTimerEnabled(bool on)
{
    if (!on)
        timer1_.stop();
    else if (!timer1_.isActive())
        timer1_.start();
}

void EzyVerticalScroll::surfaceChanged()
{
    imageStale_ = true;
    updateMask();
    update();
}

void EzyVerticalScroll::updateMask()
{
    if (engine_.backgroundGeneration() == maskGeneration_)
        return;
    maskGeneration_ = engine_.backgroundGeneration();
    if (engine_.hasMask()) {
        const QRegion region = maskRegion(toQImage(engine_.background()));
        if (region != mask())
            setMask(region);
    } else if (!mask().isEmpty()) {
        clearMask();
    }
}

void EzyVerticalScroll::paintEvent(QPaintEvent*)
{
    if (imageStale_) {
        image_ = toQImage(engine_.surface());
        imageStale_ = false;
    }
    QPainter p(this);
    if (image_.size() != size())
        p.fillRect(rect(), toQColor(backColor()));
    if (!image_.isNull())
        p.drawImage(0, 0, image_);
}

void EzyVerticalScroll::resizeEvent(QResizeEvent*) { engine_.resize(width(), height()); }

void EzyVerticalScroll::mousePressEvent(QMouseEvent* e)
{
    engine_.press(mouseButtonCode(e->button()), static_cast<float>(e->position().y()));
}

// Qt reports the second press of a quick pair as a double click; on the bar
// it is one more press, so two quick clicks step twice.
void EzyVerticalScroll::mouseDoubleClickEvent(QMouseEvent* e)
{
    engine_.press(mouseButtonCode(e->button()), static_cast<float>(e->position().y()));
}

void EzyVerticalScroll::mouseReleaseEvent(QMouseEvent*) { engine_.release(); }

void EzyVerticalScroll::mouseMoveEvent(QMouseEvent* e)
{
    engine_.move(mouseButtonCode(e->buttons()), static_cast<float>(e->position().y()));
}

void EzyVerticalScroll::keyPressEvent(QKeyEvent* e)
{
    qint16 keyCode = virtualKeyCode(*e);
    qint16 shift = shiftState(e->modifiers());
    emit KeyDown(keyCode, shift);
}

void EzyVerticalScroll::focusOutEvent(QFocusEvent* e)
{
    if (e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason)
        return;
    engine_.lostFocus();
}

} // namespace qm::ui
