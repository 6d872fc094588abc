#pragma once
// ImageStore: the window's one ResultImageStore as its ImageStoreService.
// AttachView binds the store to the image view, the colours, the message
// list, the texts and the prompt of the window.
#include <QDateTime>
#include <functional>

#include "services/view_services.h"
#include "view/result_image_store.h"

class ImageStore : public ImageStoreService {
public:
  ImageStore();
  ~ImageStore() override;
  void AttachView(const ViewHost& host) override;
  int AddFrame(int passFlag) override { return store_.AddFrame(passFlag); }
  void ResetSlots() override { store_.ResetSlots(); }
  void FreeFrames() override { store_.FreeFrames(); }
  int frameCount() const override { return store_.frameCount(); }
  int ShowFrame(int index) override { return store_.ShowFrame(index); }
  int ExportHtml(int index, const QString& pagePath) override { return store_.ExportHtml(index, pagePath); }
  void setGrid(CGridCtrl* grid) override;
  void DrawThumbnails(QPainter& painter) const override { store_.DrawThumbnails(painter); }

  // The clock of the exported page's date line (local time); the system
  // clock by default.
  void setClock(std::function<QDateTime()> now) { now_ = std::move(now); }
  ResultImageStore& store() { return store_; }

private:
  ResultImageStore store_;
  std::function<QDateTime()> now_;
};
