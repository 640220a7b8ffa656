#include "core/controls/ButtonFaces.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

constexpr std::int16_t NoEdge = 7;

ButtonFaces faces(int w, int h, std::uint32_t colour, std::int16_t border)
{
    const auto rgbs = splitRenderColor(colour);
    EXPECT_TRUE(rgbs.ok());
    auto f = renderButtonFaces(w, h, rgbs.valueOr({}), border);
    EXPECT_TRUE(f.ok());
    return f.ok() ? std::move(f).value() : ButtonFaces{};
}

Colour px(const PixelBuffer& b, int x, int y)
{
    const auto c = b.pixel(x, y);
    EXPECT_TRUE(c.ok()) << x << "," << y;
    return c.valueOr(0xDEADBEEF);
}

// Every pixel of row y has colour c.
void expectRow(const PixelBuffer& b, int y, Colour c)
{
    for (int x = 0; x < b.width(); ++x)
        ASSERT_EQ(px(b, x, y), c) << "x " << x << " y " << y;
}

TEST(SplitRenderColor, BytesAndOverflow)
{
    const struct { std::uint32_t c; bool ok; int r, g, b; } rows[] = {
        {0xC0C0C0, true, 192, 192, 192},
        {0x563412, true, 0x12, 0x34, 0x56},
        {0x80000014, true, 20, 0, 0}, // bits above 24 are masked away
        {0xFFFFFF, true, 255, 255, 255},
        {0x1000000, false, 0, 0, 0},  // red and green beyond 16 bits
    };
    for (const auto& r : rows) {
        const auto s = splitRenderColor(r.c);
        ASSERT_EQ(s.ok(), r.ok) << std::hex << r.c;
        if (r.ok) {
            EXPECT_EQ(*s, (ButtonRgb{static_cast<std::int16_t>(r.r), static_cast<std::int16_t>(r.g),
                                     static_cast<std::int16_t>(r.b)}));
        }
    }
}

TEST(ButtonFaces, BlackButton)
{
    const ButtonFaces f = faces(54, 46, 0x000000, NoEdge);
    for (int y = 0; y < 46; ++y)
        expectRow(f.normal, y, 0);
    EXPECT_EQ(f.light, 0u);
    EXPECT_EQ(f.dark, 0u);
    // Highlighted: 58 on row 0, two darker per row, black from row 29.
    for (int y = 0; y < 46; ++y) {
        const int v = y < 29 ? 58 - 2 * y : 0;
        expectRow(f.highlighted, y, rgb(v, v, v));
    }
    EXPECT_EQ(f.highlightLight, rgb(60, 60, 60));
    EXPECT_EQ(f.highlightDark, 0u);
}

TEST(ButtonFaces, WhiteButton)
{
    const ButtonFaces f = faces(54, 46, 0xFFFFFF, NoEdge);
    for (int y = 0; y <= 29; ++y)
        expectRow(f.highlighted, y, 0xFFFFFF);
    expectRow(f.highlighted, 30, rgb(253, 253, 253));
    expectRow(f.highlighted, 45, rgb(223, 223, 223));
    expectRow(f.normal, 0, rgb(253, 253, 253));
    EXPECT_EQ(f.light, rgb(253, 253, 253));
    // Rows 0..H: the dark colour is one step past the last visible row.
    EXPECT_EQ(f.dark, rgb(161, 161, 161));
    expectRow(f.normal, 45, rgb(163, 163, 163));
}

TEST(ButtonFaces, TallButtonEndsAtTheFloorOfEachComponent)
{
    // Red 255 needs 128 rows to reach 0; green and blue are 0 at once.
    const ButtonFaces f = faces(10, 200, 0x0000FF, NoEdge);
    expectRow(f.normal, 0, rgb(253, 0, 0));
    expectRow(f.normal, 126, rgb(1, 0, 0));
    expectRow(f.normal, 127, 0);
    expectRow(f.normal, 199, 0);
    EXPECT_EQ(f.dark, 0u);
    expectRow(f.highlighted, 0, rgb(255, 58, 58));
    expectRow(f.highlighted, 29, rgb(255, 0, 0));   // 313 - 58 = 255
    expectRow(f.highlighted, 30, rgb(253, 0, 0));
    expectRow(f.highlighted, 156, rgb(1, 0, 0));
    expectRow(f.highlighted, 157, 0);
    EXPECT_EQ(f.highlightDark, 0u);
}

