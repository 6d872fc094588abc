#include "sim/discovery_network.h"

namespace vt::sim {

DiscoveryResponder* DiscoveryNetwork::add(uint32_t address, const DiscoveryIdentity& identity, int* error) {
    auto& responder = responders_.emplace_back(identity);
    int result = responder.start(address, port_);
    if (error != nullptr) *error = result;
    if (result != 0) {
        responders_.pop_back();
        return nullptr;
    }
    if (port_ == 0) port_ = responder.port();
    return &responder;
}

}  // namespace vt::sim
