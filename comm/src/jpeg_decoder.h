// Grey JPEG decoding with libjpeg-turbo, for the live frames.
#pragma once

#include <cstdint>
#include <span>

namespace dravik {

class JpegDecoder {
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Decodes jpeg into width * height grey bytes at out, top row first.
    // False when the data is not a JPEG picture of exactly that size, or
    // when the decoder complains at all (a damaged or cut-off file): a
    // half-decoded picture must not pass for a frame. One thread at a time.
    bool decodeGrey(std::span<const std::uint8_t> jpeg, int width, int height, std::uint8_t* out);

private:
    void* handle_;
};

}  // namespace dravik
