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
        {black.normal, 0, 0},             {black.normal, 45, 0},
        // Highlighted: 58 on row 0, two darker per row, black from row 29.
        {black.highlighted, 0, rgb(58, 58, 58)}, {black.highlighted, 28, rgb(2, 2, 2)},
        {black.highlighted, 29, 0},       {white.highlighted, 29, 0xFFFFFF},
        {white.highlighted, 30, rgb(253, 253, 253)}, {white.highlighted, 45, rgb(223, 223, 223)},
        {white.normal, 0, rgb(253, 253, 253)}, {white.normal, 45, rgb(163, 163, 163)},
        {red.normal, 126, rgb(1, 0, 0)},  {red.normal, 127, 0}, {red.normal, 199, 0},
        {red.highlighted, 0, rgb(255, 58, 58)}, {red.highlighted, 29, rgb(255, 0, 0)},   // 313 - 58 = 255
        {red.highlighted, 156, rgb(1, 0, 0)}, {red.highlighted, 157, 0},
    };
    for (const auto& r : rows)
        expectRow(r.face, r.y, r.c);
    EXPECT_EQ(black.highlightLight, rgb(60, 60, 60));
    EXPECT_EQ(white.light, rgb(253, 253, 253));
    // Rows 0..H: the dark colour is one step past the last visible row.
    EXPECT_EQ(white.dark, rgb(161, 161, 161));
    EXPECT_EQ(red.dark, 0u);
    EXPECT_EQ(red.highlightDark, 0u);
}

// A 10 x 8 grey button: gradient rows 126 - 2y (normal), 186 - 2y (highlighted).
Colour normalRow(int y) { return rgb(126 - 2 * y, 126 - 2 * y, 126 - 2 * y); }
Colour highRow(int y) { return rgb(186 - 2 * y, 186 - 2 * y, 186 - 2 * y); }
constexpr int W = 10;
constexpr int H = 8;

TEST(ButtonFaces, EdgeStyles)
{
    ButtonFaces f[4];
    for (std::int16_t style = 0; style < 4; ++style)
        f[style] = faces(W, H, 0x808080, style);
    EXPECT_EQ(f[0].light, normalRow(0));
    EXPECT_EQ(f[0].dark, normalRow(8));
    // Expected colours by name, resolved against the faces of the style.
    enum Ex { Light, Dark, HiLight, HiDark, Mask, White, Normal, High };
    struct { int style; char face; int x, y; Ex ex; } rows[] = {
        // 0: a divider on the right; pressed is the highlighted gradient with
        // the normal face's divider.
        {0, 'n', 8, 0, Dark}, {0, 'n', 9, 7, Light}, {0, 'n', 7, 5, Normal}, {0, 'h', 8, 3, HiDark},
        {0, 'h', 9, 3, HiLight}, {0, 'p', 8, 6, Dark}, {0, 'p', 9, 1, Light}, {0, 'p', 3, 4, High},
        // 1: two inset frames.
        {1, 'n', 0, 0, Normal}, {1, 'n', 1, 1, Light}, {1, 'n', 8, 6, Light}, {1, 'n', 8, 3, Light},
        {1, 'n', 2, 2, Dark}, {1, 'n', 7, 5, Dark}, {1, 'n', 3, 3, Normal}, {1, 'n', 9, 7, Normal},
        {1, 'h', 1, 1, HiLight}, {1, 'h', 2, 2, HiDark},
        // 2: raised edges.
        {2, 'n', 9, 0, Light}, {2, 'n', 0, 7, Light}, {2, 'h', 9, 5, White}, {2, 'h', 3, 7, White},
        {2, 'p', 9, 2, Dark}, {2, 'n', 0, 0, Dark}, {2, 'n', 8, 3, Dark}, {2, 'n', 4, 6, Dark},
        {2, 'n', 1, 1, Normal}, {2, 'h', 0, 4, HiLight}, {2, 'p', 0, 4, Dark}, {2, 'p', 1, 1, High},
        // 3: rounded corners; the highlighted face marks only the top-left
        // three pixels itself; pressed draws a light ring over the corners too.
        {3, 'n', 2, 0, Mask}, {3, 'n', 0, 2, Mask}, {3, 'n', 7, 7, Mask}, {3, 'n', 9, 5, Mask},
        {3, 'n', 3, 0, Normal}, {3, 'n', 1, 1, Normal}, {3, 'h', 1, 0, Mask}, {3, 'h', 0, 1, Mask},
        {3, 'h', 2, 0, High}, {3, 'h', 9, 0, High}, {3, 'p', 0, 0, Light}, {3, 'p', 9, 7, Light},
        {3, 'p', 4, 0, Light}, {3, 'p', 4, 3, High},
    };
    for (const auto& r : rows) {
        const ButtonFaces& b = f[r.style];
        const PixelBuffer& face = r.face == 'n' ? b.normal : r.face == 'h' ? b.highlighted : b.pressed;
        const Colour want[] = {b.light, b.dark, b.highlightLight, b.highlightDark, MaskColour, 0xFFFFFF,
                               normalRow(r.y), highRow(r.y)};
        EXPECT_EQ(px(face, r.x, r.y), want[r.ex]) << "style " << r.style << " " << r.face << " " << r.x << "," << r.y;
    }
    EXPECT_EQ(f[1].pressed, f[1].highlighted);   // style 1 adds nothing when pressed
    int maskPixels = 0;
    for (const auto& p : f[3].normal.pixels())
        maskPixels += p == MaskColour;
    EXPECT_EQ(maskPixels, 20);   // five at each corner
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
