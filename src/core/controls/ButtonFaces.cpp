#include "core/controls/ButtonFaces.h"

#include "core/controls/ControlMath.h"

#include <algorithm>

namespace qm {

Result<ButtonRgb> splitRenderColor(std::uint32_t c)
{
    const auto red = toInt16(c & 0x10000FFu);
    const auto green = toInt16((c & 0x100FF00u) / 256u);
    const auto blue = toInt16((c & 0x1FF0000u) / 65536u);
    if (!red || !green || !blue)
        return Failure::Overflow;
    return ButtonRgb{*red, *green, *blue};
}

namespace {

constexpr Colour White = 0xFFFFFF;

// One row's step of the gradient: two darker, never below 0.
inline int darker(int v) { return v - 2 <= 0 ? 0 : v - 2; }

// Rows 0..H, each two steps darker than the one above; row H lies outside
// the picture but still counts. Returns the colour of row 0 and of row H.
struct Gradient {
    Colour first;
    Colour last;
};

Gradient drawGradient(PixelBuffer& face, int r, int g, int b)
{
    const int w = face.width();
    const int h = face.height();
    Colour first = 0;
    Colour colour = 0;
    for (int i = 0; i <= h; ++i) {
        r = darker(r);
        g = darker(g);
        b = darker(b);
        colour = rgb(r, g, b);
        if (i == 0)
            first = colour;
        face.horizontalLine(0, w, i, colour);
    }
    return {first, colour};
}

void rightDivider(PixelBuffer& face, Colour dark, Colour light)
{
    const int w = face.width();
    const int h = face.height();
    face.verticalLine(w - 2, 0, h, dark);
    face.verticalLine(w - 1, 0, h, light);
}

void roundCorners(PixelBuffer& face)
{
    const int w = face.width();
    const int h = face.height();
    const int pts[][2] = {
        {0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2},
        {w - 1, 0}, {w - 2, 0}, {w - 3, 0}, {w - 1, 1}, {w - 1, 2},
        {w - 1, h - 1}, {w - 2, h - 1}, {w - 3, h - 1}, {w - 1, h - 2}, {w - 1, h - 3},
        {0, h - 1}, {1, h - 1}, {2, h - 1}, {0, h - 2}, {0, h - 3},
    };
    for (const auto& p : pts)
        face.setPixel(p[0], p[1], MaskColour);
}

} // namespace

Result<ButtonFaces> renderButtonFaces(int width, int height, ButtonRgb rgbIn, std::int16_t border)
{
    auto blank = PixelBuffer::create(width, height);
    if (!blank)
        return blank.failure();
    const int w = width;
    const int h = height;

    ButtonFaces f;

    // Highlighted face: 60 brighter in every component.
    const auto hr = add16(rgbIn.red, 60);
    const auto hg = add16(rgbIn.green, 60);
    const auto hb = add16(rgbIn.blue, 60);
    if (!hr || !hg || !hb)
        return Failure::Overflow;
    f.highlighted = *blank;
    f.highlightLight = rgb(*hr, *hg, *hb);
    f.highlightDark = drawGradient(f.highlighted, *hr, *hg, *hb).last;
    switch (border) {
    case 0:
        rightDivider(f.highlighted, f.highlightDark, f.highlightLight);
        break;
    case 1:
        f.highlighted.rectOutline(1, 1, w - 2, h - 2, f.highlightLight);
        f.highlighted.rectOutline(2, 2, w - 3, h - 3, f.highlightDark);
        break;
    case 2:
        f.highlighted.rectOutline(-1, -1, w - 1, h - 1, White);
        f.highlighted.rectOutline(0, 0, w - 2, h - 2, f.highlightLight);
        break;
    case 3:
        f.highlighted.setPixel(1, 0, MaskColour);
        f.highlighted.setPixel(0, 0, MaskColour);
        f.highlighted.setPixel(0, 1, MaskColour);
        break;
    default:
        break;
    }

    // Normal face: the light colour is its first row.
    f.normal = std::move(*blank);
    const Gradient g = drawGradient(f.normal, rgbIn.red, rgbIn.green, rgbIn.blue);
    f.light = g.first;
    f.dark = g.last;
    switch (border) {
    case 0:
        rightDivider(f.normal, f.dark, f.light);
        break;
    case 1:
        f.normal.rectOutline(1, 1, w - 2, h - 2, f.light);
        f.normal.rectOutline(2, 2, w - 3, h - 3, f.dark);
        break;
    case 2:
        f.normal.rectOutline(-1, -1, w - 1, h - 1, f.light);
        f.normal.rectOutline(0, 0, w - 2, h - 2, f.dark);
        break;
    case 3:
        roundCorners(f.normal);
        break;
    default:
        break;
    }

    // Pressed: the highlighted face with edges in the normal face's colours.
    f.pressed = f.highlighted;
    switch (border) {
    case 0:
        rightDivider(f.pressed, f.dark, f.light);
        break;
    case 2:
        f.pressed.rectOutline(-1, -1, w - 1, h - 1, f.dark);
        f.pressed.rectOutline(0, 0, w - 2, h - 2, f.dark);
        break;
    case 3:
        f.pressed.rectOutline(0, 0, w - 1, h - 1, f.light);
        f.pressed.rectOutline(-1, -1, w - 1, h - 1, f.light);
        break;
    default:
        break;
    }
    return f;
}

Result<CaptionPos> captionPosition(int width, int height, double textWidth, double textHeight)
{
    const auto x = roundToInt16((width - textWidth) / 2.0);
    const auto y = roundToInt16((height - textHeight) / 2.0);
    if (!x || !y)
        return Failure::Overflow;
    return CaptionPos{*x, *y};
}

} // namespace qm
