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
    const QueryOptions options{settings_.queryPort, kQueriesInFlight, settings_.replyWindow};
    queryHosts(hosts, options, stop_,
               [&](std::size_t, DiscoveryStatus status, const SensorDiscoveryRecord& record) {
                   if (status != SONVIRA_FOUND) return true;
                   if (stop_.requested()) return false;
                   ++found;
                   return onSensor(std::make_unique<SensorDiscoveryRecord>(record));
               });
    return found;
}

}  // namespace sonvira
