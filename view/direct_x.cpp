#include "direct_x.h"

#include <QPainter>
#include <QScrollBar>
#include <filesystem>

#include "bounding_box.h"
#include "core/main_dialog_state.h"
#include "image_view_codes.h"
#include "picture_control.h"
#include "platform/lib_dir.h"
#include "screen_text.h"
#include "source_rect.h"
#include "woi_overlay.h"

namespace {

// Rows a blend keeps on the calling thread (Qt hands it to its pool from
// about 96 rows on).
constexpr int kBandRows = 64;

QImage loadLindaroBitmap(int id) {
  static const int anchor = 0;
  const std::filesystem::path file = vt::libDirFor(&anchor) / "Lindaro" / (std::to_string(id) + ".png");
  return QImage(QString::fromStdString(file.string()));
}

}  // namespace

CDirectX::CDirectX(MainDialogState& state, const GraphicsColours& colours, TextLookup texts, QWidget* parent)
    : state_(state), zoom_(state, *this), loadBitmap_(loadLindaroBitmap) {
  env_.state = &state;
  env_.colours = &colours;
  env_.zoom = &zoom_;
  env_.text = std::move(texts);
  env_.codeRegions = &m_hCodeRegions;
  control_ = new PictureControl(*this, parent);
}

CDirectX::~CDirectX() {
  overlays_.clear();
  if (!control_) return;
  if (control_->parent())
    control_->detach();
  else
    delete control_.data();
}

int CDirectX::InitDirectDraw() {
  if (surface_.isNull()) {
    surface_ = QImage(kSurfaceWidth, kSurfaceHeight, QImage::Format_RGB32);
    if (surface_.isNull()) return kErrNoSurface;
    surface_.fill(Qt::black);
  }
  m_bPlaceholder = true;
  return 0;
}

int CDirectX::Render() {
  if (surface_.isNull()) return 0;
  surfaceStale_ = true;
  screenStale_ = true;
  BlitToScreen();
  return 0;
}

QImage CDirectX::surface() const {
  if (surfaceStale_ && Draw(surface_, QRect(0, 0, kSurfaceWidth, kSurfaceHeight), surfaceScaler_))
    surfaceStale_ = false;
  return surface_;
}

const QImage& CDirectX::screen(QSize area) const {
  if (screen_.size() != area) {
    screen_ = QImage(area, QImage::Format_RGB32);
    screen_.fill(Qt::black);
    screenStale_ = true;
  }
  if (screenSource_ != sourceRect_) screenStale_ = true;
  if (screenStale_ && Draw(screen_, sourceRect_, screenScaler_)) {
    screenStale_ = false;
    screenSource_ = sourceRect_;
  }
  return screen_;
}

bool CDirectX::Draw(QImage& target, const QRect& source, PictureScaler& scaler) const {
  if (source.isEmpty()) return false;
  // Every picture fills the surface (a live frame is a quarter of it), so
  // the source rectangle scales to the picture's own size.
  const qreal sx = qreal(picture_.width()) / kSurfaceWidth;
  const qreal sy = qreal(picture_.height()) / kSurfaceHeight;
  const QRectF from(source.x() * sx, source.y() * sy, source.width() * sx, source.height() * sy);
  // Before the painter: writing the pixels may detach a target shared with a stored copy.
  const bool scaled = !picture_.isNull() && scaler.draw(target, picture_, from);
  QPainter painter(&target);
  if (!painter.isActive()) return false;  // skip the frame, keep the last one
  ++renders_;
  const QRectF to(target.rect());
  if (picture_.isNull())
    painter.fillRect(target.rect(), Qt::black);
  else if (!scaled)
    drawScaled(painter, to, from);
  if (source != target.rect()) {
    painter.scale(to.width() / source.width(), to.height() / source.height());
    painter.translate(-source.x(), -source.y());
  }
  for (const auto& overlay : overlays_)
    if (overlay && overlay->visible()) overlay->Draw(&painter);
  return true;
}

// Pictures the scaler does not take (a placeholder of another format).
void CDirectX::drawScaled(QPainter& painter, const QRectF& to, const QRectF& from) const {
  // Qt spreads a blend of many rows over its worker threads, which costs
  // more CPU than it saves at this size (half the live image's CPU went
  // there); bands of fewer rows stay on this thread. Clipped bands of one
  // transform sample the picture as one draw does.
  for (int top = 0; top < int(to.height()); top += kBandRows) {
    painter.setClipRect(QRect(0, top, int(to.width()), kBandRows));
    painter.drawImage(to, picture_, from);
  }
  painter.setClipping(false);
}

void CDirectX::BlitToScreen() {
  if (control_) control_->update();
}

