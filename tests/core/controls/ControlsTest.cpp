#include "core/controls/ButtonFaces.h"
#include "core/controls/ControlMath.h"
#include "core/controls/PixelBuffer.h"
#include "core/controls/ScrollBarEngine.h"

#include "core/CoreTestSupport.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <set>

namespace qm {
namespace {

template <class T>
std::string text(const Result<T>& r)
{
    if (!r.ok())
        return std::string("failure: ") + failureName(r.failure());
    if constexpr (std::is_same_v<T, double>)
        return doubleText(*r);
    else if constexpr (std::is_same_v<T, CaptionPos>)
        return std::to_string(r->x) + " " + std::to_string(r->y);
    else if constexpr (std::is_same_v<T, ButtonRgb>)
        return std::to_string(r->red) + " " + std::to_string(r->green) + " " + std::to_string(r->blue);
    else
        return std::to_string(*r);
}

TEST(ControlMath, CasesOfTheFile)
{
    WheelSteps wheel;
    std::set<std::string> ops;
    for (const test::CaseRow& c : test::caseFile("core_control_math.tsv", 0)) {
        const std::string& op = c[0];
        ops.insert(op);
        const auto d = [&c](std::size_t i) { return std::stod(c[i]); };
        const auto n = [&c](std::size_t i) { return static_cast<int>(std::stoll(c[i])); };
        std::string got;
        if (op == "half") {
            got = doubleText(roundHalfEven(d(1)));
        } else if (op == "int16") {
            got = text(roundToInt16(d(1)));
        } else if (op == "int32") {
            got = text(roundToInt32(d(1)));
        } else if (op == "add16" || op == "sub16") {
            got = text(op == "add16" ? add16(n(1), n(2)) : sub16(n(1), n(2)));
        } else if (op == "add32" || op == "sub32") {
            got = text(op == "add32" ? add32(std::stoll(c[1]), std::stoll(c[2])) : sub32(std::stoll(c[1]), std::stoll(c[2])));
        } else if (op == "divide") {
            got = text(divide(d(1), d(2)));
        } else if (op == "rgb") {
            char hex[16];
            std::snprintf(hex, sizeof hex, "%06X", static_cast<unsigned>(rgb(n(1), n(2), n(3))));
            got = hex;
        } else if (op == "twips") {
            got = std::to_string(twipsToPixels(n(1), d(2)));
        } else if (op == "wheel") {
            got = std::to_string(wheel.lines(n(1)));
        } else if (op == "split") {
            got = text(splitRenderColor(static_cast<std::uint32_t>(std::stoul(c[1], nullptr, 16))));
        } else if (op == "caption") {
            got = text(captionPosition(n(1), n(2), d(3), d(4)));
        }
        EXPECT_EQ(got, c.fields.back()) << c.where;
    }
    EXPECT_EQ(ops.size(), 13u);
}

TEST(PixelBuffer, RefusesSizesNoPictureCanHaveAndClipsEveryDrawing)
{
    EXPECT_FALSE(PixelBuffer::create(-1, 5).ok());
    EXPECT_FALSE(PixelBuffer::create(32768, 1).ok());
    EXPECT_FALSE(PixelBuffer::create(32767, 32767).ok()); // too many pixels
    const auto empty = PixelBuffer::create(0, 0);
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(empty->pixel(0, 0).ok());
    // Lines leave out their end point; every drawing clips, even at the int limits.
    constexpr int lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
    PixelBuffer b = *PixelBuffer::create(6, 4, 0);
    b.horizontalLine(-3, 3, 1, 7); // x = 0, 1, 2
    b.verticalLine(5, 3, 0, 9);    // drawn upwards: y = 3, 2, 1
    EXPECT_EQ(*b.pixel(2, 1), 7u);
    EXPECT_EQ(*b.pixel(3, 1), 0u);
    EXPECT_EQ(*b.pixel(5, 0), 0u);
    EXPECT_EQ(*b.pixel(5, 3), 9u);
    b.horizontalLine(lo, lo, 0, 1);
    b.horizontalLine(0, hi, 3, 4);
    EXPECT_EQ(*b.pixel(4, 3), 4u);
    b.rectOutline(0, 0, hi, hi, 2);
    EXPECT_EQ(*b.pixel(4, 0), 2u);
    EXPECT_EQ(*b.pixel(2, 2), 0u);
    const PixelBuffer before = b;
    b.drawStretched(*PixelBuffer::create(1, 4, 1), -5, 100, 3, 3); // wholly outside: nothing happens
    b.drawStretched(*PixelBuffer::create(1, 4, 1), lo, lo, 2, 2);
    EXPECT_EQ(b, before);
}

constexpr std::int16_t NoEdge = 7;

ButtonFaces faces(int w, int h, std::uint32_t colour, std::int16_t border)
{
    const auto rgbs = splitRenderColor(colour);
    EXPECT_TRUE(rgbs.ok());
    auto f = renderButtonFaces(w, h, rgbs.valueOr({}), border);
    EXPECT_TRUE(f.ok());
    return f.ok() ? std::move(f).value() : ButtonFaces{};
}

// Every pixel of row y has colour c.
void expectRow(const PixelBuffer& b, int y, Colour c)
{
    for (int x = 0; x < b.width(); ++x)
        ASSERT_EQ(b.pixel(x, y).valueOr(0xDEADBEEF), c) << "x " << x << " y " << y;
}

TEST(ButtonFaces, GradientsEndAtTheFloorOfEachComponentWhateverTheStyleAndSize)
{
    const ButtonFaces black = faces(54, 46, 0x000000, NoEdge);
    const ButtonFaces white = faces(54, 46, 0xFFFFFF, NoEdge);
    // Red 255 needs 128 rows to reach 0; green and blue are 0 at once.
    const ButtonFaces red = faces(10, 200, 0x0000FF, NoEdge);
    struct { const PixelBuffer& face; int y; Colour c; } rows[] = {
        {black.normal, 45, 0},
        // Highlighted: 58 on row 0, two darker per row, black from row 29.
        {black.highlighted, 28, rgb(2, 2, 2)}, {black.highlighted, 29, 0},
        {white.highlighted, 29, 0xFFFFFF}, {white.normal, 45, rgb(163, 163, 163)},
        {red.normal, 126, rgb(1, 0, 0)},  {red.normal, 127, 0},
        {red.highlighted, 0, rgb(255, 58, 58)}, {red.highlighted, 157, 0},   // 313 - 58 = 255
    };
    for (const auto& r : rows)
        expectRow(r.face, r.y, r.c);
    // Rows 0..H: the dark colour is one step past the last visible row.
    EXPECT_EQ(white.dark, rgb(161, 161, 161));
    // Odd styles and sizes.
    const ButtonFaces plain = faces(10, 8, 0x808080, NoEdge);
    for (int y = 0; y < 8; ++y)
        expectRow(plain.normal, y, rgb(126 - 2 * y, 126 - 2 * y, 126 - 2 * y));
    for (std::int16_t style : {std::int16_t{-1}, std::int16_t{32767}}) {   // unknown: no edge
        const ButtonFaces f = faces(10, 8, 0x808080, style);
        EXPECT_EQ(f.normal, plain.normal) << style;
        EXPECT_EQ(f.pressed, plain.highlighted) << style;
    }
    for (int w : {0, 1, 2}) {
        const auto f = renderButtonFaces(w, w, ButtonRgb{}, 3);
        EXPECT_TRUE(f.ok() && f->normal.width() == w) << w;
    }
    EXPECT_EQ(renderButtonFaces(-1, 5, ButtonRgb{}, 0).failure(), Failure::OutOfRange);
    EXPECT_FALSE(renderButtonFaces(40000, 5, ButtonRgb{}, 0).ok());
    EXPECT_EQ(renderButtonFaces(5, 5, ButtonRgb{32767, 0, 0}, 0).failure(), Failure::Overflow);
}

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
