// IPv4 addresses as 32-bit values in host byte order, and their dotted texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vt {

struct Ipv4Endpoint {
    uint32_t address = 0;  // host byte order
    uint16_t port = 0;
};

// Exactly four decimal octets ("127.0.0.1"); nothing else is accepted.
std::optional<uint32_t> parseIpv4(const char* text);

// "a.b.c.d"
std::string formatIpv4(uint32_t address);

}  // namespace vt
