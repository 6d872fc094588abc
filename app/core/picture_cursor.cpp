#include "core/picture_cursor.h"

PictureCursor PictureCursorAt(int zoomTool, bool zoomMode, bool woiEditing, int hitKind, int hitCode) {
  if (zoomMode && zoomTool == 1) return PictureCursor::ZoomIn;
  if (zoomMode && zoomTool == 2) return PictureCursor::ZoomOut;
  if (!woiEditing || hitKind != 0) return PictureCursor::Arrow;
  switch (hitCode) {
    case 10:  // left
    case 14:  // right
      return PictureCursor::SizeHorizontal;
    case 12:  // top
    case 16:  // bottom
      return PictureCursor::SizeVertical;
    case 11:  // top left
    case 15:  // bottom right
      return PictureCursor::SizeFallingDiagonal;
    case 13:  // top right
    case 17:  // bottom left
      return PictureCursor::SizeRisingDiagonal;
    case 18:  // the centre handle
      return PictureCursor::Move;
    default:
      return PictureCursor::Arrow;
  }
}
