// Address arithmetic of one subnet: network, broadcast, host range.
//
// One object per call: the state is never shared between exports or threads.
#pragma once

#include <cstdint>
#include <string>

#include "sonvira/sonvira_status.h"

namespace sonvira {

class SubnetAddress {
public:
    // Reads a dotted address and a dotted mask. The mask must be contiguous
    // and leave 1 to 31 host bits. SONVIRA_OK, SONVIRA_ADDRESS_UNPARSABLE or
    // SONVIRA_MASK_INVALID; on failure the object is unchanged.
    DiscoveryStatus assign(const char* address, const char* mask);

    uint32_t address() const { return address_; }
    uint32_t mask() const { return mask_; }
    uint32_t network() const { return address_ & mask_; }
    uint32_t broadcast() const { return address_ | ~mask_; }
    // Usable hosts: every address but the network and the broadcast address.
    uint32_t hostCount() const { return ~mask_ - 1; }
    int prefixLength() const { return prefixLength_; }
    std::string networkText() const;

private:
    uint32_t address_ = 0;
    uint32_t mask_ = 0;
    int prefixLength_ = 0;
};

// Walks the hosts of a subnet in order: network + 1 up to broadcast - 1.
class HostRange {
public:
    // subnet must be the dotted network address of itself and mask.
    // SONVIRA_OK, SONVIRA_NOT_SUBNET_TEXT or an error of SubnetAddress::assign.
    DiscoveryStatus begin(const char* subnet, const char* mask);

    // SONVIRA_OK with the next host, or SONVIRA_RANGE_END (and stays there).
    DiscoveryStatus next(uint32_t& host);

private:
    SubnetAddress subnet_;
    int64_t index_ = -1;
};

}  // namespace sonvira
