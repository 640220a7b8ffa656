#pragma once
// Self-drawn vertical scroll bar: a picture thumb on a dithered track between
// two arrow zones; a press on an arrow or the track steps at once and, held,
// repeats every 100 ms after a short delay; thumb dragging; and Change after
// every value assignment, step, drag step and release (even when the value
// stays the same). The drawing
// and the step logic live in qm::ScrollBarEngine; this widget feeds it.

#include "core/controls/ScrollBarEngine.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

namespace qm::ui {

class EzyVerticalScroll : public QWidget, private qm::ScrollBarHost {
    Q_OBJECT

public:
    explicit EzyVerticalScroll(QWidget* parent = nullptr);

    quint32 backColor() const { return engine_.backColor(); }
    void setBackColor(quint32 colour); // renders anew
    qint32 value() const { return engine_.value(); }
    void setValue(qint32 value);       // clamped into the range; always raises Change
    qint32 valueMax() const { return engine_.valueMax(); }
    void setValueMax(qint32 value);    // repaints; the thumb stays, no Change
    qint32 valueMin() const { return engine_.valueMin(); }
    void setValueMin(qint32 value);
    qint32 valueLargeChange() const { return engine_.largeChange(); }
    void setValueLargeChange(qint32 value);
    qint32 valueSmallChange() const { return engine_.smallChange(); }
    void setValueSmallChange(qint32 value);

    void Refresh(); // render anew and repaint now

    int thumbTop() const { return engine_.thumbTop(); }
    bool dragging() const { return engine_.dragging(); }
    bool repeating() const { return timer1_.isActive(); }
    const qm::ScrollBarEngine& engine() const { return engine_; }
    // What the bar shows now, its see-through pixels transparent.
    QImage surfaceImage() const;

signals:
    void KeyDown(qint16& KeyCode, qint16& Shift);
    void Change();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool processPendingEvents() override;
    bool raiseChange() override;
    void setTimerEnabled(bool on) override;
    void surfaceChanged() override;
    void updateMask();

    qm::ScrollBarEngine engine_;
    QTimer timer1_;
    mutable QImage image_;
    mutable bool imageStale_ = true;
    unsigned maskGeneration_ = 0;
};

} // namespace qm::ui
