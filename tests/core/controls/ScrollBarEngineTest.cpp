#include "core/controls/ScrollBarEngine.h"
#include "core/controls/ScrollBarPictures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <utility>
#include <vector>

namespace qm {
namespace {

// Host with a simulated clock: the 100 ms timer fires only when the test
// advances time, and a pending event can be scripted to arrive mid-step.
struct SimHost : ScrollBarHost {
    ScrollBarEngine* engine = nullptr;
    std::int64_t now = 0, nextDue = 0;
    bool timerOn = false, alive = true;
    int changes = 0, surfaces = 0;
    std::vector<std::string> log;
    std::function<void()> pendingEvent; // run once by the next processPendingEvents

    bool processPendingEvents() override
    {
        log.push_back("events");
        if (auto f = std::exchange(pendingEvent, nullptr))
            f();
        return alive;
    }
    bool raiseChange() override
    {
        ++changes;
        log.push_back("change " + std::to_string(engine->value()));
        return alive;
    }
    void setTimerEnabled(bool on) override
    {
        if (on && !timerOn)
            nextDue = now + ScrollRepeatMs;
        timerOn = on;
        log.push_back(on ? "timer on" : "timer off");
    }
    void surfaceChanged() override { ++surfaces; }
    void advance(std::int64_t ms)
    {
        const std::int64_t end = now + ms;
        while (timerOn && nextDue <= end) {
            now = nextDue;
            nextDue += ScrollRepeatMs;
            engine->tick();
        }
        now = end;
    }
};

// A bar of 31 x 391 (range 0..100) at `value`, with log and count cleared.
struct Bar {
    SimHost host;
    ScrollBarEngine e{&host};
    explicit Bar(std::int32_t value = 0, int h = 391, int w = 31)
    {
        host.engine = &e;
        e.resize(w, h);
        if (value != 0)
            e.setValue(value);
        host.log.clear();
        host.changes = 0;
    }
};

Colour px(const PixelBuffer& b, int x, int y) { return b.pixel(x, y).valueOr(0xDEADBEEF); }

TEST(ScrollPalette, ShadesOfTheBackground)
{
    const struct { std::uint32_t back; int k; Colour c; } rows[] = {
        {0xE0E0E0, 11, 0x7B7B7B}, {0xFFFFFF, 16, 0xCCCCCC}, {0xFFFFFF, 25, 0xFFFFFF},
        {0x0080C8, 1, 0x00060A},    // 6.4 -> 6
        {0x80000014, 20, 0x000014}, // a system colour is not translated
        {0x01FFFFFF, 20, 0x000000}, // components beyond a byte are 0
    };
    for (const auto& r : rows)
        EXPECT_EQ(scrollPalette(r.back)[static_cast<std::size_t>(r.k)], r.c)
            << std::hex << r.back << " k " << std::dec << r.k;
}

TEST(ScrollBar, ThumbTopFromValueAndRange)
{
    Bar b;
    const struct { std::int32_t set, stored; int top; } rows[] = {
        {0, 0, 22}, {50, 50, 174}, {100, 100, 348}, {150, 100, 348}, {-7, 0, 22}, {10, 10, 35},
    };
    for (const auto& r : rows) {
        const int before = b.host.changes;
        b.e.setValue(r.set);
        EXPECT_EQ(b.e.value(), r.stored) << r.set;
        EXPECT_EQ(b.e.thumbTop(), r.top) << r.set;
        EXPECT_EQ(b.host.changes, before + 1) << "Change even when the value stays";
    }
    // The minimum wins over the maximum.
    b.e.setValueMin(10);
    b.e.setValueMax(5);
    b.e.setValue(7);
    EXPECT_EQ(b.e.value(), 10);

    for (std::int32_t max : {0, -3}) {
        Bar flat;
        flat.e.setValueMin(-10);
        flat.e.setValueMax(max);
        flat.e.setValue(-5);
        EXPECT_EQ(flat.e.surface(), flat.e.background()) << "no thumb without a positive maximum " << max;
    }
    // The other range writes move nothing and raise no Change.
    Bar kept(40);
    const PixelBuffer before = kept.e.surface();
    const int top = kept.e.thumbTop();
    kept.e.setValueMin(-50);
    kept.e.setLargeChange(30);
    kept.e.setSmallChange(9);
    EXPECT_EQ(kept.e.surface(), before);
    kept.e.setValueMax(1000); // repaints, but the thumb stays where it was
    EXPECT_EQ(kept.e.thumbTop(), top);
    EXPECT_EQ(kept.e.value(), 40);
    EXPECT_EQ(kept.host.changes, 0);

    Bar empty(50);
    empty.e.setValueMax(0);
    empty.e.setValueMin(0);
    empty.e.render(); // 0 / 0 fails, the top stays 174
    EXPECT_EQ(empty.e.thumbTop(), 174);
    empty.e.resize(31, 100); // now past the lowest place: clamped to H - 42
    EXPECT_EQ(empty.e.thumbTop(), 58);
}

TEST(ScrollBar, RenderDrawsTrackFrameArrowsAndThumb)
{
    Bar b;
    const auto& p = b.e.palette();
    const PixelBuffer& bg = b.e.background();
    ASSERT_EQ(bg.width(), 31);
    ASSERT_EQ(bg.height(), 391);
    // A checkerboard of shade 14 on rows 20 .. H - 21 inside a two-pixel frame;
    // arrows at both ends, their corners rounded off in the mask colour.
    const Colour back = 0xE0E0E0, white = 0xFFFFFF;
    const struct { int x, y; Colour c; } rows[] = {
        {4, 20, p[14]}, {5, 20, back}, {5, 21, p[14]}, {27, 369, p[14]}, {5, 370, back},
        {30, 20, p[11]}, {1, 370, p[16]}, {0, 0, MaskColour}, {2, 0, MaskColour}, {27, 0, MaskColour},
        {0, 390, MaskColour}, {30, 390, MaskColour}, {0, 388, MaskColour}, {15, 10, white}, {15, 380, white},
    };
    for (const auto& r : rows)
        EXPECT_EQ(px(bg, r.x, r.y), r.c) << r.x << "," << r.y;
    EXPECT_NE(px(bg, 3, 0), MaskColour);
    EXPECT_EQ(px(bg, 15, 10), px(arrowPicture(), 15, 11)); // stretched 22 -> 20 rows
    EXPECT_TRUE(b.e.hasMask());
    // The surface adds the thumb, 22 rows from the thumb top.
    const PixelBuffer& s = b.e.surface();
    EXPECT_EQ(px(s, 0, 22), px(thumbPicture(), 0, 0));
    EXPECT_EQ(px(s, 0, 43), px(thumbPicture(), 0, 29));
    EXPECT_EQ(px(s, 4, 44), px(bg, 4, 44));
}

// A press held off the thumb: the state after `ms` of the timer, from a
// fresh bar at `start`.
TEST(ScrollBar, HeldPressStepsWithTheTimer)
{
    const struct {
        std::int32_t start, large; float y; int ms; std::int32_t value; int top, changes; bool timer;
    } rows[] = {
        {0, 5, 10, 0, 0, 22, 0, true},         // up arrow: the first step comes with the first tick
        {0, 5, 10, 350, 0, 22, 3, true},       // at the minimum each tick still raises Change
        {0, 5, 380, 250, 2, 29, 2, true},      // down arrow: round(0.02 * 348 + 22)
        {0, 20, 200, 100, 20, 92, 1, true},    // page down ...
        {0, 20, 200, 300, 60, 231, 3, false},  // ... stops once the thumb passes the press
        {0, 20, 200, 800, 60, 231, 3, false},
        {100, 5, 100, 1300, 35, 122, 13, true}, // page up: 13 pages of 5
        {100, 5, 100, 1400, 29, 101, 14, true}, // near the thumb: round(35 - 22 / 391 * 100)
        {100, 5, 100, 2400, 29, 101, 14, true}, // covered: repeats idly until the release
        {50, 5, 171, 500, 50, 174, 0, true},    // thumb 174..193: 3 above,
        {50, 5, 194, 500, 50, 174, 0, true},    // just below,
        {50, 5, 200, 500, 50, 174, 0, true},    // and 6 below are idle ticks
        {50, 5, 201, 100, 55, 213, 1, false},   // 7 below pages down
    };
    for (const auto& r : rows) {
        Bar b(r.start);
        b.e.setLargeChange(r.large);
        b.e.press(1, r.y);
        EXPECT_FALSE(b.e.dragging());
        b.host.advance(r.ms);
        SCOPED_TRACE(testing::Message() << "from " << r.start << " at y " << r.y << " for " << r.ms << " ms");
        EXPECT_EQ(b.e.value(), r.value);
        EXPECT_EQ(b.e.thumbTop(), r.top);
        EXPECT_EQ(b.host.changes, r.changes);
        EXPECT_EQ(b.host.timerOn, r.timer);
    }
}

TEST(ScrollBar, ReleaseStopsTheTimerAndRaisesChange)
{
    Bar b;
    b.e.press(1, 380.0f);
    b.host.advance(250);
    // Each tick leaves a black frame round the track until the next paint.
    EXPECT_EQ(px(b.e.surface(), 1, 20), 0u);
    EXPECT_EQ(px(b.e.surface(), 29, 370), 0u);
    b.e.release();
    b.host.advance(1000);
    const std::vector<std::string> expected{"timer on", "events", "change 1", "events", "change 2",
                                            "timer off", "change 2", "events"};
    EXPECT_EQ(b.host.log, expected);
    // The next placement from the value uses no offset: round(6.96) = 7, clamped to 22.
    b.e.setValue(2);
    EXPECT_EQ(b.e.thumbTop(), 22);
}

TEST(ScrollBar, PressOnTheThumbDragsAndStepsFollowThePointer)
{
    Bar flat; // an empty range refuses presses; a release still raises Change
    flat.e.setValueMax(0);
    flat.e.press(1, 100.0f);
    EXPECT_FALSE(flat.host.timerOn || flat.e.dragging());
    flat.e.release();
    EXPECT_EQ(flat.host.changes, 1);

    Bar b;
    b.e.press(1, 41.9f); // thumb at 22..41
    EXPECT_TRUE(b.e.dragging());
    b.e.press(0, 300.0f); // no button: only the flag is reset
    EXPECT_TRUE(b.e.dragging());
    EXPECT_FALSE(b.host.timerOn);
    b.e.press(1, 22.0f);
    ASSERT_TRUE(b.e.dragging());
    const struct { float y; std::int32_t value; int top; } rows[] = {
        {100.0f, 22, 87},   // p = 78: round(78 / 359 * 100)
        {10.0f, 0, 22},     // above the track: minimum
        {390.0f, 100, 349}, // below: (H - 22) / (H - 32) > 1, clamped
        {200.0f, 50, 187},  // round(178 / 359 * 100) = round(49.58)
    };
    for (const auto& r : rows) {
        const int before = b.host.changes;
        b.e.move(1, r.y);
        EXPECT_EQ(b.e.value(), r.value) << r.y;
        EXPECT_EQ(b.e.thumbTop(), r.top) << r.y;
        EXPECT_EQ(b.host.changes, before + 1) << r.y;
        EXPECT_EQ(b.e.changed(), 0);
    }
    // The same y again is no step; the dragged look has the highlight frame.
    b.e.move(1, 200.0f);
    EXPECT_EQ(b.host.changes, 4);
    EXPECT_EQ(px(b.e.surface(), 0, 187), px(dragThumbPicture(), 0, 0));
    EXPECT_EQ(px(b.e.surface(), 1, 100), 0xFFFFFFu);
    // A move without a button ends the drag but does not repaint.
    const int surfaces = b.host.surfaces;
    b.e.move(0, 150.0f);
    EXPECT_FALSE(b.e.dragging());
    EXPECT_EQ(b.host.surfaces, surfaces);
    EXPECT_EQ(b.e.value(), 50);
}

// Events let run in the middle of a step may release, destroy or resize the bar.
TEST(ScrollBar, EventsRunMidStep)
{
    Bar drag;
    drag.e.press(1, 30.0f);
    drag.host.pendingEvent = [&] { drag.e.release(); };
    drag.e.move(1, 100.0f);
    const std::vector<std::string> once{"events", "timer off", "change 22", "events"};
    EXPECT_EQ(drag.host.log, once);
    EXPECT_TRUE(drag.e.dragging()) << "the release alone keeps the drag look";

    Bar tick;
    tick.e.press(1, 380.0f);
    tick.host.pendingEvent = [&] { tick.e.release(); };
    tick.host.advance(600);
    EXPECT_FALSE(tick.host.timerOn);
    EXPECT_EQ(tick.host.changes, 2); // the release's and the tick's own
    EXPECT_EQ(tick.e.value(), 1);

    Bar gone; // destroyed while events ran: the tick stops at once
    gone.e.press(1, 380.0f);
    gone.host.alive = false;
    gone.host.advance(100);
    EXPECT_EQ(gone.host.changes, 0);
    EXPECT_EQ(gone.host.log.back(), "events");

    Bar resized; // a render run by the events is the one picture left
    resized.host.pendingEvent = [&] { resized.e.resize(31, 200); };
    resized.e.resize(31, 391);
    EXPECT_EQ(resized.e.height(), 200);
    Bar fresh(0, 200);
    EXPECT_EQ(resized.e.background(), fresh.e.background());
    EXPECT_EQ(resized.e.surface(), fresh.e.surface());
}

TEST(ScrollBar, OverflowingStepsAreSkipped)
{
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    Bar b;
    b.e.setValueMax(big);
    b.e.setValue(big - 5);
    b.e.setSmallChange(100);
    b.e.press(1, 380.0f);
    b.host.advance(100); // value + 100 does not fit: the step is skipped
    EXPECT_EQ(b.e.value(), big - 5);
    EXPECT_EQ(b.host.changes, 2);
    b.e.release();
    // A range wider than 32 bits cannot place the thumb; the clamp still holds.
    b.e.setValueMin(std::numeric_limits<std::int32_t>::min());
    b.e.setValue(0);
    EXPECT_GE(b.e.thumbTop(), 22);
    EXPECT_LE(b.e.thumbTop(), 349);
    b.e.press(1, 355.0f); // on the thumb, which sits at the bottom
    ASSERT_TRUE(b.e.dragging());
    b.e.move(1, 200.0f);
    EXPECT_EQ(b.e.value(), 0);
}

TEST(ScrollBar, TinyAndHugeSizesDoNotBreak)
{
    for (const auto& s : {std::pair{0, 0}, std::pair{1, 1}, std::pair{31, 10},
                          std::pair{40000, 40000}, std::pair{-5, -5}}) {
        Bar b(30, s.second, s.first);
        b.e.press(1, 5.0f);
        b.host.advance(300);
        b.e.release();
        b.e.move(1, 3.0f);
        EXPECT_GE(b.e.value(), 0);
        EXPECT_LE(b.e.value(), 100);
    }
}

} // namespace
} // namespace qm
