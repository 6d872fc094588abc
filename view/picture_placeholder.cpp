#include "view/picture_placeholder.h"

#include "core/main_dialog_state.h"
#include "services/main_panels.h"
#include "services/view_services.h"

void ShowPlaceholderPicture(const ViewHost& host) {
  if (host.state) {
    host.state->m_bRenderOnPaint = true;
    host.state->m_bZoomMode = false;
  }
  if (host.panels && host.panels->imageView) {
    host.panels->imageView->ResetZoom();
    host.panels->imageView->RemoveOverlaysOfKind(1);
    host.panels->imageView->ShowDefaultImage();
  }
  if (host.enableZoomButtons) host.enableZoomButtons(false);
}
