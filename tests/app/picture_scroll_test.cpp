// The picture scroll bars and the mouse mapping over the picture control
// at every zoom step.
#include <gtest/gtest.h>

#include "core/picture_scroll.h"

TEST(PictureScrollTest, PositionsStayInsideTheRange) {
  const struct {
    int position;
    PictureScroll action;
    int thumb, page, maximum, expected;
  } rows[] = {
      {5, PictureScroll::PageUp, 0, 0, 480, 0},  // not negative
      {5, PictureScroll::LineUp, 0, 0, 480, 4},
      {0, PictureScroll::LineUp, 0, 0, 480, 0},
      {30, PictureScroll::PageUp, 0, 8, 480, 12},
      {470, PictureScroll::PageDown, 0, 8, 480, 480},
      {100, PictureScroll::PageDown, 0, 8, 640, 118},
      {639, PictureScroll::LineDown, 0, 0, 640, 640},
      {640, PictureScroll::LineDown, 0, 0, 640, 640},
      {10, PictureScroll::Thumb, 321, 0, 640, 321},
      {10, PictureScroll::Thumb, 700, 0, 640, 640},
      {10, PictureScroll::Top, 0, 0, 640, 0},
      {10, PictureScroll::Bottom, 0, 0, 480, 480},
  };
  for (const auto& r : rows)
    EXPECT_EQ(ScrollPicturePosition(r.position, r.action, r.thumb, r.page, r.maximum), r.expected)
        << r.position << " " << int(r.action);
}

TEST(PictureScrollTest, MousePositionsMapToThePictureAndBack) {
  // The visible size at each step (640 x 480 divided by the factor, truncated).
  const struct {
    int w, h;
  } steps[] = {{640, 480}, {512, 384}, {426, 320}, {365, 274}, {320, 240}, {213, 160}};
  EXPECT_EQ(MapPictureToImage(0, 0, PictureView{}), (ImagePoint{0, 0}));
  EXPECT_EQ(MapPictureToImage(240, 180, PictureView{}), (ImagePoint{320, 240}));
  EXPECT_EQ(MapPictureToImage(479, 359, PictureView{}), (ImagePoint{638, 478}));
  for (int step = 0; step < 6; ++step) {
    PictureView v;
    v.visibleWidth = steps[step].w;
    v.visibleHeight = steps[step].h;
    v.left = (640 - v.visibleWidth) / 2;
    v.top = (480 - v.visibleHeight) / 2;
    v.scrollBars = step > 0;
    v.scrollBarWidth = 16;
    v.scrollBarHeight = 16;
    // The centre of the control shows the centre of the visible part.
    const ImagePoint c = MapPictureToImage((480 - (step ? 16 : 0)) / 2, (360 - (step ? 16 : 0)) / 2, v);
    EXPECT_NEAR(c.x, v.left + v.visibleWidth / 2, 1) << step;
    EXPECT_NEAR(c.y, v.top + v.visibleHeight / 2, 1) << step;
    // Picture points inside the visible part come back to the same control pixel.
    for (int px : {0, 37, 200, 400}) {
      for (int py : {0, 91, 300}) {
        if (v.scrollBars && (px >= 464 || py >= 344)) continue;
        const ImagePoint p = MapPictureToImage(px, py, v);
        EXPECT_GE(p.x, v.left);
        EXPECT_LT(p.x, v.left + v.visibleWidth);
        const ImagePoint back = MapImageToPicture(p.x, p.y, v);
        EXPECT_NEAR(back.x, px, 2.0 * 480 / v.visibleWidth) << step;
        EXPECT_NEAR(back.y, py, 2.0 * 360 / v.visibleHeight) << step;
      }
    }
  }
}
