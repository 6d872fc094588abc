#include "bitmap_file.h"

#include <cstdio>
#include <optional>
#include <string>

#include "platform/utf16_path.h"

namespace dravik {

namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPaletteEntries = 256;
// 96 dots per inch, as most writers put it.
constexpr uint32_t kPixelsPerMetre = 3780;

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> EncodeGreyBitmapFile(const uint8_t* pixels, int width, int height) {
    const uint32_t w = static_cast<uint32_t>(width);
    const uint32_t h = static_cast<uint32_t>(height);
    const uint32_t stride = (w + 3) & ~3u;
    const uint32_t imageSize = stride * h;
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;

    std::vector<uint8_t> out;
    out.reserve(offset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imageSize);
    put32(out, 0);  // reserved
    put32(out, offset);

    put32(out, kInfoHeaderSize);
    put32(out, w);
    put32(out, h);  // positive: bottom-up
    put16(out, 1);  // planes
    put16(out, 8);  // bits per pixel
    put32(out, 0);  // no compression
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, kPaletteEntries);  // colours used
    put32(out, 0);                // all important

    for (uint32_t i = 0; i < kPaletteEntries; ++i) {
        const auto grey = static_cast<uint8_t>(i);
        out.insert(out.end(), {grey, grey, grey, 0});  // blue, green, red, reserved
    }
    for (uint32_t row = h; row-- > 0;) {
        const uint8_t* line = pixels + static_cast<std::size_t>(row) * w;
        out.insert(out.end(), line, line + w);
        out.insert(out.end(), stride - w, 0);
    }
    return out;
}

int SaveRawAsBitmapFile(const uint8_t* pixels, const char* narrowPath, const char16_t* widePath) {
    if (pixels == nullptr || (narrowPath == nullptr && widePath == nullptr)) return 1;
    std::optional<std::string> path;
    if (narrowPath != nullptr)
        path = std::string(narrowPath);
    else
        path = vt::utf8Path(widePath);
    if (!path || path->empty()) return -1;

    const std::vector<uint8_t> file = EncodeGreyBitmapFile(pixels, kSensorImageWidth, kSensorImageHeight);
    std::FILE* out = std::fopen(path->c_str(), "wb");
    if (out == nullptr) return -1;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    const bool closed = std::fclose(out) == 0;
    if (written && closed) return 0;
    std::remove(path->c_str());
    return -1;
}

}  // namespace dravik
