#include "core/controls/ScrollBarEngine.h"

#include "core/controls/ControlMath.h"
#include "core/controls/ScrollBarPictures.h"

#include <algorithm>

namespace qm {

namespace {

constexpr int ArrowZone = 22;          // track starts below the up arrow
constexpr int ArrowHeight = 20;        // drawn height of each arrow
constexpr Colour Black = 0x000000;

// A component that does not fit a byte is skipped and stays 0.
int byteOrZero(std::uint32_t v) { return v <= 255u ? static_cast<int>(v) : 0; }

} // namespace

std::array<Colour, 26> scrollPalette(std::uint32_t c)
{
    const int r = byteOrZero(c & 0x10000FFu);
    const int g = byteOrZero((c & 0x100FF00u) / 256u);
    const int b = byteOrZero((c & 0x1FF0000u) / 65536u);
    std::array<Colour, 26> p{};
    for (int k = 1; k <= 25; ++k) {
        const double f = 10.0 * k;
        p[static_cast<std::size_t>(k)] =
            rgb(static_cast<int>(roundHalfEven(f * (r / 200.0))),
                static_cast<int>(roundHalfEven(f * (g / 200.0))),
                static_cast<int>(roundHalfEven(f * (b / 200.0))));
    }
    return p;
}

ScrollBarEngine::ScrollBarEngine(ScrollBarHost* host) : host_(host ? host : &fallbackHost_) {}

void ScrollBarEngine::setHost(ScrollBarHost* host) { host_ = host ? host : &fallbackHost_; }

void ScrollBarEngine::setBackColor(std::uint32_t c)
{
    backColor_ = c;
    render();
}

void ScrollBarEngine::setValue(std::int32_t n)
{
    std::int32_t v = n;
    if (max_ < v)
        v = max_;
    if (v < min_)
        v = min_;
    value_ = v;
    placeThumb(max_ > 0);
    paint();
    host_->raiseChange();
}

void ScrollBarEngine::setValueMax(std::int32_t n)
{
    max_ = n;
    paint();
}

void ScrollBarEngine::resize(int width, int height)
{
    width_ = width < 0 ? 0 : width;
    height_ = height < 0 ? 0 : height;
    render();
}

// Step 1 from the value (skipped when the range is empty or the result does
// not fit), then the clamp between the arrows, which always applies.
void ScrollBarEngine::placeThumb(bool fromValue)
{
    const int th = thumbHeight_;
    if (fromValue) {
        const auto num = sub32(value_, min_);
        const auto den = sub32(max_, min_);
        if (num && den) {
            if (const auto q = divide(*num, *den)) {
                if (const auto t = roundToInt16(*q * (height_ - (th + 23))))
                    thumbTop_ = *t;
            }
        }
    }
    const double lowest = static_cast<double>(height_) - (th + 22);
    if (lowest < thumbTop_) {
        if (const auto t = roundToInt16(lowest))
            thumbTop_ = *t;
    } else if (thumbTop_ < ArrowZone) {
        thumbTop_ = ArrowZone;
    }
}

void ScrollBarEngine::render()
{
    const unsigned generation = ++renderGeneration_;
    const std::uint32_t c = backColor_;
    palette_ = scrollPalette(c);

    // A fresh surface in the background colour (the old one is reused when
    // the size is unchanged); a size no picture can have leaves it empty and
    // everything below draws nothing.
    if (surface_.width() == width_ && surface_.height() == height_ && !surface_.empty()) {
        surface_.fill(c);
    } else {
        auto fresh = PixelBuffer::create(width_, height_, c);
        surface_ = fresh ? std::move(*fresh) : PixelBuffer{};
    }

    // 50 % dither of the track: (x, y) and (x + 1, y + 1) for even x and y.
    const Colour dither = palette_[14];
    const int lastY = std::min(height_ - 22, surface_.height() - 1);
    for (int y = 20; y <= lastY; y += 2) {
        surface_.setEveryOther(y, 0, dither);
        surface_.setEveryOther(y + 1, 1, dither);
    }
    surface_.rectOutline(0, 0, width_ - 1, height_ - 1, palette_[11]);
    surface_.rectOutline(1, 1, width_ - 2, height_ - 2, palette_[16]);

    if (!host_->processPendingEvents())
        return;
    // A render run by those events has already done the whole job.
    if (generation != renderGeneration_)
        return;

    surface_.drawStretched(arrowPicture(), 0, 0, width_, ArrowHeight);
    surface_.drawStretched(arrowPicture(), 0, height_ - ArrowHeight, width_, ArrowHeight, true);
    background_ = surface_;
    hasMask_ = background_.hasColour(MaskColour);
    ++backgroundGeneration_;

    thumbHeight_ = ScrollThumbHeight;
    placeThumb(true);
    paint();
}

void ScrollBarEngine::paintOnly()
{
    surface_ = background_;
    if (max_ > 0) {
        const int th = thumbHeight_;
        surface_.drawStretched(dragging_ ? dragThumbPicture() : thumbPicture(), 0, thumbTop_, width_,
                               th + 2);
        if (dragging_)
            surface_.rectOutline(1, 20, width_ - 2, height_ - 21, highlight_);
    }
}

void ScrollBarEngine::paint()
{
    paintOnly();
    host_->surfaceChanged();
}

void ScrollBarEngine::trackFrame(Colour c)
{
    surface_.rectOutline(1, 20, width_ - 2, height_ - 21, c);
}

void ScrollBarEngine::setTimer(bool on)
{
    timerEnabled_ = on;
    host_->setTimerEnabled(on);
}

void ScrollBarEngine::press(int button, float y)
{
    if (min_ == max_)
        return;
    changed_ = 0;
    if (button <= 0)
        return;
    if (thumbTop_ <= y && y < thumbTop_ + thumbHeight_) {
        dragging_ = true;
    } else {
        dragging_ = false;
        if (const auto p = roundToInt16(y))
            pressY_ = *p;
        setTimer(true);
        ticksBeforeRepeat_ = ScrollRepeatDelayMs / ScrollRepeatMs - 1;
        step();   // a click moves the bar without waiting for the timer
    }
}

void ScrollBarEngine::release()
{
    setTimer(false);
    dragging_ = false;   // the thumb's drag tint ends with the button
    paintOnly();
    trackFrame(Black);
    host_->surfaceChanged();
    changed_ = 0;
    if (!host_->raiseChange())
        return;
    host_->processPendingEvents();
}

void ScrollBarEngine::move(int buttons, float y)
{
    if (buttons == 0 || !dragging_) {
        dragging_ = false;
        host_->processPendingEvents();
        return;
    }
    dragStep(y);
}

void ScrollBarEngine::dragStep(float y)
{
    if (y == lastDragY_)
        return;
    const int th = thumbHeight_;
    if (const auto t = roundToInt16(static_cast<double>(y) - th / 2.0 - 3.0))
        thumbTop_ = *t;
    double p = 0.0;
    const double lowest = static_cast<double>(height_) - (th + 22);
    if (thumbTop_ < ArrowZone) {
        thumbTop_ = ArrowZone;
        p = 0.0;
    } else if (lowest < thumbTop_) {
        if (const auto t = roundToInt16(lowest))
            thumbTop_ = *t;
        p = static_cast<double>(height_) - ArrowZone;
    } else {
        p = static_cast<double>(y) - ArrowZone;
    }
    if (const auto range = sub32(max_, min_)) {
        if (const auto q = divide(p, static_cast<double>(height_) - (th + 12))) {
            if (const auto v = roundToInt32(*q * *range + min_))
                value_ = *v;
        }
    }
    if (value_ > max_)
        value_ = max_;
    if (value_ < min_)
        value_ = min_;

    changed_ = 1;
    lastDragY_ = y;
    if (!host_->processPendingEvents())
        return;
    paint();
    // A release or press handled just now has reset the flag and raised
    // Change itself.
    if (changed_ == 1 && !host_->raiseChange())
        return;
    changed_ = 0;
}

void ScrollBarEngine::tick()
{
    if (ticksBeforeRepeat_ > 0) {
        --ticksBeforeRepeat_;
        return;
    }
    step();
}

// One step of a held press: by the arrow, by a page, or towards the press
// point above the thumb.
void ScrollBarEngine::step()
{
    const int th = thumbHeight_;
    const int pr = pressY_;
    const int top = thumbTop_;
    if (top - 3 <= pr && pr <= top + th + 6)
        return;

    int offset = 0;
    bool pageDown = false;
    if (pr < ArrowZone && value_ > min_) {
        if (const auto v = sub32(value_, small_))
            value_ = *v;
    } else if (pr > height_ - ArrowZone && value_ < max_) {
        if (const auto v = add32(value_, small_))
            value_ = *v;
        offset = ArrowZone;
    } else if (pr < height_ - ArrowZone && pr > top) {
        if (const auto v = add32(value_, large_))
            value_ = *v;
        offset = ArrowZone;
        pageDown = true;
    } else if (ArrowZone < pr && pr < top) {
        if (pr < top - (th + 6)) {
            if (const auto v = sub32(value_, large_))
                value_ = *v;
        } else if (const auto range = sub32(max_, min_)) {
            // A jump in proportion to the distance between press and thumb.
            if (const auto q = divide(static_cast<double>(top - pr), height_)) {
                if (const auto v = roundToInt32(value_ - *q * *range))
                    value_ = *v;
            }
        }
    }
    if (value_ > max_)
        value_ = max_;
    else if (value_ < min_)
        value_ = min_;

    const auto num = sub32(value_, min_);
    const auto den = sub32(max_, min_);
    if (num && den) {
        if (const auto q = divide(*num, *den)) {
            if (const auto t = roundToInt16(*q * (height_ - (th + 23)) + offset))
                thumbTop_ = *t;
        }
    }
    placeThumb(false);

    if (!host_->processPendingEvents())
        return;
    paintOnly();
    trackFrame(Black);
    host_->surfaceChanged();
    if (!host_->raiseChange())
        return;
    if (pageDown && pressY_ < thumbTop_)
        setTimer(false);
}

void ScrollBarEngine::lostFocus() { paint(); }

} // namespace qm
