#pragma once
// A live frame as it crosses from the thread that fetched it to the GUI
// thread: the grey pixels copied out of the library's bitmap, so the bitmap
// can be freed at once by whoever fetched it.
#include <cstdint>
#include <vector>

#include "core/latest_handover.h"

struct SensorBitmap;

struct LiveFrame {
  int number = 0;  // the image number of the event that announced it
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;  // width * height grey bytes, top row first

  // Copies a bitmap's pixels; an empty frame for a null or malformed bitmap.
  static LiveFrame fromBitmap(const SensorBitmap* bitmap, int number);
  bool empty() const { return pixels.empty(); }
};

using LiveFrameHandover = LatestHandover<LiveFrame>;
