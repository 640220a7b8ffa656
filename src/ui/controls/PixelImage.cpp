#include "ui/controls/PixelImage.h"

namespace qm::ui {

namespace {
const QRgb MaskRgb = toQRgb(qm::MaskColour);
}

QImage toQImage(const qm::PixelBuffer& picture)
{
    if (picture.empty())
        return {};
    QImage img(picture.width(), picture.height(), QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        const qm::Colour* src = picture.row(y);
        auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            dst[x] = toQRgb(src[x]);
    }
    return img;
}

bool hasMaskColour(const QImage& image)
{
    const QImage img = image.format() == QImage::Format_RGB32
        ? image
        : image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((row[x] | 0xFF000000u) == MaskRgb)
                return true;
    }
    return false;
}

QRegion maskRegion(const QImage& maskSource)
{
    const QImage img = maskSource.convertToFormat(QImage::Format_RGB32);
    QRegion region;
    // Runs of opaque pixels per row; rows with the same runs form one band.
    QList<QPair<int, int>> bandRuns;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (const auto& r : bandRuns)
            region += QRect(r.first, bandTop, r.second - r.first, bottom - bandTop);
    };
    for (int y = 0; y < img.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        QList<QPair<int, int>> runs;
        int x = 0;
        while (x < img.width()) {
            while (x < img.width() && (row[x] | 0xFF000000u) == MaskRgb)
                ++x;
            const int start = x;
            while (x < img.width() && (row[x] | 0xFF000000u) != MaskRgb)
                ++x;
            if (x > start)
                runs.append({start, x});
        }
        if (y == 0 || runs != bandRuns) {
            flush(y);
            bandRuns = runs;
            bandTop = y;
        }
    }
    flush(img.height());
    return region;
}

QImage applyMask(const QImage& image, const QImage& maskSource)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QImage src = maskSource.convertToFormat(QImage::Format_RGB32);
    const int h = qMin(out.height(), src.height());
    const int w = qMin(out.width(), src.width());
    for (int y = 0; y < h; ++y) {
        const auto* m = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x)
            if ((m[x] | 0xFF000000u) == MaskRgb)
                row[x] = 0;
    }
    return out;
}

} // namespace qm::ui
