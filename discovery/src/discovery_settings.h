// Settings of a search, read from the environment by the exports.
//
// Both exist so that tests run without root and side by side: the query goes to
// port 113 unless VT_DISCOVERY_PORT names another, and VT_DISCOVERY_ECHO=off
// skips the echo sweep and queries every host of a subnet.
#pragma once

#include <cstdint>

namespace sonvira {

inline constexpr uint16_t kQueryPort = 113;
inline constexpr const char* kQueryPortEnv = "VT_DISCOVERY_PORT";
inline constexpr const char* kEchoEnv = "VT_DISCOVERY_ECHO";

struct DiscoverySettings {
    uint16_t queryPort = kQueryPort;
    bool echo = true;
};

// Call from the thread that calls the export, never from a search thread.
DiscoverySettings discoverySettingsFromEnvironment();

}  // namespace sonvira
