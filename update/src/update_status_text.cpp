#include <algorithm>
#include <cstring>

#include "brimsol/brimsol.h"

namespace {

constexpr const char* kTexts[] = {
    "No error",
    "Image file not found",
    "Could not get Image file size",
    "Not valid update files defined",
    "Sensor is not in waiting state",
    "Not enough memory available to save images in RAM",
    "Update file not valid",
    "Failure parsing the XML information",
    "Current Sensor software is newer as the update",
    "Could not get the flash section size",
    "Update defined flash section size is not correct",
    "Could not calculate the CRC32 of the image file",
    "Update defined CRC32 value is not correct",
    "Could not read image file size information",
    "Update defined image file size is not correct",
    "Update file is not valid for this sensor type",
};
constexpr int kLastCode = 15;

const char* textOf(int code) {
    if (code < 0) return kTexts[kLastCode];
    if (code > kLastCode) return "No error description";
    return kTexts[code];
}

}  // namespace

void Brimsol_strerror(int code, char* buf, unsigned len) {
    if (buf == nullptr || len == 0) return;
    const char* text = textOf(code);
    std::size_t n = std::min<std::size_t>(std::strlen(text), len - 1);
    std::memcpy(buf, text, n);
    buf[n] = '\0';
}
