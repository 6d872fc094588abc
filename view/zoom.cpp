#include "zoom.h"

#include "core/main_dialog_state.h"
#include "direct_x.h"

CZoom::CZoom(MainDialogState& state, CDirectX& view) : state_(state), view_(view) {}

void CZoom::Apply(int index) {
  if (index < 0 || index > kLastStep) return;
  m_nStep = index;
  m_bZoomed = index != 0;
  m_fFactor = kSteps[static_cast<std::size_t>(index)];
  m_nVisibleWidth = static_cast<int>(640.0f / m_fFactor);
  m_nVisibleHeight = static_cast<int>(480.0f / m_fFactor);
}

void CZoom::Reset() {
  Apply(0);
  view_.UpdateSourceRect(true);
  m_bToolActive = false;
}

void CZoom::ZoomIn() {
  if (m_nStep >= kLastStep) return;
  state_.m_bZoomMode = true;
  Apply(m_nStep + 1);
}

void CZoom::ZoomOut() {
  if (m_nStep < 1) {
    state_.m_bWoiDragArmed = false;
    return;
  }
  state_.m_bZoomMode = true;
  Apply(m_nStep - 1);
}
