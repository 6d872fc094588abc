// The main window's background statics: the header bitmap's fixed source
// area, and the picture's background that renders only when asked.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "view/background_statics.h"

namespace {

// Red inside the top-left 147 x 611, blue outside it.
QPixmap Marked(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::blue);
  for (int y = 0; y < std::min(height, CMainBckgndBmp::kSourceHeight); ++y)
    for (int x = 0; x < std::min(width, CMainBckgndBmp::kSourceWidth); ++x) image.setPixel(x, y, qRgb(255, 0, 0));
  return QPixmap::fromImage(image);
}

TEST(MainBackground, AnyBitmapIsStretchedFromItsTopLeftArea) {
  for (QSize size : {QSize(147, 611), QSize(400, 900), QSize(1024, 611)}) {
    CMainBckgndBmp header;
    header.resize(147, 600);
    header.SetBitmap(Marked(size.width(), size.height()));
    const QImage shown = header.grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(146, 0), QPoint(73, 300), QPoint(0, 599), QPoint(146, 599)})
      EXPECT_EQ(shown.pixelColor(p), QColor(Qt::red)) << size.width() << "x" << size.height() << " at " << p.x()
                                                       << "," << p.y();
  }
}

TEST(MonitorBackground, RendersThePictureOnlyWhileTheWindowAsks) {
  bool renderOnPaint = false;
  int renders = 0;
  CMonBckgndBmp background([&] { return renderOnPaint; }, [&] { ++renders; });
  background.resize(490, 370);
  background.grab();
  EXPECT_EQ(renders, 0);
  renderOnPaint = true;
  background.grab();
  EXPECT_EQ(renders, 1);
}

}  // namespace
