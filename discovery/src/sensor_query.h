// The discovery query: one UDP datagram to a host, one answer back.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "sonvira/sensor_discovery_record.h"
#include "sonvira/sonvira_status.h"
#include "discovery_settings.h"
#include "stop_flag.h"

namespace sonvira {

// Queries in flight at once: a /24 is asked within about one reply window.
inline constexpr std::size_t kQueriesInFlight = 256;

struct QueryOptions {
    uint16_t port = kQueryPort;
    std::size_t inFlight = kQueriesInFlight;
    // How long each host has to answer.
    std::chrono::milliseconds replyWindow = kReplyWindow;
};

// Asks the host what it is and fills record (zeroed first) from the answer.
// Returns what parseDiscoveryReply returns, 0 when nothing answered (or stop
// was requested), SONVIRA_REPLY_TRUNCATED when no socket could be opened, or
// SONVIRA_SYSTEM_ERROR_BASE + errno (a refusal among them: the socket is
// connected, so a host without a responder costs no waiting).
DiscoveryStatus querySensor(uint32_t host, const QueryOptions& options, const StopFlag& stop,
                            SensorDiscoveryRecord& record);

// Queries the hosts as querySensor does, up to options.inFlight at a time, and hands
// each host's result (index into hosts, status, record) to onResult in the
// order of hosts. onResult returning false, or a stop, ends the queries.
using QueryResultSink = std::function<bool(std::size_t index, DiscoveryStatus status,
                                           const SensorDiscoveryRecord& record)>;
void queryHosts(std::span<const uint32_t> hosts, const QueryOptions& options, const StopFlag& stop,
                const QueryResultSink& onResult);

}  // namespace sonvira
