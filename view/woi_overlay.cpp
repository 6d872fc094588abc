#include "woi_overlay.h"

#include <QPainter>
#include <algorithm>

#include "core/main_dialog_state.h"
#include "image_view_codes.h"
#include "zoom.h"

namespace {
bool near(int value, int coordinate) {
  return value - CWOI::kHitTolerance < coordinate && coordinate < value + CWOI::kHitTolerance;
}
}  // namespace

CWOI::CWOI(const OverlayEnv& env, int id) : COverlay(env, id, OVERLAY_WOI, 1), m_font(env.labelFont(kLabelPixelHeight)) {}

int CWOI::HitTest(int* outId, int x, int y) const {
  const int cx = m_x1 + (m_x2 - m_x1) / 2;
  const int cy = m_y1 + (m_y2 - m_y1) / 2;
  const bool withinY = m_y1 <= y && y <= m_y2;
  const bool withinX = m_x1 <= x && x <= m_x2;
  int code = 0;
  if (near(m_x1, x) && near(m_y1, y))
    code = WOI_HIT_TOP_LEFT;
  else if (near(m_x1, x) && near(m_y2, y))
    code = WOI_HIT_BOTTOM_LEFT;
  else if (near(m_x2, x) && near(m_y1, y))
    code = WOI_HIT_TOP_RIGHT;
  else if (near(m_x2, x) && near(m_y2, y))
    code = WOI_HIT_BOTTOM_RIGHT;
  else if (near(m_x1, x) && withinY)
    code = WOI_HIT_LEFT;
  else if (m_x2 - kHitTolerance <= x && x < m_x2 + kHitTolerance && withinY)
    code = WOI_HIT_RIGHT;
  else if (near(m_y1, y) && withinX)
    code = WOI_HIT_TOP;
  else if (near(m_y2, y) && withinX)
    code = WOI_HIT_BOTTOM;
  else if (near(cx, x) && near(cy, y))
    code = WOI_HIT_CENTRE;
  if (code != 0 && outId) *outId = m_nId;
  return code;
}

int CWOI::Draw(QPainter* painter) {
  if (!m_bVisible) return 0;
  if (!painter || !painter->isActive()) return kErrOverlayNoPainter;
  painter->save();
  painter->setPen(m_pen);
  painter->setBrush(Qt::NoBrush);
  if (m_bLabelShown) {
    m_strLabel = env_.textOf(kLabelId);
    if (m_strLabel.isEmpty()) {
      painter->restore();
      return kErrOverlayLabel;
    }
    // Below the window while zoomed, else inside its bottom edge.
    const bool zoomed = env_.zoom && env_.zoom->step() != 0;
    const QPoint at(m_x1 + 5, zoomed ? m_y2 + 5 : m_y2 - 25);
    painter->setFont(m_font);
    painter->setPen(FromColorRef(m_crText));
    painter->setBackgroundMode(Qt::TransparentMode);
    painter->drawText(at + QPoint(0, painter->fontMetrics().ascent()), m_strLabel);
    painter->setPen(m_pen);
  }
  const MainDialogState* state = env_.state;
  if (state && (state->m_bImageQualityView || state->m_bCodeDefinitionView)) {
    const int cx = m_x1 + (m_x2 - m_x1) / 2;
    const int cy = m_y1 + (m_y2 - m_y1) / 2;
    const QPoint square[] = {{cx - kCentreHalf, cy - kCentreHalf}, {cx + kCentreHalf, cy - kCentreHalf},
                             {cx + kCentreHalf, cy + kCentreHalf}, {cx - kCentreHalf, cy + kCentreHalf}};
    painter->drawPolygon(square, 4);
  }
  const QPoint frame[] = {{m_x1, m_y1}, {m_x2, m_y1}, {m_x2, m_y2}, {m_x1, m_y2}, {m_x1, m_y1}};
  painter->drawPolyline(frame, 5);
  painter->restore();
  return 1;
}

bool CWOI::IsValid(int x1, int y1, int x2, int y2) const {
  return x1 >= 1 && y1 >= 1 && x2 <= 639 && y2 <= 479 && x2 - x1 >= m_nMinWidth && y2 - y1 >= m_nMinHeight;
}

void CWOI::SetClamped(int x1, int y1, int x2, int y2) {
  Store(std::max(x1, 1), std::max(y1, 1), std::min(x2, 639), std::min(y2, 479), false);
}

int CWOI::Set(int x1, int y1, int x2, int y2) {
  if (!IsValid(x1, y1, x2, y2)) return kErrWoiInvalid;
  Store(x1, y1, x2, y2, true);
  return 0;
}

int CWOI::SetShown(int x1, int y1, int x2, int y2) {
  if (!IsValid(x1, y1, x2, y2)) return kErrWoiInvalid;
  Store(x1, y1, x2, y2, false);
  return 0;
}

int CWOI::Move(int x1, int y1, int x2, int y2, int startWidth) {
  const int w = startWidth >= 0 ? startWidth : x2 - x1;
  const auto keepInsideHorizontally = [&] {
    if (x1 < 1) {
      x1 = 1;
      x2 = w + 1;
    }
    if (x2 > 639) {
      x2 = 639;
      x1 = 639 - w;
    }
  };
  if (y1 < 1 && y2 < 479) {
    y2 += 1 - y1;
    y1 = 1;
    keepInsideHorizontally();
  } else if (y2 > 479 && y1 >= 2) {
    y1 -= y2 - 479;
    y2 = 479;
    keepInsideHorizontally();
  } else if (x1 < 1 && x2 < 639) {
    x2 += 1 - x1;
    x1 = 1;
  } else if (x2 > 639 && x1 >= 2) {
    x1 -= x2 - 639;
    x2 = 639;
  }
  if (!IsValid(x1, y1, x2, y2)) return kErrWoiMoveInvalid;
  Store(x1, y1, x2, y2, true);
  return 0;
}

void CWOI::Store(int x1, int y1, int x2, int y2, bool mirror) {
  m_x1 = x1;
  m_y1 = y1;
  m_x2 = x2;
  m_y2 = y2;
  if (mirror && env_.state) env_.state->m_rcWoi = ImageRect{x1, y1, x2, y2};
}
