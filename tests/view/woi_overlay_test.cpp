// The window of interest: validity, clamping, hit codes, moves, and m_rcWoi.
#include "image_view_fixture.h"
#include "view/image_view_codes.h"
#include "view/woi_overlay.h"

namespace {

class WoiTest : public viewtest::ImageViewTest {
protected:
  WoiTest() {
    COverlay* overlay = nullptr;
    int id = 0;
    view->AddOverlay(OVERLAY_WOI, &id, &overlay);
    woi = static_cast<CWOI*>(overlay);
  }
  ImageRect rect() const { return {woi->x1(), woi->y1(), woi->x2(), woi->y2()}; }
  CWOI* woi = nullptr;
};

TEST_F(WoiTest, SetAcceptsOnlyValidRectanglesAndMirrorsThem) {
  struct Row {
    ImageRect r;
    int result;
  };
  const Row rows[] = {
      {{1, 1, 31, 31}, 0},          // 30 x 30 at (1, 1)
      {{10, 10, 39, 110}, -1},      // 29 wide
      {{10, 10, 110, 39}, -1},      // 29 high
      {{0, 10, 100, 100}, -1},      // x1 below 1
      {{10, 0, 100, 100}, -1},      // y1 below 1
      {{10, 10, 640, 100}, -1},     // x2 past 639
      {{10, 10, 100, 480}, -1},     // y2 past 479
      {{609, 449, 639, 479}, 0},    // the far corner
      {{100, 100, 50, 200}, -1},    // mirrored
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.r.x1 << "," << row.r.y1 << "," << row.r.x2 << "," << row.r.y2);
    state.m_rcWoi = {7, 7, 7, 7};
    const ImageRect before = rect();
    EXPECT_EQ(woi->IsValid(row.r.x1, row.r.y1, row.r.x2, row.r.y2), row.result == 0);
    EXPECT_EQ(woi->Set(row.r.x1, row.r.y1, row.r.x2, row.r.y2), row.result);
    EXPECT_EQ(rect(), row.result == 0 ? row.r : before);
    EXPECT_EQ(state.m_rcWoi, (row.result == 0 ? row.r : ImageRect{7, 7, 7, 7}));
  }
}

TEST_F(WoiTest, SetClampedOnlyClampsAndDoesNotMirror) {
  state.m_rcWoi = {7, 7, 7, 7};
  woi->SetClamped(0, 10, 100, 100);
  EXPECT_EQ(rect(), (ImageRect{1, 10, 100, 100}));
  woi->SetClamped(-50, -50, 900, 900);
  EXPECT_EQ(rect(), (ImageRect{1, 1, 639, 479}));
  woi->SetClamped(300, 300, 200, 200);  // no other check, no mirroring
  EXPECT_EQ(rect(), (ImageRect{300, 300, 200, 200}));
  EXPECT_EQ(state.m_rcWoi, (ImageRect{7, 7, 7, 7}));
}

TEST_F(WoiTest, HitCodesWithTheirEdgeBands) {
  ASSERT_EQ(woi->Set(100, 100, 300, 200), 0);
  const int midY = 150;
  struct Row {
    int x, y, code;
  };
  const Row rows[] = {
      {104, 96, WOI_HIT_TOP_LEFT},      // (x1 + 4, y1 - 4)
      {96, 204, WOI_HIT_BOTTOM_LEFT},
      {304, 96, WOI_HIT_TOP_RIGHT},
      {296, 204, WOI_HIT_BOTTOM_RIGHT},
      {96, midY, WOI_HIT_LEFT},
      {95, midY, 0},                    // x1 - 5: outside the left band
      {295, midY, WOI_HIT_RIGHT},       // x2 - 5: inside the right band
      {304, midY, WOI_HIT_RIGHT},
      {305, midY, 0},
      {200, 104, WOI_HIT_TOP},
      {200, 196, WOI_HIT_BOTTOM},
      {200, 105, 0},                    // inside, off every band
      {203, 153, WOI_HIT_CENTRE},       // centre (200, 150)
      {205, 150, 0},
      {100, 300, 0},                    // below, on the left edge's line
      {50, 50, 0},
  };
  for (const Row& row : rows) {
    int id = -1;
    EXPECT_EQ(woi->HitTest(&id, row.x, row.y), row.code) << row.x << "," << row.y;
    EXPECT_EQ(id, row.code ? woi->id() : -1);
  }
}

TEST_F(WoiTest, MovePushesTheDraggedRectangleBackInsideKeepingItsSize) {
  struct Row {
    ImageRect dragged;
    int result;
    ImageRect stored;
  };
  const Row rows[] = {
      {{50, -10, 150, 90}, 0, {50, 1, 150, 101}},      // shifted down, x unchanged
      {{-20, -10, 80, 90}, 0, {1, 1, 101, 101}},       // up-left corner: both
      {{580, -5, 680, 95}, 0, {539, 1, 639, 101}},     // up-right corner
      {{50, 400, 150, 500}, 0, {50, 379, 150, 479}},   // shifted up
      {{-30, 200, 70, 300}, 0, {1, 200, 101, 300}},    // shifted right
      {{600, 200, 700, 300}, 0, {539, 200, 639, 300}}, // shifted left
      {{100, 100, 200, 200}, 0, {100, 100, 200, 200}}, // inside: taken as it is
      {{-10, -10, 700, 100}, kErrWoiMoveInvalid, {}},  // wider than the picture
      {{100, -5, 120, 40}, kErrWoiMoveInvalid, {}},    // too narrow
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.dragged.x1 << "," << row.dragged.y1);
    ASSERT_EQ(woi->Set(200, 200, 300, 300), 0);
    state.m_rcWoi = {7, 7, 7, 7};
    EXPECT_EQ(woi->Move(row.dragged.x1, row.dragged.y1, row.dragged.x2, row.dragged.y2), row.result);
    EXPECT_EQ(rect(), (row.result == 0 ? row.stored : ImageRect{200, 200, 300, 300}));
    EXPECT_EQ(state.m_rcWoi, (row.result == 0 ? row.stored : ImageRect{7, 7, 7, 7}));
  }
}

}  // namespace