// A 10 x 8 grey button: gradient rows 126 - 2y (normal), 186 - 2y (highlighted).
Colour normalRow(int y) { return rgb(126 - 2 * y, 126 - 2 * y, 126 - 2 * y); }
Colour highRow(int y) { return rgb(186 - 2 * y, 186 - 2 * y, 186 - 2 * y); }
constexpr int W = 10;
constexpr int H = 8;

TEST(ButtonFaces, StyleZeroDividerOnTheRight)
{
    const ButtonFaces f = faces(W, H, 0x808080, 0);
    EXPECT_EQ(f.light, normalRow(0));
    EXPECT_EQ(f.dark, normalRow(8));
    for (int y = 0; y < H; ++y) {
        EXPECT_EQ(px(f.normal, W - 2, y), f.dark);
        EXPECT_EQ(px(f.normal, W - 1, y), f.light);
        EXPECT_EQ(px(f.normal, W - 3, y), normalRow(y));
        EXPECT_EQ(px(f.highlighted, W - 2, y), f.highlightDark);
        EXPECT_EQ(px(f.highlighted, W - 1, y), rgb(188, 188, 188));
        // Pressed: the highlighted gradient with the normal face's divider.
        EXPECT_EQ(px(f.pressed, W - 2, y), f.dark);
        EXPECT_EQ(px(f.pressed, W - 1, y), f.light);
        EXPECT_EQ(px(f.pressed, 3, y), highRow(y));
    }
}

TEST(ButtonFaces, StyleOneTwoInsetFrames)
{
    const ButtonFaces f = faces(W, H, 0x808080, 1);
    EXPECT_EQ(px(f.normal, 0, 0), normalRow(0));
    EXPECT_EQ(px(f.normal, 1, 1), f.light);
    EXPECT_EQ(px(f.normal, 8, 6), f.light);
    EXPECT_EQ(px(f.normal, 8, 3), f.light);
    EXPECT_EQ(px(f.normal, 2, 2), f.dark);
    EXPECT_EQ(px(f.normal, 7, 5), f.dark);
    EXPECT_EQ(px(f.normal, 3, 3), normalRow(3));
    EXPECT_EQ(px(f.normal, 9, 7), normalRow(7));
    EXPECT_EQ(px(f.highlighted, 1, 1), f.highlightLight);
    EXPECT_EQ(px(f.highlighted, 2, 2), f.highlightDark);
    EXPECT_EQ(f.pressed, f.highlighted); // style 1 adds nothing when pressed
}

TEST(ButtonFaces, StyleTwoRaisedEdges)
{
    const ButtonFaces f = faces(W, H, 0x808080, 2);
    for (int y = 0; y < H; ++y) {
        EXPECT_EQ(px(f.normal, W - 1, y), f.light) << y;
        EXPECT_EQ(px(f.highlighted, W - 1, y), 0xFFFFFFu) << y;
        EXPECT_EQ(px(f.pressed, W - 1, y), f.dark) << y;
    }
    for (int x = 0; x < W; ++x) {
        EXPECT_EQ(px(f.normal, x, H - 1), f.light) << x;
        EXPECT_EQ(px(f.highlighted, x, H - 1), 0xFFFFFFu) << x;
    }
    EXPECT_EQ(px(f.normal, 0, 0), f.dark);
    EXPECT_EQ(px(f.normal, W - 2, 3), f.dark);
    EXPECT_EQ(px(f.normal, 4, H - 2), f.dark);
    EXPECT_EQ(px(f.normal, 1, 1), normalRow(1));
    EXPECT_EQ(px(f.highlighted, 0, 4), f.highlightLight);
    EXPECT_EQ(px(f.pressed, 0, 4), f.dark);
    EXPECT_EQ(px(f.pressed, 1, 1), highRow(1));
}

