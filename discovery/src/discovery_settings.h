// Settings of a search, read from the environment by the exports.
//
// These exist so that tests run without root and side by side: the query goes
// to port 113 unless VT_DISCOVERY_PORT names another, VT_DISCOVERY_ECHO=off
// skips the echo sweep and queries every host of a subnet, and
// VT_DISCOVERY_REPLY_MS lengthens the wait for each answer where simulated
// sensors on a loaded machine answer late.
#pragma once

#include <chrono>
#include <cstdint>

namespace sonvira {

inline constexpr uint16_t kQueryPort = 113;
inline constexpr const char* kQueryPortEnv = "VT_DISCOVERY_PORT";
inline constexpr const char* kEchoEnv = "VT_DISCOVERY_ECHO";
// Five waits of 100 ms each for the answer.
inline constexpr std::chrono::milliseconds kReplyWindow{500};
inline constexpr const char* kReplyWindowEnv = "VT_DISCOVERY_REPLY_MS";
inline constexpr std::chrono::milliseconds kLongestReplyWindow{60000};

struct DiscoverySettings {
    uint16_t queryPort = kQueryPort;
    bool echo = true;
    std::chrono::milliseconds replyWindow = kReplyWindow;
};

// Call from the thread that calls the export, never from a search thread.
DiscoverySettings discoverySettingsFromEnvironment();

}  // namespace sonvira
