#pragma once
// The picture scroll bars' arithmetic and the mouse mapping over the
// 480 x 360 picture control that shows a part of the 640 x 480 picture.
#include "core/main_dialog_state.h"

enum class PictureScroll { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The new position of a picture scroll bar (range 0..maximum: 640
// horizontal, 480 vertical): a line is 1, a page 10 more than the bar's page
// size; thumb positions are taken as given. Always within 0..maximum.
int ScrollPicturePosition(int position, PictureScroll action, int thumb, int pageSize, int maximum);

// What the picture control shows: the visible width and height of the
// picture and the left and top of that part.
struct PictureView {
  int visibleWidth = 640;
  int visibleHeight = 480;
  int left = 0;
  int top = 0;
  bool scrollBars = false;  // shown while zoomed in: the control's area shrinks by them
  int scrollBarWidth = 0;   // the vertical bar's width
  int scrollBarHeight = 0;  // the horizontal bar's height
};
inline constexpr int kPictureControlWidth = 480;
inline constexpr int kPictureControlHeight = 360;

// A point of the picture control in picture coordinates.
ImagePoint MapPictureToImage(int px, int py, const PictureView& view);
// A picture point back in the control (the nearest control pixel).
ImagePoint MapImageToPicture(int x, int y, const PictureView& view);
