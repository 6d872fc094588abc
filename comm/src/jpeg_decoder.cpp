#include "jpeg_decoder.h"

#include <turbojpeg.h>

namespace dravik {

JpegDecoder::JpegDecoder() : handle_(tjInitDecompress()) {}

JpegDecoder::~JpegDecoder() {
    if (handle_ != nullptr) tjDestroy(handle_);
}

bool JpegDecoder::decodeGrey(std::span<const std::uint8_t> jpeg, int width, int height, std::uint8_t* out) {
    if (handle_ == nullptr || jpeg.empty() || out == nullptr) return false;
    int w = 0, h = 0, subsampling = 0, colorspace = 0;
    if (tjDecompressHeader3(handle_, jpeg.data(), static_cast<unsigned long>(jpeg.size()), &w, &h,
                            &subsampling, &colorspace) != 0)
        return false;
    if (w != width || h != height) return false;
    // Warnings (cut-off data, corrupt segments) also give -1 here.
    return tjDecompress2(handle_, jpeg.data(), static_cast<unsigned long>(jpeg.size()), out, width, width,
                         height, TJPF_GRAY, 0) == 0;
}

}  // namespace dravik
