// The cursor over the picture by zoom tool and the handle under the pointer.
#include <gtest/gtest.h>

#include "core/picture_cursor.h"

namespace {

TEST(PictureCursor, ZoomToolFirstThenTheHandlesWhileTheWindowCanBeDragged) {
  struct Case {
    int tool;
    bool zoomMode, editing;
    int kind, code;
    PictureCursor expected;
  };
  const Case cases[] = {
      {1, true, true, 0, 18, PictureCursor::ZoomIn},  // the zoom tool wins over a handle
      {2, true, false, 8, 0, PictureCursor::ZoomOut},
      {1, false, true, 0, 18, PictureCursor::Move},    // a tool left pressed without zoom mode
      {0, false, true, 0, 10, PictureCursor::SizeHorizontal},
      {0, false, true, 0, 14, PictureCursor::SizeHorizontal},
      {0, false, true, 0, 12, PictureCursor::SizeVertical},
      {0, false, true, 0, 16, PictureCursor::SizeVertical},
      {0, false, true, 0, 11, PictureCursor::SizeFallingDiagonal},
      {0, false, true, 0, 15, PictureCursor::SizeFallingDiagonal},
      {0, false, true, 0, 13, PictureCursor::SizeRisingDiagonal},
      {0, false, true, 0, 17, PictureCursor::SizeRisingDiagonal},
      {0, false, true, 0, 18, PictureCursor::Move},
      {0, false, false, 0, 18, PictureCursor::Arrow},  // no page edits the window: nothing to drag
      {0, false, true, 1, 0, PictureCursor::Arrow},    // a code box
      {0, false, true, 8, 0, PictureCursor::Arrow},    // nothing hit
  };
  for (const Case& c : cases)
    EXPECT_EQ(PictureCursorAt(c.tool, c.zoomMode, c.editing, c.kind, c.code), c.expected)
        << c.tool << " " << c.zoomMode << " " << c.editing << " " << c.kind << " " << c.code;
}

}  // namespace
