// Finds the hosts of a subnet that answer an ICMP echo request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/icmp_echo.h"
#include "sonvira/sonvira_status.h"
#include "stop_flag.h"

namespace sonvira {

// Appends the hosts of the subnet (network, mask) that answered, in address
// order. With echo null nothing is sent and every host counts as answering:
// the way to search where the system permits no echo socket.
// Returns SONVIRA_OK (also when stopped midway), or the error of HostRange::begin
// when network is not the dotted network address of itself and mask.
DiscoveryStatus sweepSubnet(const std::string& network, const std::string& mask, vt::IcmpEcho* echo,
                            const StopFlag& stop, std::vector<uint32_t>& responders);

}  // namespace sonvira
