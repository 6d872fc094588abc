#include "image_view_service.h"

#include "core/main_dialog_state.h"
#include "woi_overlay.h"
#include "woi_rebuild.h"

ImageView::ImageView() = default;
ImageView::~ImageView() = default;

void ImageView::Attach(MainDialogState& state, std::function<QString(int)> text, std::function<QImage(int)> bitmap) {
  feed_.reset();
  view_ = std::make_unique<CDirectX>(state, state.colours, std::move(text));
  if (bitmap) view_->setBitmapLoader(std::move(bitmap));
  feed_ = std::make_unique<LiveImageFeed>(*view_);
  ownState_.reset();
}

CDirectX& ImageView::view() {
  if (!view_) {
    // Not attached (a test of the service alone): a state of its own.
    ownState_ = std::make_unique<MainDialogState>();
    view_ = std::make_unique<CDirectX>(*ownState_, ownState_->colours, nullptr);
    feed_ = std::make_unique<LiveImageFeed>(*view_);
  }
  return *view_;
}

QWidget* ImageView::widget() { return view().pictureControl(); }

int ImageView::CountOverlaysOfKind(int kind) const { return view_ ? view_->CountOverlaysOfKind(kind) : 0; }

// Any thread: the feed exists from the view's making on, which happens on the
// GUI thread before the window starts anything that offers frames.
void ImageView::OfferLiveFrame(LiveFrame frame) {
  if (feed_) feed_->offer(std::move(frame));
}

void ImageView::ShowScrollBars(bool shown) {
  if (view_) view_->pictureControl()->showScrollBars(shown);
}

QRect ImageView::WoiRect(int id) const {
  int kind = -1;
  COverlay* overlay = nullptr;
  if (!view_ || view_->FindOverlay(id, &kind, &overlay) != 0 || kind != 0) return {};
  const auto* woi = static_cast<const CWOI*>(overlay);
  return QRect(QPoint(woi->x1(), woi->y1()), QPoint(woi->x2(), woi->y2()));
}

int ImageView::DragWoi(int id, int hitCode, QRect start, QPoint delta) {
  int kind = -1;
  COverlay* overlay = nullptr;
  if (!view_ || view_->FindOverlay(id, &kind, &overlay) != 0 || kind != 0) return -1;
  auto* woi = static_cast<CWOI*>(overlay);
  int x1 = start.left(), y1 = start.top(), x2 = start.right(), y2 = start.bottom();
  const int dx = delta.x(), dy = delta.y();
  int result = 0;
  if (hitCode == WOI_HIT_CENTRE) {
    result = woi->Move(x1 + dx, y1 + dy, x2 + dx, y2 + dy, x2 - x1);
  } else {
    if (hitCode == WOI_HIT_LEFT || hitCode == WOI_HIT_TOP_LEFT || hitCode == WOI_HIT_BOTTOM_LEFT) x1 += dx;
    if (hitCode == WOI_HIT_RIGHT || hitCode == WOI_HIT_TOP_RIGHT || hitCode == WOI_HIT_BOTTOM_RIGHT) x2 += dx;
    if (hitCode == WOI_HIT_TOP || hitCode == WOI_HIT_TOP_LEFT || hitCode == WOI_HIT_TOP_RIGHT) y1 += dy;
    if (hitCode == WOI_HIT_BOTTOM || hitCode == WOI_HIT_BOTTOM_LEFT || hitCode == WOI_HIT_BOTTOM_RIGHT) y2 += dy;
    result = woi->Set(x1, y1, x2, y2);
  }
  view_->Render();
  return result;
}

int ImageView::ResultRegionAt(QPoint imagePoint) const {
  if (!view_) return -1;
  const CodeRegionTable& regions = const_cast<CDirectX&>(*view_).codeRegions();
  for (std::size_t i = 0; i < regions.size(); ++i)
    if (!regions[i].isEmpty() && regions[i].contains(QPointF(imagePoint))) return int(i);
  return -1;
}

int ImageView::ShowWoiOverlay(const ImageRect& configured, bool labelShown) {
  if (!view_) return 0;
  return RebuildWoiOverlay(*view_, configured, labelShown, WoiShown::Configured);
}
