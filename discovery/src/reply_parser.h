// Reads a sensor's answer to the discovery query.
//
// The answer is a list of fields, each followed by the byte 0x1C: the maker's
// identification, type, name, second text, IP address, mask, MAC address, and
// three numbers (DHCP flag and two integers).
#pragma once

#include <string_view>

#include "sonvira/sensor_discovery_record.h"
#include "sonvira/sonvira_status.h"

namespace sonvira {

inline constexpr std::string_view kSensorIdentification = "QEL DOVIZEREZI";
inline constexpr char kFieldEnd = '\x1C';

// Fills record from reply (the text ends at its first zero byte, if any).
// Texts longer than their field are cut to it. Returns SONVIRA_FOUND,
// SONVIRA_NOT_FOUND (another maker's identification), SONVIRA_REPLY_TRUNCATED
// (a text field lacks its separator), SONVIRA_REPLY_UNKNOWN_TYPE,
// SONVIRA_REPLY_BAD_NUMBER (one of the three numbers is missing or no number).
DiscoveryStatus parseDiscoveryReply(std::string_view reply, SensorDiscoveryRecord& record);

}  // namespace sonvira
