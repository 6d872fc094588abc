#include "frame_assembler.h"

#include <cstring>

namespace dravik {

bool beginsWithInit(std::span<const std::byte> datagram) {
    return datagram.size() >= 4 && std::memcmp(datagram.data(), "Init", 4) == 0;
}

void FrameAssembler::reset() {
    count_ = 0;
    received_ = 0;
    length_ = 0;
}

FrameAssembler::Step FrameAssembler::discard() {
    const bool had = inProgress();
    reset();
    return had ? Step::Discarded : Step::Ignored;
}

FrameAssembler::Step FrameAssembler::take(std::span<const std::byte> datagram, std::span<std::byte> frame) {
    // An empty datagram carries nothing and must not disturb a frame.
    if (datagram.empty()) return Step::Ignored;
    // recv cut it: whatever it was, it is not whole.
    if (datagram.size() > kMaxLiveDatagramBytes) return discard();

    if (datagram.size() == kLiveHeaderBytes && beginsWithInit(datagram)) {
        // A header inside a frame means fragments went missing; the header
        // itself is not trusted either, so wait for the next one.
        if (inProgress()) return discard();
        const int count = static_cast<std::int8_t>(datagram[4]);
        if (count < 1 || count > kMaxLiveFragments) return Step::Ignored;
        count_ = count;
        received_ = 0;
        length_ = 0;
        imageNumber_ = static_cast<std::uint16_t>((std::to_integer<unsigned>(datagram[5]) << 8) |
                                                  std::to_integer<unsigned>(datagram[6]));
        return Step::Started;
    }

    if (!inProgress()) return Step::Ignored;
    const int index = static_cast<std::int8_t>(datagram[0]);
    // Fragments go end to end, so only the next one in order has a place;
    // a duplicate, a gap, a reordering or a wild index drops the frame.
    if (index != received_) return discard();
    const std::span<const std::byte> payload = datagram.subspan(1);
    const std::size_t room = frame.size() < kMaxLiveFrameBytes ? frame.size() : kMaxLiveFrameBytes;
    if (payload.size() > room - length_) return discard();
    if (!payload.empty()) std::memcpy(frame.data() + length_, payload.data(), payload.size());
    length_ += payload.size();
    if (++received_ < count_) return Step::Added;
    count_ = 0;
    received_ = 0;
    return Step::Completed;
}

}  // namespace dravik
