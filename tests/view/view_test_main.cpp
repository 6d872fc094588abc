// The view's widget tests run in one QApplication (offscreen).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Also when the build lists the tests: no display there.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  qputenv("QT_FONT_DPI", "96");
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
