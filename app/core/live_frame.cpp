#include "core/live_frame.h"

#include "dravik/sensor_bitmap.h"

LiveFrame LiveFrame::fromBitmap(const SensorBitmap* bitmap, int number) {
  LiveFrame frame;
  frame.number = number;
  if (!bitmap || !bitmap->pixels || bitmap->width <= 0 || bitmap->height <= 0) return frame;
  frame.width = bitmap->width;
  frame.height = bitmap->height;
  const auto size = static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height);
  frame.pixels.assign(bitmap->pixels, bitmap->pixels + size);
  return frame;
}
