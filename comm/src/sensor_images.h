// Fetching the sensor's 640 x 480 grey images and turning them into bitmaps.
#pragma once

#include <cstdint>
#include <vector>

#include "dravik/sensor_bitmap.h"
#include "dravik/comm_status.h"
#include "library_state.h"
#include "xmlrpc/XmlRpcValue.h"

namespace dravik {

inline constexpr double kDecodedImageLimitSeconds = 70.0;

// How a caller reads the status element of an image reply.
struct ImageReplyCodes {
    int noReply;    // element 0 missing
    int notAnInt;   // element 0 of another type
};
inline constexpr ImageReplyCodes kImageGetterCodes{COMM_NO_REPLY, COMM_STATUS_NOT_INT};

// The picture of an image reply with status 0: element 1 must be a base64
// value of exactly 307200 bytes. COMM_OK and the pixels; COMM_STATUS_NOT_INT
// when the element is missing or of another type; COMM_FAILED for another
// length or no memory.
int ReadImagePixels(const XmlRpc::XmlRpcValue& reply, std::vector<uint8_t>& pixels);

// Calls `method` and reads its reply: the status by `codes`, then on status
// 0 the picture into `pixels`.
int FetchImagePixels(XmlRpcClientTimeout& connection, const char* method, double limitSeconds,
                     ImageReplyCodes codes, std::vector<uint8_t>& pixels);

// A new 640 x 480 bitmap of the pixels; null when memory is short.
SensorBitmap* SensorImageBitmap(const std::vector<uint8_t>& pixels);

// The decoded image for the result getters: "xmlGetDecodedImage" under the
// result section, 70 s. On COMM_OK *out (when not null) is a new bitmap the
// caller owns; otherwise *out is left as it was.
int FetchDecodedImage(LibraryState& state, XmlRpcClientTimeout& connection, SensorBitmap** out);

}  // namespace dravik
