#include "source_rect.h"

#include <algorithm>

namespace source_rect {

int offsetOfScroll(int position, int visible, int extent) {
  const int range = std::max(0, extent - visible);
  const int p = std::clamp(position, 0, extent);
  // Rounded to the nearest offset.
  return (2 * p * range + extent) / (2 * extent);
}

int scrollOfOffset(int offset, int visible, int extent) {
  const int range = std::max(0, extent - visible);
  if (range == 0) return 0;
  const int o = std::clamp(offset, 0, range);
  return (2 * o * extent + range) / (2 * range);
}

Axis centred(int centre, int visible, int extent) {
  const int range = std::max(0, extent - visible);
  const int offset = std::clamp(centre - visible / 2, 0, range);
  return {offset, scrollOfOffset(offset, visible, extent)};
}

}  // namespace source_rect
