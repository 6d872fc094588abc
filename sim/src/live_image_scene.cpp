#include "sim/live_image_scene.h"

#include <algorithm>
#include <cmath>

namespace vt::sim {

namespace {

constexpr int kW = kLiveSceneWidth;
constexpr int kH = kLiveSceneHeight;

// The number bands: 16 cells of 20 x 16 pixels, most significant bit left.
constexpr int kBits = 16;
constexpr int kCellWidth = kW / kBits;
constexpr int kBandHeight = 16;
constexpr std::uint8_t kDark = 30;
constexpr std::uint8_t kLight = 225;

// The label: a light card with a 12 x 12 module code on it.
constexpr int kModules = 12;
constexpr int kModule = 6;
constexpr int kLabelWidth = 130;
constexpr int kLabelHeight = 110;
constexpr int kLabelTop = 62;

bool moduleDark(int row, int col) {
    if (col == 0 || row == kModules - 1) return true;                  // solid finder edges
    if (row == 0 || col == kModules - 1) return (row + col) % 2 == 0;  // clock edges
    // A fixed scatter inside.
    unsigned h = static_cast<unsigned>(row * 31 + col * 17) * 2654435761u;
    return (h >> 13) % 5 < 2;
}

int bandTop(int band) {
    return band == 0 ? 0 : kH - kBandHeight;
}

}  // namespace

std::vector<std::uint8_t> renderLiveFrame(std::uint16_t number) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kW) * kH);
    auto at = [&](int x, int y) -> std::uint8_t& { return pixels[static_cast<std::size_t>(y) * kW + x]; };

    // Belt under a lamp: brighter in the middle, darker towards the edges.
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            const double dx = (x - kW / 2.0) / kW, dy = (y - kH / 2.0) / kH;
            const double light = 150.0 - 160.0 * (dx * dx + dy * dy);
            const int grain = ((x / 4 + y / 4) % 2) * 6;  // belt weave
            at(x, y) = static_cast<std::uint8_t>(std::clamp(light + grain, 0.0, 255.0));
        }

    // The label moves along the belt.
    const int left = 40 + (number * 7) % (kW - kLabelWidth - 80);
    for (int y = kLabelTop; y < kLabelTop + kLabelHeight; ++y)
        for (int x = left; x < left + kLabelWidth; ++x) at(x, y) = 205;
    const int codeLeft = left + (kLabelWidth - kModules * kModule) / 2;
    const int codeTop = kLabelTop + (kLabelHeight - kModules * kModule) / 2;
    for (int r = 0; r < kModules; ++r)
        for (int c = 0; c < kModules; ++c)
            if (moduleDark(r, c))
                for (int y = 0; y < kModule; ++y)
                    for (int x = 0; x < kModule; ++x)
                        at(codeLeft + c * kModule + x, codeTop + r * kModule + y) = 25;

    for (int band = 0; band < 2; ++band)
        for (int bit = 0; bit < kBits; ++bit) {
            const bool one = (number >> (kBits - 1 - bit)) & 1u;
            for (int y = bandTop(band); y < bandTop(band) + kBandHeight; ++y)
                for (int x = bit * kCellWidth; x < (bit + 1) * kCellWidth; ++x)
                    at(x, y) = one ? kLight : kDark;
        }
    return pixels;
}

std::optional<std::uint16_t> readLiveFrameNumber(std::span<const std::uint8_t> pixels) {
    if (pixels.size() != static_cast<std::size_t>(kW) * kH) return std::nullopt;
    std::optional<std::uint16_t> bands[2];
    for (int band = 0; band < 2; ++band) {
        unsigned value = 0;
        for (int bit = 0; bit < kBits; ++bit) {
            // The middle of the cell, clear of the compression's edge ringing.
            unsigned sum = 0, n = 0;
            for (int y = bandTop(band) + 4; y < bandTop(band) + kBandHeight - 4; ++y)
                for (int x = bit * kCellWidth + 5; x < (bit + 1) * kCellWidth - 5; ++x, ++n)
                    sum += pixels[static_cast<std::size_t>(y) * kW + x];
            const unsigned mean = sum / n;
            if (mean > 170)
                value |= 1u << (kBits - 1 - bit);
            else if (mean >= 85)
                return std::nullopt;
        }
        bands[band] = static_cast<std::uint16_t>(value);
    }
    if (bands[0] != bands[1]) return std::nullopt;
    return bands[0];
}

}  // namespace vt::sim
