#pragma once
// An image view over a state of its own, with the program's English texts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <filesystem>
#include <memory>

#include "core/main_dialog_state.h"
#include "platform/string_table.h"
#include "view/direct_x.h"

namespace viewtest {

inline const vt::StringTable& englishTexts() {
  static const vt::StringTable table = [] {
    vt::StringTable t;
    t.load(std::filesystem::path(VT_SOURCE_DIR) / "resources/VarnisLang09/strings.txt");
    return t;
  }();
  return table;
}

inline QString englishText(int id) {
  const auto text = englishTexts().get(static_cast<std::uint32_t>(id));
  return text ? QString::fromUtf8(text->data(), static_cast<qsizetype>(text->size())) : QString();
}

// 640 x 480 grey picture, value from x.
inline QImage greyRamp() {
  QImage image(640, 480, QImage::Format_Grayscale8);
  for (int y = 0; y < 480; ++y) {
    uchar* row = image.scanLine(y);
    for (int x = 0; x < 640; ++x) row[x] = static_cast<uchar>(x * 255 / 639);
  }
  return image;
}

inline QImage flatGrey(int width, int height, int value) {
  QImage image(width, height, QImage::Format_Grayscale8);
  image.fill(value);
  return image;
}

// Counts pixels of exactly this colour inside a rectangle of an image.
inline int countColour(const QImage& image, const QRect& area, QColor colour) {
  int n = 0;
  const QRect r = area.intersected(image.rect());
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.pixelColor(x, y).rgb() == colour.rgb()) ++n;
  return n;
}

class ImageViewTest : public testing::Test {
protected:
  ImageViewTest() {
    view = std::make_unique<CDirectX>(state, state.colours, englishText);
    EXPECT_EQ(view->InitDirectDraw(), 0);
  }
  // The picture control as it shows now.
  QImage grabControl() { return view->pictureControl()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  MainDialogState state;
  std::unique_ptr<CDirectX> view;
};

}  // namespace viewtest
