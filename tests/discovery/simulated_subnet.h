// A loopback subnet with simulated discovery responders on some of its hosts,
// all on one port that the library is pointed at through its test setting.
// Each answer is waited for generously: responder threads on a loaded machine
// (sanitizers, parallel builds) may answer long after the usual window. Tests
// whose hosts keep silent on purpose shorten it, as that wait is all they cost.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "loopback_subnet.h"
#include "sim/discovery_network.h"

namespace vt::test {

inline constexpr std::chrono::milliseconds kGenerousReplyWindow{5000};
// Long enough for a host that answers at once on an idle machine.
inline constexpr std::chrono::milliseconds kSilenceReplyWindow{200};

// What the library waits for each answer, through its test setting.
inline void setDiscoveryReplyWindow(std::chrono::milliseconds window) {
    ::setenv("VT_DISCOVERY_REPLY_MS", std::to_string(window.count()).c_str(), 1);
}

class SimulatedSubnet {
public:
    // port 0: the first responder takes an ephemeral port; give another
    // subnet's port() to answer on the same one.
    explicit SimulatedSubnet(int prefix = 28, uint16_t port = 0)
        : subnet_(uniqueLoopbackSubnet(prefix)), network_(port) {
        setDiscoveryReplyWindow(kGenerousReplyWindow);
    }
    ~SimulatedSubnet() {
        network_.stop();
        ::unsetenv("VT_DISCOVERY_PORT");
        ::unsetenv("VT_DISCOVERY_REPLY_MS");
    }

    // A sensor (or, with another identification, a foreign device) at host index.
    vt::sim::DiscoveryResponder& add(uint32_t index, vt::sim::DiscoveryIdentity identity = {}) {
        int error = 0;
        auto* responder = network_.add(subnet_.host(index), identity, &error);
        if (responder == nullptr)
            throw std::runtime_error("cannot bind " + hostText(index) + ": errno " + std::to_string(error));
        ::setenv("VT_DISCOVERY_PORT", std::to_string(network_.port()).c_str(), 1);
        return *responder;
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
    uint16_t port() const { return network_.port(); }

private:
    LoopbackSubnet subnet_;
    vt::sim::DiscoveryNetwork network_;
};

// Forces the search to query every host instead of sweeping with echo requests.
class QueryEveryHost {
public:
    QueryEveryHost() { ::setenv("VT_DISCOVERY_ECHO", "off", 1); }
    ~QueryEveryHost() { ::unsetenv("VT_DISCOVERY_ECHO"); }
};

}  // namespace vt::test
