#pragma once
// CBoundingBox: the outline of one read code with its running number.
#include <QPoint>
#include <array>

#include "overlay.h"

class CBoundingBox : public COverlay {
public:
  static constexpr int kLabelPixelHeight = 20;
  static constexpr int kMaxLabelLength = 32;

  CBoundingBox(const OverlayEnv& env, int id);

  int HitTest(int*, int, int) const override { return 0; }  // boxes are never hit
  // 1 drawn; 0 invisible; -14090 no painter.
  int Draw(QPainter* painter) override;

  // Corners in the order the result gives them; resultIndex names the result
  // record whose search window bounds the label.
  int SetCorners(int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int resultIndex);
  // 0, or -14093 for 33 or more characters (label unchanged).
  int SetLabel(const QString& text);
  // The box as a region (winding fill) in slot 0..99 of the code-region table.
  void CreateRegion(int slot) const;

  // Where the label's top-left corner goes: below the lowest corner, kept
  // inside the result's search window.
  QPoint LabelAnchor() const;
  const std::array<QPoint, 4>& corners() const { return m_corners; }
  const QString& label() const { return m_strLabel; }

private:
  std::array<QPoint, 4> m_corners{};
  int m_nResultIndex = 0;
  QString m_strLabel;
  QFont m_font;
};
