// JPEG encoding of the simulator's grey frames.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vt::sim {

// A baseline grey JPEG file of width x height pixels at quality 1..100;
// empty when the encoder fails.
std::vector<std::uint8_t> encodeGreyJpeg(std::span<const std::uint8_t> pixels, int width, int height,
                                         int quality);

}  // namespace vt::sim
