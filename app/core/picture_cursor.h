#pragma once
// The cursor over the picture: the zoom tool's while one is in use, the
// handle's of the window of interest while it can be dragged (edges and
// corners resize, the centre moves), else the arrow.
enum class PictureCursor { Arrow, ZoomIn, ZoomOut, SizeHorizontal, SizeVertical, SizeFallingDiagonal, SizeRisingDiagonal, Move };

// zoomTool: 0 none, 1 zoom in, 2 zoom out; hitKind and hitCode as the image
// view's hit test gives them (kind 0 the window of interest, codes 10..18).
PictureCursor PictureCursorAt(int zoomTool, bool zoomMode, bool woiEditing, int hitKind, int hitCode);
