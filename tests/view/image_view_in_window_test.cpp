// The image view plugged into the main window: placed in the picture area,
// started with the placeholder picture, drawing over the window's own state.
#include <QCoreApplication>
#include <QScrollBar>
#include <thread>

#include "gui_test_support.h"
#include "services/recording_prompt.h"
#include "sim/live_image_scene.h"
#include "view/image_view_service.h"
#include "view/woi_overlay.h"
#include "window/main_window.h"

namespace {

TEST(ImageViewInWindow, StartsWithThePlaceholderOverTheWindowsState) {
  qputenv("VT_NO_SPLASH", "1");
  LibCopy lib;
  RecordingPrompt prompt;
  MainPanels panels;
  auto owned = std::make_unique<ImageView>();
  ImageView* imageView = owned.get();
  panels.imageView = std::move(owned);
  CVarnisDatamatrixDlg window(prompt, std::move(panels));
  ASSERT_EQ(window.OnInitDialog(), CVarnisDatamatrixDlg::StartResult::Run);
  EXPECT_TRUE(prompt.requests().empty());  // no 6030: the surface was made

  auto* control = window.findChild<PictureControl*>("1074");
  ASSERT_NE(control, nullptr);
  EXPECT_EQ(control->size(), QSize(480, 360));
  CDirectX& view = imageView->view();
  EXPECT_TRUE(view.placeholderShown());
  EXPECT_EQ(view.picture().size(), QSize(640, 480));  // Lindaro bitmap 75
  EXPECT_NE(control->grab().toImage().pixel(240, 180), qRgb(0, 0, 0));

  // The overlays write the window's own m_rcWoi.
  int id = 0;
  COverlay* overlay = nullptr;
  imageView->view().AddOverlay(OVERLAY_WOI, &id, &overlay);
  ASSERT_EQ(static_cast<CWOI*>(overlay)->Set(10, 20, 300, 400), 0);
  EXPECT_EQ(window.state().m_rcWoi, (ImageRect{10, 20, 300, 400}));
  SaveScreenshot(window, "main_window_image_view");

  // A live frame through the service from another thread, shown on the GUI thread.
  LiveFrame frame;
  frame.number = 5;
  frame.width = vt::sim::kLiveSceneWidth;
  frame.height = vt::sim::kLiveSceneHeight;
  frame.pixels = vt::sim::renderLiveFrame(5);
  std::thread producer([&] { window.panels().imageView->OfferLiveFrame(std::move(frame)); });
  producer.join();
  QCoreApplication::processEvents();
  EXPECT_EQ(view.picture().size(), QSize(320, 240));
  EXPECT_FALSE(view.placeholderShown());
  EXPECT_EQ(window.panels().imageView->surface().size(), QSize(640, 480));

  // Zoomed: the mouse mapping reads the shown part and the smaller area.
  ImageViewService& service = *window.panels().imageView;
  window.state().m_ptZoomCentre = {600, 20};
  service.ApplyZoom(4);
  service.UpdateSourceRect(1);
  EXPECT_EQ(service.SourceRect(), QRect(320, 0, 320, 240));
  EXPECT_LT(service.PictureArea().width(), 480);
  EXPECT_EQ(service.ZoomStep(), 4);
}

}  // namespace
