// What the picture control shows, read back with grab().
#include <QPainter>
#include <QScrollBar>

#include "image_view_fixture.h"
#include "view/bounding_box.h"
#include "view/image_view_codes.h"
#include "view/picture_control.h"
#include "view/screen_text.h"
#include "view/woi_overlay.h"
#include "view/woi_rebuild.h"

namespace {

using viewtest::countColour;
using viewtest::ImageViewTest;

TEST_F(ImageViewTest, GreyRampAtOneToOneLandsWhereTheScalingPutsIt) {
  ASSERT_EQ(view->ShowPicture(viewtest::greyRamp()), 0);
  const QImage shown = grabControl();
  ASSERT_EQ(shown.size(), QSize(480, 360));
  for (int cx : {0, 1, 100, 239, 240, 400, 479}) {
    for (int cy : {0, 180, 359}) {
      const double sourceX = (cx + 0.5) * 640.0 / 480.0;
      const int expected = static_cast<int>(sourceX) * 255 / 639;
      EXPECT_NEAR(qGray(shown.pixel(cx, cy)), expected, 2) << cx << "," << cy;
    }
  }
}

TEST_F(ImageViewTest, LiveSizedFrameFillsTheWholePicture) {
  QImage frame(320, 240, QImage::Format_Grayscale8);
  frame.fill(40);
  for (int y = 120; y < 240; ++y)
    for (int x = 160; x < 320; ++x) frame.scanLine(y)[x] = 220;  // bottom-right quarter light
  ASSERT_EQ(view->ShowPicture(frame), 0);
  EXPECT_EQ(view->pictureWidth(), 320);
  const QImage surface = view->surface();
  EXPECT_EQ(qGray(surface.pixel(0, 0)), 40);
  EXPECT_EQ(qGray(surface.pixel(639, 479)), 220);
  EXPECT_EQ(qGray(surface.pixel(319, 239)), 40);
  EXPECT_EQ(qGray(surface.pixel(320, 240)), 220);
  const QImage shown = grabControl();
  EXPECT_EQ(qGray(shown.pixel(0, 0)), 40);
  EXPECT_EQ(qGray(shown.pixel(479, 359)), 220);
  EXPECT_EQ(qGray(shown.pixel(241, 181)), 220);
}

TEST_F(ImageViewTest, ZoomedToTheEndShowsTheBottomRightQuarter) {
  QImage quarters(640, 480, QImage::Format_Grayscale8);
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) quarters.scanLine(y)[x] = static_cast<uchar>(x < 320 ? (y < 240 ? 30 : 90) : (y < 240 ? 150 : 210));
  view->ShowPicture(quarters);
  view->zoom().Apply(4);
  view->pictureControl()->showScrollBars(true);
  view->pictureControl()->horizontalScrollBar()->setValue(640);
  view->pictureControl()->verticalScrollBar()->setValue(480);
  EXPECT_EQ(view->sourceRect(), QRect(320, 240, 320, 240));
  const QImage shown = grabControl();
  const QRect area = view->pictureControl()->pictureArea();
  EXPECT_LT(area.width(), 480);  // less the scroll bars
  EXPECT_EQ(countColour(shown, area, QColor(210, 210, 210)), area.width() * area.height());
}

TEST_F(ImageViewTest, PassBoxIsDrawnInThePassColourWithItsLabel) {
  view->ShowPicture(viewtest::flatGrey(640, 480, 128));
  COverlay* overlay = nullptr;
  int id = 0;
  view->AddOverlay(OVERLAY_BOUNDING_BOX, &id, &overlay);
  auto* box = static_cast<CBoundingBox*>(overlay);
  box->SetCorners(200, 100, 400, 100, 400, 300, 200, 300, 0);
  box->SetLabel("01");
  view->SetOverlayStyle(id, 4);
  view->Render();
  const QColor pass = FromColorRef(state.colours.passColour);
  const QImage surface = view->surface();
  EXPECT_EQ(surface.pixelColor(300, 100), pass);  // top edge
  EXPECT_EQ(surface.pixelColor(400, 200), pass);  // right edge
  // "01" below the anchor (the lowest corner, P2 at (400, 300)).
  EXPECT_GT(countColour(surface, QRect(400, 305, 40, 24), pass), 20);
  EXPECT_EQ(countColour(surface, QRect(440, 305, 100, 24), pass), 0);
  // And on screen at three quarters scale.
  EXPECT_GT(countColour(grabControl(), QRect(290, 74, 20, 3), pass), 5);
}

