// The mouse over the picture in the main window: zoom tools and their
// limits, the window of interest dragged and written once when the drag
// ends, a refused write kept for the next mouse-up.
#include <QAction>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "core/dialog_state_rules.h"
#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "view/image_view_service.h"
#include "view/woi_overlay.h"
#include "window/dialog_control.h"
#include "window/image_mouse.h"
#include "window/main_window.h"

using namespace DialogIds;

namespace {

struct ImageMouseTest : ::testing::Test {
  LibCopy lib;
  RecordingPrompt prompt;
  ImageView* imageView = nullptr;
  std::unique_ptr<CVarnisDatamatrixDlg> window;
  QWidget* picture = nullptr;
  std::vector<ImageRect> written;
  std::vector<int> answers;  // what the writer returns, in order (0 when none left)

  void SetUp() override {
    qputenv("VT_NO_SPLASH", "1");
    MainPanels panels;
    auto owned = std::make_unique<ImageView>();
    imageView = owned.get();
    panels.imageView = std::move(owned);
    window = std::make_unique<CVarnisDatamatrixDlg>(prompt, std::move(panels));
    ASSERT_EQ(window->OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
    window->show();
    picture = imageView->widget();
    window->imageMouse().setConfigWriter([this] {
      written.push_back(window->state().m_rcWoi);
      if (answers.empty()) return 0;
      const int a = answers.front();
      answers.erase(answers.begin());
      return a;
    });
    // The code-definition page of the editor, with its window of interest.
    MainDialogState& s = window->state();
    s.m_bConnected = 1;
    window->dialogControl().EnterConfigurationView();
    s.m_nWizardStep = 11;
    s.m_bCodeDefinitionView = true;
    window->dialogControl().EnableZoomButtons(true);
    int id = 0;
    COverlay* overlay = nullptr;
    imageView->view().AddOverlay(OVERLAY_WOI, &id, &overlay);
    ASSERT_EQ(static_cast<CWOI*>(overlay)->Set(100, 100, 300, 250), 0);
  }
  // A picture point at zoom step 0 in the control (480 x 360 shows 640 x 480).
  static QPoint At(int x, int y) { return QPoint(x * 3 / 4, y * 3 / 4); }
  // A part of a scroll bar (an arrow, a page area, the thumb) where it is drawn.
  static QRect PartOf(QScrollBar* bar, QStyle::SubControl part) {
    QStyleOptionSlider o;
    o.initFrom(bar);
    o.subControls = QStyle::SC_All;
    o.orientation = bar->orientation();
    if (o.orientation == Qt::Horizontal) o.state |= QStyle::State_Horizontal;
    o.minimum = bar->minimum();
    o.maximum = bar->maximum();
    o.sliderPosition = o.sliderValue = bar->value();
    o.singleStep = bar->singleStep();
    o.pageStep = bar->pageStep();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &o, part, bar);
  }
  void ClickTool(int id) {
    auto* bar = window->findChild<QToolBar*>();
    QWidget* button = bar->widgetForAction(window->action(id));
    ASSERT_TRUE(button && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
  }
};

TEST_F(ImageMouseTest, ZoomStepsStopAtTheirLimitsAndMapThePointer) {
  auto& view = window->panels().imageView;
  // Zoom out at step 0 does nothing.
  window->action(kZoomOut)->trigger();
  EXPECT_EQ(window->dialogControl().requests().zoomTool, 0);
  EXPECT_FALSE(window->state().m_bZoomMode);

  window->action(kZoomIn)->trigger();
  EXPECT_TRUE(window->action(kZoomIn)->isChecked());
  EXPECT_TRUE(window->state().m_bZoomMode);
  for (int step = 1; step <= 5; ++step) {
    QTest::mouseClick(picture, Qt::LeftButton, {}, view->PictureArea().center());
    EXPECT_EQ(view->ZoomStep(), step);
    // The clicked picture point becomes the centre of what is shown.
    const QRect area = view->PictureArea();
    const QRect source = view->SourceRect();
    const ImagePoint centre = window->state().m_ptZoomCentre;
    EXPECT_NEAR(source.center().x(), centre.x, 2) << step;
    EXPECT_NEAR(source.center().y(), centre.y, 2) << step;
    EXPECT_NEAR(centre.x, 320, 10) << step;
    EXPECT_NEAR(centre.y, 240, 10) << step;
    EXPECT_LT(area.width(), 480);
  }
  // At step 5 zoom in does nothing more.
  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(240, 180));
  EXPECT_EQ(view->ZoomStep(), 5);

