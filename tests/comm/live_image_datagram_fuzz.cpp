// Fuzz target over the live image stream's datagram handling. The input is a
// run of datagrams, each a big-endian 16-bit length and that many bytes (cut
// at the end of the input); lengths above the stream's 5000 bytes stand for
// datagrams that the socket cut short. The frame buffer is exactly one frame
// long on the heap, so a write past it is caught.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "frame_assembler.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<std::byte> frame(dravik::kMaxLiveFrameBytes);
    dravik::FrameAssembler assembler;
    std::size_t offset = 0;
    while (offset + 2 <= size) {
        std::size_t length = (std::size_t{data[offset]} << 8) | data[offset + 1];
        offset += 2;
        if (length > size - offset) length = size - offset;
        const auto* bytes = reinterpret_cast<const std::byte*>(data + offset);
        offset += length;
        const auto step = assembler.take({bytes, length}, frame);
        if (step == dravik::FrameAssembler::Step::Completed && assembler.frameLength() > frame.size())
            std::abort();
        if (step == dravik::FrameAssembler::Step::Completed && assembler.inProgress()) std::abort();
    }
    return 0;
}
