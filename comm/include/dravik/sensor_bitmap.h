// SensorBitmap: a grey picture that libdravik hands to the program.
//
// 8 bits per pixel, 256 grey levels (0 black, 255 white), rows of exactly
// `width` bytes, top row first. Sensor images are 640 x 480, live frames
// 320 x 240.
//
// Ownership: the library allocates a bitmap for the caller, which then owns
// it and frees it with DeleteSensorBitmap (never with free or delete). The
// pixels live and die with the bitmap.
#pragma once

#include <cstdint>

extern "C" {

struct SensorBitmap {
    int32_t width;
    int32_t height;
    uint8_t* pixels;  // width * height bytes
};

}  // extern "C"
