#pragma once
// The zoomed part of the 640 x 480 surface and the scroll positions that
// choose it. Scroll positions run 0..640 and 0..480; both directions use one
// mapping, so centring and scrolling agree and the last column and row can
// be reached at every zoom step.
#include <QRect>

namespace source_rect {

// The source offset (0..extent - visible) of a scroll position (0..extent).
int offsetOfScroll(int position, int visible, int extent);
// The scroll position that shows offset (0..extent - visible) first.
int scrollOfOffset(int offset, int visible, int extent);

struct Axis {
  int offset = 0;
  int scroll = 0;
};
// Centred on c, clamped to the picture.
Axis centred(int centre, int visible, int extent);

}  // namespace source_rect
