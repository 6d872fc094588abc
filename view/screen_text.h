#pragma once
// CScreenText: one free line of text over the picture (the evaluation
// caption of the service mode).
#include "overlay.h"

class CScreenText : public COverlay {
public:
  static constexpr int kFontPixelHeight = 24;

  CScreenText(const OverlayEnv& env, int id);

  int HitTest(int*, int, int) const override { return 0; }  // never hit
  // 0 drawn or invisible; -14070 no painter; -14071 the painter refused.
  int Draw(QPainter* painter) override;

  int SetText(const QString& text);
  // 0, or -14072 outside the picture (x > 640 or y > 480, negatives too).
  int SetPosition(int x, int y);
  void SetTransparent(bool transparent) { m_bTransparent = transparent; }
  void SetColours(std::uint32_t text, std::uint32_t background);

  const QString& text() const { return m_strText; }
  QPoint position() const { return {m_x, m_y}; }
  bool transparent() const { return m_bTransparent; }
  std::uint32_t textColour() const { return m_crTextColour; }
  std::uint32_t backgroundColour() const { return m_crBackground; }

private:
  QString m_strText;
  int m_x = 0;
  int m_y = 0;
  bool m_bTransparent = true;
  std::uint32_t m_crTextColour = 0xFF0000;  // blue
  std::uint32_t m_crBackground = 0;
  QFont m_font;
};
