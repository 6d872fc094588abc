#pragma once
// Replaces the window-of-interest overlay with one showing a rectangle: the
// old one goes, the new one is clamped into the picture and then set as
// given (an invalid rectangle stays clamped), shows its label as asked (the
// code-definition page only) and is visible. The configured window is taken
// into m_rcWoi; a reading's search window is only shown. The main window's
// ShowWoiOverlay and the result formatter both go through here. Returns the
// new overlay's id; the caller renders.
struct ImageRect;
class CDirectX;
class CWOI;

enum class WoiShown { Configured, ReadingWindow };

int RebuildWoiOverlay(CDirectX& view, const ImageRect& rect, bool labelShown, WoiShown shown,
                      CWOI** outWoi = nullptr);
