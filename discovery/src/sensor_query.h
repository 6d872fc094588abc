// The discovery query: one UDP datagram to a host, one answer back.
#pragma once

#include <cstdint>

#include "sonvira/sensor_discovery_record.h"
#include "sonvira/sonvira_status.h"
#include "stop_flag.h"

namespace sonvira {

// Asks the host what it is and fills record (zeroed first) from the answer.
// Returns what parseDiscoveryReply returns, 0 when nothing answered (or stop
// was requested), SONVIRA_REPLY_TRUNCATED when no socket could be opened, or
// SONVIRA_SYSTEM_ERROR_BASE + errno (a refusal among them: the socket is
// connected, so a host without a responder costs no waiting).
DiscoveryStatus querySensor(uint32_t host, uint16_t port, const StopFlag& stop,
                            SensorDiscoveryRecord& record);

}  // namespace sonvira
