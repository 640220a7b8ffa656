#pragma once
// A plain picture of 0x00BBGGRR pixels and the few drawing operations the
// custom controls use. Every operation clips to the picture, so coordinates
// outside it (such as the -1 corners of some outlines) are simply not drawn.

#include "core/number/Result.h"

#include <cstdint>
#include <vector>

namespace qm {

using Colour = std::uint32_t; // 0x00BBGGRR: red in the low byte

// Pixels of exactly this colour are see-through in a control's mask.
inline constexpr Colour MaskColour = 0xFF00FF;

// RGB(r, g, b): a component above 255 counts as 255, one below 0 as 0.
Colour rgb(int r, int g, int b);
inline constexpr int redOf(Colour c) { return static_cast<int>(c & 0xFF); }
inline constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

class PixelBuffer {
public:
    // Largest picture side (16-bit pixel positions) and pixel count accepted.
    static constexpr int MaxSide = 32767;
    static constexpr std::int64_t MaxPixels = std::int64_t{1} << 26;

    PixelBuffer() = default;

    // A picture filled with one colour. Sizes that are negative, beyond
    // MaxSide or beyond MaxPixels fail with Failure::OutOfRange.
    static Result<PixelBuffer> create(int width, int height, Colour fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return pixels_.empty(); }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Result<Colour> pixel(int x, int y) const;
    const Colour* row(int y) const; // nullptr outside the picture
    const std::vector<Colour>& pixels() const { return pixels_; }

    void fill(Colour c);
    void setPixel(int x, int y, Colour c);
    // A line from (x1, y) to (x2, y) that leaves out its end point x2.
    void horizontalLine(int x1, int x2, int y, Colour c);
    // A line from (x, y1) to (x, y2) that leaves out its end point y2.
    void verticalLine(int x, int y1, int y2, Colour c);
    // Outline of the rectangle with corners (x1, y1) and (x2, y2), both included.
    void rectOutline(int x1, int y1, int x2, int y2, Colour c);
    // Sets the pixels first, first + 2, first + 4, ... of row y.
    void setEveryOther(int y, int first, Colour c);
    // Copies src with its top-left corner at (x, y).
    void draw(const PixelBuffer& src, int x, int y);
    // Copies src stretched (nearest pixel, sampled at pixel centres) to
    // width x height at (x, y); flipped, its first row lands at the bottom.
    void drawStretched(const PixelBuffer& src, int x, int y, int width, int height,
                       bool flipped = false);

    bool hasColour(Colour c) const;
    bool operator==(const PixelBuffer&) const = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Colour> pixels_;
};

} // namespace qm