  // Zoom out back to the whole picture; the zoom mode ends with it.
  window->action(kZoomOut)->trigger();
  EXPECT_TRUE(window->action(kZoomOut)->isChecked());
  for (int step = 4; step >= 0; --step) {
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(view->ZoomStep(), step);
  }
  EXPECT_FALSE(window->state().m_bZoomMode);
  EXPECT_FALSE(window->action(kZoomOut)->isChecked());
  EXPECT_EQ(view->SourceRect(), QRect(0, 0, 640, 480));

  // The scroll bar: a page up from 5 gives 0, a line up gives 4.
  window->action(kZoomIn)->trigger();
  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(240, 180));
  auto* bar = picture->findChild<QScrollBar*>("id1002");
  ASSERT_NE(bar, nullptr);
  bar->setValue(5);
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(bar->value(), 0);
  bar->setValue(5);
  bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(bar->value(), 4);
  window->action(kZoomReset)->trigger();
  EXPECT_EQ(view->ZoomStep(), 0);
  EXPECT_FALSE(window->state().m_bZoomMode);
}

// The zoomed picture scrolled by its bars as a user does: an arrow moves one
// position, a page area ten, never past either end; the thumb dragged to the
// end shows the last column and row. What the bars show is what a click
// there zooms into.
TEST_F(ImageMouseTest, TheScrollBarsMoveTheZoomedPictureByLinePageAndThumb) {
  auto& view = window->panels().imageView;
  ASSERT_NO_FATAL_FAILURE(ClickTool(kZoomIn));
  for (int i = 0; i < 4; ++i) QTest::mouseClick(picture, Qt::LeftButton, {}, view->PictureArea().center());
  ASSERT_EQ(view->ZoomStep(), 4);  // factor 2: 320 x 240 of the picture
  MainDialogState& s = window->state();
  auto* h = picture->findChild<QScrollBar*>("id1054");
  auto* v = picture->findChild<QScrollBar*>("id1002");
  ASSERT_TRUE(h && v && h->isVisible() && v->isVisible());
  const QPoint start = view->SourceRect().topLeft();

  QTest::mouseClick(h, Qt::LeftButton, {}, PartOf(h, QStyle::SC_ScrollBarAddLine).center());
  EXPECT_EQ(s.m_nPictureScrollX, h->value());
  EXPECT_GE(view->SourceRect().left(), start.x());
  EXPECT_LE(view->SourceRect().left(), start.x() + 1);
  const int before = h->value();
  QTest::mouseClick(h, Qt::LeftButton, {}, PartOf(h, QStyle::SC_ScrollBarSubPage).center());
  EXPECT_EQ(h->value(), before - 10);
  for (int i = 0; i < 40 && h->value() > 0; ++i)
    QTest::mouseClick(h, Qt::LeftButton, {}, PartOf(h, QStyle::SC_ScrollBarSubPage).center());
  EXPECT_EQ(h->value(), 0);  // a page before the start stops at it
  EXPECT_EQ(view->SourceRect().left(), 0);

  for (QScrollBar* bar : {h, v}) {
    const QRect thumb = PartOf(bar, QStyle::SC_ScrollBarSlider);
    const QPoint far = bar->orientation() == Qt::Horizontal ? QPoint(bar->width() - 1, thumb.center().y())
                                                            : QPoint(thumb.center().x(), bar->height() - 1);
    QTest::mousePress(bar, Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(bar, far);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, far);
  }
  EXPECT_EQ(h->value(), 640);
  EXPECT_EQ(v->value(), 480);
  EXPECT_EQ(s.m_nPictureScrollY, 480);
  EXPECT_EQ(view->SourceRect().bottomRight(), QPoint(639, 479));

  // The zoom tool's click at the middle of what shows zooms into that point.
  const QPoint shown = view->SourceRect().center();
  QTest::mouseClick(picture, Qt::LeftButton, {}, view->PictureArea().center());
  EXPECT_EQ(view->ZoomStep(), 5);
  EXPECT_NEAR(s.m_ptZoomCentre.x, shown.x(), 2);
  EXPECT_NEAR(s.m_ptZoomCentre.y, shown.y(), 2);
}

