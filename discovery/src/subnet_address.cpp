#include "subnet_address.h"

#include <bit>

#include "platform/ipv4.h"

namespace sonvira {

DiscoveryStatus SubnetAddress::assign(const char* address, const char* mask) {
    auto parsedAddress = vt::parseIpv4(address);
    // The limited broadcast address stands for "no address" here.
    if (!parsedAddress || *parsedAddress == 0xFFFFFFFFu) return SONVIRA_ADDRESS_UNPARSABLE;
    auto parsedMask = vt::parseIpv4(mask);
    if (!parsedMask) return SONVIRA_MASK_INVALID;
    uint32_t hostBits = ~*parsedMask;
    // A mask with a hole would walk addresses outside the subnet.
    if ((hostBits & (hostBits + 1)) != 0) return SONVIRA_MASK_INVALID;
    int hostBitCount = std::popcount(hostBits);
    if (hostBitCount < 1 || hostBitCount > 31) return SONVIRA_MASK_INVALID;
    address_ = *parsedAddress;
    mask_ = *parsedMask;
    prefixLength_ = 32 - hostBitCount;
    return SONVIRA_OK;
}

std::string SubnetAddress::networkText() const {
    return vt::formatIpv4(network());
}

DiscoveryStatus HostRange::begin(const char* subnet, const char* mask) {
    index_ = -1;
    if (DiscoveryStatus status = subnet_.assign(subnet, mask); status != SONVIRA_OK) return status;
    if (subnet_.networkText() != subnet) return SONVIRA_NOT_SUBNET_TEXT;
    index_ = 0;
    return SONVIRA_OK;
}

DiscoveryStatus HostRange::next(uint32_t& host) {
    if (index_ < 0 || index_ >= int64_t{subnet_.hostCount()}) {
        index_ = -1;
        return SONVIRA_RANGE_END;
    }
    host = subnet_.network() + static_cast<uint32_t>(index_) + 1;
    ++index_;
    return SONVIRA_OK;
}

}  // namespace sonvira
