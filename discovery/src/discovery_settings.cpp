#include "discovery_settings.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace sonvira {

namespace {

// A whole decimal number without sign; false for anything else.
template <class Number>
bool readNumber(const char* text, Number& value) {
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && ptr != text;
}

}  // namespace

DiscoverySettings discoverySettingsFromEnvironment() {
    DiscoverySettings settings;
    if (const char* port = std::getenv(kQueryPortEnv); port != nullptr) {
        uint16_t value = 0;
        if (readNumber(port, value) && value != 0) settings.queryPort = value;
    }
    if (const char* window = std::getenv(kReplyWindowEnv); window != nullptr) {
        unsigned value = 0;
        if (readNumber(window, value) && value != 0 && value <= kLongestReplyWindow.count())
            settings.replyWindow = std::chrono::milliseconds(value);
    }
    if (const char* echo = std::getenv(kEchoEnv); echo != nullptr && std::strcmp(echo, "off") == 0)
        settings.echo = false;
    return settings;
}

}  // namespace sonvira
