// A loopback subnet with simulated discovery responders on some of its hosts,
// all on one port that the library is pointed at through its test setting.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <list>
#include <string>

#include "loopback_subnet.h"
#include "sim/discovery_responder.h"

namespace vt::test {

class SimulatedSubnet {
public:
    // port 0: the first responder takes an ephemeral port; give another
    // subnet's port() to answer on the same one.
    explicit SimulatedSubnet(int prefix = 28, uint16_t port = 0) : subnet_(uniqueLoopbackSubnet(prefix)), port_(port) {}
    ~SimulatedSubnet() {
        responders_.clear();
        ::unsetenv("VT_DISCOVERY_PORT");
    }

    // A sensor (or, with another identification, a foreign device) at host index.
    vt::sim::DiscoveryResponder& add(uint32_t index, vt::sim::DiscoveryIdentity identity = {}) {
        auto& responder = responders_.emplace_back(std::move(identity));
        int error = responder.start(subnet_.host(index), port_);
        EXPECT_EQ(error, 0) << "cannot bind " << vt::formatIpv4(subnet_.host(index));
        if (port_ == 0) port_ = responder.port();
        ::setenv("VT_DISCOVERY_PORT", std::to_string(port_).c_str(), 1);
        return responder;
    }
    vt::sim::DiscoveryResponder& addSilent(uint32_t index) {
        auto& responder = add(index);
        responder.setSilent(true);
        return responder;
    }

    static vt::sim::DiscoveryIdentity sensor(std::string name, std::string mac) {
        vt::sim::DiscoveryIdentity identity;
        identity.name = std::move(name);
        identity.mac = std::move(mac);
        return identity;
    }
    static vt::sim::DiscoveryIdentity foreign() {
        vt::sim::DiscoveryIdentity identity;
        identity.identification = "ACME CAMERA";
        return identity;
    }

    const LoopbackSubnet& subnet() const { return subnet_; }
    std::string networkText() const { return subnet_.networkText(); }
    std::string maskText() const { return subnet_.maskText(); }
    std::string hostText(uint32_t index) const { return vt::formatIpv4(subnet_.host(index)); }
    uint16_t port() const { return port_; }

private:
    LoopbackSubnet subnet_;
    uint16_t port_ = 0;
    std::list<vt::sim::DiscoveryResponder> responders_;
};

// Forces the search to query every host instead of sweeping with echo requests.
class QueryEveryHost {
public:
    QueryEveryHost() { ::setenv("VT_DISCOVERY_ECHO", "off", 1); }
    ~QueryEveryHost() { ::unsetenv("VT_DISCOVERY_ECHO"); }
};

}  // namespace vt::test
