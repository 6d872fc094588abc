// Loopback subnets that no other test process uses at the same time: each
// process takes 127.a.b.0/24 from its pid and hands out /28s inside it.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "platform/ipv4.h"

namespace vt::test {

struct LoopbackSubnet {
    uint32_t network = 0;
    int prefix = 0;

    uint32_t host(uint32_t index) const { return network + index; }
    std::string networkText() const { return vt::formatIpv4(network); }
    std::string maskText() const { return vt::formatIpv4(~((uint32_t{1} << (32 - prefix)) - 1)); }
};

// The process's own /24; never 127.0.0.0/24, so never 127.0.0.1.
inline uint32_t processLoopback24() {
    auto pid = static_cast<uint32_t>(::getpid());
    uint32_t second = (pid >> 8) & 0xFFu;
    if (second == 0) second = 0xFF;
    return (127u << 24) | (second << 16) | ((pid & 0xFFu) << 8);
}

// A /28 of the process's /24 (16 per process), or the whole /24.
inline LoopbackSubnet uniqueLoopbackSubnet(int prefix = 28) {
    static std::atomic<uint32_t> next{0};
    if (prefix == 24) return {processLoopback24(), 24};
    return {processLoopback24() + (next.fetch_add(1) % 16) * 16, 28};
}

}  // namespace vt::test
