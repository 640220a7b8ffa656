#include "core/controls/ScrollBarEngine.h"
#include "core/controls/ScrollBarPictures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace qm {
namespace {

// Host with a simulated clock: the 100 ms timer fires only when the test
// advances time, and pending events can be scripted to arrive mid-step.
struct SimHost : ScrollBarHost {
    ScrollBarEngine* engine = nullptr;
    std::int64_t now = 0;
    std::int64_t nextDue = 0;
    bool timerOn = false;
    int changes = 0;
    int surfaces = 0;
    bool alive = true;
    std::vector<std::string> log;
    std::function<void()> pendingEvent; // run once by the next processPendingEvents

    bool processPendingEvents() override
    {
        log.push_back("events");
        if (pendingEvent) {
            auto f = std::move(pendingEvent);
            pendingEvent = nullptr;
            f();
        }
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

struct Bar {
    SimHost host;
    ScrollBarEngine e{&host};
    explicit Bar(int h = 391, int w = 31)
    {
        host.engine = &e;
        e.resize(w, h);
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

TEST(ScrollBar, ThumbTopFromValue)
{
    Bar b; // minimum 0, maximum 100, H = 391
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
    b.e.setValue(100);
    b.e.setValue(100);
    EXPECT_EQ(b.host.changes, 8);
    // The minimum wins over the maximum.
    b.e.setValueMin(10);
    b.e.setValueMax(5);
    b.e.setValue(7);
    EXPECT_EQ(b.e.value(), 10);
}

TEST(ScrollBar, RenderDrawsTrackFrameAndArrows)
{
    Bar b;
    const auto& p = b.e.palette();
    const PixelBuffer& bg = b.e.background();
    ASSERT_EQ(bg.width(), 31);
    ASSERT_EQ(bg.height(), 391);
    const Colour back = 0xE0E0E0;
    // Checkerboard of palette(14) from row 20 to H - 21.
    EXPECT_EQ(px(bg, 4, 20), p[14]);
    EXPECT_EQ(px(bg, 5, 21), p[14]);
    EXPECT_EQ(px(bg, 5, 20), back);
    EXPECT_EQ(px(bg, 4, 21), back);
    EXPECT_EQ(px(bg, 27, 369), p[14]);
    EXPECT_EQ(px(bg, 5, 370), back);
    // Two-pixel frame down the sides.
    for (int y : {20, 370}) {
        EXPECT_EQ(px(bg, 30, y), p[11]) << y;
        EXPECT_EQ(px(bg, 1, y), p[16]) << y;
    }
    // Arrows: rounded corners in the mask colour at both ends.
    const PixelBuffer& arrow = arrowPicture();
    for (int x : {0, 1, 2, 27, 28, 29, 30}) {
        EXPECT_EQ(px(bg, x, 0), MaskColour) << x;
        EXPECT_EQ(px(bg, x, 390), MaskColour) << x;
    }
    EXPECT_NE(px(bg, 3, 0), MaskColour);
    EXPECT_EQ(px(bg, 0, 388), MaskColour);
    EXPECT_EQ(px(bg, 15, 10), px(arrow, 15, 11)); // triangle, stretched 22 -> 20 rows
    EXPECT_EQ(px(bg, 15, 10), 0xFFFFFFu);
    EXPECT_EQ(px(bg, 15, 380), 0xFFFFFFu);        // and mirrored at the bottom
    EXPECT_TRUE(b.e.hasMask());
    // The surface adds the thumb, 22 rows from the thumb top.
    const PixelBuffer& s = b.e.surface();
    EXPECT_EQ(px(s, 0, 22), px(thumbPicture(), 0, 0));
    EXPECT_EQ(px(s, 0, 43), px(thumbPicture(), 0, 29));
    EXPECT_EQ(px(s, 4, 44), px(bg, 4, 44));
}

TEST(ScrollBar, RangeWritesRepaintButMoveNothing)
{
    for (std::int32_t max : {0, -3}) {
        Bar b;
        b.e.setValueMin(-10);
        b.e.setValueMax(max);
        EXPECT_EQ(b.e.surface(), b.e.background()) << max;
        b.e.setValue(-5);
        EXPECT_EQ(b.e.surface(), b.e.background()) << max;   // no thumb without a positive maximum
    }
    Bar b;
    b.e.setValue(40);
    const PixelBuffer before = b.e.surface();
    const int changes = b.host.changes;
    b.e.setValueMin(-50);
    b.e.setLargeChange(30);
    b.e.setSmallChange(9);
    EXPECT_EQ(b.e.surface(), before);
    EXPECT_EQ(b.e.value(), 40);
    EXPECT_EQ(b.host.changes, changes);
    // ValueMax repaints but leaves the thumb where it was.
    const int top = b.e.thumbTop();
    b.e.setValueMax(1000);
    EXPECT_EQ(b.e.thumbTop(), top);
    EXPECT_EQ(b.host.changes, changes);
}

TEST(ScrollBar, HoldingTheUpArrowAtTheMinimumKeepsRaisingChange)
{
    Bar b;
    b.e.press(1, 10.0f);
    EXPECT_TRUE(b.host.timerOn);
    EXPECT_EQ(b.host.changes, 0) << "the first step comes with the first tick";
    b.host.advance(350);
    EXPECT_EQ(b.host.changes, 3);
    EXPECT_EQ(b.e.value(), 0);
    // Each tick leaves a black frame round the track until the next paint.
    EXPECT_EQ(px(b.e.surface(), 1, 20), 0u);
    EXPECT_EQ(px(b.e.surface(), 29, 370), 0u);
    b.e.release();
    EXPECT_FALSE(b.host.timerOn);
    EXPECT_EQ(b.host.changes, 4);
    b.host.advance(1000);
    EXPECT_EQ(b.host.changes, 4);
}

TEST(ScrollBar, DownArrowStepsAndSitsTheThumbLower)
{
    Bar b;
    b.e.press(1, 380.0f); // below H - 22
    b.host.advance(250);
    EXPECT_EQ(b.e.value(), 2);
    EXPECT_EQ(b.e.thumbTop(), 29); // round(0.02 * 348 + 22)
    b.e.release();
    const std::vector<std::string> expected{"timer on", "events", "change 1", "events", "change 2",
                                            "timer off", "change 2", "events"};
    EXPECT_EQ(b.host.log, expected);
    // The next placement from the value uses no offset.
    b.e.setValue(2);
    EXPECT_EQ(b.e.thumbTop(), 22); // round(6.96) = 7, clamped to 22
}

TEST(ScrollBar, PageDownStopsOnceTheThumbPassesThePress)
{
    Bar b;
    b.e.setLargeChange(20);
    b.e.press(1, 200.0f);
    b.host.advance(100);
    EXPECT_EQ(b.e.value(), 20);
    EXPECT_EQ(b.e.thumbTop(), 92);
    b.host.advance(200);
    EXPECT_EQ(b.e.value(), 60);
    EXPECT_EQ(b.e.thumbTop(), 231);
    EXPECT_FALSE(b.host.timerOn);
    b.host.advance(500);
    EXPECT_EQ(b.e.value(), 60);
    EXPECT_EQ(b.host.changes, 3);
}

TEST(ScrollBar, PageUpThenProportionalJumpThenRest)
{
    Bar b;
    b.e.setValue(100); // thumb at 348
    b.host.changes = 0;
    b.e.press(1, 100.0f);
    b.host.advance(1300); // 13 pages of 5
    EXPECT_EQ(b.e.value(), 35);
    EXPECT_EQ(b.e.thumbTop(), 122);
    b.host.advance(100); // within TH + 6 of the thumb: jump by the distance
    EXPECT_EQ(b.e.value(), 29); // round(35 - 22 / 391 * 100)
    EXPECT_EQ(b.e.thumbTop(), 101);
    b.host.advance(1000); // the thumb now covers the press point
    EXPECT_EQ(b.e.value(), 29);
    EXPECT_EQ(b.host.changes, 14);
    EXPECT_TRUE(b.host.timerOn) << "a press above the thumb repeats until the release";
}

TEST(ScrollBar, PressNextToTheThumbStartsIdleTicks)
{
    for (float y : {171.0f, 194.0f, 200.0f}) { // 3 above, just below, 6 below the thumb
        Bar b;
        b.e.setValue(50); // thumb 174..193
        b.host.changes = 0;
        b.e.press(1, y);
        EXPECT_FALSE(b.e.dragging()) << y;
        EXPECT_TRUE(b.host.timerOn) << y;
        b.host.advance(500);
        EXPECT_EQ(b.e.value(), 50) << y;
        EXPECT_EQ(b.host.changes, 0) << y;
    }
    Bar b;
    b.e.setValue(50);
    b.e.press(1, 201.0f);
    b.host.advance(100);
    EXPECT_EQ(b.e.value(), 55);
}

TEST(ScrollBar, PressOnTheThumbDragsAndEmptyRangeRefuses)
{
    Bar b;
    b.e.setValue(50);
    b.e.press(1, 174.0f);
    EXPECT_TRUE(b.e.dragging());
    EXPECT_FALSE(b.host.timerOn);
    b.e.press(1, 193.9f);
    EXPECT_TRUE(b.e.dragging());
    b.e.press(0, 300.0f); // no button: only the flag is reset
    EXPECT_TRUE(b.e.dragging());
    EXPECT_FALSE(b.host.timerOn);

    Bar flat;
    flat.e.setValueMax(0);
    flat.e.press(1, 100.0f);
    EXPECT_FALSE(flat.host.timerOn);
    EXPECT_FALSE(flat.e.dragging());
    flat.e.release(); // a release still raises Change
    EXPECT_EQ(flat.host.changes, 1);
}

TEST(ScrollBar, DragStepsFollowThePointer)
{
    Bar b;
    b.e.press(1, 30.0f); // thumb at 22
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

TEST(ScrollBar, ReleaseDuringADragStepRaisesChangeOnce)
{
    Bar b;
    b.e.press(1, 30.0f);
    b.host.pendingEvent = [&] { b.e.release(); };
    b.e.move(1, 100.0f);
    EXPECT_EQ(b.host.changes, 1);
    const std::vector<std::string> expected{"events", "timer off", "change 22", "events"};
    EXPECT_EQ(b.host.log, expected);
    EXPECT_TRUE(b.e.dragging()) << "the release alone keeps the drag look";
}

TEST(ScrollBar, ReleaseOrTeardownDuringATick)
{
    Bar b;
    b.e.press(1, 380.0f);
    b.host.pendingEvent = [&] { b.e.release(); };
    b.host.advance(100);
    EXPECT_FALSE(b.host.timerOn);
    EXPECT_EQ(b.host.changes, 2); // the release's and the tick's own
    EXPECT_EQ(b.e.value(), 1);
    b.host.advance(500);
    EXPECT_EQ(b.host.changes, 2);

    // Destroyed while events ran: the tick stops at once.
    Bar gone;
    gone.e.press(1, 380.0f);
    gone.host.alive = false;
    gone.host.advance(100);
    EXPECT_EQ(gone.host.changes, 0);
    EXPECT_EQ(gone.host.log.back(), "events");
}

TEST(ScrollBar, ResizeDuringRenderLeavesOneConsistentPicture)
{
    Bar b;
    b.host.pendingEvent = [&] { b.e.resize(31, 200); };
    b.e.resize(31, 391);
    EXPECT_EQ(b.e.height(), 200);
    Bar fresh(200);
    EXPECT_EQ(b.e.background(), fresh.e.background());
    EXPECT_EQ(b.e.surface(), fresh.e.surface());
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

TEST(ScrollBar, EmptyRangeKeepsThePreviousThumbTop)
{
    Bar b;
    b.e.setValue(50);
    b.e.setValueMax(0);
    b.e.setValueMin(0);
    b.e.render(); // 0 / 0 fails, the top stays 174
    EXPECT_EQ(b.e.thumbTop(), 174);
    b.e.resize(31, 100); // now above the lowest place: clamped to H - 42
    EXPECT_EQ(b.e.thumbTop(), 58);
}

TEST(ScrollBar, TinyAndHugeSizesDoNotBreak)
{
    for (const auto& s : {std::pair{0, 0}, std::pair{1, 1}, std::pair{31, 10},
                          std::pair{40000, 40000}, std::pair{-5, -5}}) {
        Bar b(s.second, s.first);
        b.e.setValue(30);
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