TEST_F(ImageViewTest, WoiLabelMovesBelowTheWindowWhenZoomed) {
  view->ShowPicture(viewtest::flatGrey(640, 480, 128));
  state.m_rcWoi = {100, 100, 400, 300};
  state.m_bCodeDefinitionView = true;
  CWOI* woi = nullptr;
  RebuildWoiOverlay(*view, state.m_rcWoi, true, WoiShown::Configured, &woi);
  ASSERT_TRUE(woi->labelShown());
  const QColor region = FromColorRef(state.colours.regionColour);
  const QRect inside(106, 276, 200, 22);  // (x1 + 5, y2 - 25)
  const QRect below(106, 306, 200, 24);   // (x1 + 5, y2 + 5)
  view->Render();
  EXPECT_GT(countColour(view->surface(), inside, region), 20);
  EXPECT_EQ(countColour(view->surface(), below, region), 0);
  view->zoom().Apply(1);
  view->Render();
  EXPECT_EQ(countColour(view->surface(), inside, region), 0);
  EXPECT_GT(countColour(view->surface(), below, region), 20);
  EXPECT_EQ(woi->label(), viewtest::englishText(7910));

  // Centre square while a configuration page shows; 4 pixels each side.
  EXPECT_EQ(view->surface().pixelColor(246, 196), region);
  state.m_bCodeDefinitionView = false;
  view->Render();
  EXPECT_NE(view->surface().pixelColor(246, 196), region);
}

TEST_F(ImageViewTest, WoiWithoutItsLabelTextDrawsNoFrame) {
  MainDialogState local;
  CDirectX bare(local, local.colours, [](int) { return QString(); });
  bare.InitDirectDraw();
  bare.ShowPicture(viewtest::flatGrey(640, 480, 128));
  COverlay* overlay = nullptr;
  int id = 0;
  bare.AddOverlay(OVERLAY_WOI, &id, &overlay);
  auto* woi = static_cast<CWOI*>(overlay);
  woi->Set(100, 100, 400, 300);
  woi->SetLabelShown(true);
  QImage target(640, 480, QImage::Format_RGB32);
  target.fill(Qt::white);
  QPainter painter(&target);
  EXPECT_EQ(woi->Draw(&painter), kErrOverlayLabel);
  painter.end();
  EXPECT_EQ(countColour(target, target.rect(), Qt::white), 640 * 480);
  woi->SetLabelShown(false);
  painter.begin(&target);
  EXPECT_EQ(woi->Draw(&painter), 1);
}

TEST_F(ImageViewTest, InvisibleOverlayDrawsNothing) {
  const QImage grey = viewtest::flatGrey(640, 480, 128);
  view->ShowPicture(grey);
  const QImage plain = view->surface();
  int woiId = 0, boxId = 0, textId = 0;
  COverlay* overlay = nullptr;
  view->AddOverlay(OVERLAY_WOI, &woiId, &overlay);
  static_cast<CWOI*>(overlay)->Set(100, 100, 400, 300);
  static_cast<CWOI*>(overlay)->SetLabelShown(true);
  view->AddOverlay(OVERLAY_BOUNDING_BOX, &boxId, &overlay);
  static_cast<CBoundingBox*>(overlay)->SetCorners(10, 10, 50, 10, 50, 50, 10, 50, 0);
  static_cast<CBoundingBox*>(overlay)->SetLabel("02");
  view->SetOverlayStyle(boxId, 5);
  view->AddOverlay(OVERLAY_SCREEN_TEXT, &textId, &overlay);
  static_cast<CScreenText*>(overlay)->SetText("12:00:00");
  view->Render();
  EXPECT_NE(view->surface(), plain);
  view->ShowAllOverlays(false);
  view->Render();
  EXPECT_EQ(view->surface(), plain);
}

TEST_F(ImageViewTest, CaptionOnTransparentOrOpaqueBackground) {
  view->ShowPicture(viewtest::flatGrey(640, 480, 128));
  COverlay* overlay = nullptr;
  int id = 0;
  view->AddOverlay(OVERLAY_SCREEN_TEXT, &id, &overlay);
  auto* caption = static_cast<CScreenText*>(overlay);
  caption->SetText("Evaluation 14:03:27");
  ASSERT_EQ(caption->SetPosition(10, 440), 0);
  const QRect line(10, 440, 200, 24);
  view->Render();
  EXPECT_GT(countColour(view->surface(), line, QColor(0, 0, 255)), 30);  // 0xFF0000: blue
  EXPECT_EQ(countColour(view->surface(), line, QColor(255, 255, 0)), 0);
  caption->SetTransparent(false);
  caption->SetColours(0x0000FF, 0x00FFFF);  // red on yellow
  view->Render();
  EXPECT_GT(countColour(view->surface(), line, QColor(255, 255, 0)), 500);
  EXPECT_GT(countColour(view->surface(), line, QColor(255, 0, 0)), 30);
}

