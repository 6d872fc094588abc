#pragma once
// The image view as the main window's ImageViewService: a CDirectX made when
// the window attaches its state, texts and bitmaps.
#include <memory>

#include "services/view_services.h"
#include "view/direct_x.h"
#include "view/live_image_feed.h"

class ImageView : public ImageViewService {
public:
  ImageView();
  ~ImageView() override;

  void Attach(MainDialogState& state, std::function<QString(int)> text,
              std::function<QImage(int)> bitmap) override;
  QWidget* widget() override;
  int InitDirectDraw() override { return view().InitDirectDraw(); }
  int Render() override { return view().Render(); }
  void BlitToScreen() override { view().BlitToScreen(); }
  void ShowDefaultImage() override { view().ShowDefaultImage(); }
  int RemoveAllOverlays() override { return view().RemoveAllOverlays(); }
  int RemoveOverlaysOfKind(int kind) override { return view().RemoveOverlaysOfKind(kind); }
  int ShowOverlay(int id, bool visible) override { return view().ShowOverlay(id, visible); }
  int CountOverlaysOfKind(int kind) const override;
  void UpdateSourceRect(int centreOnZoomPoint) override { view().UpdateSourceRect(centreOnZoomPoint != 0); }
  void ApplyZoom(int step) override { view().zoom().Apply(step); }
  void ResetZoom() override { view().zoom().Reset(); }
  void SetZoomToolActive(bool on) override { view().zoom().SetToolActive(on); }
  void ZoomIn() override { view().zoom().ZoomIn(); }
  void ZoomOut() override { view().zoom().ZoomOut(); }
  int ShowPicture(QImage picture) override { return view().ShowPicture(std::move(picture)); }
  void OfferLiveFrame(LiveFrame frame) override;
  QImage surface() const override { return view_ ? view_->surface() : QImage(); }
  int ShowWoiOverlay(const ImageRect& configured, bool labelShown) override;
  int HitTestOverlays(int x, int y, int* outId, int* outKind, int* outCode) override {
    return view().HitTestOverlays(x, y, outId, outKind, outCode);
  }
  int GetOverlayStyle(int id, int* outStyle) override { return view().GetOverlayStyle(id, outStyle); }
  int SetOverlayStyle(int id, int style) override { return view().SetOverlayStyle(id, style); }
  void RefreshOverlayStyles() override { view().RefreshOverlayStyles(); }
  float ZoomFactor() const override { return view_ ? view_->zoom().factor() : 1.0f; }
  int ZoomStep() const override { return view_ ? view_->zoom().step() : 0; }
  QRect SourceRect() const override { return view_ ? view_->sourceRect() : QRect(0, 0, 640, 480); }
  QRect PictureArea() const override {
    return view_ && view_->pictureControl() ? view_->pictureControl()->pictureArea() : QRect(0, 0, 480, 360);
  }
  void ShowScrollBars(bool shown) override;
  QRect WoiRect(int id) const override;
  int DragWoi(int id, int hitCode, QRect start, QPoint delta) override;
  int ResultRegionAt(QPoint imagePoint) const override;

  // The view itself, for the features of view/ that draw into it.
  CDirectX& view();
  // The live frames' hand-over (null before the window attaches).
  const LiveImageFeed* feed() const { return feed_.get(); }

private:
  std::unique_ptr<MainDialogState> ownState_;  // only until the window attaches its own
  std::unique_ptr<CDirectX> view_;
  std::unique_ptr<LiveImageFeed> feed_;  // made with the view, on the GUI thread
};
