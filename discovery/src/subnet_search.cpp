#include "subnet_search.h"

#include <vector>

#include "echo_sweep.h"
#include "platform/udp_socket.h"
#include "sensor_query.h"

namespace sonvira {

int SubnetSearch::open() {
    if (settings_.echo) {
        echo_.open();
        if (echo_.error() != 0) return echo_.error();
    }
    // Every query needs a socket of its own: when not even one opens, the
    // search could only fail host by host.
    vt::UdpSocket probe;
    return probe.open();
}

int SubnetSearch::run(const std::string& network, const std::string& mask, const SensorSink& onSensor) {
    std::vector<uint32_t> hosts;
    vt::IcmpEcho* echo = queriesEveryHost() ? nullptr : &echo_;
    if (sweepSubnet(network, mask, echo, stop_, hosts) != SONVIRA_OK) return -1;
    int found = 0;
    for (uint32_t host : hosts) {
        if (stop_.requested()) break;
        auto record = std::make_unique<SensorDiscoveryRecord>();
        if (querySensor(host, settings_.queryPort, stop_, *record) != SONVIRA_FOUND) continue;
        if (stop_.requested()) break;
        ++found;
        if (!onSensor(std::move(record))) break;
    }
    return found;
}

}  // namespace sonvira
