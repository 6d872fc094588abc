#pragma once
// CDirectX: the image view. It keeps the picture (by value) and the overlay
// list (list order = drawing order), the zoom and the code regions. Drawing
// is deferred: Render marks the picture for drawing and the picture control
// draws it once at its next paint, the picture scaled once from its own size
// to the control's and the overlays drawn at that scale; the 640 x 480
// surface (picture stretched, overlays on top) is drawn only when asked for.
// GUI thread only: other threads hand frames over (LiveImageFeed).
#include <QImage>
#include <QPointer>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>

#include "overlay.h"
#include "picture_control.h"
#include "picture_scaler.h"
#include "zoom.h"

class QWidget;
struct MainDialogState;
struct GraphicsColours;

class CDirectX {
public:
  static constexpr int kSurfaceWidth = 640;
  static constexpr int kSurfaceHeight = 480;
  static constexpr int kPlaceholderBitmapId = 75;

  // The picture control (objectName "1074", 480 x 360, with its scroll bars)
  // is created as a child of parent; the main window places it.
  CDirectX(MainDialogState& state, const GraphicsColours& colours, TextLookup texts, QWidget* parent = nullptr);
  ~CDirectX();
  CDirectX(const CDirectX&) = delete;
  CDirectX& operator=(const CDirectX&) = delete;

  // Allocates the surface: 0, or -10053 when it cannot be (drawing then does nothing).
  int InitDirectDraw();
  // Picture and visible overlays are to be drawn again: the control draws
  // them once at its next paint, however many changes came before (a reading
  // changes picture, boxes and search area in one go). Never fails; a draw
  // that cannot start skips the frame.
  int Render();
  // Repaints the control from what was drawn last.
  void BlitToScreen();
  // The source rectangle for the current zoom: centred on m_ptZoomCentre
  // (setting the scroll positions), or from m_nPictureScrollX/Y; then repaints.
  void UpdateSourceRect(bool centreOnZoomPoint);

  // Shows a new picture (grey 640 x 480, live 320 x 240, or a stored colour
  // frame): renders it and clears the placeholder flag. -1 for a null
  // picture, which changes nothing.
  int ShowPicture(QImage picture);
  // Resets the zoom and shows bitmap 75 of the common resources as the
  // placeholder; -10050 without a surface.
  int ShowDefaultImage();

  // Overlays (kinds 0 window of interest, 1 code box, 2 screen text).
  int AddOverlay(int kind, int* outId, COverlay** outOverlay);
  int HitTestOverlays(int x, int y, int* outId, int* outKind, int* outCode) const;
  int FindOverlay(int id, int* outKind, COverlay** outOverlay) const;
  int CountOverlaysOfKind(int kind) const;
  int ShowAllOverlays(bool visible);
  int ShowOverlay(int id, bool visible);
  int SetOverlayStyle(int id, int style);
  int GetOverlayStyle(int id, int* outStyle) const;
  // Re-applies every style, so pens and texts take the current colours.
  void RefreshOverlayStyles();
  int RemoveAllOverlays();
  int RemoveOverlaysOfKind(int kind);

  CZoom& zoom() { return zoom_; }
  const CZoom& zoom() const { return zoom_; }
  PictureControl* pictureControl() const { return control_; }
  // The 640 x 480 surface, picture and overlays as rendered (for the stored
  // images and the evaluation save); drawn now if a render is pending. Null
  // before InitDirectDraw.
  QImage surface() const;
  const QImage& picture() const { return picture_; }
  QRect sourceRect() const { return sourceRect_; }
  bool placeholderShown() const { return m_bPlaceholder; }
  int pictureWidth() const { return m_nPictureWidth; }
  int pictureHeight() const { return m_nPictureHeight; }
  int nextOverlayId() const { return m_nNextId; }
  // How often picture and overlays were drawn, for the control or the
  // surface (tests and benches count the draws a reading costs).
  int renderCount() const { return renders_; }
  const std::vector<std::unique_ptr<COverlay>>& overlays() const { return overlays_; }

  // m_hCodeRegions: the code boxes' regions, filled by CBoundingBox::CreateRegion.
  CodeRegionTable& codeRegions() { return m_hCodeRegions; }
  void ClearCodeRegions();
  // Where a code box's label finds its reading's search window.
  void setResultWindowLookup(ResultWindowLookup lookup) { env_.resultWindow = std::move(lookup); }
  // Where bitmaps of the common resources come from (default: Lib/Lindaro/<id>.png).
  void setBitmapLoader(std::function<QImage(int id)> loader) { loadBitmap_ = std::move(loader); }

private:
  friend class PictureControl;
  bool hasSurface() const { return !surface_.isNull(); }
  // What the control shows in an area of this size: drawn again only after
  // a render or when the area or the source rectangle changed.
  const QImage& screen(QSize area) const;
  // Picture and visible overlays into target, which shows `source` (surface
  // coordinates) whole: the picture scaled once, without smoothing.
  bool Draw(QImage& target, const QRect& source, PictureScaler& scaler) const;
  void drawScaled(QPainter& painter, const QRectF& to, const QRectF& from) const;

  MainDialogState& state_;
  OverlayEnv env_;
  CZoom zoom_;
  CodeRegionTable m_hCodeRegions;
  std::function<QImage(int)> loadBitmap_;

  int m_nNextId = 1;
  mutable int renders_ = 0;
  bool m_bPlaceholder = true;
  int m_nPictureWidth = 0;
  int m_nPictureHeight = 0;
  QRect sourceRect_{0, 0, kSurfaceWidth, kSurfaceHeight};
  QImage picture_;
  // Both drawn lazily; a render makes both stale.
  mutable QImage surface_;
  mutable bool surfaceStale_ = false;
  mutable QImage screen_;
  mutable QRect screenSource_;
  mutable bool screenStale_ = true;
  mutable PictureScaler screenScaler_;
  mutable PictureScaler surfaceScaler_;
  std::vector<std::unique_ptr<COverlay>> overlays_;
  QPointer<PictureControl> control_;  // owned by its parent widget, or by us while it has none
};
