// Where the pointer goes to be over a reading's code box: the middle of the
// code's four corners, from picture coordinates to the view's widget.
#pragma once

#include <QPoint>
#include <QRect>

#include "records/result_fields.h"
#include "view/image_view_service.h"

namespace vt::test {

// A picture point as the view shows it now (its zoom and scroll).
inline QPoint ViewPoint(const ImageView& view, int px, int py) {
  const QRect area = view.PictureArea();
  const QRect source = view.SourceRect();
  return QPoint(area.left() + (px - source.left()) * area.width() / source.width(),
                area.top() + (py - source.top()) * area.height() / source.height());
}

inline QPoint CodeBoxMiddle(const ImageView& view, const ReadResultRecord& record) {
  const auto corners = codeCorners(record);
  int cx = 0, cy = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    cx += corners[2 * i];
    cy += corners[2 * i + 1];
  }
  return ViewPoint(view, cx / 4, cy / 4);
}

}  // namespace vt::test
