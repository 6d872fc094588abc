#include "image_view_service.h"

#include "core/main_dialog_state.h"

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
