#pragma once
// Conversions between the core's 0x00BBGGRR pictures and Qt images, and the
// see-through mask made from the pixels of the mask colour.

#include "core/controls/PixelBuffer.h"

#include <QColor>
#include <QImage>
#include <QRegion>

namespace qm::ui {

inline QRgb toQRgb(qm::Colour c)
{
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline QColor toQColor(qm::Colour c)
{
    return QColor::fromRgb(toQRgb(c));
}

inline qm::Colour fromQColor(const QColor& c)
{
    return qm::rgb(c.red(), c.green(), c.blue());
}

// The picture as an opaque QImage (Format_RGB32); empty for an empty picture.
QImage toQImage(const qm::PixelBuffer& picture);

// Whether any pixel of the image has exactly the mask colour.
bool hasMaskColour(const QImage& image);

// Widget mask: the pixels of maskSource that are not the mask colour.
QRegion maskRegion(const QImage& maskSource);

// The image with the pixels where maskSource has the mask colour made fully
// transparent (Format_ARGB32): what the window behind would show through.
QImage applyMask(const QImage& image, const QImage& maskSource);

} // namespace qm::ui
