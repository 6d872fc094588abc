#include "bounding_box.h"

#include <QPainter>

#include "image_view_codes.h"

CBoundingBox::CBoundingBox(const OverlayEnv& env, int id)
    : COverlay(env, id, OVERLAY_BOUNDING_BOX, 1), m_font(env.labelFont(kLabelPixelHeight)) {}

int CBoundingBox::SetCorners(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int resultIndex) {
  m_corners = {QPoint(x0, y0), QPoint(x1, y1), QPoint(x2, y2), QPoint(x3, y3)};
  m_nResultIndex = resultIndex;
  return 0;
}

int CBoundingBox::SetLabel(const QString& text) {
  if (text.size() > kMaxLabelLength) return kErrBoxLabelTooLong;
  m_strLabel = text;
  return 0;
}

void CBoundingBox::CreateRegion(int slot) const {
  if (!env_.codeRegions || slot < 0 || slot >= static_cast<int>(env_.codeRegions->size())) return;
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  path.addPolygon(QPolygonF(QPolygon(QList<QPoint>(m_corners.begin(), m_corners.end()))));
  path.closeSubpath();
  (*env_.codeRegions)[static_cast<std::size_t>(slot)] = path;
}

QPoint CBoundingBox::LabelAnchor() const {
  QPoint anchor = m_corners[0];
  for (const QPoint& corner : m_corners)
    if (corner.y() > anchor.y()) anchor = corner;  // the first of equal ones stays
  if (env_.resultWindow) {
    if (const auto window = env_.resultWindow(m_nResultIndex); window && anchor.y() > window->bottom - 15) {
      anchor.setY(window->bottom - 15);
      if (anchor.x() < window->right - 15) anchor.setX(anchor.x() + 15);
    }
  }
  return anchor;
}

int CBoundingBox::Draw(QPainter* painter) {
  if (!m_bVisible) return 0;
  if (!painter || !painter->isActive()) return kErrOverlayNoPainter;
  painter->save();
  painter->setFont(m_font);
  painter->setPen(FromColorRef(m_crText));
  painter->setBackgroundMode(Qt::TransparentMode);
  const QPoint at = LabelAnchor() + QPoint(0, 5);
  painter->drawText(at + QPoint(0, painter->fontMetrics().ascent()), m_strLabel);
  painter->setPen(m_pen);
  painter->setBrush(Qt::NoBrush);
  painter->drawPolygon(m_corners.data(), 4);
  painter->restore();
  return 1;
}
