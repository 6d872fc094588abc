#include "view/picture_placeholder.h"

#include "core/main_dialog_state.h"
#include "services/main_panels.h"
#include "services/view_services.h"

void LeaveZoom(const ViewHost& host) {
  if (host.leaveZoomMode) {
    host.leaveZoomMode();
    return;
  }
  // A window without the hook (a panel alone): the view's own zoom at least.
  if (host.state) host.state->m_bZoomMode = false;
  if (host.panels && host.panels->imageView) host.panels->imageView->ResetZoom();
}

void ShowPlaceholderPicture(const ViewHost& host) {
  if (host.state) host.state->m_bRenderOnPaint = true;
  LeaveZoom(host);
  if (host.panels && host.panels->imageView) {
    host.panels->imageView->RemoveOverlaysOfKind(1);
    host.panels->imageView->ShowDefaultImage();
  }
  if (host.enableZoomButtons) host.enableZoomButtons(false);
}