TEST_F(ImageMouseTest, DraggingTheWindowOfInterestWritesOnceWhenTheDragEnds) {
  // The centre handle moves the window.
  QTest::mousePress(picture, Qt::LeftButton, {}, At(200, 175));
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(picture, At(200 + 10 * step, 175 + 5 * step));
  EXPECT_TRUE(written.empty());
  QTest::mouseRelease(picture, Qt::LeftButton, {}, At(240, 195));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(written[0], (ImageRect{140, 120, 340, 270}));
  EXPECT_FALSE(window->imageMouse().dragMarked());

  // A corner handle resizes it.
  QTest::mousePress(picture, Qt::LeftButton, {}, At(340, 270));
  QTest::mouseMove(picture, At(400, 300));
  QTest::mouseRelease(picture, Qt::LeftButton, {}, At(400, 300));
  ASSERT_EQ(written.size(), 2u);
  // (A control pixel is 4/3 picture pixels: the far corner lands within one.)
  EXPECT_EQ(written[1].x1, 140);
  EXPECT_EQ(written[1].y1, 120);
  EXPECT_NEAR(written[1].x2, 400, 1);
  EXPECT_NEAR(written[1].y2, 300, 1);
}

TEST_F(ImageMouseTest, ARefusedWriteShowsOnceAndWaitsForTheNextMouseUp) {
  answers = {-4001};  // a warning-range code from the sensor
  QTest::mousePress(picture, Qt::LeftButton, {}, At(200, 175));
  QTest::mouseMove(picture, At(220, 175));
  QTest::mouseRelease(picture, Qt::LeftButton, {}, At(220, 175));
  ASSERT_EQ(written.size(), 1u);
  ASSERT_EQ(prompt.messages().size(), 1);
  EXPECT_EQ(prompt.messages()[0].icon, QMessageBox::Warning);
  EXPECT_TRUE(window->imageMouse().dragMarked());
  EXPECT_TRUE(window->state().m_bConnected);
  // Moves outside the picture do not write again.
  for (int i = 0; i < 3; ++i) QTest::mouseMove(picture, QPoint(470 + i, 5));
  EXPECT_EQ(written.size(), 1u);
  // The next mouse-up does.
  QTest::mouseClick(picture, Qt::LeftButton, {}, At(20, 20));
  EXPECT_EQ(written.size(), 2u);
  EXPECT_FALSE(window->imageMouse().dragMarked());
  EXPECT_EQ(prompt.messages().size(), 1);
}

TEST_F(ImageMouseTest, TheCursorShowsWhatAPressWouldDo) {
  const std::pair<QPoint, Qt::CursorShape> handles[] = {
      {At(100, 175), Qt::SizeHorCursor},    // left edge
      {At(200, 100), Qt::SizeVerCursor},    // top edge
      {At(300, 250), Qt::SizeFDiagCursor},  // bottom right
      {At(300, 100), Qt::SizeBDiagCursor},  // top right
      {At(200, 175), Qt::SizeAllCursor},    // the centre handle
  };
  for (const auto& [at, shape] : handles) {
    QTest::mouseMove(picture, at);
    EXPECT_EQ(picture->cursor().shape(), shape) << at.x() << "," << at.y();
  }
  // Nothing under the pointer: the arrow; with the zoom tool: its own.
  auto sameAs = [&](int id) {
    return picture->cursor().pixmap().toImage() == window->resources().cursor(id).pixmap().toImage();
  };
  QTest::mouseMove(picture, At(20, 20));
  EXPECT_TRUE(sameAs(1));
  window->action(kZoomIn)->trigger();
  QTest::mouseMove(picture, At(200, 175));
  EXPECT_TRUE(sameAs(3));
  // No page edits the window of interest: its handles are plain picture.
  window->action(kZoomReset)->trigger();
  window->state().m_bCodeDefinitionView = false;
  QTest::mouseMove(picture, At(100, 175));
  EXPECT_TRUE(sameAs(1));
}

TEST_F(ImageMouseTest, NothingHappensOverThePictureInSensorState6) {
  window->state().m_nSensorState = 6;
  QTest::mousePress(picture, Qt::LeftButton, {}, At(200, 175));
  QTest::mouseMove(picture, At(260, 200));
  QTest::mouseRelease(picture, Qt::LeftButton, {}, At(260, 200));
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(window->state().m_rcWoi, (ImageRect{100, 100, 300, 250}));
}

}  // namespace