TEST_F(ImageViewTest, RefreshedStylesShowANewColour) {
  view->ShowPicture(viewtest::flatGrey(640, 480, 128));
  COverlay* overlay = nullptr;
  int id = 0;
  view->AddOverlay(OVERLAY_BOUNDING_BOX, &id, &overlay);
  static_cast<CBoundingBox*>(overlay)->SetCorners(200, 100, 400, 100, 400, 300, 200, 300, 0);
  view->SetOverlayStyle(id, 4);
  view->Render();
  state.colours.passColour = 0x00FF00FF;  // magenta
  view->Render();
  EXPECT_EQ(view->surface().pixelColor(300, 100), FromColorRef(GraphicsColours::kDefaultPass));
  view->RefreshOverlayStyles();
  view->Render();
  EXPECT_EQ(view->surface().pixelColor(300, 100), QColor(255, 0, 255));
  EXPECT_EQ(grabControl().pixelColor(225, 75), QColor(255, 0, 255));
}

TEST_F(ImageViewTest, PlaceholderResetsTheZoomAndASensorPictureClearsItsFlag) {
  view->zoom().Apply(3);
  view->zoom().SetToolActive(true);
  ASSERT_EQ(view->ShowDefaultImage(), 0);
  EXPECT_TRUE(view->placeholderShown());
  EXPECT_EQ(view->zoom().step(), 0);
  EXPECT_FALSE(view->zoom().toolActive());
  EXPECT_EQ(view->picture().size(), QSize(640, 480));  // our bitmap 75
  EXPECT_NE(view->surface().pixel(320, 240), qRgb(0, 0, 0));
  ASSERT_EQ(view->ShowPicture(viewtest::flatGrey(640, 480, 128)), 0);
  EXPECT_FALSE(view->placeholderShown());
  EXPECT_EQ(view->ShowPicture(QImage()), -1);  // no picture: keeps the last one
  EXPECT_EQ(qGray(view->surface().pixel(5, 5)), 128);
}

TEST(ImageViewStartUp, WithoutSurfaceNothingIsDrawn) {
  MainDialogState state;
  CDirectX view(state, state.colours, viewtest::englishText);
  EXPECT_EQ(view.ShowDefaultImage(), kErrNoDrawingContext);
  EXPECT_EQ(view.Render(), 0);
  EXPECT_TRUE(view.surface().isNull());
  const QImage shown = view.pictureControl()->grab().toImage();
  EXPECT_EQ(shown.size(), QSize(480, 360));
}

}  // namespace

namespace {

// Not a check: pictures of the control for a person to look at
// (--gtest_also_run_disabled_tests, into VT_VIEW_SHOTS or /tmp).
TEST_F(ImageViewTest, DISABLED_SaveScreenshots) {
  const QString folder = qEnvironmentVariableIsSet("VT_VIEW_SHOTS") ? qEnvironmentVariable("VT_VIEW_SHOTS") : "/tmp";
  view->ShowDefaultImage();
  grabControl().save(folder + "/view_placeholder.png");

  view->ShowPicture(viewtest::greyRamp());
  state.m_rcWoi = {60, 60, 580, 420};
  state.m_bCodeDefinitionView = true;
  RebuildWoiOverlay(*view, state.m_rcWoi, true, WoiShown::Configured);
  for (int i = 0; i < 10; ++i) {
    int id = 0;
    COverlay* overlay = nullptr;
    view->AddOverlay(OVERLAY_BOUNDING_BOX, &id, &overlay);
    const int x = 90 + (i % 5) * 100, y = 90 + (i / 5) * 150;
    static_cast<CBoundingBox*>(overlay)->SetCorners(x, y + 8, x + 60, y, x + 68, y + 60, x + 8, y + 68, 0);
    static_cast<CBoundingBox*>(overlay)->SetLabel(QString("%1").arg(i + 1, 2, 10, QChar('0')));
    view->SetOverlayStyle(id, i == 7 ? 5 : 4);
  }
  int id = 0;
  COverlay* overlay = nullptr;
  view->AddOverlay(OVERLAY_SCREEN_TEXT, &id, &overlay);
  static_cast<CScreenText*>(overlay)->SetText("Evaluation 14:03:27");
  static_cast<CScreenText*>(overlay)->SetPosition(10, 440);
  view->Render();
  grabControl().save(folder + "/view_overlays_1x.png");
  view->surface().save(folder + "/view_surface.png");

  view->zoom().Apply(4);
  state.m_ptZoomCentre = {500, 380};
  view->UpdateSourceRect(true);
  view->pictureControl()->showScrollBars(true);
  view->Render();
  grabControl().save(folder + "/view_overlays_2x.png");
}

}  // namespace
