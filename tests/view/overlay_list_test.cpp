// The image view's overlay list: ids, removals, lookups, hit tests, styles.
#include <QPainter>

#include "image_view_fixture.h"
#include "view/bounding_box.h"
#include "view/image_view_codes.h"
#include "view/screen_text.h"
#include "view/woi_overlay.h"

namespace {

using viewtest::ImageViewTest;

int add(CDirectX& view, int kind, COverlay** out = nullptr) {
  int id = 0;
  EXPECT_EQ(view.AddOverlay(kind, &id, out), 0);
  return id;
}

std::vector<int> idsOf(const CDirectX& view) {
  std::vector<int> ids;
  for (const auto& overlay : view.overlays()) ids.push_back(overlay->id());
  return ids;
}

TEST_F(ImageViewTest, OverlayIdsAndRemovals) {
  EXPECT_EQ(add(*view, OVERLAY_WOI), 1);
  COverlay* none = reinterpret_cast<COverlay*>(1);
  EXPECT_EQ(add(*view, 3, &none), 2);  // an unknown kind makes nothing but uses an id
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(add(*view, OVERLAY_BOUNDING_BOX), 3);
  EXPECT_EQ(add(*view, OVERLAY_SCREEN_TEXT), 4);
  EXPECT_EQ(add(*view, OVERLAY_BOUNDING_BOX), 5);
  EXPECT_EQ(view->CountOverlaysOfKind(OVERLAY_BOUNDING_BOX), 2);

  // Boxes go; the others keep their order and ids; the counter goes on.
  EXPECT_EQ(view->RemoveOverlaysOfKind(OVERLAY_BOUNDING_BOX), 0);
  EXPECT_EQ(idsOf(*view), (std::vector<int>{1, 4}));
  EXPECT_EQ(add(*view, OVERLAY_BOUNDING_BOX), 6);

  EXPECT_EQ(view->RemoveAllOverlays(), 0);
  EXPECT_TRUE(view->overlays().empty());
  EXPECT_EQ(add(*view, OVERLAY_WOI), 1);

  // On an empty list neither removal touches the counter.
  EXPECT_EQ(view->RemoveAllOverlays(), 0);
  EXPECT_EQ(view->RemoveAllOverlays(), 0);
  EXPECT_EQ(view->nextOverlayId(), 1);
  add(*view, OVERLAY_SCREEN_TEXT);
  view->RemoveOverlaysOfKind(OVERLAY_SCREEN_TEXT);
  EXPECT_EQ(view->RemoveOverlaysOfKind(OVERLAY_SCREEN_TEXT), 0);
  EXPECT_EQ(view->nextOverlayId(), 2);
}

TEST_F(ImageViewTest, HitTestTakesTheTopmostOverlayAndReportsNothingHit) {
  int id = 7, kind = 7, code = 7;
  EXPECT_EQ(view->HitTestOverlays(100, 100, &id, &kind, &code), -1);
  EXPECT_EQ(id, -1);
  EXPECT_EQ(kind, OVERLAY_NOTHING_HIT);
  EXPECT_EQ(code, 7);  // untouched

  COverlay* first = nullptr;
  COverlay* second = nullptr;
  add(*view, OVERLAY_WOI, &first);
  add(*view, OVERLAY_BOUNDING_BOX);  // boxes are never hit
  const int secondId = add(*view, OVERLAY_WOI, &second);
  static_cast<CWOI*>(first)->Set(50, 50, 300, 300);
  static_cast<CWOI*>(second)->Set(100, 100, 200, 200);
  second->SetVisible(false);  // visibility plays no part
  EXPECT_EQ(view->HitTestOverlays(100, 100, &id, &kind, &code), 0);
  EXPECT_EQ(id, secondId);
  EXPECT_EQ(kind, OVERLAY_WOI);
  EXPECT_EQ(code, WOI_HIT_TOP_LEFT);
  // Only the lower one there.
  EXPECT_EQ(view->HitTestOverlays(50, 175, &id, &kind, &code), 0);
  EXPECT_EQ(id, first->id());
  EXPECT_EQ(code, WOI_HIT_LEFT);
  // Inside both but on no handle: nothing.
  EXPECT_EQ(view->HitTestOverlays(120, 130, &id, &kind, &code), -1);
  EXPECT_EQ(kind, OVERLAY_NOTHING_HIT);
}

TEST_F(ImageViewTest, CodesOfFindShowAndStyle) {
  int kind = -1;
  COverlay* found = reinterpret_cast<COverlay*>(1);
  EXPECT_EQ(view->FindOverlay(1, &kind, &found), kErrOverlayNotFound);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(view->ShowOverlay(1, false), kErrOverlayNoSuchId);
  EXPECT_EQ(view->SetOverlayStyle(1, 4), kErrOverlayNoSuchId);
  int style = -1;
  EXPECT_EQ(view->GetOverlayStyle(1, &style), kErrOverlayNoSuchId);

  const int box = add(*view, OVERLAY_BOUNDING_BOX);
  EXPECT_EQ(view->FindOverlay(box, &kind, &found), 0);
  EXPECT_EQ(kind, OVERLAY_BOUNDING_BOX);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(view->FindOverlay(box + 1, &kind, &found), kErrOverlayNotFound);
  EXPECT_EQ(found, nullptr);

  EXPECT_EQ(view->ShowOverlay(box, false), 0);
  view->FindOverlay(box, &kind, &found);
  EXPECT_FALSE(found->visible());
  EXPECT_EQ(view->ShowAllOverlays(true), 0);
  EXPECT_TRUE(found->visible());

  EXPECT_EQ(view->SetOverlayStyle(box, 5), 0);
  EXPECT_EQ(view->GetOverlayStyle(box, &style), 0);
  EXPECT_EQ(style, 5);
  EXPECT_EQ(view->SetOverlayStyle(box, 8), 0);  // no such style: nothing changes
  EXPECT_EQ(view->GetOverlayStyle(box, &style), 0);
  EXPECT_EQ(style, 5);
}

TEST_F(ImageViewTest, StylesTakePenAndTextColourFromTheDisplayColours) {
  struct Row {
    int style;
    int width;
    std::uint32_t pen;
    std::uint32_t text;  // after a style that keeps the text colour, the previous one
  };
  const GraphicsColours& c = state.colours;
  const Row rows[] = {
      {4, 2, c.passColour, c.passColour}, {0, 2, 0, 0},
      {5, 2, c.failColour, c.failColour}, {6, 1, 0, c.failColour},
      {3, 2, c.regionColour, c.regionColour}, {7, 1, 0, c.regionColour},
      {1, 2, 0, 0}, {2, 2, 0, 0},
  };
  COverlay* box = nullptr;
  add(*view, OVERLAY_BOUNDING_BOX, &box);
  EXPECT_FALSE(box->hasPen());  // a box gets its pen from its creator
  for (const Row& row : rows) {
    SCOPED_TRACE(row.style);
    box->SetStyle(row.style);
    EXPECT_EQ(box->pen().width(), row.width);
    EXPECT_EQ(box->pen().color(), FromColorRef(row.pen));
    EXPECT_EQ(box->textColour(), row.text);
  }
  COverlay* woi = nullptr;
  add(*view, OVERLAY_WOI, &woi);
  EXPECT_EQ(woi->style(), 3);  // forced, and applied at once
  EXPECT_EQ(woi->pen().color(), FromColorRef(c.regionColour));
}

TEST_F(ImageViewTest, DrawWithoutPainterOrWhileInvisible) {
  COverlay* woi = nullptr;
  COverlay* box = nullptr;
  COverlay* text = nullptr;
  add(*view, OVERLAY_WOI, &woi);
  add(*view, OVERLAY_BOUNDING_BOX, &box);
  add(*view, OVERLAY_SCREEN_TEXT, &text);
  EXPECT_EQ(woi->Draw(nullptr), kErrOverlayNoPainter);
  EXPECT_EQ(box->Draw(nullptr), kErrOverlayNoPainter);
  EXPECT_EQ(text->Draw(nullptr), kErrScreenTextNoPainter);
  for (COverlay* o : {woi, box, text}) {
    o->SetVisible(false);
    EXPECT_EQ(o->Draw(nullptr), 0);
  }
}

TEST_F(ImageViewTest, ScreenTextPositionMustLieInsideThePicture) {
  COverlay* overlay = nullptr;
  add(*view, OVERLAY_SCREEN_TEXT, &overlay);
  auto* text = static_cast<CScreenText*>(overlay);
  EXPECT_TRUE(text->transparent());
  EXPECT_EQ(text->textColour(), 0xFF0000u);
  EXPECT_EQ(text->SetPosition(640, 480), 0);
  struct Bad {
    int x, y;
  };
  for (Bad bad : {Bad{641, 0}, Bad{0, 481}, Bad{-1, 10}, Bad{10, -1}}) {
    EXPECT_EQ(text->SetPosition(bad.x, bad.y), kErrScreenTextPosition);
    EXPECT_EQ(text->position(), QPoint(640, 480));
  }
}

TEST_F(ImageViewTest, BoxLabelAnchorAndLength) {
  COverlay* overlay = nullptr;
  add(*view, OVERLAY_BOUNDING_BOX, &overlay);
  auto* box = static_cast<CBoundingBox*>(overlay);
  // The lowest corner, the first of equal ones: P1.
  box->SetCorners(100, 100, 150, 200, 250, 200, 300, 150, 0);
  EXPECT_EQ(box->LabelAnchor(), QPoint(150, 200));

  // Held 15 above the search window's bottom, and then moved 15 right.
  std::optional<ResultSearchWindow> window = ResultSearchWindow{0, 400, 0, 210};
  view->setResultWindowLookup([&](int index) { return index == 0 ? window : std::nullopt; });
  EXPECT_EQ(box->LabelAnchor(), QPoint(165, 195));
  window->right = 160;  // no room on the right: stays
  EXPECT_EQ(box->LabelAnchor(), QPoint(150, 195));
  window->bottom = 300;  // well inside: untouched
  EXPECT_EQ(box->LabelAnchor(), QPoint(150, 200));
  box->SetCorners(100, 100, 150, 200, 250, 200, 300, 150, 3);  // no record 3
  EXPECT_EQ(box->LabelAnchor(), QPoint(150, 200));

  EXPECT_EQ(box->SetLabel(QString(32, 'x')), 0);
  EXPECT_EQ(box->SetLabel(QString(33, 'y')), kErrBoxLabelTooLong);
  EXPECT_EQ(box->label(), QString(32, 'x'));
}

TEST_F(ImageViewTest, BoxRegionFillsItsPolygonWithWindingRule) {
  COverlay* overlay = nullptr;
  add(*view, OVERLAY_BOUNDING_BOX, &overlay);
  auto* box = static_cast<CBoundingBox*>(overlay);
  // A bow-tie: both lobes belong to the region, the gap between them not.
  box->SetCorners(100, 100, 200, 200, 200, 100, 100, 200, 0);
  box->CreateRegion(7);
  box->CreateRegion(100);  // outside the table: ignored
  const QPainterPath& region = view->codeRegions()[7];
  EXPECT_EQ(region.fillRule(), Qt::WindingFill);
  EXPECT_TRUE(region.contains(QPointF(120, 150)));
  EXPECT_TRUE(region.contains(QPointF(180, 150)));
  EXPECT_FALSE(region.contains(QPointF(150, 120)));
  EXPECT_FALSE(region.contains(QPointF(300, 300)));
  view->ClearCodeRegions();
  EXPECT_TRUE(view->codeRegions()[7].isEmpty());
}

}  // namespace