void CDirectX::UpdateSourceRect(bool centreOnZoomPoint) {
  const int w = zoom_.visibleWidth();
  const int h = zoom_.visibleHeight();
  int left = 0;
  int top = 0;
  if (centreOnZoomPoint) {
    const auto x = source_rect::centred(state_.m_ptZoomCentre.x, w, kSurfaceWidth);
    const auto y = source_rect::centred(state_.m_ptZoomCentre.y, h, kSurfaceHeight);
    left = x.offset;
    top = y.offset;
    state_.m_nPictureScrollX = x.scroll;
    state_.m_nPictureScrollY = y.scroll;
    if (control_) control_->setScrollPositions(x.scroll, y.scroll);
  } else {
    left = source_rect::offsetOfScroll(state_.m_nPictureScrollX, w, kSurfaceWidth);
    top = source_rect::offsetOfScroll(state_.m_nPictureScrollY, h, kSurfaceHeight);
  }
  sourceRect_ = QRect(left, top, w, h);
  BlitToScreen();
}

int CDirectX::ShowPicture(QImage picture) {
  if (picture.isNull()) return -1;
  picture_ = std::move(picture);
  m_nPictureWidth = picture_.width();
  m_nPictureHeight = picture_.height();
  Render();
  m_bPlaceholder = false;
  return 0;
}

int CDirectX::ShowDefaultImage() {
  zoom_.Reset();
  if (surface_.isNull()) return kErrNoDrawingContext;
  // A missing bitmap leaves a black picture rather than the last sensor picture.
  picture_ = loadBitmap_ ? loadBitmap_(kPlaceholderBitmapId) : QImage();
  m_nPictureWidth = picture_.width();
  m_nPictureHeight = picture_.height();
  Render();
  m_bPlaceholder = true;
  return 0;
}

int CDirectX::AddOverlay(int kind, int* outId, COverlay** outOverlay) {
  const int id = m_nNextId++;
  if (outId) *outId = id;
  std::unique_ptr<COverlay> overlay;
  switch (kind) {
    case OVERLAY_WOI: overlay = std::make_unique<CWOI>(env_, id); break;
    case OVERLAY_BOUNDING_BOX: overlay = std::make_unique<CBoundingBox>(env_, id); break;
    case OVERLAY_SCREEN_TEXT: overlay = std::make_unique<CScreenText>(env_, id); break;
    default: break;  // nothing made; the id is used up all the same
  }
  if (outOverlay) *outOverlay = overlay.get();
  if (overlay) overlays_.push_back(std::move(overlay));
  return 0;
}

int CDirectX::HitTestOverlays(int x, int y, int* outId, int* outKind, int* outCode) const {
  for (auto it = overlays_.rbegin(); it != overlays_.rend(); ++it) {
    if (!*it) continue;
    int id = -1;
    if (const int code = (*it)->HitTest(&id, x, y); code != 0) {
      if (outId) *outId = (*it)->id();
      if (outKind) *outKind = (*it)->kind();
      if (outCode) *outCode = code;
      return 0;
    }
  }
  if (outKind) *outKind = OVERLAY_NOTHING_HIT;
  if (outId) *outId = -1;
  return -1;
}

int CDirectX::FindOverlay(int id, int* outKind, COverlay** outOverlay) const {
  if (outOverlay) *outOverlay = nullptr;
  if (overlays_.empty()) return kErrOverlayNotFound;
  for (const auto& overlay : overlays_) {
    if (!overlay) return kErrOverlayEmptyEntry;
    if (overlay->id() == id) {
      if (outKind) *outKind = overlay->kind();
      if (outOverlay) *outOverlay = overlay.get();
      return 0;
    }
  }
  return kErrOverlayNotFound;
}

int CDirectX::CountOverlaysOfKind(int kind) const {
  return static_cast<int>(
      std::count_if(overlays_.begin(), overlays_.end(), [kind](const auto& o) { return o && o->kind() == kind; }));
}

int CDirectX::ShowAllOverlays(bool visible) {
  for (const auto& overlay : overlays_)
    if (overlay) overlay->SetVisible(visible);
  return 0;
}

int CDirectX::ShowOverlay(int id, bool visible) {
  COverlay* overlay = nullptr;
  if (FindOverlay(id, nullptr, &overlay) != 0) return kErrOverlayNoSuchId;
  return overlay->SetVisible(visible);
}

int CDirectX::SetOverlayStyle(int id, int style) {
  COverlay* overlay = nullptr;
  if (FindOverlay(id, nullptr, &overlay) != 0) return kErrOverlayNoSuchId;
  return overlay->SetStyle(style);
}

int CDirectX::GetOverlayStyle(int id, int* outStyle) const {
  COverlay* overlay = nullptr;
  if (FindOverlay(id, nullptr, &overlay) != 0) return kErrOverlayNoSuchId;
  if (outStyle) *outStyle = overlay->style();
  return 0;
}

void CDirectX::RefreshOverlayStyles() {
  for (const auto& overlay : overlays_)
    if (overlay && overlay->hasPen()) overlay->SetStyle(overlay->style());
}

int CDirectX::RemoveAllOverlays() {
  if (overlays_.empty()) return 0;
  overlays_.clear();
  m_nNextId = 1;
  Render();
  return 0;
}

int CDirectX::RemoveOverlaysOfKind(int kind) {
  if (overlays_.empty()) return 0;
  std::erase_if(overlays_, [kind](const auto& o) { return o && o->kind() == kind; });
  Render();
  return 0;
}

void CDirectX::ClearCodeRegions() {
  for (QPainterPath& path : m_hCodeRegions) path = QPainterPath();
}
