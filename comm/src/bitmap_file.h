// Sensor images as Windows bitmap files: 8 bits per pixel, a 256-entry grey
// colour table, rows stored bottom-up so that viewers show the sensor's
// first row at the top.
#pragma once

#include <cstdint>
#include <vector>

namespace dravik {

inline constexpr int kSensorImageWidth = 640;
inline constexpr int kSensorImageHeight = 480;
inline constexpr int kSensorImageBytes = kSensorImageWidth * kSensorImageHeight;

// The whole file for width x height grey pixels (top row first, rows of
// exactly width bytes). Rows are padded to four bytes as the format wants.
std::vector<uint8_t> EncodeGreyBitmapFile(const uint8_t* pixels, int width, int height);

// Writes a 640 x 480 sensor image to the narrow path (bytes as the file
// system takes them) or, when that is null, to the UTF-16 path.
// 1 when pixels are null or both paths are null (nothing written); 0 when
// the file was written completely; -1 when it was not (a partial file is
// removed).
int SaveRawAsBitmapFile(const uint8_t* pixels, const char* narrowPath, const char16_t* widePath);

}  // namespace dravik
