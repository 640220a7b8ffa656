#include "core/controls/ControlMath.h"
#include "core/controls/PixelBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace qm {
namespace {

TEST(ControlMath, RoundingAndIntegerLimits)
{
    const struct { double in; double out; } rows[] = {
        {10.5, 10}, {11.5, 12}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& r : rows)
        EXPECT_EQ(roundHalfEven(r.in), r.out) << r.in;
    EXPECT_EQ(*roundToInt16(32767.4), 32767);
    EXPECT_FALSE(roundToInt16(32767.5).ok());     // rounds to 32768
    EXPECT_EQ(*roundToInt16(-32768.5), -32768);   // even neighbour stays inside
    EXPECT_FALSE(roundToInt16(-32769.0).ok());
    EXPECT_FALSE(roundToInt16(std::nan("")).ok());
    EXPECT_FALSE(roundToInt16(std::numeric_limits<double>::infinity()).ok());
    EXPECT_EQ(*add16(32700, 67), 32767);
    EXPECT_EQ(add16(32700, 68).failure(), Failure::Overflow);
    EXPECT_FALSE(sub16(-32768, 1).ok());
    const std::int32_t maxI = std::numeric_limits<std::int32_t>::max();
    const std::int32_t minI = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(*add32(maxI - 1, 1), maxI);
    EXPECT_FALSE(add32(maxI, 1).ok());
    EXPECT_FALSE(sub32(maxI, minI).ok());
    EXPECT_FALSE(roundToInt32(2147483647.5).ok());
    EXPECT_EQ(divide(0, 0).failure(), Failure::DivisionByZero);
    EXPECT_DOUBLE_EQ(*divide(1, 4), 0.25);
    // Colour components above the range count as their limits.
    EXPECT_EQ(rgb(313, 313, 313), 0xFFFFFFu);
    EXPECT_EQ(rgb(-4, 0, 300), 0xFF0000u);
    // Twips: 15 to the pixel at 96 dpi, halves to even; an unknown resolution counts as 96.
    EXPECT_EQ(twipsToPixels(2800, 96), 187);
    EXPECT_EQ(twipsToPixels(45, 0), 3);
    EXPECT_EQ(twipsToPixels(30, 144), 3);   // 3.0
    EXPECT_EQ(twipsToPixels(25, 144), 2);   // 2.5
    EXPECT_EQ(twipsToPixels(std::numeric_limits<int>::max(), 1e6), 0);   // beyond int: nothing
}

TEST(ControlMath, WheelStepsAddUpToWholeLines)
{
    WheelSteps wheel;
    const struct { int turn; int lines; } rows[] = {
        {120, 3}, {-120, -3}, {20, 0}, {20, 1}, {-39, 0}, {-1, -1}, {100, 2}, {-20, 0},
        {std::numeric_limits<int>::max(), 53687091}, {std::numeric_limits<int>::min(), -53687091}};
    for (const auto& r : rows)
        EXPECT_EQ(wheel.lines(r.turn), r.lines) << r.turn;
}

TEST(PixelBuffer, RefusesSizesNoPictureCanHave)
{
    EXPECT_FALSE(PixelBuffer::create(-1, 5).ok());
    EXPECT_FALSE(PixelBuffer::create(32768, 1).ok());
    EXPECT_FALSE(PixelBuffer::create(32767, 32767).ok()); // too many pixels
    const auto empty = PixelBuffer::create(0, 0);
    ASSERT_TRUE(empty.ok());
    EXPECT_TRUE(empty->empty());
    EXPECT_FALSE(empty->pixel(0, 0).ok());
}

// Lines leave out their end point; every drawing clips, even at the int limits.
TEST(PixelBuffer, DrawingClipsAtTheEdges)
{
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

} // namespace
} // namespace qm
