#include "core/controls/PixelBuffer.h"

#include <algorithm>

namespace qm {

Colour rgb(int r, int g, int b)
{
    auto clamp = [](int v) { return static_cast<Colour>(std::clamp(v, 0, 255)); };
    return clamp(r) | (clamp(g) << 8) | (clamp(b) << 16);
}

Result<PixelBuffer> PixelBuffer::create(int width, int height, Colour fill)
{
    if (width < 0 || height < 0 || width > MaxSide || height > MaxSide
        || static_cast<std::int64_t>(width) * height > MaxPixels)
        return Failure::OutOfRange;
    PixelBuffer b;
    b.width_ = width;
    b.height_ = height;
    b.pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    return b;
}

Result<Colour> PixelBuffer::pixel(int x, int y) const
{
    if (!contains(x, y))
        return Failure::OutOfRange;
    return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
                   + static_cast<std::size_t>(x)];
}

const Colour* PixelBuffer::row(int y) const
{
    if (y < 0 || y >= height_ || width_ == 0)
        return nullptr;
    return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
}

void PixelBuffer::fill(Colour c) { std::fill(pixels_.begin(), pixels_.end(), c); }

void PixelBuffer::setPixel(int x, int y, Colour c)
{
    if (contains(x, y))
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
                + static_cast<std::size_t>(x)] = c;
}

void PixelBuffer::horizontalLine(int x1, int x2, int y, Colour c)
{
    if (y < 0 || y >= height_ || x1 == x2)
        return;
    // The end point is left out whichever way the line runs.
    int from = x1 <= x2 ? x1 : x2 + 1;
    int to = x1 <= x2 ? x2 - 1 : x1;
    from = std::max(from, 0);
    to = std::min(to, width_ - 1);
    if (from > to)
        return;
    Colour* p = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    std::fill(p + from, p + to + 1, c);
}

void PixelBuffer::verticalLine(int x, int y1, int y2, Colour c)
{
    if (x < 0 || x >= width_ || y1 == y2)
        return;
    int from = y1 <= y2 ? y1 : y2 + 1;
    int to = y1 <= y2 ? y2 - 1 : y1;
    from = std::max(from, 0);
    to = std::min(to, height_ - 1);
    for (int y = from; y <= to; ++y)
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)
                + static_cast<std::size_t>(x)] = c;
}

void PixelBuffer::rectOutline(int x1, int y1, int x2, int y2, Colour c)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    // Widen to 64 bits before the +1 so that INT_MAX corners cannot overflow.
    const auto end = [](int v) {
        return static_cast<int>(std::min<std::int64_t>(std::int64_t{v} + 1, MaxSide + 1));
    };
    horizontalLine(x1, end(x2), y1, c);
    horizontalLine(x1, end(x2), y2, c);
    verticalLine(x1, y1, end(y2), c);
    verticalLine(x2, y1, end(y2), c);
}

void PixelBuffer::setEveryOther(int y, int first, Colour c)
{
    if (y < 0 || y >= height_ || first < 0)
        return;
    Colour* p = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    for (int x = first; x < width_; x += 2)
        p[x] = c;
}

void PixelBuffer::draw(const PixelBuffer& src, int x, int y)
{
    for (int sy = 0; sy < src.height_; ++sy) {
        const std::int64_t dy = std::int64_t{y} + sy;
        if (dy < 0 || dy >= height_)
            continue;
        const std::int64_t from = std::max<std::int64_t>(x, 0);
        const std::int64_t to = std::min<std::int64_t>(std::int64_t{x} + src.width_, width_);
        if (from >= to)
            continue;
        const Colour* srow = src.row(sy) + (from - x);
        Colour* drow = pixels_.data() + static_cast<std::size_t>(dy) * static_cast<std::size_t>(width_);
        std::copy(srow, srow + (to - from), drow + from);
    }
}

void PixelBuffer::drawStretched(const PixelBuffer& src, int x, int y, int width, int height,
                                bool flipped)
{
    if (src.empty() || width <= 0 || height <= 0)
        return;
    // Only the destination columns inside this picture matter; map each to
    // its source column once.
    const std::int64_t fromI = std::max<std::int64_t>(0, -std::int64_t{x});
    const std::int64_t toI = std::min<std::int64_t>(width, std::int64_t{width_} - x);
    if (fromI >= toI)
        return;
    std::vector<int> columns(static_cast<std::size_t>(toI - fromI));
    for (std::int64_t i = fromI; i < toI; ++i)
        columns[static_cast<std::size_t>(i - fromI)] =
            static_cast<int>((2 * i + 1) * src.width_ / (2 * std::int64_t{width}));
    for (int j = 0; j < height; ++j) {
        const std::int64_t dy = flipped ? std::int64_t{y} + height - 1 - j : std::int64_t{y} + j;
        if (dy < 0 || dy >= height_)
            continue;
        const auto sy = static_cast<int>((2 * std::int64_t{j} + 1) * src.height_ / (2 * std::int64_t{height}));
        const Colour* srow = src.row(sy);
        Colour* drow = pixels_.data() + static_cast<std::size_t>(dy) * static_cast<std::size_t>(width_)
            + static_cast<std::size_t>(x + fromI);
        for (std::size_t k = 0; k < columns.size(); ++k)
            drow[k] = srow[columns[k]];
    }
}

bool PixelBuffer::hasColour(Colour c) const
{
    return std::find(pixels_.begin(), pixels_.end(), c) != pixels_.end();
}

} // namespace qm
