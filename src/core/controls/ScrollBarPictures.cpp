#include "core/controls/ScrollBarPictures.h"

namespace qm {

namespace {

Colour grey(int v) { return rgb(v, v, v); }

PixelBuffer makeArrow()
{
    PixelBuffer p = *PixelBuffer::create(ArrowPictureWidth, ArrowPictureHeight);
    const int w = ArrowPictureWidth;
    const int h = ArrowPictureHeight;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.setPixel(x, y, grey((x + y) % 2 == 0 ? 0x5A : 0x48));
    p.horizontalLine(0, w, 0, grey(0x84));
    p.horizontalLine(0, w, h - 1, grey(0x2C));
    p.verticalLine(0, 0, h, grey(0xC0));
    p.verticalLine(1, 1, h, grey(0x8C));
    p.verticalLine(w - 1, 1, h, grey(0x30));
    // Upward triangle, two pixels wide at its tip.
    for (int k = 0; k <= 6; ++k)
        p.horizontalLine(14 - k, 16 + k, 7 + k, 0xFFFFFF);
    // Rounded top corners.
    p.horizontalLine(0, 3, 0, MaskColour);
    p.horizontalLine(w - 4, w, 0, MaskColour);
    p.horizontalLine(0, 2, 1, MaskColour);
    p.horizontalLine(w - 2, w, 1, MaskColour);
    p.setPixel(0, 2, MaskColour);
    p.setPixel(w - 1, 2, MaskColour);
    return p;
}

PixelBuffer makeThumb()
{
    const int s = ThumbPictureSide;
    PixelBuffer p = *PixelBuffer::create(s, s, grey(0xC8));
    const int columns[][2] = {{0, 0x80}, {1, 0xF4}, {2, 0xE4}, {3, 0xD6},
                              {s - 4, 0xB4}, {s - 3, 0x9C}, {s - 2, 0x80}, {s - 1, 0x5C}};
    for (const auto& c : columns)
        p.verticalLine(c[0], 0, s, grey(c[1]));
    p.horizontalLine(1, s - 1, 0, grey(0xEC));
    p.horizontalLine(1, s - 1, s - 1, grey(0x70));
    // Three grip ridges: a light row over a dark one.
    for (int top : {11, 14, 17}) {
        p.horizontalLine(9, s - 9, top, grey(0xFA));
        p.horizontalLine(9, s - 9, top + 1, grey(0x7C));
    }
    return p;
}

PixelBuffer makeDragThumb()
{
    PixelBuffer p = makeThumb();
    const int s = ThumbPictureSide;
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const int v = redOf(*p.pixel(x, y));
            p.setPixel(x, y, rgb(v * 3 / 4, v * 17 / 20, v));
        }
    return p;
}

} // namespace

const PixelBuffer& arrowPicture()
{
    static const PixelBuffer p = makeArrow();
    return p;
}

const PixelBuffer& thumbPicture()
{
    static const PixelBuffer p = makeThumb();
    return p;
}

const PixelBuffer& dragThumbPicture()
{
    static const PixelBuffer p = makeDragThumb();
    return p;
}

} // namespace qm
