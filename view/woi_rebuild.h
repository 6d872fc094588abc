#pragma once
// Replaces the window-of-interest overlay with one from m_rcWoi: the old one
// goes, the new one is clamped into the picture and set, shows its label
// while the code-definition page is shown, and is visible. The main window's
// ShowWoiOverlay and the result formatter both go through here, so neither
// forgets the label. Returns the new overlay's id; the caller renders.
struct MainDialogState;
class CDirectX;
class CWOI;

int RebuildWoiOverlay(CDirectX& view, const MainDialogState& state, CWOI** outWoi = nullptr);
