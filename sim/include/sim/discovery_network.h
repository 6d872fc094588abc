// The discovery responders of several simulated sensors, all answering on one
// port, each on its own address.
#pragma once

#include <cstdint>
#include <list>

#include "sim/discovery_responder.h"

namespace vt::sim {

class DiscoveryNetwork {
public:
    // port 0: the first responder takes an ephemeral port and the rest follow it.
    explicit DiscoveryNetwork(uint16_t port = 0) : port_(port) {}

    // Starts a responder at address. Returns it, or null with *error set to
    // the errno of the failed bind.
    DiscoveryResponder* add(uint32_t address, const DiscoveryIdentity& identity, int* error = nullptr);

    uint16_t port() const { return port_; }
    void stop() { responders_.clear(); }

private:
    uint16_t port_;
    std::list<DiscoveryResponder> responders_;
};

}  // namespace vt::sim
