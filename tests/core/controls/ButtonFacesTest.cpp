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
    EXPECT_EQ(*splitRenderColor(0x563412), (ButtonRgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(*splitRenderColor(0x80000014), (ButtonRgb{20, 0, 0}));   // bits above 24 are masked away
    EXPECT_FALSE(splitRenderColor(0x1000000).ok());                  // red and green beyond 16 bits
}

TEST(ButtonFaces, GradientsEndAtTheFloorOfEachComponent)
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
}

TEST(ButtonFaces, OddStylesAndSizes)
{
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

TEST(CaptionPosition, CentresWithHalvesToEven)
{
    EXPECT_EQ(*captionPosition(50, 40, 29, 19), (CaptionPos{10, 10}));   // 10.5 -> 10
    EXPECT_EQ(*captionPosition(50, 40, 27, 17), (CaptionPos{12, 12}));   // 11.5 -> 12
    EXPECT_EQ(*captionPosition(20, 10, 60, 30), (CaptionPos{-20, -10}));
    EXPECT_EQ(captionPosition(32767, 10, -40000, 0).failure(), Failure::Overflow);
}

} // namespace
} // namespace qm
