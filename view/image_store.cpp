#include "view/image_store.h"

#include "controls/grid_ctrl.h"
#include "core/main_dialog_state.h"
#include "log/log.h"
#include "services/main_panels.h"
#include "view/image_view_service.h"

ImageStore::ImageStore() = default;
ImageStore::~ImageStore() = default;

void ImageStore::AttachView(const ViewHost& host) {
  ResultImageStoreHost h;
  if (host.panels)
    if (auto* image = dynamic_cast<ImageView*>(host.panels->imageView.get())) h.view = &image->view();
  if (host.state) h.colours = &host.state->colours;
  if (CLog* log = host.log) {
    h.markedText = [log] { return log->GetMarkedText(); };
    h.setMarkedText = [log](const QString& text) { log->SetMarkedText(text); };
  }
  h.text = host.text;
  if (host.common) h.title = [common = host.common] { return common(104); };
  h.prompt = host.prompt;
  h.owner = host.window;
  h.now = [this] { return now_ ? now_() : QDateTime::currentDateTime(); };
  store_.setHost(std::move(h));
}

void ImageStore::setGrid(CGridCtrl* grid) { store_.setGrid(grid); }
