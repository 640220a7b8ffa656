#pragma once
// The scroll bar's three small pictures, drawn in code: the up arrow (its
// mirror image is the down arrow), the thumb and the thumb while dragged.

#include "core/controls/PixelBuffer.h"

namespace qm {

inline constexpr int ArrowPictureWidth = 30;
inline constexpr int ArrowPictureHeight = 22;
inline constexpr int ThumbPictureSide = 30;

// Dark dithered face, light left edge, white upward triangle on rows 7..13,
// top corners in the mask colour (rows 0, 1, 2: 3, 2, 1 mask pixels on the
// left and 4, 2, 1 on the right).
const PixelBuffer& arrowPicture();
// Neutral grey, light and dark bands down both sides, three grip ridges.
const PixelBuffer& thumbPicture();
// The same thumb tinted blue-grey: the look while it is dragged.
const PixelBuffer& dragThumbPicture();

} // namespace qm
