#include "platform/ipv4.h"

#include <arpa/inet.h>

#include <cstdio>

namespace vt {

std::optional<uint32_t> parseIpv4(const char* text) {
    if (text == nullptr) return std::nullopt;
    in_addr addr{};
    // inet_pton takes dotted quads only, unlike inet_aton's "10.1" or hex forms.
    if (inet_pton(AF_INET, text, &addr) != 1) return std::nullopt;
    return ntohl(addr.s_addr);
}

std::string formatIpv4(uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu, (address >> 16) & 0xFFu,
                  (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

}  // namespace vt
