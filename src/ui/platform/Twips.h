#pragma once
// Dialog and panel layouts are given in twips (1440 to the inch), as designed
// at 96 dots per inch, which is 15 twips to the pixel.

#include "core/controls/ControlMath.h"

#include <QRect>

namespace qm::ui {

inline constexpr int DesignTwipsPerPixel = 15;
inline constexpr double DesignDotsPerInch = 1440.0 / DesignTwipsPerPixel;

inline QRect twipsRect(int left, int top, int width, int height, double dotsPerInch = DesignDotsPerInch)
{
    return QRect(twipsToPixels(left, dotsPerInch), twipsToPixels(top, dotsPerInch),
                 twipsToPixels(width, dotsPerInch), twipsToPixels(height, dotsPerInch));
}

} // namespace qm::ui
