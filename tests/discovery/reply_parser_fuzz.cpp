// Feeds arbitrary datagrams to the discovery reply parser.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "reply_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SensorDiscoveryRecord record;
    std::memset(&record, 0, sizeof record);
    DiscoveryStatus status =
        sonvira::parseDiscoveryReply(std::string_view(reinterpret_cast<const char*>(data), size), record);
    if (status != SONVIRA_FOUND && status != SONVIRA_NOT_FOUND && status != SONVIRA_REPLY_TRUNCATED &&
        status != SONVIRA_REPLY_BAD_NUMBER && status != SONVIRA_REPLY_UNKNOWN_TYPE)
        std::abort();
    // Every text stays inside its field.
    if (std::memchr(record.name, 0, sizeof record.name) == nullptr ||
        std::memchr(record.secondText, 0, sizeof record.secondText) == nullptr ||
        std::memchr(record.type, 0, sizeof record.type) == nullptr ||
        std::memchr(record.ip, 0, sizeof record.ip) == nullptr ||
        std::memchr(record.mask, 0, sizeof record.mask) == nullptr ||
        std::memchr(record.mac, 0, sizeof record.mac) == nullptr)
        std::abort();
    if (record.dhcp > 1 || record.padding[0] != 0 || record.padding[1] != 0 || record.padding[2] != 0)
        std::abort();
    return 0;
}
