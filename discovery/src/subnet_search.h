// One search of a subnet: the echo sweep, then the query of each host that
// answered. The scan thread and the MAC search share it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "discovery_settings.h"
#include "platform/icmp_echo.h"
#include "sonvira/sensor_discovery_record.h"
#include "stop_flag.h"

namespace sonvira {

class SubnetSearch {
public:
    SubnetSearch(const DiscoverySettings& settings, const StopFlag& stop)
        : settings_(settings), stop_(stop) {}

    // Opens the echo socket, or settles for querying every host when the system
    // permits none, and checks that a query socket opens. Returns 0, or the
    // errno that keeps the sockets from opening.
    int open();

    // Hands each sensor that answers to onSensor, in address order, until
    // onSensor returns false or stop is requested. Returns how many it handed
    // over, or -1 when network is not the network address of itself and mask.
    using SensorSink = std::function<bool(std::unique_ptr<SensorDiscoveryRecord>)>;
    int run(const std::string& network, const std::string& mask, const SensorSink& onSensor);

    bool queriesEveryHost() const { return echo_.kind() == vt::IcmpEchoKind::None; }

private:
    DiscoverySettings settings_;
    const StopFlag& stop_;
    vt::IcmpEcho echo_;
};

}  // namespace sonvira
