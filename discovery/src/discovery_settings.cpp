#include "discovery_settings.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace sonvira {

DiscoverySettings discoverySettingsFromEnvironment() {
    DiscoverySettings settings;
    if (const char* port = std::getenv(kQueryPortEnv); port != nullptr) {
        uint16_t value = 0;
        const char* end = port + std::strlen(port);
        auto [ptr, ec] = std::from_chars(port, end, value);
        if (ec == std::errc() && ptr == end && value != 0) settings.queryPort = value;
    }
    if (const char* echo = std::getenv(kEchoEnv); echo != nullptr && std::strcmp(echo, "off") == 0)
        settings.echo = false;
    return settings;
}

}  // namespace sonvira
