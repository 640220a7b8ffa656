#pragma once
// The seven 16 x 16 pictures of the file browser's rows, drawn in code:
// 0 disk, 1 folder, 2 optical disc, 3 floppy disk, 4 removable stick,
// 5 document, 6 the user's folder.

#include <QImage>

namespace qm::ui {

inline constexpr int DriveIconCount = 7;
inline constexpr int DriveIconSize = 16;

// The picture for an index 0..6; a null image for any other index.
QImage driveIcon(int index);

} // namespace qm::ui
