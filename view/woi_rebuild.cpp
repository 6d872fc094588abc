#include "woi_rebuild.h"

#include "core/main_dialog_state.h"
#include "direct_x.h"
#include "woi_overlay.h"

int RebuildWoiOverlay(CDirectX& view, const MainDialogState& state, CWOI** outWoi) {
  view.RemoveOverlaysOfKind(OVERLAY_WOI);
  int id = 0;
  COverlay* overlay = nullptr;
  view.AddOverlay(OVERLAY_WOI, &id, &overlay);
  auto* woi = static_cast<CWOI*>(overlay);
  const ImageRect configured = state.m_rcWoi;
  woi->SetClamped(configured.x1, configured.y1, configured.x2, configured.y2);
  woi->Set(woi->x1(), woi->y1(), woi->x2(), woi->y2());
  woi->SetLabelShown(state.m_bCodeDefinitionView);
  woi->SetVisible(true);
  if (outWoi) *outWoi = woi;
  return id;
}
