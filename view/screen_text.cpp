#include "screen_text.h"

#include <QPainter>

#include "image_view_codes.h"

CScreenText::CScreenText(const OverlayEnv& env, int id)
    : COverlay(env, id, OVERLAY_SCREEN_TEXT, 0), m_font(env.labelFont(kFontPixelHeight)) {}

int CScreenText::SetText(const QString& text) {
  m_strText = text;
  return 0;
}

int CScreenText::SetPosition(int x, int y) {
  // Compared unsigned, so a negative coordinate is outside too.
  if (static_cast<unsigned>(x) > 640u || static_cast<unsigned>(y) > 480u) return kErrScreenTextPosition;
  m_x = x;
  m_y = y;
  return 0;
}

void CScreenText::SetColours(std::uint32_t text, std::uint32_t background) {
  m_crTextColour = text;
  m_crBackground = background;
}

int CScreenText::Draw(QPainter* painter) {
  if (!m_bVisible) return 0;
  if (!painter) return kErrScreenTextNoPainter;
  if (!painter->isActive()) return kErrScreenTextDraw;
  painter->save();
  painter->setFont(m_font);
  painter->setBackgroundMode(m_bTransparent ? Qt::TransparentMode : Qt::OpaqueMode);
  painter->setBackground(FromColorRef(m_crBackground));
  painter->setPen(FromColorRef(m_crTextColour));
  painter->drawText(QPoint(m_x, m_y + painter->fontMetrics().ascent()), m_strText);
  painter->restore();
  return 0;
}
