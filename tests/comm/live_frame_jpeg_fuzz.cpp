// Fuzz target over the decoding of a received live frame. The input is the
// frame size the receiver expects (width and height, 16-bit little-endian
// each, kept small) and then the frame's bytes as they arrived. The picture
// buffer is exactly that size on the heap, so a write past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const int width = 1 + (data[0] | (data[1] << 8)) % 1024;
    const int height = 1 + (data[2] | (data[3] << 8)) % 1024;
    static dravik::JpegDecoder decoder;
    std::vector<std::uint8_t> picture(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    const bool ok = decoder.decodeGrey(std::span(data + 4, size - 4), width, height, picture.data());
    // Decoding is all or nothing: a second try gives the same answer.
    if (decoder.decodeGrey(std::span(data + 4, size - 4), width, height, picture.data()) != ok) std::abort();
    return 0;
}
