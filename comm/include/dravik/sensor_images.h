// libdravik: the sensor's current and decoded images, as bitmaps for the
// program or as bitmap files.
//
// The sensor sends an image as 640 x 480 grey pixels (307200 bytes, top
// row first). Every call here is one sensor call through the connection's
// lock; any thread may call, and each call builds its picture in a buffer
// of its own. Without a connection every export returns COMM_NOT_CONNECTED
// and sends nothing.
#pragma once

#include "dravik/dravik.h"

// The current camera image ("xmlGetCurrentImage") or the image of the last
// decoding ("xmlGetDecodedImage"). On COMM_OK *out is a new 640 x 480
// SensorBitmap that the caller owns and frees with DeleteSensorBitmap; on
// any other result *out is left as it was (the caller's previous picture
// stays valid and stays the caller's).
// Results: COMM_OK; COMM_INVALID_ARGUMENT (out is null, nothing sent);
// COMM_NO_REPLY; COMM_STATUS_NOT_INT (the status, or the picture element,
// is missing or of another type); COMM_FAILED (the picture is not 307200
// bytes, or no memory); or the sensor's non-zero status.
DRAVIK_API int GetCurrentImage(SensorBitmap** out);
DRAVIK_API int GetDecodeImage(SensorBitmap** out);

// Fetch an image and write it as a 640 x 480, 8-bit, 256-grey BMP file,
// top row of the sensor at the top. path: caller-owned, UTF-8 bytes
// (narrow) or UTF-16 (W). A null narrow path fetches the image and writes
// no file. An existing file is replaced.
// Results of the current-image savers: COMM_OK; COMM_STATUS_NOT_INT (no
// reply, or a status that is no int); COMM_INVALID_ARGUMENT (W: null path);
// COMM_FAILED (the picture is not 307200 bytes, or no memory);
// COMM_FILE_ERROR (the file could not be written completely); or the
// sensor's non-zero status.
// The decoded-image savers: the same, except COMM_NO_REPLY when there is no
// reply and COMM_DECODED_IMAGE_STATUS_NOT_INT when the status is no int.
DRAVIK_API int GetAndSaveCurrentImage(const char* path);
DRAVIK_API int GetAndSaveCurrentImageW(const char16_t* path);
DRAVIK_API int GetAndSaveDecodedImage(const char* path);
DRAVIK_API int GetAndSaveDecodedImageW(const char16_t* path);
