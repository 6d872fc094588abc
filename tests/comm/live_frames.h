// Live frames for tests: the simulator's pictures as JPEG files, cut into
// the stream's datagrams, and the comparison of a decoded picture with the
// frame it should be.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "dravik/dravik.h"
#include "recording_target.h"
#include "sim/live_image_jpeg.h"
#include "sim/live_image_scene.h"

namespace vt::test {

using Datagram = std::vector<std::byte>;

// The simulator's own quality, at which decoded frames are compared.
inline constexpr int kLiveQuality = 85;
// The bound on the mean absolute difference at that quality.
inline constexpr double kMaxMeanDifference = 3.0;

inline std::vector<std::uint8_t> liveJpeg(std::uint16_t number) {
    return vt::sim::encodeGreyJpeg(vt::sim::renderLiveFrame(number), vt::sim::kLiveSceneWidth,
                                   vt::sim::kLiveSceneHeight, kLiveQuality);
}

inline Datagram bytes(std::span<const std::uint8_t> data) {
    Datagram d(data.size());
    if (!data.empty()) std::memcpy(d.data(), data.data(), data.size());
    return d;
}

// "Init", count, number (big-endian).
inline Datagram liveHeader(int count, std::uint16_t number) {
    return {std::byte{'I'},
            std::byte{'n'},
            std::byte{'i'},
            std::byte{'t'},
            static_cast<std::byte>(count),
            static_cast<std::byte>(number >> 8),
            static_cast<std::byte>(number & 0xFF)};
}

inline Datagram liveFragment(int index, std::span<const std::uint8_t> payload) {
    Datagram d = bytes(payload);
    d.insert(d.begin(), static_cast<std::byte>(index));
    return d;
}

// The JPEG file of a frame cut into count fragments of near-equal size.
inline std::vector<Datagram> liveFragments(const std::vector<std::uint8_t>& jpeg, int count) {
    std::vector<Datagram> out;
    const std::size_t piece = (jpeg.size() + count - 1) / count;
    for (int i = 0; i < count; ++i) {
        const std::size_t begin = std::min(jpeg.size(), piece * i);
        const std::size_t end = std::min(jpeg.size(), begin + piece);
        out.push_back(liveFragment(i, std::span(jpeg).subspan(begin, end - begin)));
    }
    return out;
}

inline double meanAbsoluteDifference(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    if (a.size() != b.size() || a.empty()) return 255.0;
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        sum += static_cast<std::uint64_t>(std::abs(int(a[i]) - int(b[i])));
    return static_cast<double>(sum) / static_cast<double>(a.size());
}

// How far a decoded picture is from the simulator's frame number.
inline double differenceFromFrame(std::span<const std::uint8_t> pixels, std::uint16_t number) {
    return meanAbsoluteDifference(pixels, vt::sim::renderLiveFrame(number));
}

// The image numbers of the live frame events among messages, in order.
inline std::vector<std::intptr_t> frameEvents(const std::vector<RecordedMessage>& messages) {
    std::vector<std::intptr_t> numbers;
    for (const auto& m : messages)
        if (m.message == WM_SENSORNOTIFY && m.wParam == SN_LIVE_IMAGE_FRAME) numbers.push_back(m.lParam);
    return numbers;
}

}  // namespace vt::test
