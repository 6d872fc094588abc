// The simulated sensor's live picture: a 320 x 240 grey scene (a lit belt
// with a code label that moves from frame to frame) that carries its frame
// number in its pixels, at the top and again at the bottom, so a picture
// made of two frames, or one damaged on the way, is caught.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vt::sim {

inline constexpr int kLiveSceneWidth = 320;
inline constexpr int kLiveSceneHeight = 240;

// The pixels of frame number, top row first.
std::vector<std::uint8_t> renderLiveFrame(std::uint16_t number);

// The number that a (decoded) frame carries; nothing when the picture is not
// 320 x 240, a band is unreadable or the two bands disagree.
std::optional<std::uint16_t> readLiveFrameNumber(std::span<const std::uint8_t> pixels);

}  // namespace vt::sim
