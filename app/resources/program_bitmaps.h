#pragma once
// The program's own bitmaps: pictures compiled into the program, apart from
// the common resources (Lindaro), whose ids they may share.
#include <QPixmap>

namespace ProgramBitmaps {
// The quality dialog's check images, 49 x 16: an empty check box, a ticked
// one and a yellow folder, 16 x 16 each from x = 0, 16 and 32.
inline constexpr int kQualityChecks = 221;
inline constexpr int kQualityCheckSize = 16;

// The bitmap of the id; a null pixmap for an id the program does not hold.
QPixmap bitmap(int id);
}  // namespace ProgramBitmaps
