#include "woi_rebuild.h"

#include "core/main_dialog_state.h"
#include "direct_x.h"
#include "woi_overlay.h"

int RebuildWoiOverlay(CDirectX& view, const ImageRect& rect, bool labelShown, WoiShown shown, CWOI** outWoi) {
  view.RemoveOverlaysOfKind(OVERLAY_WOI);
  int id = 0;
  COverlay* overlay = nullptr;
  view.AddOverlay(OVERLAY_WOI, &id, &overlay);
  auto* woi = static_cast<CWOI*>(overlay);
  woi->SetClamped(rect.x1, rect.y1, rect.x2, rect.y2);
  if (shown == WoiShown::Configured)
    woi->Set(rect.x1, rect.y1, rect.x2, rect.y2);
  else
    woi->SetShown(rect.x1, rect.y1, rect.x2, rect.y2);
  woi->SetLabelShown(labelShown);
  view.ShowOverlay(id, true);
  if (outWoi) *outWoi = woi;
  return id;
}
