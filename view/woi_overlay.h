#pragma once
// CWOI: the window of interest, the search zone the user moves and resizes
// over the picture. Every rectangle it accepts is mirrored into m_rcWoi,
// which the configuration writer sends to the sensor.
#include "overlay.h"

// Hit codes of the window of interest: its corners, edges and centre handle.
enum WoiHit {
  WOI_HIT_LEFT = 10,
  WOI_HIT_TOP_LEFT = 11,
  WOI_HIT_TOP = 12,
  WOI_HIT_TOP_RIGHT = 13,
  WOI_HIT_RIGHT = 14,
  WOI_HIT_BOTTOM_RIGHT = 15,
  WOI_HIT_BOTTOM = 16,
  WOI_HIT_BOTTOM_LEFT = 17,
  WOI_HIT_CENTRE = 18,
};

class CWOI : public COverlay {
public:
  static constexpr int kLabelId = 7910;
  static constexpr int kLabelPixelHeight = 24;
  static constexpr int kHitTolerance = 5;
  static constexpr int kCentreHalf = 4;  // the centre square reaches 4 pixels each side

  CWOI(const OverlayEnv& env, int id);

  int HitTest(int* outId, int x, int y) const override;
  // 1 drawn; 0 invisible; -14090 no painter; -14091 the label failed (no frame drawn).
  int Draw(QPainter* painter) override;

  bool IsValid(int x1, int y1, int x2, int y2) const;
  void SetClamped(int x1, int y1, int x2, int y2);
  // 0, or -1 when not valid (nothing stored).
  int Set(int x1, int y1, int x2, int y2);
  // As Set, for a reading's search window: shown, never taken into m_rcWoi
  // (the configured window stays what the configuration holds).
  int SetShown(int x1, int y1, int x2, int y2);
  // The dragged rectangle pushed back inside the picture, keeping its size;
  // 0, or -14092 when the result is not valid (nothing stored). startWidth is
  // the width when the drag started (-1: the dragged rectangle's width).
  int Move(int x1, int y1, int x2, int y2, int startWidth = -1);

  void SetLabelShown(bool shown) { m_bLabelShown = shown; }
  bool labelShown() const { return m_bLabelShown; }
  int x1() const { return m_x1; }
  int y1() const { return m_y1; }
  int x2() const { return m_x2; }
  int y2() const { return m_y2; }
  const QString& label() const { return m_strLabel; }

private:
  void Store(int x1, int y1, int x2, int y2, bool mirror);

  bool m_bLabelShown = false;
  int m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
  QString m_strLabel;
  int m_nMinWidth = 30;
  int m_nMinHeight = 30;
  QFont m_font;
};
