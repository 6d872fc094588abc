// The picture scaled into the control: the very pixels Qt's painter gives,
// for sensor pictures and live frames, at every zoom step and scroll offset.
#include <QPainter>
#include <gtest/gtest.h>

#include <cstring>

#include "view/picture_scaler.h"
#include "view/zoom.h"

namespace {

// No two neighbours alike, so a row or column sampled one off shows.
QImage pattern(int width, int height) {
  QImage grey(width, height, QImage::Format_Grayscale8);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) grey.scanLine(y)[x] = static_cast<uchar>((x * 7 + y * 13) % 251);
  return grey;
}

int differingRows(const QImage& a, const QImage& b) {
  int rows = 0;
  for (int y = 0; y < a.height(); ++y)
    if (std::memcmp(a.constScanLine(y), b.constScanLine(y), std::size_t(a.width()) * 4) != 0) ++rows;
  return rows;
}

TEST(PictureScaler, DrawsWhatQtsPainterDrawsAtEveryStepAndOffset) {
  for (const QSize size : {QSize(640, 480), QSize(320, 240)}) {
    const QImage picture = pattern(size.width(), size.height());
    const qreal sx = size.width() / 640.0, sy = size.height() / 480.0;
    PictureScaler scaler;
    for (int step = 0; step <= CZoom::kLastStep; ++step) {
      const int w = int(640.0f / CZoom::kSteps[std::size_t(step)]), h = int(480.0f / CZoom::kSteps[std::size_t(step)]);
      // The control's area, less the scroll bars when zoomed; the stored surface.
      for (const QSize area : {step == 0 ? QSize(480, 360) : QSize(463, 343), QSize(640, 480)}) {
        const int last = std::max(640 - w, 480 - h);
        for (int offset = 0; offset <= last + 6; offset += 7) {
          const QRectF from(std::min(offset, 640 - w) * sx, std::min(offset, 480 - h) * sy, w * sx, h * sy);
          QImage expected(area, QImage::Format_RGB32);
          {
            QPainter painter(&expected);
            painter.drawImage(QRectF(expected.rect()), picture, from);
          }
          QImage shown(area, QImage::Format_RGB32);
          shown.fill(Qt::red);
          ASSERT_TRUE(scaler.draw(shown, picture, from));
          ASSERT_EQ(differingRows(shown, expected), 0)
              << size.width() << " wide, step " << step << ", area "
              << area.width() << ", from " << from.x() << "," << from.y();
        }
      }
    }
  }
}

TEST(PictureScaler, LeavesOtherPicturesToThePainter) {
  PictureScaler scaler;
  QImage target(480, 360, QImage::Format_RGB32);
  EXPECT_FALSE(scaler.draw(target, QImage(640, 480, QImage::Format_RGB32), QRectF(0, 0, 640, 480)));
  EXPECT_FALSE(scaler.draw(target, QImage(640, 480, QImage::Format_Indexed8), QRectF(0, 0, 640, 480)));
  QImage argbTarget(480, 360, QImage::Format_ARGB32);
  EXPECT_FALSE(scaler.draw(argbTarget, pattern(640, 480), QRectF(0, 0, 640, 480)));
}

}  // namespace
