#include "resources/program_bitmaps.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kSize = ProgramBitmaps::kQualityCheckSize;

// A 13 x 13 check box, sunken like the system's, on a transparent cell.
void DrawBox(QPainter& p, int x) {
  const QRect box(x + 1, 1, 13, 13);
  p.fillRect(box, QColor(128, 128, 128));
  p.fillRect(box.adjusted(1, 1, 0, 0), Qt::white);
  p.fillRect(box.adjusted(1, 1, -1, -1), QColor(64, 64, 64));
  p.fillRect(box.adjusted(2, 2, -1, -1), QColor(212, 208, 200));
  p.fillRect(box.adjusted(2, 2, -2, -2), Qt::white);
}

void DrawTick(QPainter& p, int x) {
  QPainterPath tick;
  tick.moveTo(x + 4.5, 7.0);
  tick.lineTo(x + 6.5, 9.5);
  tick.lineTo(x + 10.5, 4.5);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(Qt::black, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawPath(tick);
  p.setRenderHint(QPainter::Antialiasing, false);
}

void DrawFolder(QPainter& p, int x) {
  const QColor edge(128, 96, 0);
  const QColor back(224, 176, 32);
  const QColor front(255, 216, 80);
  // Tab and back wall, then the front flap a little lower.
  p.setPen(edge);
  p.setBrush(back);
  p.drawPolygon(QPolygon({QPoint(x + 1, 3), QPoint(x + 6, 3), QPoint(x + 7, 4), QPoint(x + 14, 4),
                          QPoint(x + 14, 13), QPoint(x + 1, 13)}));
  p.setBrush(front);
  p.drawPolygon(QPolygon({QPoint(x + 1, 13), QPoint(x + 3, 7), QPoint(x + 15, 7), QPoint(x + 14, 13)}));
}

QPixmap QualityChecks() {
  QPixmap strip(3 * kSize + 1, kSize);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  DrawBox(p, 0);
  DrawBox(p, kSize);
  DrawTick(p, kSize);
  DrawFolder(p, 2 * kSize);
  return strip;
}

}  // namespace

QPixmap ProgramBitmaps::bitmap(int id) {
  if (id == kQualityChecks) return QualityChecks();
  return {};
}
