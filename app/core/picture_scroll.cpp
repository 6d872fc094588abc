#include "core/picture_scroll.h"

#include <algorithm>
#include <cmath>

int ScrollPicturePosition(int position, PictureScroll action, int thumb, int pageSize, int maximum) {
  int next = position;
  switch (action) {
    case PictureScroll::LineUp: next = position - 1; break;
    case PictureScroll::LineDown: next = position + 1; break;
    case PictureScroll::PageUp: next = position - (10 + pageSize); break;
    case PictureScroll::PageDown: next = position + 10 + pageSize; break;
    case PictureScroll::Thumb: next = thumb; break;
    case PictureScroll::Top: next = 0; break;
    case PictureScroll::Bottom: next = maximum; break;
  }
  return std::clamp(next, 0, maximum);
}

namespace {
int AreaWidth(const PictureView& v) { return kPictureControlWidth - (v.scrollBars ? v.scrollBarWidth : 0); }
int AreaHeight(const PictureView& v) { return kPictureControlHeight - (v.scrollBars ? v.scrollBarHeight : 0); }
}  // namespace

ImagePoint MapPictureToImage(int px, int py, const PictureView& v) {
  const double x = double(v.visibleWidth) / AreaWidth(v) * px + v.left;
  const double y = double(v.visibleHeight) / AreaHeight(v) * py + v.top;
  return {int(x), int(y)};
}

ImagePoint MapImageToPicture(int x, int y, const PictureView& v) {
  const double px = double(x - v.left) * AreaWidth(v) / v.visibleWidth;
  const double py = double(y - v.top) * AreaHeight(v) / v.visibleHeight;
  return {int(std::lround(px)), int(std::lround(py))};
}
