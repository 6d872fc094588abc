#include "overlay.h"

#include "core/graphics_colours.h"

QFont OverlayEnv::labelFont(int pixelHeight) const {
  QFont font;
  const QString face = textOf(10002);
  if (!face.isEmpty()) font.setFamily(face);
  font.setPixelSize(pixelHeight);
  font.setWeight(QFont::Bold);
  return font;
}

COverlay::COverlay(const OverlayEnv& env, int id, int kind, int style)
    : env_(env), m_nId(id), m_nStyle(style), m_nKind(kind) {
  // The window of interest and the base kind come with their pen; the others
  // get one when their creator styles them.
  if (kind == OVERLAY_WOI) ApplyStyle(3);
  if (kind == OVERLAY_BASE) ApplyStyle(7);
}

int COverlay::SetVisible(bool visible) {
  m_bVisible = visible;
  return 0;
}

int COverlay::SetStyle(int style) {
  ApplyStyle(style);
  return 0;
}

void COverlay::ApplyStyle(int style) {
  const GraphicsColours defaults;
  const GraphicsColours& colours = env_.colours ? *env_.colours : defaults;
  int width = 0;
  std::uint32_t penColour = 0;
  bool textFollows = true;
  switch (style) {
    case 0:
    case 1:
    case 2: width = m_nPenWidth; break;
    case 3: width = 2; penColour = colours.regionColour; break;
    case 4: width = 2; penColour = colours.passColour; break;
    case 5: width = 2; penColour = colours.failColour; break;
    case 6:
    case 7: width = 1; textFollows = false; break;
    default: return;
  }
  m_nStyle = style;
  m_pen = QPen(FromColorRef(penColour), width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
  m_bHasPen = true;
  if (textFollows) m_crText = penColour;
}