TEST(ButtonFaces, StyleThreeRoundedCorners)
{
    const ButtonFaces f = faces(W, H, 0x808080, 3);
    const int corners[][2] = {
        {0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2},
        {9, 0}, {8, 0}, {7, 0}, {9, 1}, {9, 2},
        {9, 7}, {8, 7}, {7, 7}, {9, 6}, {9, 5},
        {0, 7}, {1, 7}, {2, 7}, {0, 6}, {0, 5},
    };
    int maskPixels = 0;
    for (const auto& p : f.normal.pixels())
        maskPixels += p == MaskColour;
    EXPECT_EQ(maskPixels, 20);
    for (const auto& c : corners)
        EXPECT_EQ(px(f.normal, c[0], c[1]), MaskColour) << c[0] << "," << c[1];
    EXPECT_EQ(px(f.normal, 3, 0), normalRow(0));
    EXPECT_EQ(px(f.normal, 1, 1), normalRow(1));
    // The highlighted face marks only the top-left three pixels itself.
    EXPECT_EQ(px(f.highlighted, 0, 0), MaskColour);
    EXPECT_EQ(px(f.highlighted, 1, 0), MaskColour);
    EXPECT_EQ(px(f.highlighted, 0, 1), MaskColour);
    EXPECT_EQ(px(f.highlighted, 2, 0), highRow(0));
    EXPECT_EQ(px(f.highlighted, 9, 0), highRow(0));
    // Pressed: a light ring, over the corners too (the mask clips them).
    EXPECT_EQ(px(f.pressed, 0, 0), f.light);
    EXPECT_EQ(px(f.pressed, 9, 7), f.light);
    EXPECT_EQ(px(f.pressed, 4, 0), f.light);
    EXPECT_EQ(px(f.pressed, 4, 3), highRow(3));
}

TEST(ButtonFaces, UnknownStylesDrawNoEdge)
{
    const ButtonFaces plain = faces(W, H, 0x808080, NoEdge);
    for (std::int16_t style : {std::int16_t{-1}, std::int16_t{4}, std::int16_t{32767}}) {
        const ButtonFaces f = faces(W, H, 0x808080, style);
        EXPECT_EQ(f.normal, plain.normal) << style;
        EXPECT_EQ(f.highlighted, plain.highlighted) << style;
        EXPECT_EQ(f.pressed, plain.highlighted) << style;
    }
    for (int y = 0; y < H; ++y)
        expectRow(plain.normal, y, normalRow(y));
}

TEST(ButtonFaces, TinyAndImpossibleSizes)
{
    for (int w : {0, 1, 2}) {
        const auto f = renderButtonFaces(w, w, ButtonRgb{}, 3);
        ASSERT_TRUE(f.ok()) << w;
        EXPECT_EQ(f->normal.width(), w);
    }
    EXPECT_EQ(renderButtonFaces(-1, 5, ButtonRgb{}, 0).failure(), Failure::OutOfRange);
    EXPECT_FALSE(renderButtonFaces(40000, 5, ButtonRgb{}, 0).ok());
    EXPECT_EQ(renderButtonFaces(5, 5, ButtonRgb{32767, 0, 0}, 0).failure(), Failure::Overflow);
}

TEST(CaptionPosition, CentresWithHalvesToEven)
{
    const struct { int w, h; double tw, th; int x, y; } rows[] = {
        {50, 40, 29, 19, 10, 10}, // 10.5 -> 10
        {50, 40, 27, 17, 12, 12}, // 11.5 -> 12
        {54, 46, 0, 0, 27, 23},   // empty caption
        {20, 10, 60, 30, -20, -10},
    };
    for (const auto& r : rows) {
        const auto p = captionPosition(r.w, r.h, r.tw, r.th);
        ASSERT_TRUE(p.ok());
        EXPECT_EQ(*p, (CaptionPos{static_cast<std::int16_t>(r.x), static_cast<std::int16_t>(r.y)}))
            << r.w << " " << r.tw;
    }
    EXPECT_EQ(captionPosition(32767, 10, -40000, 0).failure(), Failure::Overflow);
}

} // namespace
} // namespace qm
