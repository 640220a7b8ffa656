#pragma once
// The self-drawn vertical scroll bar without its widget: the value and its
// range, the thumb's place, the pictures of the bar and the auto-repeat and
// drag state machine. The widget feeds it input events and timer ticks and
// answers the few things it needs from the toolkit through ScrollBarHost;
// a test host drives it with a simulated clock.

#include "core/controls/PixelBuffer.h"

#include <array>
#include <cstdint>

namespace qm {

inline constexpr int ScrollThumbHeight = 20;
inline constexpr int ScrollRepeatMs = 100;
// A press steps at once; held, it repeats after this delay, then every
// ScrollRepeatMs. The timer keeps its 100 ms pace: the first ticks are skipped.
inline constexpr int ScrollRepeatDelayMs = 300;

// Entries 1..25 of the bar's shades: the background colour scaled by k / 20
// (index 0 is unused). Components that cannot be split into a byte count 0.
std::array<Colour, 26> scrollPalette(std::uint32_t backColor);

class ScrollBarHost {
public:
    virtual ~ScrollBarHost() = default;
    // Lets the toolkit run pending events (which may re-enter the engine).
    // Returns false when the control was destroyed meanwhile: the caller
    // then returns at once without touching the engine.
    virtual bool processPendingEvents() { return true; }
    // Raises Change to the host window; false when the control was destroyed.
    virtual bool raiseChange() { return true; }
    // Switches the 100 ms auto-repeat timer on or off (the first tick is due
    // 100 ms after it is switched on).
    virtual void setTimerEnabled(bool) {}
    // The surface picture changed and should be shown.
    virtual void surfaceChanged() {}
};

class ScrollBarEngine {
public:
    explicit ScrollBarEngine(ScrollBarHost* host = nullptr);
    ScrollBarEngine(const ScrollBarEngine&) = delete;
    ScrollBarEngine& operator=(const ScrollBarEngine&) = delete;
    void setHost(ScrollBarHost* host);

    // Properties.
    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t c);   // renders anew
    std::int32_t value() const { return value_; }
    void setValue(std::int32_t n);        // clamps, places the thumb, paints, raises Change
    std::int32_t valueMax() const { return max_; }
    void setValueMax(std::int32_t n);     // stores and paints; the thumb stays put
    std::int32_t valueMin() const { return min_; }
    void setValueMin(std::int32_t n) { min_ = n; }
    std::int32_t smallChange() const { return small_; }
    void setSmallChange(std::int32_t n) { small_ = n; }
    std::int32_t largeChange() const { return large_; }
    void setLargeChange(std::int32_t n) { large_ = n; }
    // The system's 3-D highlight colour, used for the frame while dragging.
    void setHighlightColour(Colour c) { highlight_ = c; }

    // Size of the surface; a resize renders anew.
    int width() const { return width_; }
    int height() const { return height_; }
    void resize(int width, int height);

    void render();
    void paint();

    // Input. Buttons are 1 left, 2 right, 4 middle (a mask for moves).
    // A press off the thumb steps at once and starts the auto-repeat.
    void press(int button, float y);
    // Ends a press: the repeat stops and a dragged thumb loses its tint.
    void release();
    void move(int buttons, float y);
    void tick();
    void lostFocus();

    // State, for the widget and for tests.
    std::int16_t thumbTop() const { return thumbTop_; }
    std::int16_t thumbHeight() const { return thumbHeight_; }
    bool dragging() const { return dragging_; }
    std::int16_t pressY() const { return pressY_; }
    std::int32_t changed() const { return changed_; }
    float lastDragY() const { return lastDragY_; }
    bool timerEnabled() const { return timerEnabled_; }
    const std::array<Colour, 26>& palette() const { return palette_; }
    const PixelBuffer& background() const { return background_; }
    const PixelBuffer& surface() const { return surface_; }
    bool hasMask() const { return hasMask_; }
    // Counts the renders that produced a new background.
    unsigned backgroundGeneration() const { return backgroundGeneration_; }

private:
    void placeThumb(bool fromValue);
    void paintOnly();
    void trackFrame(Colour c);
    void setTimer(bool on);
    void dragStep(float y);
    void step();

    ScrollBarHost fallbackHost_;
    ScrollBarHost* host_;

    std::uint32_t backColor_ = 0xE0E0E0;
    std::int32_t value_ = 0;
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t small_ = 1;
    std::int32_t large_ = 5;
    Colour highlight_ = 0xFFFFFF;

    int width_ = 0;
    int height_ = 0;
    std::int16_t thumbTop_ = 22;
    std::int16_t thumbHeight_ = ScrollThumbHeight;
    bool dragging_ = false;
    std::int16_t pressY_ = 0;
    std::int32_t changed_ = 0;
    float lastDragY_ = 0.0f;
    bool timerEnabled_ = false;
    int ticksBeforeRepeat_ = 0;
    unsigned renderGeneration_ = 0;
    unsigned backgroundGeneration_ = 0;

    std::array<Colour, 26> palette_{};
    PixelBuffer background_;
    PixelBuffer surface_;
    bool hasMask_ = false;
};

} // namespace qm
