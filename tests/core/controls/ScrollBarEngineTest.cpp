#include "core/controls/ScrollBarEngine.h"

#include "core/CoreTestSupport.h"

#include <cstdint>
#include <limits>

namespace qm {
namespace {

// Host with a simulated clock: the 100 ms timer fires only when the test
// advances time; `alive` false plays a bar destroyed while events ran.
struct SimHost : ScrollBarHost {
    ScrollBarEngine* engine = nullptr;
    std::int64_t now = 0, nextDue = 0;
    bool timerOn = false, alive = true;
    int changes = 0;
    bool processPendingEvents() override { return alive; }
    bool raiseChange() override { ++changes; return alive; }
    void setTimerEnabled(bool on) override
    {
        if (on && !timerOn)
            nextDue = now + ScrollRepeatMs;
        timerOn = on;
    }
    void surfaceChanged() override {}
    void advance(std::int64_t ms)
    {
        const std::int64_t end = now + ms;
        for (; timerOn && nextDue <= end; engine->tick())
            now = nextDue, nextDue += ScrollRepeatMs;
        now = end;
    }
};

// A bar of 31 x 391 (range 0..100) at `value`, with the Change count cleared.
struct Bar {
    SimHost host;
    ScrollBarEngine e{&host};
    explicit Bar(std::int32_t value = 0, int h = 391, int w = 31)
    {
        host.engine = &e;
        e.resize(w, h);
        if (value != 0)
            e.setValue(value);
        host.changes = 0;
    }
};

TEST(ScrollBar, ThumbFollowsTheClampedValue)
{
    Bar b;
    const struct { std::int32_t set, stored; int top; } rows[] = {
        {0, 0, 22}, {50, 50, 174}, {100, 100, 348}, {150, 100, 348}, {-7, 0, 22}, {10, 10, 35},
    };
    for (const auto& r : rows) {
        const int before = b.host.changes;
        b.e.setValue(r.set);   // Change even when the value stays
        EXPECT_EQ((std::vector<int>{b.e.value(), b.e.thumbTop(), b.host.changes - before}), (std::vector<int>{r.stored, r.top, 1}))
            << r.set;
    }
    // The minimum wins over the maximum; no thumb is drawn without a positive maximum.
    b.e.setValueMin(10);
    b.e.setValueMax(5);
    b.e.setValue(7);
    EXPECT_EQ(b.e.value(), 10);
    Bar flat;
    flat.e.setValueMin(-10);
    flat.e.setValueMax(0);
    flat.e.setValue(-5);
    EXPECT_EQ(flat.e.surface(), flat.e.background());
}

TEST(ScrollBar, PressStepsAtOnceAndRepeatsAfterTheDelay)
{
    for (const test::CaseRow& r : test::caseFile("core_scrollbar_press.tsv", 8)) {
        Bar b(r.number(0));
        b.e.setLargeChange(r.number(1));
        b.e.press(1, static_cast<float>(r.number(2)));
        EXPECT_FALSE(b.e.dragging());
        b.host.advance(r.number(3));
        EXPECT_EQ((std::vector<int>{b.e.value(), b.e.thumbTop(), b.host.changes, b.host.timerOn}),
                  (std::vector<int>{r.number(4), r.number(5), r.number(6), r.number(7)})) << r.where;
    }
    // The release stops the repeat; a new press waits the whole delay again.
    Bar again;
    again.e.press(1, 380.0f);
    again.host.advance(350);
    again.e.release();
    again.host.advance(500);
    EXPECT_EQ(again.e.value(), 2);
    again.e.press(1, 380.0f);
    again.host.advance(250);
    EXPECT_EQ(again.e.value(), 3);
    Bar gone; // destroyed while the events of a step ran: the step stops at once
    gone.e.press(1, 380.0f);
    gone.host.changes = 0;
    gone.host.alive = false;
    gone.host.advance(300);
    EXPECT_EQ(gone.host.changes, 0);
    EXPECT_EQ(gone.e.value(), 2);   // the value moved before the events ran
}

// The tinted thumb and its frame show only while the button is held.
TEST(ScrollBar, DragTintEndsWithTheRelease)
{
    Bar released(50), movedFirst(50);
    for (Bar* b : {&released, &movedFirst}) {
        b->e.press(1, static_cast<float>(b->e.thumbTop() + 5));
        ASSERT_TRUE(b->e.dragging());
        b->e.move(1, 300.0f);
    }
    EXPECT_EQ(released.e.value(), 77);   // round((300 - 22) / 359 x 100)
    const PixelBuffer whileDragging = released.e.surface();
    released.e.release();
    // As if the pointer had left the thumb without a button before the release.
    movedFirst.e.move(0, 300.0f);
    movedFirst.e.release();
    EXPECT_FALSE(released.e.dragging());
    EXPECT_EQ(released.e.surface(), movedFirst.e.surface());
    EXPECT_NE(released.e.surface(), whileDragging);
    EXPECT_EQ(released.e.value(), 77);
}

TEST(ScrollBar, OverflowingStepsAndOddSizesAreSafe)
{
    const std::int32_t big = std::numeric_limits<std::int32_t>::max();
    Bar b;
    b.e.setValueMax(big);
    b.e.setValue(big - 5);
    b.e.setSmallChange(100);
    b.e.press(1, 380.0f); // value + 100 does not fit: the step is skipped
    EXPECT_EQ(b.e.value(), big - 5);
    EXPECT_EQ(b.host.changes, 2);
    b.e.release();
    // A range wider than 32 bits cannot place the thumb; the clamp still holds.
    b.e.setValueMin(std::numeric_limits<std::int32_t>::min());
    b.e.setValue(0);
    EXPECT_TRUE(b.e.thumbTop() >= 22 && b.e.thumbTop() <= 349) << b.e.thumbTop();
    b.e.press(1, 355.0f); // on the thumb, which sits at the bottom
    ASSERT_TRUE(b.e.dragging());
    b.e.move(1, 200.0f);
    EXPECT_EQ(b.e.value(), 0);
    for (const auto& s : {std::pair{0, 0}, std::pair{1, 1}, std::pair{31, 10},
                          std::pair{40000, 40000}, std::pair{-5, -5}}) {
        Bar odd(30, s.second, s.first);
        odd.e.press(1, 5.0f);
        odd.host.advance(300);
        odd.e.release();
        odd.e.move(1, 3.0f);
        EXPECT_TRUE(odd.e.value() >= 0 && odd.e.value() <= 100) << odd.e.value();
    }
}

} // namespace
} // namespace qm
