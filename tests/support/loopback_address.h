// A loopback address of its own for each test, so that tests that must use
// a fixed port (or simply want their own sensor) can run in parallel.
#pragma once

#include <atomic>
#include <string>
#include <unistd.h>

namespace vt::test {

// 127.x.y.z: x.y from the process id, z from a counter (2 to 254), so the
// address differs between calls and between processes whose ids differ in
// their low 16 bits (after folding). Never 127.0.0.1, which real services use.
inline std::string uniqueLoopbackAddress() {
    static std::atomic<unsigned> counter{0};
    const auto pid = static_cast<unsigned>(::getpid());
    const unsigned folded = (pid ^ (pid >> 16)) & 0xFFFFu;
    const unsigned z = 2 + counter.fetch_add(1) % 253;
    return "127." + std::to_string(folded >> 8) + "." + std::to_string(folded & 0xFFu) + "." + std::to_string(z);
}

}  // namespace vt::test
