// Allocation of the SensorBitmaps that the library hands to the program.
#pragma once

#include "dravik/sensor_bitmap.h"

namespace dravik {

// A bitmap of width x height pixels in one block, pixels zeroed; null when
// the size is not positive or memory is short.
SensorBitmap* newSensorBitmap(int width, int height);

// Frees a bitmap from newSensorBitmap; null is ignored.
void freeSensorBitmap(SensorBitmap* bitmap);

}  // namespace dravik
