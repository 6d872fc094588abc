// Live frames from another thread reach the view on the GUI thread, newest only.
#include <QCoreApplication>
#include <QSignalSpy>
#include <QThread>
#include <thread>

#include "image_view_fixture.h"
#include "sim/live_image_scene.h"
#include "view/live_image_feed.h"

namespace {

using viewtest::ImageViewTest;

LiveFrame sceneFrame(std::uint16_t number) {
  LiveFrame frame;
  frame.number = number;
  frame.width = vt::sim::kLiveSceneWidth;
  frame.height = vt::sim::kLiveSceneHeight;
  frame.pixels = vt::sim::renderLiveFrame(number);
  return frame;
}

std::optional<std::uint16_t> numberOnShow(const CDirectX& view) {
  const QImage& picture = view.picture();
  if (picture.format() != QImage::Format_Grayscale8 || picture.bytesPerLine() != picture.width()) return {};
  return vt::sim::readLiveFrameNumber(
      {picture.constBits(), static_cast<std::size_t>(picture.width() * picture.height())});
}

TEST_F(ImageViewTest, FrameFromAThreadIsShownOnTheGuiThread) {
  LiveImageFeed feed(*view);
  QThread* shownOn = nullptr;
  QObject::connect(&feed, &LiveImageFeed::frameShown, [&] { shownOn = QThread::currentThread(); });
  std::thread producer([&] { feed.offer(sceneFrame(42)); });
  producer.join();
  EXPECT_EQ(feed.framesShown(), 0);  // nothing painted off the GUI thread
  QCoreApplication::processEvents();
  EXPECT_EQ(feed.framesShown(), 1);
  EXPECT_EQ(shownOn, QCoreApplication::instance()->thread());
  EXPECT_EQ(numberOnShow(*view), 42);
  EXPECT_FALSE(view->placeholderShown());
  EXPECT_EQ(view->picture().size(), QSize(320, 240));
}

TEST_F(ImageViewTest, TenFramesWhileTheGuiIsHeldGiveOnePaintOfTheNewest) {
  LiveImageFeed feed(*view);
  QSignalSpy shown(&feed, &LiveImageFeed::frameShown);
  std::thread producer([&] {
    for (std::uint16_t n = 1; n <= 10; ++n) feed.offer(sceneFrame(n));
  });
  producer.join();  // the GUI thread is held meanwhile
  EXPECT_EQ(feed.handover().counts().notified, 1u);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  ASSERT_EQ(shown.count(), 1);
  EXPECT_EQ(shown.at(0).at(0).toInt(), 10);
  EXPECT_EQ(numberOnShow(*view), 10);

  // The next frame notifies again.
  feed.offer(sceneFrame(11));
  QCoreApplication::processEvents();
  EXPECT_EQ(numberOnShow(*view), 11);
  EXPECT_EQ(shown.count(), 2);
}

}  // namespace
