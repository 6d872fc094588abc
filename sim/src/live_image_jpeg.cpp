#include "sim/live_image_jpeg.h"

#include <turbojpeg.h>

namespace vt::sim {

std::vector<std::uint8_t> encodeGreyJpeg(std::span<const std::uint8_t> pixels, int width, int height,
                                         int quality) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height) return {};
    tjhandle handle = tjInitCompress();
    if (handle == nullptr) return {};
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> out;
    if (tjCompress2(handle, pixels.data(), width, width, height, TJPF_GRAY, &jpeg, &size, TJSAMP_GRAY,
                    quality, 0) == 0)
        out.assign(jpeg, jpeg + size);
    tjFree(jpeg);
    tjDestroy(handle);
    return out;
}

}  // namespace vt::sim
