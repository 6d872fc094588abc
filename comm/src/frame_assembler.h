// Reassembly of the live image stream's datagrams into whole JPEG frames.
//
// A frame is a 7-byte header ("Init", fragment count N, image number,
// big-endian) followed by N fragments (index byte, then a slice of the JPEG
// file) in index order. Only a frame whose every fragment arrived once, in
// order, and fits the buffer is completed; anything else drops the frame in
// progress, so a caller never sees a torn or mixed frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace dravik {

inline constexpr int kLiveFrameWidth = 320;
inline constexpr int kLiveFrameHeight = 240;
// The largest JPEG file a frame may hold: one uncompressed picture.
inline constexpr std::size_t kMaxLiveFrameBytes = 153600;
inline constexpr std::size_t kMaxLiveDatagramBytes = 5000;
inline constexpr std::size_t kLiveHeaderBytes = 7;
inline constexpr int kMaxLiveFragments = 127;

// True for a datagram that begins with the bytes "Init" (a handshake answer
// or a frame header).
bool beginsWithInit(std::span<const std::byte> datagram);

class FrameAssembler {
public:
    enum class Step {
        Ignored,    // nothing changed
        Started,    // a header opened a frame
        Added,      // a fragment joined the frame in progress
        Discarded,  // the frame in progress was dropped
        Completed,  // the frame is whole: imageNumber() and frameLength() tell which
    };

    // Takes one datagram as received (its full length, which may exceed
    // kMaxLiveDatagramBytes). Fragments are copied into frame, which holds
    // the frame in progress and must stay the same buffer until the frame
    // completes or is dropped.
    Step take(std::span<const std::byte> datagram, std::span<std::byte> frame);

    bool inProgress() const { return count_ > 0; }
    std::uint16_t imageNumber() const { return imageNumber_; }
    std::size_t frameLength() const { return length_; }
    // Forgets the frame in progress.
    void reset();

private:
    Step discard();

    int count_ = 0;  // fragments of the frame in progress; 0: none
    int received_ = 0;
    std::uint16_t imageNumber_ = 0;
    std::size_t length_ = 0;
};

}  // namespace dravik
