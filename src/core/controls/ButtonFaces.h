#pragma once
// The owner-drawn push button's pictures: a vertical gradient from one base
// colour, one of four edge styles, a brighter highlighted face and the
// pressed face made from it. Captions are printed by the widget, which knows
// the font; this file only says where they go.

#include "core/controls/PixelBuffer.h"
#include "core/number/Result.h"

#include <cstdint>

namespace qm {

// Components of a render colour, each a 16-bit integer.
struct ButtonRgb {
    std::int16_t red = 0xC0;
    std::int16_t green = 0xC0;
    std::int16_t blue = 0xC0;
};

// red = c AND 0x10000FF, green = (c AND 0x100FF00) / 256,
// blue = (c AND 0x1FF0000) / 65536. A colour with bit 24 set gives a red
// (and green) beyond 16 bits: Failure::Overflow, nothing is split.
Result<ButtonRgb> splitRenderColor(std::uint32_t c);

struct ButtonFaces {
    PixelBuffer normal;      // without caption
    PixelBuffer highlighted; // without caption
    PixelBuffer pressed;     // highlighted face with the pressed edges, without caption
    Colour light = 0;        // normal face's light and dark colours: the pressed
    Colour dark = 0;         // look's edges and its caption use these
    Colour highlightLight = 0;
    Colour highlightDark = 0;
};

// Both faces for a width x height button. Border styles other than 0..3 draw
// no edge. Fails (Failure::OutOfRange) only for sizes a picture cannot have.
Result<ButtonFaces> renderButtonFaces(int width, int height, ButtonRgb rgb, std::int16_t border);

struct CaptionPos {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// Top-left corner of a centred caption: (W - text width) / 2 and
// (H - text height) / 2, halves rounded to even; Failure::Overflow when a
// coordinate leaves the 16-bit range.
Result<CaptionPos> captionPosition(int width, int height, double textWidth, double textHeight);

} // namespace qm
