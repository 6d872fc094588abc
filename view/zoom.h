#pragma once
// CZoom: the zoom state of the image view, six steps from the whole picture
// to a third of it. The main window reads factor, step, visible size and the
// two flags to map the mouse and to show the scroll bars.
#include <array>

struct MainDialogState;
class CDirectX;

class CZoom {
public:
  static constexpr std::array<float, 6> kSteps{1.0f, 1.25f, 1.5f, 1.75f, 2.0f, 3.0f};
  static constexpr int kLastStep = 5;

  CZoom(MainDialogState& state, CDirectX& view);

  // Step index 0..5 (others are ignored): factor and visible size, truncated.
  void Apply(int index);
  // Step 0, the whole picture centred, zoom tool unarmed.
  void Reset();
  // Sets zoom mode and goes one step in; nothing at step 5.
  void ZoomIn();
  // One step out in zoom mode; at step 0 only the window-of-interest drag is unarmed.
  void ZoomOut();
  void SetToolActive(bool active) { m_bToolActive = active; }

  float factor() const { return m_fFactor; }
  int step() const { return m_nStep; }
  int visibleWidth() const { return m_nVisibleWidth; }
  int visibleHeight() const { return m_nVisibleHeight; }
  bool zoomed() const { return m_bZoomed; }
  bool toolActive() const { return m_bToolActive; }

private:
  MainDialogState& state_;
  CDirectX& view_;
  float m_fFactor = 1.0f;
  int m_nStep = 0;
  int m_nVisibleWidth = 640;
  int m_nVisibleHeight = 480;
  bool m_bZoomed = false;
  bool m_bToolActive = false;
};
