// Zoom steps and the source rectangle: centred on the zoom point or taken
// from the scroll bars, with one mapping in both directions.
#include <QScrollBar>

#include "image_view_fixture.h"
#include "view/source_rect.h"

namespace {

using viewtest::ImageViewTest;

TEST_F(ImageViewTest, VisibleSizePerZoomStep) {
  struct Row {
    int step;
    float factor;
    int width, height;
  };
  const Row rows[] = {{0, 1.0f, 640, 480},  {1, 1.25f, 512, 384}, {2, 1.5f, 426, 320},
                      {3, 1.75f, 365, 274}, {4, 2.0f, 320, 240},  {5, 3.0f, 213, 160}};
  for (const Row& row : rows) {
    view->zoom().Apply(row.step);
    EXPECT_EQ(view->zoom().factor(), row.factor);
    EXPECT_EQ(view->zoom().visibleWidth(), row.width) << row.step;
    EXPECT_EQ(view->zoom().visibleHeight(), row.height) << row.step;
    EXPECT_EQ(view->zoom().zoomed(), row.step != 0);
  }
  view->zoom().Apply(6);  // no such step
  EXPECT_EQ(view->zoom().step(), 5);
}

TEST_F(ImageViewTest, ZoomInAndOutAtTheirEndsAndTheFlagsTheyTouch) {
  CZoom& zoom = view->zoom();
  state.m_bWoiDragArmed = true;
  zoom.ZoomOut();  // at step 0: only the drag is unarmed
  EXPECT_EQ(zoom.step(), 0);
  EXPECT_FALSE(state.m_bWoiDragArmed);
  EXPECT_FALSE(state.m_bZoomMode);

  for (int i = 0; i < 5; ++i) zoom.ZoomIn();
  EXPECT_EQ(zoom.step(), 5);
  EXPECT_TRUE(state.m_bZoomMode);
  zoom.ZoomIn();
  EXPECT_EQ(zoom.step(), 5);

  state.m_bZoomMode = false;
  zoom.ZoomOut();
  EXPECT_EQ(zoom.step(), 4);
  EXPECT_TRUE(state.m_bZoomMode);

  // Reset: step 0, the whole picture, the tool unarmed.
  zoom.SetToolActive(true);
  state.m_ptZoomCentre = {600, 400};
  zoom.Reset();
  EXPECT_EQ(zoom.step(), 0);
  EXPECT_FALSE(zoom.toolActive());
  EXPECT_EQ(view->sourceRect(), QRect(0, 0, 640, 480));
}

TEST_F(ImageViewTest, SourceRectangleCentredAndFromTheScrollBars) {
  view->zoom().Apply(4);  // factor 2
  state.m_nPictureScrollX = 640;
  state.m_nPictureScrollY = 480;
  view->UpdateSourceRect(false);
  EXPECT_EQ(view->sourceRect(), QRect(QPoint(320, 240), QPoint(639, 479)));

  state.m_ptZoomCentre = {10, 10};
  view->UpdateSourceRect(true);
  EXPECT_EQ(view->sourceRect(), QRect(0, 0, 320, 240));
  EXPECT_EQ(state.m_nPictureScrollX, 0);
  EXPECT_EQ(state.m_nPictureScrollY, 0);

  state.m_ptZoomCentre = {630, 470};
  view->UpdateSourceRect(true);
  EXPECT_EQ(view->sourceRect(), QRect(QPoint(320, 240), QPoint(639, 479)));
  EXPECT_EQ(state.m_nPictureScrollX, 640);
  EXPECT_EQ(state.m_nPictureScrollY, 480);
  EXPECT_EQ(view->pictureControl()->horizontalScrollBar()->value(), 640);
}

// Centring and scrolling read the same mapping: a click at (200, 150) at
// factor 2 shows (40, 30), and the first scroll step moves it by at most one
// pixel instead of jumping to (100, 75).
TEST_F(ImageViewTest, FirstScrollAfterCentringDoesNotJump) {
  view->zoom().Apply(4);
  state.m_ptZoomCentre = {200, 150};
  view->UpdateSourceRect(true);
  EXPECT_EQ(view->sourceRect().topLeft(), QPoint(40, 30));
  QScrollBar* h = view->pictureControl()->horizontalScrollBar();
  QScrollBar* v = view->pictureControl()->verticalScrollBar();
  EXPECT_EQ(h->value(), state.m_nPictureScrollX);
  view->UpdateSourceRect(false);  // the positions as they stand: nothing moves
  EXPECT_EQ(view->sourceRect().topLeft(), QPoint(40, 30));
  h->setValue(h->value() + 1);  // one line right, through the scroll bar
  v->setValue(v->value() + 1);
  EXPECT_EQ(state.m_nPictureScrollX, h->value());
  const QPoint moved = view->sourceRect().topLeft();
  EXPECT_LE(moved.x() - 40, 1);
  EXPECT_LE(moved.y() - 30, 1);
  EXPECT_GE(moved.x(), 40);
}

TEST(SourceRect, EveryOffsetRoundTripsAndTheLastColumnAndRowAreReachable) {
  for (float factor : CZoom::kSteps) {
    const int w = static_cast<int>(640.0f / factor);
    const int h = static_cast<int>(480.0f / factor);
    SCOPED_TRACE(factor);
    EXPECT_EQ(source_rect::offsetOfScroll(640, w, 640) + w, 640);
    EXPECT_EQ(source_rect::offsetOfScroll(480, h, 480) + h, 480);
    EXPECT_EQ(source_rect::offsetOfScroll(0, w, 640), 0);
    for (int offset = 0; offset <= 640 - w; ++offset)
      ASSERT_EQ(source_rect::offsetOfScroll(source_rect::scrollOfOffset(offset, w, 640), w, 640), offset);
    int last = 0;
    for (int p = 0; p <= 640; ++p) {  // never backwards, never past the end
      const int offset = source_rect::offsetOfScroll(p, w, 640);
      ASSERT_GE(offset, last);
      ASSERT_LE(offset + w, 640);
      last = offset;
    }
  }
}

}  // namespace
