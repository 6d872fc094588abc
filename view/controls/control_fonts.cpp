#include "control_fonts.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

QFont fontForCellHeight(int cellHeight, int weight, const QString& face, bool italic) {
  QFont font(face.isEmpty() ? QString::fromLatin1(kDefaultFace) : face);
  font.setWeight(weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setItalic(italic);
  int pixels = cellHeight > 1 ? cellHeight : 1;
  font.setPixelSize(pixels);
  while (pixels > 1 && QFontMetrics(font).height() > cellHeight) {
    font.setPixelSize(--pixels);
  }
  return font;
}

double screenScale() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return 1.0;
  return screen->logicalDotsPerInchX() / 96.0;
}
