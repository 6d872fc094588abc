#pragma once
// The marks drawn over the picture: the abstract COverlay and what every
// overlay reads from its image view (OverlayEnv). Coordinates are those of
// the 640 x 480 picture, never of the screen.
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "window/colours.h"  // the one COLORREF conversion

class QPainter;
struct MainDialogState;
struct GraphicsColours;
class CZoom;

enum OverlayKind {
  OVERLAY_WOI = 0,
  OVERLAY_BOUNDING_BOX = 1,
  OVERLAY_SCREEN_TEXT = 2,
  OVERLAY_BASE = 7,      // thin pen of its own style, no subclass
  OVERLAY_NOTHING_HIT = 8,
};

// The search window of a reading (its result record's items 11..14), which
// keeps a code box's label inside it.
struct ResultSearchWindow {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// The code boxes' regions: 100 slots, winding fill, in picture coordinates.
using CodeRegionTable = std::array<QPainterPath, 100>;

using TextLookup = std::function<QString(int id)>;
using ResultWindowLookup = std::function<std::optional<ResultSearchWindow>(int resultIndex)>;

// What overlays read of their owner; the image view holds one for all.
struct OverlayEnv {
  MainDialogState* state = nullptr;        // m_rcWoi, the page flags
  const GraphicsColours* colours = nullptr;
  const CZoom* zoom = nullptr;             // the label of the window of interest follows the zoom
  TextLookup text;                         // language strings by id
  ResultWindowLookup resultWindow;         // none: labels are not limited
  CodeRegionTable* codeRegions = nullptr;

  QString textOf(int id) const { return text ? text(id) : QString(); }
  // The bold label font of the overlays, face from language string 10002.
  QFont labelFont(int pixelHeight) const;
};

class COverlay {
public:
  COverlay(const OverlayEnv& env, int id, int kind, int style);
  virtual ~COverlay() = default;
  COverlay(const COverlay&) = delete;
  COverlay& operator=(const COverlay&) = delete;

  // A hit code (0 = not hit); on a hit *outId receives the id.
  virtual int HitTest(int* outId, int x, int y) const = 0;
  virtual int Draw(QPainter* painter) = 0;

  int SetVisible(bool visible);
  // Stores and applies a style 0..7; any other value changes nothing.
  int SetStyle(int style);

  int id() const { return m_nId; }
  int kind() const { return m_nKind; }
  int style() const { return m_nStyle; }
  bool visible() const { return m_bVisible; }
  bool hasPen() const { return m_bHasPen; }
  const QPen& pen() const { return m_pen; }
  std::uint32_t textColour() const { return m_crText; }

protected:
  void ApplyStyle(int style);

  const OverlayEnv& env_;
  int m_nPenWidth = 2;
  bool m_bVisible = true;
  int m_nId = 0;
  std::uint32_t m_crText = 0;
  QPen m_pen;
  bool m_bHasPen = false;  // kinds 1 and 2 draw nothing of a pen until their creator styles them
  int m_nStyle = 0;
  int m_nKind = 0;
};
